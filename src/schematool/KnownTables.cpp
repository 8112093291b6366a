#include "schematool/KnownTables.h"

#include "host/Text.h"
#include "projectdb/SqlProjectDatabase.h"

namespace vorq::schematool {

void KnownTables::readTables() {
    if (tablesGeneration_ == db_.generation("Tables"))
        return;
    tables_.clear();
    tableNames_.clear();
    auto rows = db_.prepare("SELECT TabID, TableName, coalesce(PrimaryIndexID, 0) FROM Tables");
    while (rows->step()) {
        const auto id = static_cast<std::int32_t>(rows->integer(0));
        tables_[id] = {rows->text(1), static_cast<std::int32_t>(rows->integer(2))};
        tableNames_.insert(lowerCase(rows->text(1)));
    }
    tablesGeneration_ = db_.generation("Tables");
}

void KnownTables::readKeys() {
    if (keysGeneration_ == db_.generation("ForeignKeys"))
        return;
    keyNames_.clear();
    for (auto rows = db_.prepare("SELECT KeyName FROM ForeignKeys"); rows->step();)
        keyNames_.insert(lowerCase(rows->text(0)));
    keysGeneration_ = db_.generation("ForeignKeys");
}

KnownTables::Table* KnownTables::table(std::int32_t tabId) {
    readTables();
    const auto it = tables_.find(tabId);
    return it == tables_.end() ? nullptr : &it->second;
}

bool KnownTables::nameTaken(const std::string& name) {
    readTables();
    return tableNames_.contains(lowerCase(name));
}

void KnownTables::tableAdded(std::int32_t tabId, const std::string& name) {
    readTables();
    tables_[tabId] = {name, 0};
    tableNames_.insert(lowerCase(name));
}

bool KnownTables::keyNameTaken(const std::string& name) {
    readKeys();
    return keyNames_.contains(lowerCase(name));
}

void KnownTables::keyAdded(const std::string& name) {
    readKeys();
    keyNames_.insert(lowerCase(name));
}

} // namespace vorq::schematool
