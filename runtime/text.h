// Text services: numbers to text and back, fields of a line, and UTF-16 copies of texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Texts are std::string holding single-byte Windows-1252 bytes; an empty view stands for an absent
// text as well.

// Plain decimal: "-" before negatives, no "+", no padding, no separators.
std::string format_int(std::int32_t value);

// Skips leading spaces and tabs, takes one optional sign, then decimal digits up to the first other
// byte (arithmetic modulo 2^32). No digit gives 0.
std::int32_t parse_int(std::string_view text);

// Field `field_number` (from 1; lower counts as 1) of `text` split at the first character of
// `separator`. A missing field is empty.
std::string string_field(std::string_view text, int field_number, std::string_view separator);

// The UTF-16 form of a Windows-1252 text. The five bytes that code page leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) become U+0081 and so on, as on the Windows desktop.
std::u16string to_wide(std::string_view text);

// The Windows-1252 form of a UTF-16 text: a character the code page cannot hold becomes "?" (a
// surrogate pair is one character). U+0081, U+008D, U+008F, U+0090 and U+009D give back their
// bytes, so that to_wide and from_wide are inverse on every byte.
std::string from_wide(std::u16string_view text);
