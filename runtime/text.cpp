// Text services: numbers to text and back, fields of a line, and UTF-16 copies of texts.
#include "runtime/text.h"

#include <array>
#include <charconv>
#include <cstddef>

namespace {

// Windows-1252 is Latin-1 but for 0x80..0x9F, where it holds these characters. The five bytes it
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) pass through as the control character of their
// value, as Windows does, so that every byte survives a round trip.
constexpr std::array<char16_t, 32> code_page_high_controls = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

char16_t wide_of(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return code_page_high_controls[byte - 0x80];
    }
    return byte;
}

// The byte of a UTF-16 unit in the code page, or '?' when the code page cannot hold it.
char narrow_of(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        return static_cast<char>(unit);
    }
    for (std::size_t i = 0; i < code_page_high_controls.size(); ++i) {
        if (code_page_high_controls[i] == unit) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

bool is_high_surrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool is_low_surrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

std::string format_int(std::int32_t value) {
    std::array<char, 16> digits{};
    auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    (void)error;  // 16 bytes hold every 32-bit value
    return std::string(digits.data(), end);
}

std::int32_t parse_int(std::string_view text) {
    std::size_t position = 0;
    while (position < text.size() && (text[position] == ' ' || text[position] == '\t')) {
        ++position;
    }
    bool negative = false;
    if (position < text.size() && (text[position] == '-' || text[position] == '+')) {
        negative = text[position] == '-';
        ++position;
    }
    std::uint32_t value = 0;
    for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
        value = value * 10 + static_cast<std::uint32_t>(text[position] - '0');
    }
    if (negative) {
        value = 0u - value;
    }
    return static_cast<std::int32_t>(value);
}

std::string string_field(std::string_view text, int field_number, std::string_view separator) {
    if (field_number < 1) {
        field_number = 1;
    }
    if (separator.empty()) {
        return field_number == 1 ? std::string(text) : std::string();
    }
    std::size_t start = 0;
    for (int field = 1; field < field_number; ++field) {
        std::size_t found = text.find(separator[0], start);
        if (found == std::string_view::npos) {
            return std::string();
        }
        start = found + 1;
    }
    std::size_t end = text.find(separator[0], start);
    return std::string(text.substr(start, end == std::string_view::npos ? end : end - start));
}

std::u16string to_wide(std::string_view text) {
    std::u16string wide(text.size(), u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        wide[i] = wide_of(static_cast<unsigned char>(text[i]));
    }
    return wide;
}

std::string from_wide(std::u16string_view text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        narrow.push_back(narrow_of(text[i]));
        // A character beyond the first plane is one '?', not two.
        if (is_high_surrogate(text[i]) && i + 1 < text.size() && is_low_surrogate(text[i + 1])) {
            ++i;
        }
    }
    return narrow;
}
