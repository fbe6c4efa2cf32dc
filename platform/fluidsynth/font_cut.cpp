// The cut of a sound font: its RIFF layout is read to find the preset data, which must come last
// (as FluidSynth reads it anyway); the preset headers, bags, modulators and generators of the
// presets wanted are copied with their indices renumbered, and the instrument and sample data
// after them verbatim.
#include "platform/fluidsynth/font_cut.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace platform::fluidsynth {
namespace {

constexpr std::size_t preset_header_size = 38;
constexpr std::size_t bag_size = 4;
constexpr std::size_t modulator_size = 10;
constexpr std::size_t generator_size = 4;
constexpr std::size_t preset_bag_field = 24;  // wPresetBagNdx in a preset header

std::uint16_t get_u16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t get_u32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(get_u16(bytes)) |
           (static_cast<std::uint32_t>(get_u16(bytes + 2)) << 16);
}

void put_u16(std::uint8_t* bytes, std::size_t value) {
    bytes[0] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

void put_u32(std::uint8_t* bytes, std::uint64_t value) {
    put_u16(bytes, value & 0xFFFF);
    put_u16(bytes + 2, (value >> 16) & 0xFFFF);
}

bool read_at(std::ifstream& file, std::uint64_t offset, void* into, std::size_t count) {
    file.seekg(static_cast<std::streamoff>(offset));
    file.read(static_cast<char*>(into), static_cast<std::streamsize>(count));
    return file.good();
}

struct PresetDataPlace {
    std::uint64_t offset = 0;  // of its "LIST" header
    std::uint32_t size = 0;    // of what follows the header's size field
};

// The preset data list, when it is the RIFF's last chunk and lies whole in the file.
std::optional<PresetDataPlace> find_preset_data(std::ifstream& file, std::uint64_t file_size,
                                                std::uint8_t (&header)[12]) {
    if (!read_at(file, 0, header, sizeof header) || std::memcmp(header, "RIFF", 4) != 0 ||
        std::memcmp(header + 8, "sfbk", 4) != 0) {
        return std::nullopt;
    }
    const std::uint64_t riff_end = 8 + std::uint64_t{get_u32(header + 4)};
    if (riff_end > file_size) {
        return std::nullopt;
    }
    std::uint64_t offset = 12;
    while (offset + 12 <= riff_end) {
        std::uint8_t chunk[12];
        if (!read_at(file, offset, chunk, sizeof chunk)) {
            return std::nullopt;
        }
        const std::uint32_t size = get_u32(chunk + 4);
        const std::uint64_t end = offset + 8 + size + (size & 1);
        if (std::memcmp(chunk, "LIST", 4) == 0 && std::memcmp(chunk + 8, "pdta", 4) == 0) {
            if (size < 4 || offset + 8 + size > riff_end || end < riff_end) {
                return std::nullopt;
            }
            return PresetDataPlace{offset, size};
        }
        offset = end;
    }
    return std::nullopt;
}

// The four preset tables (their records, terminal record included) and the bytes after them.
struct PresetTables {
    std::span<const std::uint8_t> headers, bags, modulators, generators, rest;
};

std::optional<PresetTables> split_preset_data(std::span<const std::uint8_t> data) {
    static constexpr const char* ids[] = {"phdr", "pbag", "pmod", "pgen"};
    static constexpr std::size_t record_sizes[] = {preset_header_size, bag_size, modulator_size,
                                                   generator_size};
    std::span<const std::uint8_t> tables[4];
    std::size_t offset = 4;  // past "pdta"
    for (int i = 0; i < 4; ++i) {
        if (data.size() - offset < 8 || std::memcmp(data.data() + offset, ids[i], 4) != 0) {
            return std::nullopt;
        }
        const std::uint32_t size = get_u32(data.data() + offset + 4);
        offset += 8;
        if (size > data.size() - offset || size % record_sizes[i] != 0 || size == 0) {
            return std::nullopt;
        }
        tables[i] = data.subspan(offset, size);
        offset += size;
    }
    if (tables[0].size() < 2 * preset_header_size) {
        return std::nullopt;
    }
    return PresetTables{tables[0], tables[1], tables[2], tables[3], data.subspan(offset)};
}

std::size_t count_of(std::span<const std::uint8_t> table, std::size_t record_size) {
    return table.size() / record_size;
}

struct CutTables {
    std::vector<std::uint8_t> headers, bags, modulators, generators;
};

// Copies one preset's bags [first, last) with their modulators and generators, or false when
// an index is out of order or out of range.
bool copy_bags(const PresetTables& from, std::size_t first, std::size_t last, CutTables& to) {
    const std::size_t modulators = count_of(from.modulators, modulator_size);
    const std::size_t generators = count_of(from.generators, generator_size);
    for (std::size_t bag = first; bag < last; ++bag) {
        const std::uint8_t* this_bag = from.bags.data() + bag * bag_size;
        const std::uint8_t* next_bag = this_bag + bag_size;
        const std::size_t gen_first = get_u16(this_bag);
        const std::size_t gen_last = get_u16(next_bag);
        const std::size_t mod_first = get_u16(this_bag + 2);
        const std::size_t mod_last = get_u16(next_bag + 2);
        if (gen_first > gen_last || gen_last > generators || mod_first > mod_last ||
            mod_last > modulators) {
            return false;
        }
        std::uint8_t new_bag[bag_size];
        put_u16(new_bag, to.generators.size() / generator_size);
        put_u16(new_bag + 2, to.modulators.size() / modulator_size);
        to.bags.insert(to.bags.end(), new_bag, new_bag + bag_size);
        to.generators.insert(to.generators.end(),
                             from.generators.begin() + gen_first * generator_size,
                             from.generators.begin() + gen_last * generator_size);
        to.modulators.insert(to.modulators.end(),
                             from.modulators.begin() + mod_first * modulator_size,
                             from.modulators.begin() + mod_last * modulator_size);
    }
    return true;
}

// The terminal records: a preset "EOP" and a bag pointing past the last ones, and a zero
// modulator and generator.
void end_tables(CutTables& tables) {
    std::uint8_t end_header[preset_header_size] = {'E', 'O', 'P'};
    put_u16(end_header + preset_bag_field, tables.bags.size() / bag_size);
    tables.headers.insert(tables.headers.end(), end_header, end_header + preset_header_size);
    std::uint8_t end_bag[bag_size];
    put_u16(end_bag, tables.generators.size() / generator_size);
    put_u16(end_bag + 2, tables.modulators.size() / modulator_size);
    tables.bags.insert(tables.bags.end(), end_bag, end_bag + bag_size);
    tables.modulators.insert(tables.modulators.end(), modulator_size, 0);
    tables.generators.insert(tables.generators.end(), generator_size, 0);
}

std::optional<CutTables> cut_tables(const PresetTables& from, std::span<const Preset> wanted,
                                    std::vector<Preset>& found) {
    CutTables to;
    const std::size_t presets = count_of(from.headers, preset_header_size) - 1;
    const std::size_t bags = count_of(from.bags, bag_size);
    for (std::size_t i = 0; i < presets; ++i) {
        const std::uint8_t* header = from.headers.data() + i * preset_header_size;
        const Preset preset{get_u16(header + 22), get_u16(header + 20)};
        const std::size_t first = get_u16(header + preset_bag_field);
        const std::size_t last = get_u16(header + preset_header_size + preset_bag_field);
        if (first > last || last >= bags) {
            return std::nullopt;
        }
        if (std::find(wanted.begin(), wanted.end(), preset) == wanted.end()) {
            continue;
        }
        const std::size_t header_at = to.headers.size();
        to.headers.insert(to.headers.end(), header, header + preset_header_size);
        put_u16(to.headers.data() + header_at + preset_bag_field, to.bags.size() / bag_size);
        if (!copy_bags(from, first, last, to)) {
            return std::nullopt;
        }
        found.push_back(preset);
    }
    end_tables(to);
    return to;
}

void append_chunk(std::vector<std::uint8_t>& out, const char* id,
                  std::span<const std::uint8_t> data) {
    std::uint8_t header[8];
    std::memcpy(header, id, 4);
    put_u32(header + 4, data.size());
    out.insert(out.end(), header, header + 8);
    out.insert(out.end(), data.begin(), data.end());
}

std::vector<std::uint8_t> preset_data_of(const CutTables& tables,
                                         std::span<const std::uint8_t> rest) {
    std::vector<std::uint8_t> body{'p', 'd', 't', 'a'};
    append_chunk(body, "phdr", tables.headers);
    append_chunk(body, "pbag", tables.bags);
    append_chunk(body, "pmod", tables.modulators);
    append_chunk(body, "pgen", tables.generators);
    body.insert(body.end(), rest.begin(), rest.end());
    std::vector<std::uint8_t> list;
    append_chunk(list, "LIST", body);
    return list;
}

}  // namespace

std::optional<FontCut> cut_sound_font(const std::string& path, std::span<const Preset> wanted) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        return std::nullopt;
    }
    const auto file_size = static_cast<std::uint64_t>(file.tellg());
    FontCut cut;
    cut.path = path;
    const std::optional<PresetDataPlace> place = find_preset_data(file, file_size, cut.header);
    if (!place) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> data(place->size);
    if (!read_at(file, place->offset + 8, data.data(), data.size())) {
        return std::nullopt;
    }
    const std::optional<PresetTables> tables = split_preset_data(data);
    if (!tables) {
        return std::nullopt;
    }
    const std::optional<CutTables> cut_presets = cut_tables(*tables, wanted, cut.presets);
    if (!cut_presets) {
        return std::nullopt;
    }
    cut.preset_data = preset_data_of(*cut_presets, tables->rest);
    cut.kept_bytes = place->offset;
    put_u32(cut.header + 4, cut.size() - 8);
    return cut;
}

bool cut_holds(const FontCut& cut, Preset preset) {
    return std::find(cut.presets.begin(), cut.presets.end(), preset) != cut.presets.end();
}

}  // namespace platform::fluidsynth
