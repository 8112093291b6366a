#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorq {

// The two questions that an import asks of the project for every table it makes, with the
// table's number as $1. The component writes them with the number in the text; a project
// database may answer them from the rows the run has written itself, and finds them by this text
// with the number taken out, so both sides build them from here.
namespace projectQueries {

// The foreign keys that refer to a table.
constexpr std::string_view kReferencingKeys = "select * from ForeignKeys where RefTabID = $1";

// The primary-key columns of a table with their index position as IPosition, in index order.
constexpr std::string_view kKeyColumns =
    "select C.*, IC.Position as IPosition from Tables T, IndexColumns IC, Columns C where "
    "T.PrimaryIndexID = IC.IndexID and IC.ColumnID = C.ColumnID and T.TabID = $1 order by "
    "IC.Position";

// The question about one table: its number in place of $1.
inline std::string about(std::string_view question, std::int64_t tabId) {
    const std::size_t at = question.find("$1");
    return std::string(question.substr(0, at)) + std::to_string(tabId) +
           std::string(question.substr(at + 2));
}

} // namespace projectQueries
} // namespace vorq
