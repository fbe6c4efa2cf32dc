// Text services: numbers to text and back, fields of a line, and UTF-16 copies of texts.
#include "runtime/text.h"

#include <iconv.h>

#include <array>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cstddef>
#include <cstring>

namespace {

constexpr const char* code_page_name = "WINDOWS-1252";
constexpr const char* native_utf16_name =
    std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
constexpr std::size_t conversion_failed = static_cast<std::size_t>(-1);

// The bytes Windows-1252 leaves undefined; iconv refuses them, Windows passes them through.
bool is_undefined_in_code_page(std::uint32_t code) {
    return code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D;
}

bool is_high_surrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool is_low_surrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// One iconv conversion descriptor, closed when it goes out of scope.
struct Converter {
    iconv_t handle;

    Converter(const char* to, const char* from) : handle(iconv_open(to, from)) {}
    ~Converter() {
        if (is_open()) {
            iconv_close(handle);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool is_open() const { return handle != reinterpret_cast<iconv_t>(-1); }
};

// Converts from `in` as far as iconv gets; returns false when it stopped at input it refuses.
bool convert_run(Converter& converter, const char*& in, std::size_t& in_left, char*& out,
                 std::size_t& out_left) {
    char* in_cursor = const_cast<char*>(in);  // iconv takes char** but never writes the input
    std::size_t result = iconv(converter.handle, &in_cursor, &in_left, &out, &out_left);
    in = in_cursor;
    return result != conversion_failed || (errno != EILSEQ && errno != EINVAL);
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
    // Every Windows-1252 byte is exactly one UTF-16 unit.
    std::u16string wide(text.size(), u'\0');
    Converter converter(native_utf16_name, code_page_name);
    if (!converter.is_open()) {
        // Without the code page the bytes are taken as Latin-1, which differs only in 0x80..0x9F.
        for (std::size_t i = 0; i < text.size(); ++i) {
            wide[i] = static_cast<unsigned char>(text[i]);
        }
        return wide;
    }
    const char* in = text.data();
    std::size_t in_left = text.size();
    char* out = reinterpret_cast<char*>(wide.data());
    std::size_t out_left = wide.size() * sizeof(char16_t);
    while (in_left > 0) {
        if (convert_run(converter, in, in_left, out, out_left)) {
            break;
        }
        // Only the undefined bytes are refused; they map to the control character of their value.
        char16_t unit = static_cast<unsigned char>(*in);
        std::memcpy(out, &unit, sizeof unit);
        out += sizeof unit;
        out_left -= sizeof unit;
        ++in;
        --in_left;
    }
    wide.resize(wide.size() - out_left / sizeof(char16_t));
    return wide;
}

std::string from_wide(std::u16string_view text) {
    // Every UTF-16 unit gives at most one byte.
    std::string narrow(text.size(), '\0');
    Converter converter(code_page_name, native_utf16_name);
    const char* in = reinterpret_cast<const char*>(text.data());
    std::size_t in_left = text.size() * sizeof(char16_t);
    char* out = narrow.data();
    std::size_t out_left = narrow.size();
    while (in_left > 0) {
        if (converter.is_open() && convert_run(converter, in, in_left, out, out_left)) {
            break;
        }
        // A character iconv refuses: one unit, or two for a surrogate pair.
        char16_t unit = 0;
        std::memcpy(&unit, in, sizeof unit);
        std::size_t units = 1;
        if (is_high_surrogate(unit) && in_left >= 2 * sizeof(char16_t)) {
            char16_t next = 0;
            std::memcpy(&next, in + sizeof(char16_t), sizeof next);
            units = is_low_surrogate(next) ? 2 : 1;
        }
        bool passes_through =
            is_undefined_in_code_page(unit) || (!converter.is_open() && unit < 0x100);
        *out++ = passes_through ? static_cast<char>(unit) : '?';
        --out_left;
        in += units * sizeof(char16_t);
        in_left -= units * sizeof(char16_t);
    }
    narrow.resize(narrow.size() - out_left);
    return narrow;
}
