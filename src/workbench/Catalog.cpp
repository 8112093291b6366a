#include "workbench/Catalog.h"

#include "cobol/SourceModel.h"
#include "host/Error.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <map>

namespace vorq::workbench {
namespace {

constexpr int kCatalogVersion = 1;

constexpr const char* kSchema = R"sql(
CREATE TABLE Objects (
    Id         INTEGER PRIMARY KEY AUTOINCREMENT,
    Class      TEXT NOT NULL,
    Name       TEXT NOT NULL,
    Xandrel    TEXT NOT NULL DEFAULT '',
    PortName   TEXT NOT NULL DEFAULT '',
    Sid        TEXT NOT NULL DEFAULT '',
    SourcePath TEXT NOT NULL DEFAULT '',
    VerifiedAt TEXT
);
CREATE UNIQUE INDEX ObjectsByClassAndName ON Objects(Class, Name);
CREATE TABLE Relations (
    Source   INTEGER NOT NULL REFERENCES Objects(Id) ON DELETE CASCADE,
    Relation TEXT NOT NULL,
    Target   INTEGER NOT NULL REFERENCES Objects(Id) ON DELETE CASCADE
);
CREATE INDEX RelationsBySource ON Relations(Source, Relation);
CREATE INDEX RelationsByTarget ON Relations(Target, Relation);
CREATE TABLE LogRuns (
    Id        INTEGER PRIMARY KEY AUTOINCREMENT,
    Category  TEXT NOT NULL,
    StartedAt TEXT NOT NULL,
    EndedAt   TEXT,
    IsError   INTEGER
);
CREATE TABLE LogEntries (
    Id       INTEGER PRIMARY KEY AUTOINCREMENT,
    Run      INTEGER NOT NULL REFERENCES LogRuns(Id),
    At       TEXT NOT NULL,
    Title    TEXT NOT NULL,
    IsError  INTEGER NOT NULL,
    ObjectId TEXT NOT NULL,
    Text     TEXT NOT NULL
);
)sql";

// Relations read backwards under their own names.
const std::map<std::string, std::string>& inverses() {
    static const std::map<std::string, std::string> names = {{"IsReadIn", "ReadsDataPort"},
                                                             {"IsInsertedIn", "InsertsDataPort"},
                                                             {"IsUpdatedIn", "UpdatesDataPort"},
                                                             {"IsDeletedIn", "DeletesDataPort"},
                                                             {"IsDefinedIn", "DefinesProgram"}};
    return names;
}

const char* portRelation(cobol::FileVerb verb) {
    switch (verb) {
    case cobol::FileVerb::Write:
        return "InsertsDataPort";
    case cobol::FileVerb::Rewrite:
        return "UpdatesDataPort";
    case cobol::FileVerb::Delete:
        return "DeletesDataPort";
    case cobol::FileVerb::Read:
        break;
    }
    return "ReadsDataPort";
}

std::string now() {
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    gmtime_r(&t, &utc);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return buffer;
}

} // namespace

Catalog::Catalog(const std::filesystem::path& file)
    : db_(file, sqlite::Connection::Mode::CreateIfMissing) {
    const auto id = db_.pragmaInteger("application_id");
    if (id == 0 && db_.pragmaInteger("user_version") == 0) {
        db_.exec(std::string("BEGIN IMMEDIATE;") + kSchema +
                 "PRAGMA application_id = " + std::to_string(kCatalogApplicationId) +
                 "; PRAGMA user_version = " + std::to_string(kCatalogVersion) + "; COMMIT;");
    } else if (id != kCatalogApplicationId) {
        throw Error(file.string() + " is not a vorq repository catalog");
    } else if (db_.pragmaInteger("user_version") > kCatalogVersion) {
        throw Error(file.string() + " was written by a newer vorq");
    }
    // The repository databases it names are not synced to disk either (verify makes them again
    // from the sources): a commit need not wait for the disk, and WAL keeps the file whole.
    db_.exec("PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL");
    // One verify per process is the common use: the log stays between processes and is copied
    // into the file when it has grown (the automatic checkpoint), not at every close, where
    // the copy waited for the disk twice. The next process reads the whole log when it opens
    // the catalog, so the log is kept to a quarter of the default: a verify adds about ten
    // pages, and the copy comes every twenty-five or so.
    db_.keepLogAtClose();
    db_.exec("PRAGMA wal_autocheckpoint = 256");
    // Renames that a verify had committed to but not done when it was killed.
    db_.exec("CREATE TABLE IF NOT EXISTS PendingInstalls (Temporary TEXT NOT NULL, "
             "Target TEXT NOT NULL)");
    finishPendingInstalls();
}

std::int64_t Catalog::upsert(const std::string& cls, const std::string& name,
                             const std::string& xandrel, const std::string& portName,
                             const std::string& sid, const std::string& sourcePath) {
    auto s = db_.prepare(
        "INSERT INTO Objects (Class, Name, Xandrel, PortName, Sid, SourcePath, VerifiedAt) "
        "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7) ON CONFLICT (Class, Name) DO UPDATE SET "
        "Xandrel = ?3, PortName = ?4, Sid = ?5, SourcePath = ?6, VerifiedAt = ?7 RETURNING Id");
    s.bind(1, cls)
        .bind(2, name)
        .bind(3, xandrel)
        .bind(4, portName)
        .bind(5, sid)
        .bind(6, sourcePath)
        .bind(7, now());
    s.step();
    const std::int64_t id = s.integer(0);
    s.reset();
    return id;
}

void Catalog::relate(std::int64_t source, const char* relation, std::int64_t target) {
    auto s = db_.prepare("INSERT INTO Relations VALUES (?1, ?2, ?3)");
    s.bind(1, source).bind(2, relation).bind(3, target);
    s.run();
}

void Catalog::recordSource(const cobol::SourceModel& model, const std::string& xandrel,
                           const std::filesystem::path& temporary,
                           const std::filesystem::path& target) {
    try {
        db_.exec("BEGIN IMMEDIATE");
        db_.exec("DELETE FROM PendingInstalls");
        if (model.kind == cobol::SourceModel::Kind::Copybook)
            upsert("COPYBOOK", model.name, xandrel, "", "", model.path);
        else
            recordPrograms(model, xandrel);
        auto pending = db_.prepare("INSERT INTO PendingInstalls VALUES (?1, ?2)");
        pending.bind(1, temporary.filename().string()).bind(2, target.filename().string());
        pending.run();
        db_.exec("COMMIT");
    } catch (...) {
        // A failed statement may have ended the transaction already.
        if (db_.inTransaction())
            db_.exec("ROLLBACK");
        std::error_code ec;
        std::filesystem::remove(temporary, ec);
        throw;
    }
    // From here on the new database is what the catalog says: a rename that fails or is killed
    // is done again when the catalog is next opened. The noted rename is cleared by the next
    // transaction. The old file goes first: ext4 writes a file that replaces another by rename
    // out to disk at once, which took half as long as writing it. A kill in between leaves the
    // rename to the next open, as any other.
    std::filesystem::remove(target);
    std::filesystem::rename(temporary, target);
}

void Catalog::finishPendingInstalls() {
    const auto folder = db_.path().parent_path();
    auto pending = db_.prepare("SELECT Temporary, Target FROM PendingInstalls");
    bool any = false;
    while (pending.step()) {
        any = true;
        // Done already when the kill came after the rename.
        if (std::filesystem::exists(folder / pending.text(0)))
            std::filesystem::rename(folder / pending.text(0), folder / pending.text(1));
    }
    pending.reset();
    if (any)
        db_.exec("DELETE FROM PendingInstalls");
}

void Catalog::recordPrograms(const cobol::SourceModel& model, const std::string& xandrel) {
    const std::int64_t source = upsert("COBOL", model.name, xandrel, "", "", model.path);
    // What this file said before goes: its programs' relations, then programs and ports
    // that nothing names any more.
    auto old = db_.prepare("DELETE FROM Relations WHERE Source IN (SELECT Target FROM "
                           "Relations WHERE Source = ?1 AND Relation = 'DefinesProgram')");
    old.bind(1, source);
    old.run();
    auto defines = db_.prepare("DELETE FROM Relations WHERE Source = ?1");
    defines.bind(1, source);
    defines.run();
    std::vector<const cobol::Program*> programs;
    for (const auto& p : model.programs)
        programs.push_back(p.get());
    for (std::size_t i = 0; i < programs.size(); ++i)
        for (const auto& nested : programs[i]->nested)
            programs.push_back(nested.get());
    for (const cobol::Program* p : programs) {
        const std::int64_t program =
            upsert("PROGRAM", p->name, "", "", std::to_string(source), model.path);
        relate(source, "DefinesProgram", program);
        std::vector<std::pair<std::string, std::int64_t>> seen;
        for (const auto& use : p->uses) {
            const auto file = std::find_if(p->files.begin(), p->files.end(),
                                           [&](auto& f) { return f.name == use.file; });
            const std::string port = file == p->files.end() ? use.file : file->assignTo;
            const std::string relation = portRelation(use.verb);
            const std::string key = relation + "\n" + port;
            if (std::any_of(seen.begin(), seen.end(), [&](auto& s) { return s.first == key; }))
                continue;
            const std::int64_t portId = upsert("DATAPORT", port, "", port, "", "");
            seen.emplace_back(key, portId);
            relate(program, relation.c_str(), portId);
        }
    }
    db_.exec("DELETE FROM Objects WHERE Class IN ('PROGRAM', 'DATAPORT') AND Id NOT IN "
             "(SELECT Target FROM Relations)");
}

CatalogObject Catalog::row(const sqlite::Statement& s) const {
    return {s.integer(0), s.text(1), s.text(2), s.text(3), s.text(4), s.text(5), s.text(6)};
}

std::vector<CatalogObject> Catalog::objectsOfClass(const std::string& cls) const {
    auto s = db_.prepare("SELECT Id, Class, Name, Xandrel, PortName, Sid, SourcePath FROM Objects "
                         "WHERE Class = ?1 ORDER BY Name, Id");
    s.bind(1, cls);
    std::vector<CatalogObject> result;
    while (s.step())
        result.push_back(row(s));
    return result;
}

std::optional<CatalogObject> Catalog::object(std::int64_t id) const {
    auto s = db_.prepare("SELECT Id, Class, Name, Xandrel, PortName, Sid, SourcePath FROM Objects "
                         "WHERE Id = ?1");
    s.bind(1, id);
    if (!s.step())
        return std::nullopt;
    return row(s);
}

std::vector<std::int64_t> Catalog::related(std::int64_t id, const std::string& relation) const {
    const auto inverse = inverses().find(relation);
    auto s = db_.prepare(inverse == inverses().end()
                             ? "SELECT Target FROM Relations WHERE Source = ?1 AND Relation = ?2 "
                               "ORDER BY rowid"
                             : "SELECT Source FROM Relations WHERE Target = ?1 AND Relation = ?2 "
                               "ORDER BY rowid");
    s.bind(1, id).bind(2, inverse == inverses().end() ? relation : inverse->second);
    std::vector<std::int64_t> ids;
    while (s.step())
        ids.push_back(s.integer(0));
    return ids;
}

std::int64_t Catalog::beginLog(const std::string& category) {
    auto s = db_.prepare("INSERT INTO LogRuns (Category, StartedAt) VALUES (?1, ?2)");
    s.bind(1, category).bind(2, now());
    s.run();
    return db_.lastInsertRowid();
}

void Catalog::addLogEntry(std::int64_t run, const std::string& title, bool isError,
                          const std::string& objectId, const std::string& text) {
    auto s = db_.prepare("INSERT INTO LogEntries (Run, At, Title, IsError, ObjectId, Text) "
                         "VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    s.bind(1, run)
        .bind(2, now())
        .bind(3, title)
        .bind(4, static_cast<std::int64_t>(isError))
        .bind(5, objectId)
        .bind(6, text);
    s.run();
}

void Catalog::endLog(std::int64_t run, bool isError) {
    auto s = db_.prepare("UPDATE LogRuns SET EndedAt = ?2, IsError = ?3 WHERE Id = ?1");
    s.bind(1, run).bind(2, now()).bind(3, static_cast<std::int64_t>(isError));
    s.run();
}

std::vector<LogEntry> Catalog::logEntries() const {
    auto s = db_.prepare("SELECT E.Run, R.Category, E.At, E.Title, E.IsError, E.ObjectId, E.Text "
                         "FROM LogEntries E JOIN LogRuns R ON R.Id = E.Run ORDER BY E.Id");
    std::vector<LogEntry> entries;
    while (s.step())
        entries.push_back({s.integer(0), s.text(1), s.text(2), s.text(3), s.integer(4) != 0,
                           s.text(5), s.text(6)});
    return entries;
}

} // namespace vorq::workbench
