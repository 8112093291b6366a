#include "projectdb/RowShape.h"

namespace vorq::projectdb {
namespace {

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i ? ", " : "") + names[i];
    return text;
}

} // namespace

RowShape::RowShape(std::string table, std::string idColumn, std::vector<std::string> columns)
    : table_(std::move(table)), idColumn_(std::move(idColumn)), columns_(std::move(columns)) {
    std::string marks;
    for (std::size_t i = 0; i < columns_.size(); ++i)
        marks += (i ? ", ?" : "?") + std::to_string(i + 1);
    head_ = "INSERT INTO " + table_ + " (" + joined(columns_) + ")";
    headWithId_ = "INSERT INTO " + table_ + " (" + idColumn_ + (columns_.empty() ? "" : ", ") +
                  joined(columns_) + ")";
    insert_ = head_ + " VALUES (" + marks + ")";
}

} // namespace vorq::projectdb
