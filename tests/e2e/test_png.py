"""The harness's PNG reader and writer agree with ImageMagick, on the game's pictures and back."""

import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

from harness.layout import RESOURCES
from harness.png import Picture, decode_png, encode_png, read_png, write_png


def imagemagick_rgba(path):
    """The straight RGBA bytes of a picture file as ImageMagick reads them."""
    return subprocess.run(["stream", "-map", "rgba", "-storage-type", "char", str(path), "-"],
                          capture_output=True, check=True, timeout=30).stdout


class PngTest(unittest.TestCase):
    def test_reads_every_picture_of_the_game_as_imagemagick_does(self):
        # Between them the pictures use all five row filters and partly transparent pixels.
        paths = sorted(RESOURCES.glob("*.png"))
        self.assertIn(RESOURCES / "FOND.png", paths)
        for path in paths:
            with self.subTest(picture=path.name):
                picture = read_png(path)
                self.assertEqual(len(picture.rgba), picture.width * picture.height * 4)
                self.assertTrue(picture.rgba == imagemagick_rgba(path), "pixels differ")

    def test_written_pictures_read_back_the_same_here_and_in_imagemagick(self):
        width, height = 37, 5
        rgba = bytes(((x * 7 + y) & 0xFF, y * 50, (x * y) & 0xFF, (x * 13) & 0xFF)[c]
                     for y in range(height) for x in range(width) for c in range(4))
        picture = Picture(width, height, rgba)
        self.assertEqual(decode_png(encode_png(picture)), picture)
        with tempfile.TemporaryDirectory() as folder:
            path = Path(folder) / "written.png"
            write_png(path, picture)
            self.assertEqual(imagemagick_rgba(path), rgba)

    def test_refuses_what_it_cannot_read(self):
        header_of_ba = (RESOURCES / "BA.png").read_bytes()
        sixteen_bits = bytearray(header_of_ba)
        sixteen_bits[24] = 16  # the bit depth in IHDR
        for data, why in ((b"GIF89a", "not a PNG"), (bytes(sixteen_bits), "16-bit"),
                          (header_of_ba[:60], "truncated")):
            with self.subTest(why):
                with self.assertRaises(ValueError):
                    decode_png(data)


if __name__ == "__main__":
    sys.exit(unittest.main(verbosity=2))
