#include "cobol/LayoutText.h"

namespace vorq::cobol {
namespace {

std::string pad(const std::string& text, std::size_t width) {
    return text.size() + 1 >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

// Where the items of a record stand: the program and the section, none for a copybook.
struct Place {
    std::string program;
    std::string section;
};

void addItem(std::vector<LayoutRow>& rows, const DataItem& item, int depth, const Place& place) {
    LayoutRow row;
    row.program = place.program;
    row.section = place.section;
    row.depth = depth;
    row.level = item.level;
    row.name = item.name.empty() ? "FILLER" : item.name;
    row.picture = item.picture;
    row.usage = item.isGroup() && !item.usageGiven ? "" : usageText(item);
    row.offset = item.offset;
    row.length = item.length;
    row.occurs = item.occurs;
    row.redefines =
        item.level == 66
            ? item.rare().renamesFrom +
                  (item.rare().renamesThru.empty() ? "" : " THRU " + item.rare().renamesThru)
            : item.rare().redefines;
    row.group = item.isGroup();
    rows.push_back(std::move(row));
    for (const auto& child : item.children)
        addItem(rows, *child, depth + 1, place);
}

void addProgram(std::vector<LayoutRow>& rows, const Program& p) {
    rows.push_back(LayoutRow::headingRow("PROGRAM " + p.name));
    for (const auto& record : p.records) {
        const Place place{p.name, std::string(sectionName(record.section)) + " SECTION" +
                                      (record.file.empty() ? "" : ", FD " + record.file)};
        rows.push_back(LayoutRow::headingRow(place.section));
        addItem(rows, *record.item, 0, place);
    }
    for (const auto& nested : p.nested)
        addProgram(rows, *nested);
}

} // namespace

std::vector<LayoutRow> layoutRows(const SourceModel& model) {
    std::vector<LayoutRow> rows;
    for (const auto& item : model.items)
        addItem(rows, *item, 0, {});
    for (const auto& p : model.programs)
        addProgram(rows, *p);
    return rows;
}

std::string layoutText(const std::vector<LayoutRow>& rows) {
    std::string out = pad("LVL", 4) + pad("NAME", 34) + pad("PICTURE", 16) + pad("USAGE", 18) +
                      pad("OFFSET", 9) + pad("LENGTH", 9) + pad("OCCURS", 8) + "REDEFINES\n";
    for (const LayoutRow& row : rows) {
        if (!row.heading.empty()) {
            out += row.heading + "\n";
            continue;
        }
        const std::string level = (row.level < 10 ? "0" : "") + std::to_string(row.level);
        out += pad(level, 4) +
               pad(std::string(static_cast<std::size_t>(row.depth) * 2, ' ') + row.name, 34) +
               pad(row.picture, 16) + pad(row.usage, 18) + pad(std::to_string(row.offset), 9) +
               pad(std::to_string(row.length), 9) +
               pad(row.occurs ? std::to_string(row.occurs) : "", 8) + row.redefines + "\n";
    }
    return out;
}

} // namespace vorq::cobol
