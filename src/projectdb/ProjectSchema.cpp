#include "projectdb/ProjectSchema.h"

#include "host/Error.h"
#include "projectdb/SchemaDescription.h"
#include "sqlite/Sqlite.h"

namespace vorq::projectdb {
namespace {

// A key column added without a position takes the next one of its index, so that the order of
// a key is the order its columns joined it (rows the import adds by SQL carry -1 and go first).
// Files made before it get it when they are next opened for writing.
constexpr const char* kKeyPositions = R"sql(
CREATE TRIGGER IF NOT EXISTS IndexColumnsPosition AFTER INSERT ON IndexColumns
WHEN NEW.Position IS NULL BEGIN
    UPDATE IndexColumns SET Position = (SELECT coalesce(max(Position), 0) + 1 FROM IndexColumns
                                        WHERE IndexID = NEW.IndexID AND Position > 0)
    WHERE rowid = NEW.rowid;
END;
)sql";

} // namespace

namespace {

void checkIntact(const sqlite::Connection& db, const std::string& file) {
    auto check = db.prepare("PRAGMA quick_check(5)");
    std::string problems;
    while (check.step())
        if (const std::string line = check.text(0); line != "ok")
            problems += (problems.empty() ? "" : "; ") + line;
    if (!problems.empty())
        throw Error("The project database " + file + " is damaged (" + problems +
                    "); it was left as it is: restore it from a copy");
}

void checkOrCreate(const sqlite::Connection& db, const std::string& file, bool writable) {
    const auto applicationId = db.pragmaInteger("application_id");
    const int version = static_cast<int>(db.pragmaInteger("user_version"));
    const bool empty = db.objectCount() == 0;
    if (applicationId == 0 && version == 0 && empty && writable) {
        db.exec(sqliteProjectTables());
        db.exec(kKeyPositions);
        db.exec("PRAGMA application_id = " + std::to_string(kApplicationId));
        db.exec("PRAGMA user_version = " + std::to_string(kSchemaVersion));
        return;
    }
    if (applicationId != kApplicationId)
        throw Error(file + " is not a vorq project database (it is another SQLite database)");
    checkSchemaVersion(file, version);
    checkIntact(db, file);
    if (writable) {
        db.exec(kKeyPositions);
        if (version < 3) {
            const bool hasLineageTable = db.hasTable("Lineage");
            db.exec(kLineageColumns);
            if (hasLineageTable)
                db.exec(kLineageFromTable);
        }
        if (version < 4)
            db.exec(kLayoutColumn);
        db.exec("PRAGMA user_version = " + std::to_string(kSchemaVersion));
    }
}

// SQLite's failures name the file already; the message names it once.
Error cannotOpen(const std::string& file, const Error& e) {
    std::string reason = e.description();
    if (reason.starts_with(file + ": "))
        reason.erase(0, file.size() + 2);
    return Error("Cannot open the project database " + file + ": " + reason, e.number());
}

} // namespace

void checkSchemaVersion(const std::string& project, int version) {
    if (version > kSchemaVersion)
        throw Error(project + " was written by a newer vorq (schema version " +
                    std::to_string(version) + "; this program reads up to " +
                    std::to_string(kSchemaVersion) + ")");
}

void prepareProjectSchema(const sqlite::Connection& db) {
    const std::string file = db.path().string();
    const bool writable = db.writable();
    // The check and the creation are one transaction, so that two programs that open a new
    // file at once never see each other's half-made schema: the second waits, then finds it.
    try {
        if (writable) {
            // Another program's import holds the file until it commits.
            db.waitWhenBusy(kWriterWait);
            db.exec("BEGIN IMMEDIATE");
            db.waitWhenBusy(sqlite::kBusyWait);
        }
    } catch (const Error& e) {
        db.waitWhenBusy(sqlite::kBusyWait);
        if ((e.number() & 0xFF) == SQLITE_BUSY)
            throw projectBusy(file, kWriterWait);
        throw cannotOpen(file, e);
    }
    try {
        checkOrCreate(db, file, writable);
        if (writable)
            db.exec("COMMIT");
    } catch (const Error& e) {
        // SQLite ends the transaction itself after some failures (an I/O error).
        if (writable && db.inTransaction())
            db.exec("ROLLBACK");
        if (std::string_view(e.what()).starts_with(file) ||
            std::string_view(e.what()).starts_with("The project database"))
            throw;
        throw cannotOpen(file, e);
    }
}

Error projectBusy(const std::string& project, std::chrono::milliseconds waited) {
    return Error("The project " + project + " is busy: another program's run held it for " +
                 std::to_string(waited.count() / 1000) + " s; try again when it has ended");
}

} // namespace vorq::projectdb
