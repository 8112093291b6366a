#pragma once

#include "sqlite/Sqlite.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vorq::cobol {
struct SourceModel;
}

namespace vorq::workbench {

// The application id of a catalog's SQLite file.
constexpr int kCatalogApplicationId = 0x766f7263; // "vorc"

// One object of the catalog: a copybook, a COBOL source, a program or a data port.
struct CatalogObject {
    std::int64_t id = 0;
    std::string cls;
    std::string name;
    std::string xandrel;
    std::string portName;
    std::string sid;
    std::string sourcePath;
};

struct LogEntry {
    std::int64_t run = 0;
    std::string category;
    std::string at;
    std::string title;
    bool isError = false;
    std::string objectId;
    std::string text;
};

// The workbench's catalog of verified sources (<repository>/catalog.db): its objects, the
// relations between them and the run log. Missing files are created; a foreign or newer
// file raises vorq::Error.
class Catalog {
public:
    explicit Catalog(const std::filesystem::path& file);

    // Records a verified source and puts its repository database, written to temporary, in
    // place as target (both in the catalog's folder). The catalog's commit decides: the rename
    // is noted in the same transaction and done after it, and a rename that a kill interrupted
    // is finished when the catalog is next opened. So the catalog and the database change
    // together or not at all. A copybook is recorded under class "COPYBOOK"; a program file as
    // the "COBOL" source, its programs ("DefinesProgram") and their data ports
    // ("ReadsDataPort", "InsertsDataPort", "UpdatesDataPort", "DeletesDataPort").
    void recordSource(const cobol::SourceModel& model, const std::string& xandrel,
                      const std::filesystem::path& temporary, const std::filesystem::path& target);

    std::vector<CatalogObject> objectsOfClass(const std::string& cls) const;
    std::optional<CatalogObject> object(std::int64_t id) const;
    // Targets of a relation from id, or, for an inverse name such as "IsReadIn", its sources.
    std::vector<std::int64_t> related(std::int64_t id, const std::string& relation) const;

    std::int64_t beginLog(const std::string& category);
    void addLogEntry(std::int64_t run, const std::string& title, bool isError,
                     const std::string& objectId, const std::string& text);
    void endLog(std::int64_t run, bool isError);
    std::vector<LogEntry> logEntries() const;

    const sqlite::Connection& connection() const { return db_; }

private:
    void recordPrograms(const cobol::SourceModel& model, const std::string& xandrel);
    void finishPendingInstalls();
    std::int64_t upsert(const std::string& cls, const std::string& name, const std::string& xandrel,
                        const std::string& portName, const std::string& sid,
                        const std::string& sourcePath);
    void relate(std::int64_t source, const char* relation, std::int64_t target);
    CatalogObject row(const sqlite::Statement& s) const;

    sqlite::Connection db_;
};

} // namespace vorq::workbench
