#include "cobol/DataItem.h"

#include <strings.h>

namespace vorq::cobol {

const char* usageName(Usage usage) {
    switch (usage) {
    case Usage::Display:
        return "DISPLAY";
    case Usage::Binary:
        return "COMP";
    case Usage::Native:
        return "COMP-5";
    case Usage::Packed:
        return "COMP-3";
    case Usage::PackedUnsigned:
        return "COMP-6";
    case Usage::Float:
        return "COMP-1";
    case Usage::Double:
        return "COMP-2";
    case Usage::National:
        return "NATIONAL";
    case Usage::Display1:
        return "DISPLAY-1";
    case Usage::Index:
        return "INDEX";
    case Usage::Pointer:
        return "POINTER";
    case Usage::FunctionPointer:
        return "FUNCTION-POINTER";
    case Usage::ProcedurePointer:
        return "PROCEDURE-POINTER";
    }
    return "DISPLAY";
}

bool DataItem::isFiller() const {
    return name.empty() || strcasecmp(name.c_str(), "FILLER") == 0;
}

} // namespace vorq::cobol
