#include "builder/ItemRecord.h"

#include "host/Error.h"
#include "host/RepositoryDatabase.h"
#include "host/Value.h"

namespace vorq::builder {

bool isDeclaration(RepositoryObject& item) {
    return item.Class().ClassName() == "DECL";
}

bool isRedefining(RepositoryObject& item) {
    return !item.Related("Redefines")->AtEnd();
}

bool isSystemVariable(RepositoryObject& item) {
    return item.Attribute("SysVar") == "True";
}

void readItemAttributes(RepositoryObject& item, ItemRecord& record) {
    const Value digits(item.Attribute("Digits"));
    record.Length = digits.toDouble() != 0 ? Value(item.Attribute("Digits")).toLong()
                                           : Value(item.Attribute("Length")).toLong();
    record.Fraction = Value(item.Attribute("Fraction")).toLong();
    record.Occurs = Value(item.Attribute("Occurs")).toLong();
    record.Datatype = Value(item.Attribute("Datatype")).toLong();
    record.Picture = item.Attribute("Picture");
    record.Usage = item.Attribute("Usage");
}

bool HasDeclChild(RepositoryObject& item) {
    auto children = item.Children();
    if (children->AtEnd())
        return false;
    bool found = false;
    for (; !children->AtEnd(); children->MoveNext())
        if (isDeclaration(*children->Current())) {
            found = true;
            break;
        }
    children->MoveFirst();
    return found;
}

} // namespace vorq::builder
