#include "schematool/TypeCodes.h"

namespace vorq::schematool {

const char* typeCodeName(int code) {
    switch (code) {
    case kTypeBoolean:
        return "BOOLEAN";
    case kTypeSmallInt:
        return "SMALLINT";
    case kTypeInteger:
        return "INTEGER";
    case kTypeSingle:
        return "REAL";
    case kTypeDouble:
        return "DOUBLE";
    case kTypeTimestamp:
        return "TIMESTAMP";
    case kTypeBinary:
    case kTypeLongBinary:
        return "BINARY";
    case kTypeNChar:
        return "NCHAR";
    case kTypeMemo:
        return "TEXT";
    case kTypeBigInt:
        return "BIGINT";
    case kTypeChar:
        return "CHAR";
    case kTypeDecimal:
        return "DECIMAL";
    default:
        return "UNKNOWN";
    }
}

} // namespace vorq::schematool
