#pragma once

#include "cobol/SourceModel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vorq::cobol {

// One line of a record layout.
struct LayoutRow {
    int depth = 0; // 0 for a record, 1 for its items, ...
    int level = 0;
    std::string name;
    std::string picture;
    std::string usage; // "" for a group without a usage of its own
    std::int64_t offset = 0;
    std::int64_t length = 0;
    int occurs = 0;
    std::string redefines; // the redefined item, or for level 66 what it renames
    bool group = false;
    std::string heading; // when set, a heading line (program, section) instead of an item
    std::string program; // the program whose data division holds the item; "" in a copybook
    std::string section; // its section and file, such as "FILE SECTION, FD IN-FILE"

    static LayoutRow headingRow(std::string text) {
        LayoutRow row;
        row.heading = std::move(text);
        return row;
    }
};

// The rows of a read source, in source order.
std::vector<LayoutRow> layoutRows(const SourceModel& model);

// The rows as `vorq layout` prints them: a table with a heading line per program and section.
std::string layoutText(const std::vector<LayoutRow>& rows);

} // namespace vorq::cobol
