#include "load/FieldDecoder.h"

#include "load/CodePage.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace vorq::load {
namespace {

// 38 decimal digits, the most a COBOL number has, fit 128 bits.
__extension__ typedef unsigned __int128 Magnitude;

constexpr const char* kBlank = "blanks in a numeric field";
constexpr const char* kBadDigit = "a byte that is no digit";
constexpr const char* kBadZone = "a zone that gives no sign";
constexpr const char* kBadSign = "a sign half-byte that is not C, D or F";
constexpr const char* kMinusUnsigned = "a minus sign in an unsigned field";
constexpr const char* kBadSeparateSign = "a sign byte that is neither + nor -";
constexpr const char* kBadCharacter = "bytes that are no characters of the encoding";
constexpr const char* kNotANumber = "a floating-point value that is no number";
constexpr const char* kTooLong = "more digits than a decimal number may have (38)";

void setNull(FieldValue& out, const char* problem) {
    out.kind = FieldValue::Kind::Null;
    out.problem = problem;
}

bool allBytes(std::string_view bytes, std::uint8_t byte) {
    for (const char b : bytes)
        if (static_cast<std::uint8_t>(b) != byte)
            return false;
    return true;
}

// 10^n for n up to 38.
Magnitude powerOfTen(int n) {
    Magnitude p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// The decimal digits of m, written backwards from end; returns where they start. Numbers
// that fit 64 bits, nearly all, avoid the slow 128-bit division.
char* writeDigits(Magnitude m, char* end) {
    char* at = end;
    while (m > std::numeric_limits<std::uint64_t>::max()) {
        *--at = static_cast<char>('0' + static_cast<int>(m % 10));
        m /= 10;
    }
    auto small = static_cast<std::uint64_t>(m);
    do {
        *--at = static_cast<char>('0' + small % 10);
        small /= 10;
    } while (small != 0);
    return at;
}

// The number magnitude * 10^-scale with its sign, as Integer when it is whole and fits.
void setNumber(Magnitude magnitude, bool negative, int scale, FieldValue& out) {
    out.problem = nullptr;
    if (magnitude == 0)
        negative = false;
    if (scale <= 0) {
        const Magnitude limit = static_cast<Magnitude>(std::numeric_limits<std::int64_t>::max());
        if (scale > -19 && magnitude <= limit / powerOfTen(-scale)) {
            const auto whole = static_cast<std::int64_t>(magnitude * powerOfTen(-scale));
            out.kind = FieldValue::Kind::Integer;
            out.integer = negative ? -whole : whole;
            return;
        }
    }
    char buffer[40]; // 39 digits at most
    char* const end = buffer + sizeof buffer;
    const char* const digits = writeDigits(magnitude, end);
    const auto count = static_cast<std::size_t>(end - digits);
    out.kind = FieldValue::Kind::Text;
    out.text.clear();
    if (negative)
        out.text.push_back('-');
    if (scale <= 0) {
        out.text.append(digits, count);
        out.text.append(static_cast<std::size_t>(-scale), '0');
        return;
    }
    const auto places = static_cast<std::size_t>(scale);
    if (count <= places) {
        out.text.append("0.");
        out.text.append(places - count, '0');
        out.text.append(digits, count);
        return;
    }
    out.text.append(digits, count - places);
    out.text.push_back('.');
    out.text.append(digits + (count - places), places);
}

// The sign and digit of the byte that carries a zoned number's sign, by the conventions of
// mainframes (zone C, D, F), of GnuCOBOL and other PC compilers (0x70-0x79 for minus) and of
// mainframe data moved to ASCII ('{', 'A'-'I' plus; '}', 'J'-'R' minus). False: no sign.
bool zonedSignByte(std::uint8_t b, bool ebcdic, int& digit, bool& negative) {
    if (ebcdic) {
        digit = b & 0x0F;
        const int zone = b >> 4;
        negative = zone == 0xD || zone == 0xB;
        return digit <= 9 && (negative || zone == 0xC || zone == 0xF || zone == 0xA || zone == 0xE);
    }
    negative = false;
    if (b >= '0' && b <= '9') {
        digit = b - '0';
        return true;
    }
    if (b >= 0x70 && b <= 0x79) {
        digit = b - 0x70;
        negative = true;
        return true;
    }
    if (b == '{' || b == '}') {
        digit = 0;
        negative = b == '}';
        return true;
    }
    if (b >= 'A' && b <= 'I') {
        digit = b - 'A' + 1;
        return true;
    }
    if (b >= 'J' && b <= 'R') {
        digit = b - 'J' + 1;
        negative = true;
        return true;
    }
    return false;
}

void decodeZoned(const FieldFormat& f, std::string_view bytes, const CodePage& page,
                 FieldValue& out) {
    const bool ebcdic = page.isEbcdic();
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    std::size_t first = 0, end = bytes.size();
    bool negative = false;
    if (f.kind == FieldKind::ZonedSeparate) {
        const std::uint8_t sign = f.signLeading ? p[0] : p[end - 1];
        if (sign != page.plus() && sign != page.minus())
            return setNull(out, sign == page.space() ? kBlank : kBadSeparateSign);
        negative = sign == page.minus();
        if (f.signLeading)
            ++first;
        else
            --end;
    }
    if (end - first > 38)
        return setNull(out, kTooLong);
    const std::size_t signAt =
        f.isSigned && f.kind == FieldKind::Zoned ? (f.signLeading ? first : end - 1) : end;
    const std::uint8_t zero = ebcdic ? 0xF0 : 0x30;
    Magnitude m = 0;
    for (std::size_t i = first; i < end; ++i) {
        int digit = p[i] - zero;
        if (i == signAt || (!f.isSigned && i == end - 1 && (digit < 0 || digit > 9))) {
            bool minus = false;
            if (!zonedSignByte(p[i], ebcdic, digit, minus))
                return setNull(out, p[i] == page.space() ? kBlank : kBadZone);
            if (minus && !f.isSigned)
                return setNull(out, kMinusUnsigned);
            negative = minus;
        } else if (digit < 0 || digit > 9) {
            return setNull(out, p[i] == page.space() ? kBlank : kBadDigit);
        }
        m = m * 10 + static_cast<unsigned>(digit);
    }
    setNumber(m, negative, f.scale, out);
}

void decodePacked(const FieldFormat& f, std::string_view bytes, FieldValue& out) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::size_t n = bytes.size();
    if (n > 20)
        return setNull(out, kTooLong);
    Magnitude m = 0;
    const bool withSign = f.kind == FieldKind::Packed;
    for (std::size_t i = 0; i < n; ++i) {
        const int high = p[i] >> 4, low = p[i] & 0x0F;
        if (high > 9)
            return setNull(out, kBadDigit);
        m = m * 10 + static_cast<unsigned>(high);
        if (withSign && i == n - 1) {
            const bool negative = low == 0xD || low == 0xB;
            if (!negative && low != 0xC && low != 0xF && low != 0xA && low != 0xE)
                return setNull(out, kBadSign);
            if (negative && !f.isSigned)
                return setNull(out, kMinusUnsigned);
            return setNumber(m, negative, f.scale, out);
        }
        if (low > 9)
            return setNull(out, kBadDigit);
        m = m * 10 + static_cast<unsigned>(low);
    }
    setNumber(m, false, f.scale, out);
}

void decodeBinary(const FieldFormat& f, std::string_view bytes, FieldValue& out) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::size_t n = bytes.size();
    std::uint64_t raw = 0;
    for (std::size_t i = 0; i < n; ++i)
        raw = (raw << 8) | p[f.kind == FieldKind::BinaryBig ? i : n - 1 - i];
    bool negative = false;
    Magnitude m = raw;
    if (f.isSigned && n < 8 && (raw >> (8 * n - 1)) != 0) {
        negative = true;
        m = (std::uint64_t{1} << (8 * n)) - raw;
    } else if (f.isSigned && n == 8 && (raw >> 63) != 0) {
        negative = true;
        m = ~raw + 1;
    }
    setNumber(m, negative, f.scale, out);
}

double hexFloat(const std::uint8_t* p, std::size_t n) {
    std::uint64_t fraction = 0;
    for (std::size_t i = 1; i < n; ++i)
        fraction = (fraction << 8) | p[i];
    const int exponent = (p[0] & 0x7F) - 64;
    const double magnitude =
        std::ldexp(static_cast<double>(fraction), 4 * exponent - 8 * static_cast<int>(n - 1));
    return (p[0] & 0x80) ? -magnitude : magnitude;
}

void decodeFloat(const FieldFormat& f, std::string_view bytes, FieldValue& out) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    double value = 0;
    if (f.kind == FieldKind::HexFloat) {
        value = hexFloat(p, bytes.size());
    } else {
        const bool big = f.kind == FieldKind::IeeeFloatBig;
        const int n = static_cast<int>(bytes.size());
        std::uint64_t raw = 0;
        for (int i = 0; i < n; ++i)
            raw = (raw << 8) | p[big ? i : n - 1 - i];
        value = n == 4 ? std::bit_cast<float>(static_cast<std::uint32_t>(raw))
                       : std::bit_cast<double>(raw);
    }
    if (!std::isfinite(value))
        return setNull(out, kNotANumber);
    out.kind = FieldValue::Kind::Real;
    out.real = value;
    out.problem = nullptr;
}

// Trailing blanks of single-byte text, or of two-byte characters.
std::string_view withoutTrailingBlanks(std::string_view bytes, char blank) {
    std::size_t n = bytes.size();
    while (n > 0 && bytes[n - 1] == blank)
        --n;
    return bytes.substr(0, n);
}

std::string_view withoutTrailingBlanks(std::string_view bytes, std::string_view blank) {
    while (bytes.size() >= blank.size() && bytes.ends_with(blank))
        bytes.remove_suffix(blank.size());
    return bytes;
}

void decodeText(const FieldFormat& f, std::string_view bytes, const CodePage& page,
                FieldValue& out) {
    out.kind = FieldValue::Kind::Text;
    out.text.clear();
    bool valid = true;
    if (f.kind == FieldKind::Text) {
        if (!f.keepTrailingBlanks)
            bytes = withoutTrailingBlanks(bytes, static_cast<char>(page.space()));
        valid = page.appendText(bytes, out.text);
    } else if (f.kind == FieldKind::National) {
        if (!f.keepTrailingBlanks)
            bytes = withoutTrailingBlanks(bytes, std::string_view("\0 ", 2));
        valid = page.appendNational(bytes, out.text);
    } else {
        if (!f.keepTrailingBlanks)
            bytes = withoutTrailingBlanks(bytes, page.isEbcdic() ? "\x40\x40" : "\x81\x40");
        valid = page.appendDoubleByte(bytes, out.text);
    }
    out.problem = valid ? nullptr : kBadCharacter;
    if (!valid && f.kind != FieldKind::Text)
        setNull(out, kBadCharacter);
}

} // namespace

void decodeField(const FieldFormat& format, std::string_view bytes, const CodePage& page,
                 FieldValue& out) {
    switch (format.kind) {
    case FieldKind::Text:
    case FieldKind::National:
    case FieldKind::DoubleByte:
        return decodeText(format, bytes, page, out);
    case FieldKind::Zoned:
    case FieldKind::ZonedSeparate:
    case FieldKind::Packed:
    case FieldKind::PackedUnsigned:
        if (format.blankWhenZero && allBytes(bytes, page.space()))
            return setNumber(0, false, format.scale, out);
        if (format.kind == FieldKind::Packed || format.kind == FieldKind::PackedUnsigned)
            return decodePacked(format, bytes, out);
        return decodeZoned(format, bytes, page, out);
    case FieldKind::BinaryBig:
    case FieldKind::BinaryLittle:
        return decodeBinary(format, bytes, out);
    case FieldKind::HexFloat:
    case FieldKind::IeeeFloat:
    case FieldKind::IeeeFloatBig:
        return decodeFloat(format, bytes, out);
    }
}

} // namespace vorq::load
