// A sound font cut to a few presets keeps their zones and everything after them as the file has
// them, refuses files it cannot cut safely, and sounds exactly as the whole font; a program the
// cut lacks still sounds, from the whole font.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/fluidsynth/font_cut.h"
#include "platform/fluidsynth/sound_font.h"
#include "platform/fluidsynth/synth.h"

namespace platform::fluidsynth {
namespace {

using Bytes = std::vector<std::uint8_t>;

void add_u16(Bytes& bytes, std::uint32_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void add_u32(Bytes& bytes, std::uint32_t value) {
    add_u16(bytes, value & 0xFFFF);
    add_u16(bytes, value >> 16);
}

Bytes chunk(const char* id, const Bytes& data) {
    Bytes bytes(id, id + 4);
    add_u32(bytes, static_cast<std::uint32_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

Bytes list(const char* type, const std::vector<Bytes>& chunks) {
    Bytes body(type, type + 4);
    for (const Bytes& part : chunks) {
        body.insert(body.end(), part.begin(), part.end());
    }
    return chunk("LIST", body);
}

Bytes preset_header(const char* name, std::uint16_t program, std::uint16_t bank,
                    std::uint16_t first_bag) {
    Bytes bytes(38, 0);
    std::memcpy(bytes.data(), name, std::strlen(name));
    bytes.resize(20);
    add_u16(bytes, program);
    add_u16(bytes, bank);
    add_u16(bytes, first_bag);
    bytes.resize(38, 0);
    return bytes;
}

Bytes joined(const std::vector<Bytes>& records) {
    Bytes bytes;
    for (const Bytes& record : records) {
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    return bytes;
}

// Generator `n` of the font: operator 41 (instrument) with the amount n, so each is told apart.
Bytes generator(std::uint16_t n) {
    Bytes bytes;
    add_u16(bytes, 41);
    add_u16(bytes, n);
    return bytes;
}

Bytes bag(std::uint16_t first_generator, std::uint16_t first_modulator) {
    Bytes bytes;
    add_u16(bytes, first_generator);
    add_u16(bytes, first_modulator);
    return bytes;
}

// A font of three presets: piano (0:0, bags 0-1, generators 0-2), xylophone (0:13, bag 2,
// generator 3, modulator 0) and a drum kit (128:0, bag 3, generator 4), then the instrument
// and sample tables as opaque bytes.
struct TestFont {
    Bytes head;          // RIFF header, INFO and sdta
    Bytes preset_lists;  // the pdta list
    Bytes instruments;   // its tables after the preset ones, as they stand
    Bytes file() const {
        Bytes bytes{'R', 'I', 'F', 'F'};
        add_u32(bytes, static_cast<std::uint32_t>(head.size() + preset_lists.size() - 8));
        bytes.insert(bytes.end(), {'s', 'f', 'b', 'k'});
        bytes.insert(bytes.end(), head.begin() + 12, head.end());
        bytes.insert(bytes.end(), preset_lists.begin(), preset_lists.end());
        return bytes;
    }
};

TestFont test_font(std::uint16_t piano_last_bag = 2) {
    TestFont font;
    font.head = Bytes(12, 0);
    const Bytes info = list("INFO", {chunk("ifil", {2, 0, 1, 0})});
    const Bytes samples = list("sdta", {chunk("smpl", Bytes(64, 0x5A))});
    font.head.insert(font.head.end(), info.begin(), info.end());
    font.head.insert(font.head.end(), samples.begin(), samples.end());
    font.instruments = joined({chunk("inst", Bytes(44, 1)), chunk("ibag", Bytes(8, 2)),
                               chunk("imod", Bytes(10, 0)), chunk("igen", Bytes(8, 3)),
                               chunk("shdr", Bytes(92, 4))});
    const Bytes headers =
        joined({preset_header("Piano", 0, 0, 0), preset_header("Xylophone", 13, 0, piano_last_bag),
                preset_header("Kit", 0, 128, 3), preset_header("EOP", 0, 0, 4)});
    const Bytes bags = joined({bag(0, 0), bag(2, 0), bag(3, 0), bag(4, 1), bag(5, 1)});
    Bytes modulators(10, 7);
    modulators.resize(20, 0);
    const Bytes generators =
        joined({generator(0), generator(1), generator(2), generator(3), generator(4), Bytes(4, 0)});
    Bytes body{'p', 'd', 't', 'a'};
    for (const Bytes& part : {chunk("phdr", headers), chunk("pbag", bags),
                              chunk("pmod", modulators), chunk("pgen", generators)}) {
        body.insert(body.end(), part.begin(), part.end());
    }
    body.insert(body.end(), font.instruments.begin(), font.instruments.end());
    font.preset_lists = chunk("LIST", body);
    return font;
}

std::string written(const Bytes& bytes, const std::string& name) {
    const auto path = std::filesystem::path(::testing::TempDir()) / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

// The table `id` of a preset data list, without its header.
Bytes table(const Bytes& preset_data, const char* id) {
    std::size_t offset = 12;
    while (offset + 8 <= preset_data.size()) {
        const std::uint32_t size = preset_data[offset + 4] | (preset_data[offset + 5] << 8) |
                                   (preset_data[offset + 6] << 16) |
                                   (preset_data[offset + 7] << 24);
        if (std::memcmp(preset_data.data() + offset, id, 4) == 0) {
            return Bytes(preset_data.begin() + static_cast<std::ptrdiff_t>(offset + 8),
                         preset_data.begin() + static_cast<std::ptrdiff_t>(offset + 8 + size));
        }
        offset += 8 + size;
    }
    return {};
}

TEST(FontCutTest, KeepsTheWantedPresetsZonesRenumberedAndTheRestAsItStands) {
    const TestFont font = test_font();
    const Bytes file = font.file();
    const std::string path = written(file, "cut-test.sf2");
    const Preset wanted[] = {{0, 13}, {128, 0}, {0, 99}};
    const std::optional<FontCut> cut = cut_sound_font(path, wanted);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->presets, (std::vector<Preset>{{0, 13}, {128, 0}}))
        << "the font's order; a preset the font lacks is not claimed";
    EXPECT_TRUE(cut_holds(*cut, {128, 0}));
    EXPECT_FALSE(cut_holds(*cut, {0, 0}));

    EXPECT_EQ(cut->kept_bytes, font.head.size());
    EXPECT_EQ(cut->size(), cut->kept_bytes + cut->preset_data.size());
    Bytes header{'R', 'I', 'F', 'F'};
    add_u32(header, static_cast<std::uint32_t>(cut->size() - 8));
    header.insert(header.end(), {'s', 'f', 'b', 'k'});
    EXPECT_EQ(Bytes(cut->header, cut->header + 12), header);
    EXPECT_EQ(table(cut->preset_data, "phdr"),
              joined({preset_header("Xylophone", 13, 0, 0), preset_header("Kit", 0, 128, 1),
                      preset_header("EOP", 0, 0, 2)}));
    EXPECT_EQ(table(cut->preset_data, "pbag"), joined({bag(0, 0), bag(1, 1), bag(2, 1)}));
    EXPECT_EQ(table(cut->preset_data, "pgen"), joined({generator(3), generator(4), Bytes(4, 0)}));
    Bytes modulators(10, 7);
    modulators.resize(20, 0);
    EXPECT_EQ(table(cut->preset_data, "pmod"), modulators);
    EXPECT_TRUE(
        std::equal(font.instruments.begin(), font.instruments.end(),
                   cut->preset_data.end() - static_cast<std::ptrdiff_t>(font.instruments.size())))
        << "the instrument and sample tables follow unchanged";
}

TEST(FontCutTest, FilesItCannotCutSafelyAreLeftToBeLoadedWhole) {
    const Preset wanted[] = {{0, 13}};
    EXPECT_FALSE(cut_sound_font("/nonexistent/font.sf2", wanted));

    Bytes file = test_font().file();
    Bytes not_a_font = file;
    not_a_font[8] = 'X';
    EXPECT_FALSE(cut_sound_font(written(not_a_font, "cut-not-font.sf2"), wanted));

    const Bytes truncated(file.begin(), file.end() - 10);
    EXPECT_FALSE(cut_sound_font(written(truncated, "cut-truncated.sf2"), wanted));

    Bytes something_after = file;  // a chunk after the preset data, counted in the RIFF's size
    const Bytes extra = chunk("junk", Bytes(6, 0));
    something_after.insert(something_after.end(), extra.begin(), extra.end());
    something_after[4] = static_cast<std::uint8_t>(something_after[4] + extra.size());
    EXPECT_FALSE(cut_sound_font(written(something_after, "cut-after.sf2"), wanted));

    // The xylophone's bags said to start past the table's end.
    EXPECT_FALSE(cut_sound_font(written(test_font(9).file(), "cut-bad-bag.sf2"), wanted));

    const std::optional<FontCut> none = cut_sound_font(written(file, "cut-none.sf2"), {});
    ASSERT_TRUE(none) << "no preset wanted is still a font, of no presets";
    EXPECT_TRUE(none->presets.empty());
    EXPECT_EQ(table(none->preset_data, "phdr"), preset_header("EOP", 0, 0, 0));
}

TEST(FontCutTest, TheGamesStartChoosesItsInstrumentsAndABankChoosesTheWholeFont) {
    // Channel 0 reset to program 0, then the game's three instruments.
    const std::uint32_t start[] = {0x0000C0, 0x000DC0, 0x000BC1, 0x0037C2, 0x0037C2};
    EXPECT_EQ(presets_chosen_by(start), (std::vector<Preset>{{0, 0}, {0, 13}, {0, 11}, {0, 55}}));
    // Notes before any program: the default piano, and the standard kit on the drum channel;
    // a note off or a silent note on chooses nothing.
    const std::uint32_t notes[] = {0x7F3C93, 0x7F2699, 0x7F3C84, 0x003C95};
    EXPECT_EQ(presets_chosen_by(notes), (std::vector<Preset>{{0, 0}, {128, 0}}));
    const std::uint32_t bank_first[] = {0x000DC0, 0x0100B1, 0x000BC1};
    EXPECT_TRUE(presets_chosen_by(bank_first).empty());
}

std::vector<float> render_frames(std::size_t frames) {
    std::vector<float> samples(frames * 2);
    render(samples.data(), frames);
    return samples;
}

// What a synthesizer opened with `wanted` renders of a xylophone note, then a violin note on
// channel 1 (a program the game does not play).
std::vector<float> notes_rendered(std::span<const Preset> wanted) {
    EXPECT_TRUE(open_synth(find_sound_font(), wanted));
    play_short_message(0x000DC0);
    play_short_message(0x7F4890);
    std::vector<float> sound = render_frames(8192);
    play_short_message(0x0028C1);  // program 40 on channel 1
    play_short_message(0x7F4891);
    const std::vector<float> violin = render_frames(8192);
    sound.insert(sound.end(), violin.begin(), violin.end());
    EXPECT_EQ(channel_program(1), 40);
    close_synth();
    return sound;
}

TEST(FontCutTest, TheCutFontSoundsAsTheWholeOneAndAProgramItLacksComesFromTheWholeFont) {
    const std::vector<float> whole = notes_rendered({});
    const Preset game[] = {{0, 0}, {0, 13}, {0, 11}, {0, 55}};
    const std::vector<float> cut = notes_rendered(game);
    ASSERT_EQ(cut.size(), whole.size());
    float loudest_violin = 0.0f;
    for (std::size_t i = whole.size() / 2 + 4096; i < whole.size(); ++i) {
        loudest_violin = std::max(loudest_violin, std::fabs(whole[i]));
    }
    EXPECT_GT(loudest_violin, 0.01f) << "the violin sounds";
    EXPECT_TRUE(cut == whole) << "sample for sample";
}

}  // namespace
}  // namespace platform::fluidsynth
