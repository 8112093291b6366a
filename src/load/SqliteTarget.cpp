#include "load/SqliteTarget.h"

#include "host/Error.h"
#include "host/Text.h"
#include "host/TypeCodes.h"
#include "load/LoadPlan.h"
#include "projectdb/ProjectSchema.h"
#include "schematool/DdlWriter.h"
#include "workbench/Catalog.h"

#include <system_error>

namespace vorq::load {
namespace {

// Another load into the same file waits this long for the first to commit.
constexpr std::chrono::minutes kTurnWait{10};

// A file that vorq's own data would damage, or that is no SQLite database made for data.
void refuseForeignDatabase(const sqlite::Connection& db, const std::filesystem::path& file) {
    const std::int64_t id = db.pragmaInteger("application_id");
    if (id == 0 || id == kDataApplicationId)
        return;
    if (id == projectdb::kApplicationId)
        throw Error(file.string() +
                    " is a vorq project database, not a database for the loaded rows: name "
                    "another file as the target");
    if (id == workbench::kCatalogApplicationId)
        throw Error(file.string() + " is the catalog of a vorq repository: name another file as "
                                    "the target");
    throw Error(file.string() + " is the database of another program (its application id is " +
                std::to_string(id) + "): name another file as the target");
}

// SQLite's affinity of a declared column type.
bool hasTextAffinity(const std::string& declared) {
    const std::string type = upperCase(declared);
    return type.find("INT") == std::string::npos &&
           (type.find("CHAR") != std::string::npos || type.find("CLOB") != std::string::npos ||
            type.find("TEXT") != std::string::npos);
}

// A table made by an older vorq declares wide decimals DECIMAL(p,s): SQLite would keep 15 of
// their digits.
void refuseLossyColumns(const sqlite::Connection& db, const std::filesystem::path& file,
                        const projectdb::CatalogTable& table) {
    auto declared = db.prepare("SELECT type FROM pragma_table_info(?1) WHERE name = ?2 "
                               "COLLATE NOCASE");
    // Only the wide decimals are looked up: a table of a thousand columns has few.
    for (const auto& c : table.columns) {
        if (c.type != kTypeDecimal ||
            schematool::sqliteKeepsDecimal(c.precision, std::max(c.scale, 0)))
            continue;
        declared.bind(1, table.name).bind(2, c.name);
        const std::string type = declared.step() ? declared.text(0) : "";
        declared.reset();
        if (!type.empty() && !hasTextAffinity(type))
            throw Error(
                "The column " + table.name + "." + c.name + " of " + file.string() +
                " has the type " + type + ", in which SQLite keeps 15 of its " +
                std::to_string(c.precision) +
                " digits: load into a new target file, where vorq declares it " +
                schematool::columnType(c.type, c.precision, c.scale, schematool::Dialect::SQLite));
    }
}

// Why SQLite refused a row, in the words that the PostgreSQL target uses too.
std::string refusalOf(const Error& e) {
    const std::string what = e.description();
    const std::size_t colon = what.rfind(": ");
    const std::string column = colon == std::string::npos ? what : what.substr(colon + 2);
    switch (e.number()) {
    case SQLITE_CONSTRAINT_NOTNULL:
        return "no value for the key column " + column.substr(column.find('.') + 1);
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_UNIQUE:
        return "its key is taken (" + column + ")";
    default:
        return what;
    }
}

} // namespace

SqliteTarget::SqliteTarget(const std::filesystem::path& file,
                           const projectdb::ProjectCatalog& catalog)
    : file_(file), catalog_(catalog) {}

void SqliteTarget::begin(const std::vector<const LoadPlan*>& plans, TableSharing) {
    created_ = !std::filesystem::exists(file_);
    db_.emplace(file_, sqlite::Connection::Mode::CreateIfMissing);
    db_->waitWhenBusy(kTurnWait);
    refuseForeignDatabase(*db_, file_);
    try {
        db_->exec("BEGIN IMMEDIATE");
    } catch (const Error& e) {
        if ((e.number() & 0xFF) != SQLITE_BUSY)
            throw;
        throw Error("The target " + file_.string() +
                    " is busy: another program's load held it "
                    "for " +
                    std::to_string(kTurnWait.count()) +
                    " minutes; try again when it "
                    "has ended");
    }
    // Decided inside the transaction: another load may have made the tables meanwhile.
    if (db_->pragmaInteger("application_id") == 0 && db_->objectCount() == 0) {
        db_->exec("PRAGMA application_id = " + std::to_string(kDataApplicationId));
        db_->exec(schematool::writeDdl(catalog_, schematool::Dialect::SQLite));
    }
    for (const TablePlan* table : tablesInOrder(plans)) {
        const projectdb::CatalogTable* made = nullptr;
        for (const auto& t : catalog_.tables)
            if (t.name == table->name)
                made = &t;
        if (!db_->hasTable(table->name) && made)
            db_->exec(schematool::tableDdl(catalog_, *made, schematool::Dialect::SQLite));
        if (made)
            refuseLossyColumns(*db_, file_, *made);
        std::string columns, parameters;
        for (std::size_t c = 0; c < table->columns.size(); ++c) {
            columns += (c ? ", " : "") + schematool::ddlName(table->columns[c].name);
            parameters += (c ? ", ?" : "?") + std::to_string(c + 1);
        }
        tableNames_.push_back(table->name);
        inserts_.push_back(db_->prepare("INSERT INTO " + schematool::ddlName(table->name) + " (" +
                                        columns + ") VALUES (" + parameters + ")"));
    }
}

std::int64_t SqliteTarget::rowCount(int table) {
    auto count = db_->prepare("SELECT count(*) FROM " +
                              schematool::ddlName(tableNames_[static_cast<std::size_t>(table)]));
    count.step();
    return count.integer(0);
}

std::int64_t SqliteTarget::removeRows(int table) {
    db_->exec("DELETE FROM " + schematool::ddlName(tableNames_[static_cast<std::size_t>(table)]));
    return db_->changes();
}

std::int64_t SqliteTarget::reserveKeys(int table, const std::string& column, std::int64_t count) {
    return keys_.reserve(table, count, [&] {
        auto largest =
            db_->prepare("SELECT coalesce(max(" + schematool::ddlName(column) + "), 0) FROM " +
                         schematool::ddlName(tableNames_[static_cast<std::size_t>(table)]));
        largest.step();
        return largest.integer(0);
    });
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
        refusal = refusalOf(e);
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
