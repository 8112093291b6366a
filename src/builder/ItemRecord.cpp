#include "builder/ItemRecord.h"

#include "host/Error.h"
#include "host/RepositoryDatabase.h"
#include "host/Value.h"

#include <vector>

namespace vorq::builder {

bool isDeclaration(RepositoryObject& item) {
    return item.Class().ClassName() == "DECL";
}

bool isRedefining(RepositoryObject& item) {
    return !item.Related("Redefines")->AtEnd();
}

ItemRecord readItem(RepositoryObject& item) {
    // An import reads every item twice (counting the columns, then making them): in one pass
    // over its attributes each time, not one per attribute.
    static const std::vector<std::string> kNames = {"Name",       "Digits",   "Length",  "Fraction",
                                                    "Occurs",     "Datatype", "Picture", "Usage",
                                                    "Elementary", "SysVar"};
    std::vector<std::string> values = item.Attributes(kNames);
    ItemRecord record;
    record.SystemVariable = values[9] == "True";
    if (record.SystemVariable) // skipped whatever its other attributes say
        return record;
    record.Name = std::move(values[0]);
    const Value digits(values[1]);
    record.Length = digits.toDouble() != 0 ? digits.toLong() : Value(values[2]).toLong();
    record.Fraction = Value(values[3]).toLong();
    record.Occurs = Value(values[4]).toLong();
    record.Datatype = Value(values[5]).toLong();
    record.Picture = std::move(values[6]);
    record.Usage = std::move(values[7]);
    record.Elementary = toBoolean(values[8]);
    return record;
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
