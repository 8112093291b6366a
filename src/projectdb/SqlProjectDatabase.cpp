#include "projectdb/SqlProjectDatabase.h"

#include "host/Error.h"
#include "host/Text.h"
#include "projectdb/SqlRecordsets.h"
#include "projectdb/SqlText.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace vorq::projectdb {
bool SqlProjectDatabase::CaselessLess::operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(asciiLower(x)) <
               static_cast<unsigned char>(asciiLower(y));
    });
}

std::uint64_t SqlProjectDatabase::generation(std::string_view table) const {
    const auto it = oneTable_.find(table);
    return everyTable_ + (it == oneTable_.end() ? 0 : it->second);
}

std::uint64_t SqlProjectDatabase::rewrites(std::string_view table) const {
    const auto it = rewritten_.find(table);
    return everyTable_ + (it == rewritten_.end() ? 0 : it->second);
}

namespace {

template <typename Counts> void countChange(Counts& counts, std::string_view table) {
    if (const auto it = counts.find(table); it != counts.end())
        ++it->second;
    else
        counts.emplace(std::string(table), 1);
}

} // namespace

void SqlProjectDatabase::rowsChanged(std::string_view table) {
    countChange(oneTable_, table);
}

void SqlProjectDatabase::rowsRewritten(std::string_view table) {
    countChange(oneTable_, table);
    countChange(rewritten_, table);
}

std::unique_ptr<Recordset> SqlProjectDatabase::OpenRecordset(std::string_view tableOrSql) {
    if (isSelect(tableOrSql))
        return std::make_unique<QueryRecordset>(prepare(tableOrSql), tableOrSql);
    return std::make_unique<TableRecordset>(*this, std::string(tableOrSql));
}

void SqlProjectDatabase::Execute(std::string_view sql) {
    if (const SqlChange change = changeOf(sql); change.table.empty())
        rowsChanged();
    else if (change.addsOnly)
        rowsChanged(change.table);
    else
        rowsRewritten(change.table);
    runWithoutAnswer(std::string(sql), {});
}

void SqlProjectDatabase::transactionBegun() {
    if (auto work = std::exchange(atNextBegin_, nullptr)) {
        try {
            work();
        } catch (...) {
            Rollback();
            throw;
        }
    }
}

void SqlProjectDatabase::runWithoutAnswer(const std::string& sql,
                                          const std::vector<Value>& values) {
    if (values.empty()) {
        // The import writes some rows as INSERTs with their values in the text, each text
        // new: as a row of a kept statement they are not parsed each time.
        if (auto row = literalInsert(sql))
            insertRow(RowShape(row->table, "", std::move(row->columns)), row->values);
        else
            prepare(sql)->run();
        return;
    }
    auto statement = reuse(sql);
    for (std::size_t i = 0; i < values.size(); ++i)
        statement->bind(static_cast<int>(i + 1), values[i]);
    statement->run();
}

void SqlProjectDatabase::insertRow(const RowShape& shape, const std::vector<Value>& values) {
    auto insert = reuse(shape.insert());
    for (std::size_t i = 0; i < values.size(); ++i)
        insert->bind(static_cast<int>(i + 1), values[i]);
    insert->run();
}

const std::vector<std::string>& SqlProjectDatabase::columnsOf(const std::string& table) {
    if (const auto it = columns_.find(table); it != columns_.end())
        return it->second.names;
    TableColumns read = readColumns(table);
    if (read.names.empty())
        throw Error("The project database has no table named " + table, 3078);
    return columns_.emplace(table, std::move(read)).first->second.names;
}

bool SqlProjectDatabase::hasTable(const std::string& table) {
    return columns_.contains(table) || !readColumns(table).names.empty();
}

std::string SqlProjectDatabase::idColumnOf(const std::string& table) {
    columnsOf(table);
    return columns_.find(table)->second.idColumn;
}

} // namespace vorq::projectdb
