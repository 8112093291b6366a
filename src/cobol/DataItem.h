#pragma once

#include "cobol/Diagnostics.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vorq::cobol {

// The usages of data items, as the reader normalises them.
enum class Usage {
    Display,
    Binary,         // COMP, COMP-4, BINARY
    Native,         // COMP-5
    Packed,         // COMP-3, PACKED-DECIMAL
    PackedUnsigned, // COMP-6: packed without a sign half-byte
    Float,          // COMP-1
    Double,         // COMP-2
    National,
    Display1, // DBCS
    Index,
    Pointer,
    FunctionPointer,
    ProcedurePointer,
    // GnuCOBOL's binary items of a fixed size, SIGNED unless UNSIGNED is written.
    BinaryChar,   // 1 byte
    BinaryShort,  // 2 bytes
    BinaryLong,   // 4 bytes
    BinaryDouble, // 8 bytes
    BinaryCLong,  // 8 bytes (a C long on the 64-bit machines that data comes from)
    FloatBinary128,
    FloatDecimal16, // 8 bytes
    FloatDecimal34, // 16 bytes
    // A binary number in as few bytes as its picture needs (PIC X(n): n bytes): COMP-X
    // big-endian, COMP-N in the machine's order.
    CompX,
    CompN,
};

// The size in bytes of a usage whose items have no picture and a fixed size; 0 for the others.
int fixedSize(Usage usage);

// The usage's name as COBOL spells it: "DISPLAY", "COMP-3", ...
const char* usageName(Usage usage);

// A condition name (level 88) under its data item.
struct ConditionName {
    std::string name;
    std::vector<std::string> values; // "A", "1 THRU 5", ...
    SourceLocation at;
};

struct DataItem;

// The clauses that few items have: REDEFINES, VALUE, OCCURS DEPENDING ON with its keys and
// indexes, RENAMES, and the condition names below an item. Kept apart, so that the many items
// without them stay small (a copybook of 200,000 items holds them all at once).
struct RareClauses {
    std::string redefines; // name of the redefined item
    std::string value;     // VALUE text as written ("SPACES", "'ABC'", "0")
    std::string dependingOn;
    std::vector<std::string> keys;
    std::vector<std::string> indexedBy;
    std::string renamesFrom; // level 66
    std::string renamesThru; // level 66
    DataItem* renamesFromItem = nullptr;
    DataItem* renamesThruItem = nullptr;
    std::vector<ConditionName> conditions;
};

// One data description entry and what the reader computed for it.
struct DataItem {
    int level = 0;
    std::string name; // "" for an unnamed item; "FILLER" as written
    std::string picture;
    Usage usage = Usage::Display;
    bool usageGiven = false;    // written on this item (not inherited from a group)
    bool unsignedGiven = false; // UNSIGNED after a fixed-size binary usage
    int occursMin = 0;
    int occurs = 0; // maximum; 0 without OCCURS
    bool signLeading = false;
    bool signSeparate = false;
    bool sync = false;
    bool justified = false;
    bool blankWhenZero = false;
    bool external = false;
    bool global = false;
    SourceLocation at;

    std::vector<std::unique_ptr<DataItem>> children;
    DataItem* parent = nullptr;
    DataItem* redefined = nullptr; // the item named by REDEFINES

    // Computed by the storage layout.
    int digits = 0;   // digit positions of a numeric picture
    int fraction = 0; // of those, after the decimal point
    bool isSigned = false;
    std::int64_t length = 0; // bytes of one occurrence
    std::int64_t offset = 0; // from the start of its record (level 01/77)
    int alignment = 1;       // SYNC boundary, 1 when none

    bool isGroup() const { return !children.empty() && level != 66; }
    bool isElementary() const { return children.empty() && level != 66; }
    bool isFiller() const;

    // The rare clauses, empty ones when the item has none; rareToWrite makes them.
    const RareClauses& rare() const;
    RareClauses& rareToWrite();

private:
    std::unique_ptr<RareClauses> rare_;
};

// The usage of an item as it is shown and stored: its name, with " UNSIGNED" for an unsigned
// fixed-size binary item.
std::string usageText(const DataItem& item);

} // namespace vorq::cobol
