#include "workbench/RepositoryLayout.h"

#include "host/RepositoryDatabase.h"

namespace vorq::workbench {
namespace {

std::string firstRelatedName(RepositoryObject& object, const std::string& relation) {
    auto related = object.Related(relation);
    return related->AtEnd() ? "" : related->Current()->Attribute("Name");
}

long long number(RepositoryObject& object, const char* attribute) {
    try {
        return std::stoll(object.Attribute(attribute));
    } catch (const std::exception&) {
        return 0;
    }
}

// The program and the file that the items below an object belong to.
struct Place {
    std::string program;
    std::string section;
};

void walk(RepositoryObject& object, int depth, Place place, std::vector<cobol::LayoutRow>& rows) {
    const std::string& cls = object.Class().ClassName();
    if (cls == "PROGRAM") {
        place = {object.Attribute("Name"), ""};
        rows.push_back(cobol::LayoutRow::headingRow("PROGRAM " + place.program));
    } else if (cls == "FD" || cls == "SD") {
        place.section = cls + " " + object.Attribute("Name");
        rows.push_back(cobol::LayoutRow::headingRow(place.section));
    } else if (cls == "DECL") {
        if (object.Attribute("SysVar") == "True")
            return;
        cobol::LayoutRow row;
        row.program = place.program;
        row.section = place.section;
        row.depth = depth;
        row.level = static_cast<int>(number(object, "Level"));
        row.name = object.DisplayName();
        row.picture = object.Attribute("Picture");
        row.usage = object.Attribute("Usage");
        row.offset = number(object, "Offset");
        row.length = number(object, "Length");
        row.occurs = static_cast<int>(number(object, "Occurs"));
        row.group = object.Attribute("Elementary") == "False" && row.level != 66;
        row.redefines = firstRelatedName(object, "Redefines");
        if (row.level == 66) {
            row.redefines = firstRelatedName(object, "Renames from");
            const std::string thru = firstRelatedName(object, "Renames thru");
            if (!thru.empty() && thru != row.redefines)
                row.redefines += " THRU " + thru;
        }
        rows.push_back(std::move(row));
        ++depth;
    } else if (cls != "FILE") {
        return; // ports, uses and condition names are no part of a layout
    }
    for (auto children = object.Children(); !children->AtEnd(); children->MoveNext())
        walk(*children->Current(), depth, place, rows);
}

} // namespace

std::vector<cobol::LayoutRow> repositoryLayout(RepositoryDatabase& db) {
    std::vector<cobol::LayoutRow> rows;
    for (auto top = db.TopObjects(); !top->AtEnd(); top->MoveNext())
        walk(*top->Current(), 0, {}, rows);
    return rows;
}

} // namespace vorq::workbench
