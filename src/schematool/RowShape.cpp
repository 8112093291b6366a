#include "schematool/RowShape.h"

namespace vorq::schematool {
namespace {

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i ? ", " : "") + names[i];
    return text;
}

} // namespace

RowShape::RowShape(std::string table, std::string idColumn, std::vector<std::string> columns)
    : table_(std::move(table)), idColumn_(std::move(idColumn)) {
    std::string marks;
    for (std::size_t i = 0; i < columns.size(); ++i)
        marks += (i ? ", ?" : "?") + std::to_string(i + 1);
    insert_ = "INSERT INTO " + table_ + " (" + joined(columns) + ") VALUES (" + marks + ")";
    prefix_ = "INSERT INTO " + table_ + " (" + joined(columns) + ") VALUES ";
    columns.insert(columns.begin(), idColumn_);
    prefixWithId_ = "INSERT INTO " + table_ + " (" + joined(columns) + ") VALUES ";
}

} // namespace vorq::schematool
