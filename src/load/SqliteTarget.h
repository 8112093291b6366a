#pragma once

#include "load/LocalKeys.h"
#include "load/RowTarget.h"
#include "projectdb/ProjectCatalog.h"
#include "sqlite/Sqlite.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace vorq::load {

// The application id of an SQLite file that a load made for its rows.
constexpr std::int64_t kDataApplicationId = 0x766f7264; // "vord"

// An SQLite database that receives the rows. A missing file is made with the project's tables
// (its DDL); missing tables of the load are added to an existing file. The file is changed in
// one transaction. A vorq project or catalog, or another program's database (by its
// application id), is refused.
class SqliteTarget : public RowTarget {
public:
    SqliteTarget(const std::filesystem::path& file, const projectdb::ProjectCatalog& catalog);

    void begin(const std::vector<const LoadPlan*>& plans, TableSharing sharing) override;
    std::int64_t rowCount(int table) override;
    std::int64_t removeRows(int table) override;
    std::int64_t reserveKeys(int table, const std::string& column, std::int64_t count) override;
    bool insert(int table, const std::vector<FieldValue>& row, std::string& refusal) override;
    void commit() override;
    void rollback() noexcept override;
    std::string name() const override { return file_.string(); }

private:
    std::filesystem::path file_;
    const projectdb::ProjectCatalog& catalog_;
    bool created_ = false;
    std::optional<sqlite::Connection> db_;
    std::vector<sqlite::Statement> inserts_;
    std::vector<std::string> tableNames_;
    // One load writes the file at a time, whether it is a part or not.
    LocalKeys keys_;
};

} // namespace vorq::load
