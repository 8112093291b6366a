#pragma once

#include <cstdint>
#include <string>

namespace vorq::schematool {

// The column type of a COBOL item. length is the item's digit count when it has digits, else
// its byte length; fraction the digits after the point; picture and usage as written in the
// source. Returns true and writes the type code, precision and scale when the item maps to one
// column; returns false (and writes nothing) for groups, pointers and unreadable descriptions.
bool compatibleType(std::int32_t length, std::int32_t fraction, const std::string& picture,
                    const std::string& usage, std::int32_t& type, std::int32_t& precision,
                    std::int32_t& scale);

} // namespace vorq::schematool
