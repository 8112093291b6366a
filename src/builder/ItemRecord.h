#pragma once

#include <cstdint>
#include <string>

namespace vorq {
class RepositoryObject;
} // namespace vorq

namespace vorq::builder {

// What the table builder reads of one data item, converted as the import needs it.
struct ItemRecord {
    std::string Name;
    std::int32_t Length = 0; // the digit count when the item has digits, else its byte length
    std::int32_t Fraction = 0;
    std::int32_t Occurs = 0; // below 1: no OCCURS
    std::int32_t Datatype = 0;
    std::string Picture;
    std::string Usage;
    bool Elementary = false;
    bool SystemVariable = false; // "SysVar" is exactly "True"
};

// "DECL" objects only.
bool isDeclaration(RepositoryObject& item);
// The item redefines another one.
bool isRedefining(RepositoryObject& item);
// The item's attributes, read at once: attribute text that is no number raises vorq::Error, a
// number beyond 32 bits the overflow error.
ItemRecord readItem(RepositoryObject& item);
// At least one child is a "DECL"; the children cursor is put back to its start afterwards.
bool HasDeclChild(RepositoryObject& item);

} // namespace vorq::builder
