#include "schematool/SqliteProjectDatabase.h"

#include "host/Error.h"
#include "schematool/ProjectSchema.h"
#include "schematool/SqliteRecordsets.h"

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

SqliteProjectDatabase::SqliteProjectDatabase(const std::filesystem::path& path,
                                             sqlite::Connection::Mode mode)
    : db_(path, mode) {
    prepareProjectSchema(db_);
}

std::unique_ptr<Recordset> SqliteProjectDatabase::OpenRecordset(std::string_view tableOrSql) {
    if (isSelect(tableOrSql))
        return std::make_unique<QueryRecordset>(db_, tableOrSql);
    return std::make_unique<TableRecordset>(*this, std::string(tableOrSql));
}

void SqliteProjectDatabase::Execute(std::string_view sql) {
    ++generation_;
    db_.prepare(sql).run();
}

void SqliteProjectDatabase::BeginTrans() {
    db_.exec("BEGIN IMMEDIATE");
}

void SqliteProjectDatabase::CommitTrans() {
    db_.exec("COMMIT");
}

void SqliteProjectDatabase::Rollback() {
    ++generation_;
    if (inTransaction())
        db_.exec("ROLLBACK");
}

const std::vector<std::string>& SqliteProjectDatabase::columnsOf(const std::string& table) {
    if (const auto it = columns_.find(table); it != columns_.end())
        return it->second;
    auto info = db_.prepare("SELECT name, pk, type FROM pragma_table_info(?)");
    info.bind(1, std::string_view(table));
    std::vector<std::string> names;
    std::string id;
    while (info.step()) {
        names.push_back(info.text(0));
        if (info.integer(1) == 1 && info.text(2) == "INTEGER")
            id = info.text(0);
    }
    if (names.empty())
        throw Error("The project database has no table named " + table, 3078);
    idColumns_[table] = id;
    return columns_[table] = std::move(names);
}

std::string SqliteProjectDatabase::idColumnOf(const std::string& table) {
    columnsOf(table);
    return idColumns_.at(table);
}

std::int64_t SqliteProjectDatabase::reserveId(const std::string& table) {
    // AUTOINCREMENT never hands out a number at or below sqlite_sequence.seq, so raising it
    // keeps the reserved id free until the row is saved.
    const std::string id = idColumnOf(table);
    auto highest = db_.reuse("SELECT max(coalesce((SELECT seq FROM sqlite_sequence WHERE "
                             "name = ?1), 0), coalesce((SELECT max(\"" +
                             id + "\") FROM \"" + table + "\"), 0))");
    highest->bind(1, std::string_view(table));
    highest->step();
    const std::int64_t next = highest->integer(0) + 1;
    auto update = db_.reuse("UPDATE sqlite_sequence SET seq = ?2 WHERE name = ?1");
    update->bind(1, std::string_view(table)).bind(2, next);
    update->run();
    if (sqlite3_changes(db_.handle()) == 0) {
        auto insert = db_.reuse("INSERT INTO sqlite_sequence(name, seq) VALUES (?1, ?2)");
        insert->bind(1, std::string_view(table)).bind(2, next);
        insert->run();
    }
    return next;
}

} // namespace vorq::schematool
