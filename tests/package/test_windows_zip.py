"""The Windows release's packing (scripts/package-windows.sh), on the test build's vormelin.exe:
the program passes the check that it needs no DLL beyond Windows' own, and the zip holds it with
the README and the licence in one folder; a program that needs the compiler's DLLs is refused.

    python3 tests/package/test_windows_zip.py <vormelin.exe>
"""

import subprocess
import sys
import tempfile
import unittest
import zipfile
from pathlib import Path

REPOSITORY = Path(__file__).resolve().parent.parent.parent
SCRIPT = REPOSITORY / "scripts" / "package-windows.sh"
PROGRAM = None  # set from the command line


def run_function(build_dir, *command):
    """Runs one of the script's functions, with the script's settings, in build_dir."""
    shell = f'source "{SCRIPT}"; build_dir="{build_dir}"; "$@"'
    return subprocess.run(["bash", "-c", shell, "package-windows", *map(str, command)],
                          capture_output=True, text=True, check=False)


class WindowsZipTest(unittest.TestCase):
    def test_the_game_passes_the_check_and_is_packed_with_the_readme_and_licence(self):
        with tempfile.TemporaryDirectory() as build_dir:
            checked = run_function(build_dir, "check_imports", PROGRAM)
            self.assertEqual(checked.returncode, 0, checked.stderr)
            packed = run_function(build_dir, "pack", PROGRAM, "vormelin-9.9.9-windows-x86_64")
            self.assertEqual(packed.returncode, 0, packed.stderr)
            with zipfile.ZipFile(Path(build_dir) / "vormelin-9.9.9-windows-x86_64.zip") as archive:
                files = {name: archive.read(name) for name in archive.namelist()
                         if not name.endswith("/")}
        folder = "vormelin-9.9.9-windows-x86_64/"
        self.assertEqual(sorted(files), [folder + "LICENSE", folder + "README.md",
                                         folder + "vormelin.exe"])
        self.assertEqual(files[folder + "vormelin.exe"], Path(PROGRAM).read_bytes())
        self.assertEqual(files[folder + "LICENSE"], (REPOSITORY / "LICENSE").read_bytes())

    def test_a_program_that_needs_the_compilers_dlls_is_refused(self):
        with tempfile.TemporaryDirectory() as folder:
            source = Path(folder) / "hello.cpp"
            source.write_text("#include <iostream>\nint main() { std::cout << 1; }\n")
            program = Path(folder) / "hello.exe"
            subprocess.run(["x86_64-w64-mingw32-g++-posix", str(source), "-o", str(program)],
                           check=True)
            checked = run_function(folder, "check_imports", program)
        self.assertNotEqual(checked.returncode, 0)
        self.assertIn("libstdc++-6.dll", checked.stderr)


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main(verbosity=2)
