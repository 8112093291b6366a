#pragma once

namespace vorq {

// Column type codes, numbered as the DAO data types are: the host's table services take them.
enum TypeCode : int {
    kTypeBoolean = 1,
    kTypeSmallInt = 3, // 16-bit integer
    kTypeInteger = 4,  // 32-bit integer
    kTypeSingle = 6,   // 4-byte floating point
    kTypeDouble = 7,   // 8-byte floating point
    kTypeTimestamp = 8,
    kTypeBinary = 9,
    kTypeNChar = 10, // national (double-byte) fixed character, precision = characters
    kTypeLongBinary = 11,
    kTypeMemo = 12,
    kTypeBigInt = 16,  // 64-bit integer
    kTypeChar = 18,    // fixed character, precision = bytes
    kTypeDecimal = 20, // precision digits, scale digits after the point
};

} // namespace vorq
