#include "load/SqliteTarget.h"

#include "host/Error.h"
#include "load/LoadPlan.h"
#include "schematool/DdlWriter.h"

#include <sqlite3.h>
#include <system_error>

namespace vorq::load {
namespace {} // namespace

SqliteTarget::SqliteTarget(const std::filesystem::path& file,
                           const schematool::ProjectCatalog& catalog)
    : file_(file), catalog_(catalog) {}

void SqliteTarget::begin(const LoadPlan& plan) {
    created_ = !std::filesystem::exists(file_);
    db_.emplace(file_, sqlite::Connection::Mode::CreateIfMissing);
    db_->exec("BEGIN IMMEDIATE");
    const std::vector<const TablePlan*> tables = tablesInOrder(plan);
    firstTable_ = plan.table.name;
    if (created_)
        db_->exec(schematool::writeDdl(catalog_, schematool::Dialect::SQLite));
    for (const TablePlan* table : tables) {
        auto exists =
            db_->prepare("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?1 "
                         "COLLATE NOCASE");
        exists.bind(1, table->name);
        exists.step();
        if (exists.integer(0) == 0)
            for (const auto& t : catalog_.tables)
                if (t.name == table->name)
                    db_->exec(schematool::tableDdl(catalog_, t, schematool::Dialect::SQLite));
        std::string columns, parameters;
        for (std::size_t c = 0; c < table->columns.size(); ++c) {
            columns += (c ? ", " : "") + schematool::ddlName(table->columns[c].name);
            parameters += (c ? ", ?" : "?") + std::to_string(c + 1);
        }
        inserts_.push_back(db_->prepare("INSERT INTO " + schematool::ddlName(table->name) + " (" +
                                        columns + ") VALUES (" + parameters + ")"));
    }
}

std::int64_t SqliteTarget::largestValue(const std::string& column) {
    auto largest = db_->prepare("SELECT coalesce(max(" + schematool::ddlName(column) +
                                "), 0) FROM " + schematool::ddlName(firstTable_));
    largest.step();
    return largest.integer(0);
}

bool SqliteTarget::insert(int table, const std::vector<FieldValue>& row, std::string& refusal) {
    sqlite::Statement& insert = inserts_[static_cast<std::size_t>(table)];
    for (std::size_t c = 0; c < row.size(); ++c) {
        const FieldValue& v = row[c];
        const int at = static_cast<int>(c + 1);
        switch (v.kind) {
        case FieldValue::Kind::Null:
            insert.bind(at, Value());
            break;
        case FieldValue::Kind::Integer:
            insert.bind(at, v.integer);
            break;
        case FieldValue::Kind::Real:
            insert.bind(at, Value(v.real));
            break;
        case FieldValue::Kind::Text:
            insert.bindStatic(at, v.text);
            break;
        }
    }
    try {
        insert.run();
    } catch (const Error& e) {
        if ((e.number() & 0xFF) != SQLITE_CONSTRAINT)
            throw;
        refusal = e.description();
        return false;
    }
    return true;
}

void SqliteTarget::commit() {
    inserts_.clear();
    db_->exec("COMMIT");
}

void SqliteTarget::rollback() noexcept {
    // Closing a connection inside its transaction rolls the transaction back.
    inserts_.clear();
    db_.reset();
    // A file that this load made goes again; one that cannot be removed is an empty schema.
    std::error_code ignored;
    if (created_)
        std::filesystem::remove(file_, ignored);
}

} // namespace vorq::load
