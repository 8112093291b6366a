// Field by field: bytes built from known values by the documented rules (EBCDIC zones and
// sign half-bytes, two's complement, IBM hexadecimal floating point) and by the system's
// converter, decoded back.

#include "load/CodePage.h"
#include "load/FieldDecoder.h"
#include "support/ErrorOf.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <iconv.h>

namespace vorq::load {
namespace {

const CodePage& ebcdic() {
    static const CodePage page("cp037");
    return page;
}
const CodePage& ascii() {
    static const CodePage page("ascii");
    return page;
}

FieldFormat numeric(FieldKind kind, std::uint32_t length, std::int16_t scale = 0,
                    bool isSigned = true) {
    FieldFormat f;
    f.kind = kind;
    f.length = length;
    f.scale = scale;
    f.isSigned = isSigned;
    return f;
}

// The value as text ("NULL: <problem>" for a null), whatever its kind.
std::string decoded(const FieldFormat& f, const std::string& bytes,
                    const CodePage& page = ebcdic()) {
    EXPECT_EQ(bytes.size(), f.length);
    FieldValue v;
    decodeField(f, bytes, page, v);
    switch (v.kind) {
    case FieldValue::Kind::Null:
        return std::string("NULL: ") + (v.problem ? v.problem : "");
    case FieldValue::Kind::Integer:
        return std::to_string(v.integer);
    case FieldValue::Kind::Real:
        return "real " + std::to_string(v.real);
    case FieldValue::Kind::Text:
        return v.text;
    }
    return "";
}

// UTF-8 text in another character set, by the system's converter.
std::string converted(const std::string& text, const char* to) {
    iconv_t cd = iconv_open(to, "UTF-8");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string out(text.size() * 4 + 8, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size(), outLeft = out.size();
    char* at = out.data();
    iconv(cd, &in, &inLeft, &at, &outLeft);
    iconv(cd, nullptr, nullptr, &at, &outLeft);
    iconv_close(cd);
    out.resize(static_cast<std::size_t>(at - out.data()));
    return out;
}

TEST(FieldDecoder, EbcdicZonedCarriesTheSignInTheZone) {
    const auto z = numeric(FieldKind::Zoned, 4, 2);
    EXPECT_EQ(decoded(z, "\xF0\xF1\xF2\xC3"), "1.23");
    EXPECT_EQ(decoded(z, "\xF0\xF1\xF2\xD3"), "-1.23");
    EXPECT_EQ(decoded(z, "\xF0\xF1\xF2\xF3"), "1.23") << "F: unsigned value in a signed field";
    EXPECT_EQ(decoded(z, "\xF0\xF0\xF0\xD0"), "0.00") << "minus zero is zero";
    auto leading = numeric(FieldKind::Zoned, 3);
    leading.signLeading = true;
    EXPECT_EQ(decoded(leading, "\xD1\xF2\xF3"), "-123");
    auto separate = numeric(FieldKind::ZonedSeparate, 4);
    EXPECT_EQ(decoded(separate, "\xF1\xF2\xF3\x60"), "-123");
    separate.signLeading = true;
    EXPECT_EQ(decoded(separate, "\x4E\xF1\xF2\xF3"), "123");
    EXPECT_EQ(decoded(numeric(FieldKind::Zoned, 3, 0, false), "\xF4\xF5\xF6"), "456");
}

TEST(FieldDecoder, AsciiZonedFollowsThePcAndTransferredConventions) {
    const auto z = numeric(FieldKind::Zoned, 3);
    EXPECT_EQ(decoded(z, "012", ascii()), "12");
    EXPECT_EQ(decoded(z, "01r", ascii()), "-12") << "0x70 + digit: minus";
    EXPECT_EQ(decoded(z, "01B", ascii()), "12") << "'A'-'I': plus 1-9";
    EXPECT_EQ(decoded(z, "01K", ascii()), "-12") << "'J'-'R': minus 1-9";
    EXPECT_EQ(decoded(z, "01}", ascii()), "-10");
    auto separate = numeric(FieldKind::ZonedSeparate, 3);
    EXPECT_EQ(decoded(separate, "12-", ascii()), "-12");
}

TEST(FieldDecoder, PackedDecimalReadsTwoDigitsAByteAndASignHalfByte) {
    EXPECT_EQ(decoded(numeric(FieldKind::Packed, 3, 2), "\x12\x34\x5C"), "123.45");
    EXPECT_EQ(decoded(numeric(FieldKind::Packed, 3, 2), "\x12\x34\x5D"), "-123.45");
    EXPECT_EQ(decoded(numeric(FieldKind::Packed, 3, 0, false), std::string("\x00\x00\x7F", 3)),
              "7");
    EXPECT_EQ(decoded(numeric(FieldKind::PackedUnsigned, 2), "\x12\x34"), "1234");
    // Scaling positions: PIC 9(3)PPP holds thousands; PIC VPP9(3) holds small fractions.
    EXPECT_EQ(decoded(numeric(FieldKind::Packed, 2, -3), "\x12\x3C"), "123000");
    EXPECT_EQ(decoded(numeric(FieldKind::Packed, 2, 5), "\x12\x3D"), "-0.00123");
    // 31 digits do not fit 64 bits: written out exactly.
    EXPECT_EQ(decoded(numeric(FieldKind::Packed, 16, 2),
                      std::string(
                          "\x12\x34\x56\x78\x90\x12\x34\x56\x78\x90\x12\x34\x56\x78\x90\x1D", 16)),
              "-12345678901234567890123456789.01");
}

TEST(FieldDecoder, BinaryIsTwosComplementInEitherByteOrder) {
    EXPECT_EQ(decoded(numeric(FieldKind::BinaryBig, 2), std::string("\xFF\xFE", 2)), "-2");
    EXPECT_EQ(decoded(numeric(FieldKind::BinaryBig, 2, 0, false), std::string("\xFF\xFE", 2)),
              "65534");
    EXPECT_EQ(decoded(numeric(FieldKind::BinaryLittle, 4, 2), std::string("\x39\x30\x00\x00", 4)),
              "123.45");
    EXPECT_EQ(decoded(numeric(FieldKind::BinaryBig, 8), std::string("\x80\0\0\0\0\0\0\0", 8)),
              "-9223372036854775808");
    EXPECT_EQ(decoded(numeric(FieldKind::BinaryBig, 8, 0, false), std::string(8, '\xFF')),
              "18446744073709551615")
        << "above the largest signed 64-bit number: exact text";
}

TEST(FieldDecoder, FloatingPointInIbmHexadecimalAndIeee) {
    EXPECT_EQ(decoded(numeric(FieldKind::HexFloat, 4), std::string("\x41\x10\x00\x00", 4)),
              "real 1.000000");
    EXPECT_EQ(decoded(numeric(FieldKind::HexFloat, 4), std::string("\xC2\x76\xA0\x00", 4)),
              "real -118.625000");
    EXPECT_EQ(decoded(numeric(FieldKind::HexFloat, 8), std::string("\x40\x80\0\0\0\0\0\0", 8)),
              "real 0.500000");
    EXPECT_EQ(decoded(numeric(FieldKind::IeeeFloatBig, 8),
                      std::string("\xC0\x09\x21\xFB\x54\x44\x2D\x18", 8), ascii()),
              "real -3.141593");
    EXPECT_EQ(decoded(numeric(FieldKind::IeeeFloatBig, 4), std::string("\x3F\xC0\0\0", 4), ascii()),
              "real 1.500000");
    EXPECT_EQ(decoded(numeric(FieldKind::IeeeFloat, 4), std::string("\0\0\xC0\x3F", 4), ascii()),
              "real 1.500000");
    EXPECT_EQ(
        decoded(numeric(FieldKind::IeeeFloat, 8), std::string("\0\0\0\0\0\0\xF8\x7F", 8), ascii()),
        "NULL: a floating-point value that is no number");
}

TEST(FieldDecoder, BadNumbersAreNullWithTheReason) {
    const auto z = numeric(FieldKind::Zoned, 3);
    EXPECT_EQ(decoded(z, "\x40\x40\x40"), "NULL: blanks in a numeric field");
    EXPECT_EQ(decoded(z, "\xF1\xC2\xF3"), "NULL: a byte that is no digit")
        << "a sign zone only on the sign's byte";
    EXPECT_EQ(decoded(z, "\xF1\xF2\x73"), "NULL: a zone that gives no sign");
    EXPECT_EQ(decoded(numeric(FieldKind::Zoned, 2, 0, false), "\xF1\xD2"),
              "NULL: a minus sign in an unsigned field");
    EXPECT_EQ(decoded(numeric(FieldKind::Packed, 2, 0, false), "\x12\x3D"),
              "NULL: a minus sign in an unsigned field");
    EXPECT_EQ(decoded(numeric(FieldKind::Packed, 2), "\x12\x37"),
              "NULL: a sign half-byte that is not C, D or F");
    EXPECT_EQ(decoded(numeric(FieldKind::Packed, 2), "\x1A\x3C"), "NULL: a byte that is no digit");
    EXPECT_EQ(decoded(numeric(FieldKind::ZonedSeparate, 3), "\xF1\xF2\xF3"),
              "NULL: a sign byte that is neither + nor -");
    auto blankWhenZero = numeric(FieldKind::Zoned, 3, 1);
    blankWhenZero.blankWhenZero = true;
    EXPECT_EQ(decoded(blankWhenZero, "\x40\x40\x40"), "0.0");
}

TEST(FieldDecoder, TextGoesThroughTheCodePageAndLosesTrailingBlanks) {
    FieldFormat text;
    text.length = 8;
    EXPECT_EQ(decoded(text, converted("Grüße   ", "IBM037")), "Grüße");
    EXPECT_EQ(decoded(text, converted("Grüße   ", "IBM273"), CodePage("cp273")), "Grüße");
    EXPECT_EQ(decoded(text, converted("€ 100   ", "IBM1140"), CodePage("CP1140")), "€ 100");
    text.keepTrailingBlanks = true;
    EXPECT_EQ(decoded(text, converted("ab      ", "IBM037")), "ab      ");

    FieldFormat national;
    national.kind = FieldKind::National;
    national.length = 8;
    EXPECT_EQ(decoded(national, converted("日本  ", "UTF-16BE")), "日本");

    // PIC G: double-byte characters without the shift bytes around them.
    std::string dbcs = converted("日本", "IBM930");
    ASSERT_EQ(dbcs.front(), '\x0E');
    ASSERT_EQ(dbcs.back(), '\x0F');
    dbcs = dbcs.substr(1, dbcs.size() - 2) + "\x40\x40";
    FieldFormat g;
    g.kind = FieldKind::DoubleByte;
    g.length = 6;
    EXPECT_EQ(decoded(g, dbcs, CodePage("cp930")), "日本");
}

TEST(CodePage, EveryPageOfTheConverterUnderTheNamesUsersWrite) {
    EXPECT_EQ(CodePage("IBM-037").name(), "cp037");
    EXPECT_EQ(CodePage("37").name(), "cp037");
    EXPECT_EQ(CodePage("UTF8").name(), "utf-8");
    EXPECT_FALSE(CodePage("utf-8").isEbcdic());
    // z/OS UNIX's page, and pages that no hand-kept list had: each by all its names.
    for (const char* name :
         {"cp1047", "IBM-1047", "1047", "ibm1047", "cp870", "875", "cp1025", "IBM424"}) {
        const CodePage page(name);
        EXPECT_TRUE(page.isEbcdic()) << name;
        std::string text;
        EXPECT_TRUE(page.appendText("\xC1\xF1\x40", text)) << name;
        EXPECT_EQ(text, "A1 ") << name;
    }
    // 1047 and 037 differ where C programs need it: the brackets.
    std::string brackets;
    CodePage("cp1047").appendText("\xAD\xBD", brackets);
    EXPECT_EQ(brackets, "[]");
    EXPECT_FALSE(CodePage("cp437").isEbcdic());
    const auto pages = CodePage::ebcdicPages();
    for (const char* page : {"cp037", "cp1047", "cp870", "cp875", "cp1025", "cp424", "cp930"})
        EXPECT_NE(std::find(pages.begin(), pages.end(), page), pages.end()) << page;
    EXPECT_EQ(std::find(pages.begin(), pages.end(), "cp437"), pages.end()) << "ASCII-based";

    EXPECT_NE(testing::errorOf([] { CodePage("cp9999"); }).find("`vorq encodings` lists"),
              std::string::npos);
    EXPECT_NE(testing::errorOf([] { CodePage("SJIS"); }).find("is a multi-byte encoding"),
              std::string::npos);
}

} // namespace
} // namespace vorq::load
