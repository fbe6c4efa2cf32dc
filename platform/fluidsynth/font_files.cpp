// The sound font files as FluidSynth's loader reads them. A cut font is three pieces: the RIFF
// header with the cut's size, the file's bytes up to its preset data, and the cut's preset data.
#include "platform/fluidsynth/font_files.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>

namespace platform::fluidsynth {
namespace {

constexpr const char* cut_prefix = "cut:";

std::atomic<const FontCut*> registered_cut{nullptr};

struct FontReader {
    std::FILE* file = nullptr;
    const FontCut* cut = nullptr;  // null: the file is read as it is
    std::uint64_t size = 0;
    std::uint64_t position = 0;
    std::uint64_t file_position = 0;  // where the file's own position is, to seek only when needed
};

// Reads `count` bytes of the file itself at `offset`.
bool read_file_bytes(FontReader& reader, std::uint64_t offset, std::uint8_t* into,
                     std::size_t count) {
    if (reader.file_position != offset &&
        fseeko(reader.file, static_cast<off_t>(offset), SEEK_SET) != 0) {
        return false;
    }
    const std::size_t got = std::fread(into, 1, count, reader.file);
    reader.file_position = offset + got;
    return got == count;
}

// Reads the cut font's bytes [offset, offset + count) from the piece each of them is in.
bool read_cut_bytes(FontReader& reader, std::uint64_t offset, std::uint8_t* into,
                    std::size_t count) {
    const FontCut& cut = *reader.cut;
    while (count > 0) {
        std::size_t piece = 0;
        if (offset < sizeof cut.header) {
            piece = std::min<std::uint64_t>(count, sizeof cut.header - offset);
            std::memcpy(into, cut.header + offset, piece);
        } else if (offset < cut.kept_bytes) {
            piece = std::min<std::uint64_t>(count, cut.kept_bytes - offset);
            if (!read_file_bytes(reader, offset, into, piece)) {
                return false;
            }
        } else {
            piece = count;  // the caller keeps reads within the size
            std::memcpy(into, cut.preset_data.data() + (offset - cut.kept_bytes), piece);
        }
        offset += piece;
        into += piece;
        count -= piece;
    }
    return true;
}

std::uint64_t file_size(std::FILE* file) {
    if (fseeko(file, 0, SEEK_END) != 0) {
        return 0;
    }
    const off_t end = ftello(file);
    return end < 0 ? 0 : static_cast<std::uint64_t>(end);
}

void* open_font(const char* name) {
    const FontCut* cut = registered_cut;
    if (cut != nullptr && name != cut_font_name(*cut)) {
        cut = nullptr;
    }
    std::FILE* file = std::fopen(cut != nullptr ? cut->path.c_str() : name, "rb");
    if (file == nullptr) {
        return nullptr;
    }
    auto* reader = new FontReader{.file = file, .cut = cut};
    reader->size = cut != nullptr ? cut->size() : file_size(file);
    reader->file_position = cut != nullptr ? 0 : reader->size;
    return reader;
}

int read_font(void* into, fluid_long_long_t count, void* handle) {
    auto& reader = *static_cast<FontReader*>(handle);
    if (count < 0 || static_cast<std::uint64_t>(count) > reader.size - reader.position) {
        return FLUID_FAILED;
    }
    auto* bytes = static_cast<std::uint8_t*>(into);
    const auto wanted = static_cast<std::size_t>(count);
    const bool read = reader.cut != nullptr
                          ? read_cut_bytes(reader, reader.position, bytes, wanted)
                          : read_file_bytes(reader, reader.position, bytes, wanted);
    if (!read) {
        return FLUID_FAILED;
    }
    reader.position += wanted;
    return FLUID_OK;
}

int seek_font(void* handle, fluid_long_long_t offset, int origin) {
    auto& reader = *static_cast<FontReader*>(handle);
    fluid_long_long_t base = 0;
    if (origin == SEEK_CUR) {
        base = static_cast<fluid_long_long_t>(reader.position);
    } else if (origin == SEEK_END) {
        base = static_cast<fluid_long_long_t>(reader.size);
    } else if (origin != SEEK_SET) {
        return FLUID_FAILED;
    }
    if (offset < -base || base + offset > static_cast<fluid_long_long_t>(reader.size)) {
        return FLUID_FAILED;
    }
    reader.position = static_cast<std::uint64_t>(base + offset);
    return FLUID_OK;
}

fluid_long_long_t tell_font(void* handle) {
    return static_cast<fluid_long_long_t>(static_cast<FontReader*>(handle)->position);
}

int close_font(void* handle) {
    auto* reader = static_cast<FontReader*>(handle);
    std::fclose(reader->file);
    delete reader;
    return FLUID_OK;
}

}  // namespace

std::string cut_font_name(const FontCut& cut) {
    return cut_prefix + cut.path;
}

void register_cut_font(const FontCut* cut) {
    registered_cut = cut;
}

fluid_sfloader_t* new_cut_font_loader(const FluidLibrary& fluid, fluid_settings_t* settings) {
    fluid_sfloader_t* loader = fluid.new_defsfloader(settings);
    if (loader != nullptr && fluid.sfloader_set_callbacks(loader, open_font, read_font, seek_font,
                                                          tell_font, close_font) != FLUID_OK) {
        fluid.delete_sfloader(loader);
        return nullptr;
    }
    return loader;
}

}  // namespace platform::fluidsynth
