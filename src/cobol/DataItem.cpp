#include "cobol/DataItem.h"

#include "host/Text.h"

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
    case Usage::BinaryChar:
        return "BINARY-CHAR";
    case Usage::BinaryShort:
        return "BINARY-SHORT";
    case Usage::BinaryLong:
        return "BINARY-LONG";
    case Usage::BinaryDouble:
        return "BINARY-DOUBLE";
    case Usage::BinaryCLong:
        return "BINARY-C-LONG";
    case Usage::FloatBinary128:
        return "FLOAT-BINARY-128";
    case Usage::FloatDecimal16:
        return "FLOAT-DECIMAL-16";
    case Usage::FloatDecimal34:
        return "FLOAT-DECIMAL-34";
    case Usage::CompX:
        return "COMP-X";
    case Usage::CompN:
        return "COMP-N";
    }
    return "DISPLAY";
}

int fixedSize(Usage usage) {
    switch (usage) {
    case Usage::BinaryChar:
        return 1;
    case Usage::BinaryShort:
        return 2;
    case Usage::BinaryLong:
        return 4;
    case Usage::BinaryDouble:
    case Usage::BinaryCLong:
    case Usage::FloatDecimal16:
        return 8;
    case Usage::FloatBinary128:
    case Usage::FloatDecimal34:
        return 16;
    default:
        return 0;
    }
}

std::string usageText(const DataItem& item) {
    const std::string name = usageName(item.usage);
    return item.unsignedGiven ? name + " UNSIGNED" : name;
}

const RareClauses& DataItem::rare() const {
    static const RareClauses none;
    return rare_ ? *rare_ : none;
}

RareClauses& DataItem::rareToWrite() {
    if (!rare_)
        rare_ = std::make_unique<RareClauses>();
    return *rare_;
}

bool DataItem::isFiller() const {
    return name.empty() || sameName(name, "FILLER");
}

} // namespace vorq::cobol
