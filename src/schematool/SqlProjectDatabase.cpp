#include "schematool/SqlProjectDatabase.h"

#include "host/Error.h"
#include "schematool/SqlRecordsets.h"

#include <cctype>

namespace vorq::schematool {
namespace {

bool isSelect(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    if (text.size() < 6)
        return false;
    std::string word(text.substr(0, 6));
    for (char& c : word)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return word == "select" &&
           (text.size() == 6 || !std::isalnum(static_cast<unsigned char>(text[6])));
}

} // namespace

std::unique_ptr<Recordset> SqlProjectDatabase::OpenRecordset(std::string_view tableOrSql) {
    if (isSelect(tableOrSql))
        return std::make_unique<QueryRecordset>(prepare(tableOrSql), tableOrSql);
    return std::make_unique<TableRecordset>(*this, std::string(tableOrSql));
}

void SqlProjectDatabase::Execute(std::string_view sql) {
    rowsChanged();
    prepare(sql)->run();
}

const std::vector<std::string>& SqlProjectDatabase::columnsOf(const std::string& table) {
    if (const auto it = columns_.find(table); it != columns_.end())
        return it->second.names;
    TableColumns read = readColumns(table);
    if (read.names.empty())
        throw Error("The project database has no table named " + table, 3078);
    return columns_.emplace(table, std::move(read)).first->second.names;
}

std::string SqlProjectDatabase::idColumnOf(const std::string& table) {
    columnsOf(table);
    return columns_.find(table)->second.idColumn;
}

} // namespace vorq::schematool
