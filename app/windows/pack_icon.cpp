// pack_icon: packs PNG pictures into one Windows icon file, each picture an entry of its own
// size (PNG entries, which Windows reads from Vista on). Runs on the build machine.
//   pack_icon OUTPUT.ico PICTURE.png...
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

struct Picture {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    Bytes bytes;
};

std::uint32_t big_endian_32(const Bytes& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) << 24 |
           static_cast<std::uint32_t>(bytes[at + 1]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 8 | bytes[at + 3];
}

// A PNG's size from its header chunk; false for anything else or a size an icon cannot hold.
bool read_png(const char* path, Picture& picture) {
    std::ifstream file(path, std::ios::binary);
    picture.bytes.assign(std::istreambuf_iterator<char>(file), {});
    static const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (picture.bytes.size() < 24 ||
        !std::equal(std::begin(signature), std::end(signature), picture.bytes.begin()) ||
        std::string(picture.bytes.begin() + 12, picture.bytes.begin() + 16) != "IHDR") {
        return false;
    }
    picture.width = big_endian_32(picture.bytes, 16);
    picture.height = big_endian_32(picture.bytes, 20);
    return picture.width >= 1 && picture.width <= 256 && picture.height >= 1 &&
           picture.height <= 256;
}

void put_16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void put_32(Bytes& out, std::uint32_t value) {
    put_16(out, value & 0xFFFF);
    put_16(out, value >> 16);
}

// The directory, then the pictures in its order. A size of 256 is written as 0.
Bytes icon_file(const std::vector<Picture>& pictures) {
    Bytes out;
    put_16(out, 0);
    put_16(out, 1);  // an icon, not a cursor
    put_16(out, static_cast<std::uint32_t>(pictures.size()));
    auto offset = static_cast<std::uint32_t>(6 + 16 * pictures.size());
    for (const Picture& picture : pictures) {
        out.push_back(static_cast<unsigned char>(picture.width & 0xFF));
        out.push_back(static_cast<unsigned char>(picture.height & 0xFF));
        out.push_back(0);  // no palette
        out.push_back(0);
        put_16(out, 1);   // planes
        put_16(out, 32);  // bits per pixel
        put_32(out, static_cast<std::uint32_t>(picture.bytes.size()));
        put_32(out, offset);
        offset += static_cast<std::uint32_t>(picture.bytes.size());
    }
    for (const Picture& picture : pictures) {
        out.insert(out.end(), picture.bytes.begin(), picture.bytes.end());
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: pack_icon OUTPUT.ico PICTURE.png...\n");
        return 2;
    }
    std::vector<Picture> pictures(static_cast<std::size_t>(argc - 2));
    for (int i = 2; i < argc; ++i) {
        if (!read_png(argv[i], pictures[static_cast<std::size_t>(i - 2)])) {
            std::fprintf(stderr, "pack_icon: %s is no PNG picture of 1 to 256 pixels\n", argv[i]);
            return 1;
        }
    }
    const Bytes out = icon_file(pictures);
    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "pack_icon: cannot write %s\n", argv[1]);
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
