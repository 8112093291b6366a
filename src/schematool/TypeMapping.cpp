#include "schematool/TypeMapping.h"

#include "cobol/StorageLayout.h"
#include "host/Text.h"
#include "host/TypeCodes.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace vorq::schematool {
namespace {

std::string normalisedUsage(const std::string& text) {
    std::string usage = upperCase(trimmed(text));
    if (usage.starts_with("COMPUTATIONAL"))
        usage = "COMP" + usage.substr(13);
    return usage.empty() ? "DISPLAY" : usage;
}

struct Triple {
    std::int32_t type, precision, scale;
};

// A binary item: 2, 4 or 8 bytes by digits. An unsigned or native (COMP-5) item at the top of
// its range can hold values beyond the digits, so it takes the next wider type.
Triple binaryType(int digits, int fraction, bool widen) {
    if (fraction > 0)
        return {kTypeDecimal, digits, fraction};
    const int effective =
        widen && (digits == 4 || digits == 9 || digits == 18) ? digits + 1 : digits;
    if (effective <= 4)
        return {kTypeSmallInt, 0, 0};
    if (effective <= 9)
        return {kTypeInteger, 0, 0};
    if (effective <= 18)
        return {kTypeBigInt, 0, 0};
    return {kTypeDecimal, widen && digits == 18 ? 20 : digits, 0};
}

// GnuCOBOL's fixed-size binary items by their range: the narrowest type that holds it.
std::optional<Triple> fixedBinaryType(const std::string& usage) {
    const bool isUnsigned = usage.ends_with(" UNSIGNED");
    const std::string kind = usage.substr(0, usage.find(' '));
    if (kind == "BINARY-CHAR")
        return Triple{kTypeSmallInt, 0, 0};
    if (kind == "BINARY-SHORT")
        return isUnsigned ? Triple{kTypeInteger, 0, 0} : Triple{kTypeSmallInt, 0, 0};
    if (kind == "BINARY-LONG")
        return isUnsigned ? Triple{kTypeBigInt, 0, 0} : Triple{kTypeInteger, 0, 0};
    if (kind == "BINARY-DOUBLE" || kind == "BINARY-C-LONG")
        return isUnsigned ? Triple{kTypeDecimal, 20, 0} : Triple{kTypeBigInt, 0, 0};
    return std::nullopt;
}

} // namespace

bool compatibleType(std::int32_t length, std::int32_t fraction, const std::string& picture,
                    const std::string& usage, std::int32_t& type, std::int32_t& precision,
                    std::int32_t& scale) {
    const std::string u = normalisedUsage(usage);
    const cobol::PictureCounts pic = cobol::countPicture(picture);
    const bool described = !picture.empty() && pic.valid;
    // Scaling positions (P) are digits the column must hold.
    const int digits = pic.numeric ? pic.digits + pic.scaling : length;
    const int places = pic.numeric ? pic.fraction : fraction;
    const int characters = pic.positions > 0 ? pic.positions : length;

    Triple t{};
    if (const auto fixed = fixedBinaryType(u))
        t = *fixed;
    else if (u == "COMP-1")
        t = {kTypeSingle, 0, 0};
    // The wider floats too: no portable column type holds them exactly.
    else if (u == "COMP-2" || u == "FLOAT-BINARY-128" || u == "FLOAT-DECIMAL-16" ||
             u == "FLOAT-DECIMAL-34")
        t = {kTypeDouble, 0, 0};
    else if (u == "INDEX")
        t = {kTypeInteger, 0, 0};
    else if (u == "POINTER" || u == "FUNCTION-POINTER" || u == "PROCEDURE-POINTER" || !described ||
             characters <= 0)
        return false;
    else if (u == "COMP" || u == "COMP-4" || u == "BINARY" || u == "COMP-5")
        t = binaryType(digits, places, u == "COMP-5" || !pic.isSigned);
    // A PIC X(n) one is an unsigned number of n bytes: 2.41 digits a byte.
    else if (u == "COMP-X" || u == "COMP-N")
        t = binaryType(pic.numeric ? digits : (length * 241 + 99) / 100, places,
                       !pic.numeric || !pic.isSigned);
    else if (u == "COMP-3" || u == "PACKED-DECIMAL" || pic.numeric)
        t = {kTypeDecimal, std::max(digits, 1), places};
    else if (pic.national || pic.dbcs || u == "DISPLAY-1" || u == "NATIONAL")
        t = {kTypeNChar, characters, 0};
    else
        t = {kTypeChar, characters, 0};
    type = t.type;
    precision = t.precision;
    scale = t.scale;
    return true;
}

} // namespace vorq::schematool
