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
    enum { Name, Digits, Length, Fraction, Occurs, Datatype, Picture, Usage, Elementary, SysVar };
    static const std::vector<std::string> kNames = {"Name",       "Digits",   "Length",  "Fraction",
                                                    "Occurs",     "Datatype", "Picture", "Usage",
                                                    "Elementary", "SysVar"};
    std::vector<std::string> values = item.Attributes(kNames);
    ItemRecord record;
    record.SystemVariable = values[SysVar] == "True";
    if (record.SystemVariable) // skipped whatever its other attributes say
        return record;
    record.Name = std::move(values[Name]);
    const Value digits(values[Digits]);
    record.Length = digits.toDouble() != 0 ? digits.toLong() : Value(values[Length]).toLong();
    record.Fraction = Value(values[Fraction]).toLong();
    record.Occurs = Value(values[Occurs]).toLong();
    record.Datatype = Value(values[Datatype]).toLong();
    record.Picture = std::move(values[Picture]);
    record.Usage = std::move(values[Usage]);
    record.Elementary = toBoolean(values[Elementary]);
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
