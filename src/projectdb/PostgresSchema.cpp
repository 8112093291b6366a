#include "projectdb/PostgresSchema.h"

#include "host/Error.h"
#include "host/Text.h"
#include "postgres/Postgres.h"
#include "projectdb/ProjectSchema.h"
#include "projectdb/SchemaDescription.h"

#include <set>

namespace vorq::projectdb {
namespace {

// What PostgreSQL's project has besides the project's tables: its marks and the trigger that
// SQLite's project has too. Names are left unquoted, so that the component's statements, which
// spell them in mixed case, find them.
constexpr const char* kOwnTables = R"sql(
CREATE TABLE vorq_project (
    property        text PRIMARY KEY,
    value           text NOT NULL
);
-- A key column added without a position takes the next one of its index, so that the order
-- of a key is the order its columns joined it (rows the import adds by SQL carry -1).
CREATE FUNCTION index_column_position() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
    IF NEW.Position IS NULL THEN
        NEW.Position := (SELECT coalesce(max(Position), 0) + 1 FROM IndexColumns
                         WHERE IndexID = NEW.IndexID AND Position > 0);
    END IF;
    RETURN NEW;
END $$;
CREATE TRIGGER IndexColumnsPosition BEFORE INSERT ON IndexColumns
    FOR EACH ROW EXECUTE FUNCTION index_column_position();
)sql";

void checkOrCreate(postgres::Connection& c, const std::string& project, bool writable) {
    if (c.query("SELECT current_schema()").isNull(0, 0))
        throw Error(project + " has no schema to hold the project: the search_path names none "
                              "that exists");
    const auto existing = c.query("SELECT lower(table_name) FROM information_schema.tables "
                                  "WHERE table_schema = current_schema()");
    std::set<std::string, std::less<>> present;
    for (int row = 0; row < existing.rows(); ++row)
        present.emplace(existing.text(row, 0));
    if (present.empty()) {
        if (!writable)
            throw Error(project + " holds no vorq project yet: import into it to make one");
        c.exec(postgresProjectTables());
        c.exec(kOwnTables);
        c.exec("INSERT INTO vorq_project VALUES ('application', 'vorq'), ('schema_version', '" +
               std::to_string(kSchemaVersion) + "')");
        return;
    }
    if (!present.contains("vorq_project"))
        throw Error(project + " is not a vorq project database (its schema holds other tables)");
    const auto marks = c.query("SELECT (SELECT value FROM vorq_project WHERE property = "
                               "'application'), (SELECT value FROM vorq_project WHERE "
                               "property = 'schema_version')");
    if (marks.text(0, 0) != "vorq")
        throw Error(project + " is not a vorq project database (vorq_project names another "
                              "application)");
    const int version = std::atoi(std::string(marks.text(0, 1)).c_str());
    checkSchemaVersion(project, version);
    // The tables of every version; version 2 also had the table lineage, which version 3 took
    // apart.
    for (const std::string& table : projectTableNames())
        if (!present.contains(lowerCase(table)))
            throw Error(project + " holds a half-made vorq project (the table " + lowerCase(table) +
                        " is missing); it was left as it is");
    if (version == 2 && !present.contains("lineage"))
        throw Error(project + " holds a half-made vorq project (the table lineage is missing); "
                              "it was left as it is");
    if (version < kSchemaVersion && writable) {
        if (version < 3)
            c.exec(kLineageColumns);
        if (version == 2)
            c.exec(kLineageFromTable);
        if (version < 4)
            c.exec(kLayoutColumn);
        c.exec("UPDATE vorq_project SET value = '" + std::to_string(kSchemaVersion) +
               "' WHERE property = 'schema_version'");
    }
}

} // namespace

void preparePostgresSchema(postgres::Connection& c, const std::string& project, bool writable) {
    // The check and the creation are one transaction under the writers' lock, so that two
    // programs that open a new project at once never see each other's half-made schema.
    c.exec("BEGIN");
    try {
        if (writable)
            c.exec("SELECT pg_advisory_xact_lock(" + std::to_string(kProjectLock) + ")");
        checkOrCreate(c, project, writable);
        c.exec("COMMIT");
    } catch (...) {
        if (c.alive())
            c.exec("ROLLBACK");
        throw;
    }
}

} // namespace vorq::projectdb
