// Tests of the text services: numbers, fields and code-page conversion.
#include "runtime/text.h"

#include <gtest/gtest.h>

#if __has_include(<iconv.h>)
#include <iconv.h>
#endif

#include <climits>

TEST(FormatInt, WritesPlainDecimal) {
    EXPECT_EQ(format_int(0), "0");
    EXPECT_EQ(format_int(-3), "-3");
    EXPECT_EQ(format_int(224), "224");
    EXPECT_EQ(format_int(INT_MIN), "-2147483648");
    EXPECT_EQ(format_int(INT_MAX), "2147483647");
}

TEST(ParseInt, ReadsLeadingNumberLeniently) {
    EXPECT_EQ(parse_int("  57"), 57);
    EXPECT_EQ(parse_int("\t 57 "), 57);
    EXPECT_EQ(parse_int("-3"), -3);
    EXPECT_EQ(parse_int("+12"), 12);
    EXPECT_EQ(parse_int("12abc"), 12);
    EXPECT_EQ(parse_int(""), 0);
    EXPECT_EQ(parse_int("abc"), 0);
    EXPECT_EQ(parse_int("- 5"), 0);  // no blank between sign and digits
    EXPECT_EQ(parse_int("--5"), 0);
}

TEST(ParseInt, WrapsModulo2To32) {
    EXPECT_EQ(parse_int("-2147483648"), INT_MIN);
    EXPECT_EQ(parse_int("4294967295"), -1);
    EXPECT_EQ(parse_int("4294967296"), 0);
    EXPECT_EQ(parse_int("70000"), 70000);
}

TEST(StringField, SplitsAtFirstSeparatorCharacter) {
    EXPECT_EQ(string_field("Anne", 1, "|"), "Anne");
    EXPECT_EQ(string_field("Anne", 2, "|"), "");
    EXPECT_EQ(string_field("a|b|c", 2, "|"), "b");
    EXPECT_EQ(string_field("a|b|c", 3, "|"), "c");
    EXPECT_EQ(string_field("a|b|c", 4, "|"), "");
    EXPECT_EQ(string_field("a|b|c", 0, "|"), "a");
    EXPECT_EQ(string_field("a|b/c", 2, "|/"), "b/c");
    EXPECT_EQ(string_field("|x|", 1, "|"), "");
    EXPECT_EQ(string_field("|x|", 3, "|"), "");
    EXPECT_EQ(string_field("", 1, "|"), "");
}

TEST(ToWide, ConvertsWindows1252) {
    std::u16string wide = to_wide("Mr Vormelin");
    EXPECT_EQ(wide.size(), 11u);
    EXPECT_EQ(wide.c_str()[11], u'\0');
    EXPECT_EQ(wide, u"Mr Vormelin");
    EXPECT_EQ(to_wide("F\xE9licitations"), u"F\u00E9licitations");
    EXPECT_EQ(to_wide("\x80\x9C\xFF"), u"\u20AC\u0153\u00FF");
    EXPECT_EQ(to_wide(""), u"");
}

TEST(ToWide, PassesUndefinedBytesThrough) {
    EXPECT_EQ(to_wide("a\x81"
                      "b\x8D\x8F\x90\x9D"),
              u"a\u0081b\u008D\u008F\u0090\u009D");
}

TEST(FromWide, ReplacesWhatTheCodePageCannotHold) {
    EXPECT_EQ(from_wide(u"Anne"), "Anne");
    EXPECT_EQ(from_wide(u"\u00E9t\u00E9 \u20AC"), "\xE9t\xE9 \x80");
    EXPECT_EQ(from_wide(u"a\u4E2Db"), "a?b");
    EXPECT_EQ(from_wide(u"x\U0001F600y"), "x?y");  // a surrogate pair is one character
    EXPECT_EQ(from_wide(std::u16string(u"a\xD800") + u"b"), "a?b");  // lone high surrogate
    EXPECT_EQ(from_wide(std::u16string(u"a\xDC00")), "a?");          // lone low surrogate
    EXPECT_EQ(from_wide(u""), "");
}

TEST(FromWide, InvertsToWideOnEveryByte) {
    std::string all_bytes;
    for (int byte = 1; byte < 256; ++byte) {
        all_bytes.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(from_wide(to_wide(all_bytes)), all_bytes);
}

#if __has_include(<iconv.h>)
// The code page's table against the C library's own converter, where there is one: every byte
// it defines must give the same character.
TEST(ToWide, AgreesWithTheSystemConverterOnEveryDefinedByte) {
    iconv_t converter = iconv_open("UTF-16LE", "WINDOWS-1252");
    ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1));
    for (int byte = 1; byte < 256; ++byte) {
        char in = static_cast<char>(byte);
        char* in_cursor = &in;
        std::size_t in_left = 1;
        unsigned char out[4] = {};
        char* out_cursor = reinterpret_cast<char*>(out);
        std::size_t out_left = sizeof out;
        if (iconv(converter, &in_cursor, &in_left, &out_cursor, &out_left) ==
            static_cast<std::size_t>(-1)) {
            continue;  // one of the five bytes the code page leaves undefined
        }
        const auto expected = static_cast<char16_t>(out[0] | (out[1] << 8));
        EXPECT_EQ(to_wide(std::string(1, in)), std::u16string(1, expected)) << "byte " << byte;
    }
    iconv_close(converter);
}
#endif
