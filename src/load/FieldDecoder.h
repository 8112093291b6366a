#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorq::load {

class CodePage;

// How a field's bytes hold its value.
enum class FieldKind : std::uint8_t {
    Text,           // alphanumeric, alphabetic and numeric-edited: characters of the page
    National,       // UTF-16BE
    DoubleByte,     // PIC G: the page's double-byte characters
    Zoned,          // a digit a byte; the sign, if any, in the zone of the first or last byte
    ZonedSeparate,  // a digit a byte; the sign a byte of its own, first or last
    Packed,         // two digits a byte, the last half-byte the sign
    PackedUnsigned, // two digits a byte, no sign half-byte
    BinaryBig,      // two's complement (or unsigned), most significant byte first
    BinaryLittle,   // the same, least significant byte first
    HexFloat,       // IBM hexadecimal floating point, 4 or 8 bytes
    IeeeFloat,      // IEEE 754, 4 or 8 bytes, least significant byte first
    IeeeFloatBig,   // IEEE 754, most significant byte first (Java, z/OS FLOAT(IEEE))
};

// Where a field's bytes are and how to read them.
struct FieldFormat {
    FieldKind kind = FieldKind::Text;
    std::uint32_t length = 0; // bytes
    std::uint16_t digits = 0;
    // Digits after the decimal point; negative: that many zeros after the digits (P scaling).
    std::int16_t scale = 0;
    bool isSigned = false;
    bool signLeading = false;
    bool blankWhenZero = false;
    bool keepTrailingBlanks = false;
};

// What a field's bytes say. Exact numbers with no fraction that fit 64 bits are Integer;
// others are Text written as a decimal number ("-1234.50"), never through a double.
struct FieldValue {
    enum class Kind : std::uint8_t { Null, Integer, Real, Text };
    Kind kind = Kind::Null;
    std::int64_t integer = 0;
    double real = 0;
    std::string text;
    // What was wrong with the bytes, nullptr when nothing: the value is then Null, or, for
    // text, holds U+FFFD in place of each byte that is no character of the encoding.
    const char* problem = nullptr;
};

// The value of one field; bytes are exactly format.length long. Bad bytes (a zone or sign that
// no convention gives, a digit above 9, blanks in a number) make the value Null with a
// problem; nothing raises.
void decodeField(const FieldFormat& format, std::string_view bytes, const CodePage& page,
                 FieldValue& out);

} // namespace vorq::load
