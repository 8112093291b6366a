#pragma once

#include "builder/BuildOptions.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vorq {
class ProjectDatabase;
class RepositoryObject;
class VorqWS;
} // namespace vorq

namespace vorq::builder {

class BuildMonitor;
struct ItemRecord;

// Makes tables and columns from repository data items through the host's table services:
// elementary items become columns, OCCURS items numbered columns or child tables, and keys
// are copied down into the child tables. It knows no dialog: a run, a test or a loader drives
// it, inside a transaction that the caller holds.
class TableBuilder {
public:
    TableBuilder(VorqWS& host, ProjectDatabase& db, const BuildOptions& options,
                 BuildMonitor& monitor)
        : host_(host), db_(db), options_(options), monitor_(monitor) {}

    // The repository object of the source; every table and column made refers to it.
    std::string SourceKey;

    // "xr:<SourceKey>?<objectId>".
    std::string sourceReference(const std::string& objectId) const;

    // How many columns an item and its subtree will make.
    std::int64_t CountColumns(RepositoryObject& Item, bool SkipRedefined);

    // Makes the columns (and child tables) of an item in table TabID; false when the run was
    // interrupted or a table or key could not be made. KeyFlag puts every column made into
    // KeyColumns; otherwise a column joins it when its name matches a key pattern.
    bool ImportItem(RepositoryObject& Item, const std::string& TableName, std::int32_t& TabID,
                    const std::string& Suffix, bool SkipRedefined, bool KeyFlag,
                    std::vector<std::int32_t>& KeyColumns);

    // One column from an item's type triple, named by the stripped name plus Suffix.
    void ColumnImportStep(std::int32_t& TabID, const std::string& Name, const std::string& Suffix,
                          const std::string& ObjectId, std::int32_t& Datatype,
                          std::int32_t& Precision, std::int32_t& Scale, bool KeyFlag,
                          std::vector<std::int32_t>& KeyColumns);

    // The primary key of a new record table, when AutoKey asks for one or child tables refer
    // to it: the key columns found, else a surrogate "<table>_KEY"; then copied into the
    // children. Nothing when neither applies.
    void AddPrimaryKey(std::int32_t TabID, const std::string& TableName,
                       const std::string& reference, bool AutoKey,
                       std::vector<std::int32_t>& KeyColumns);

    // Hands a table's key columns down to the tables that refer to it, level by level.
    void CopyKeys(std::int32_t TabID, const std::vector<std::int32_t>& KeyColumns);

private:
    bool importIntoChildTable(RepositoryObject& Item, const ItemRecord& record, bool hasDeclChild,
                              const std::string& TableName, std::int32_t& TabID,
                              const std::string& Suffix, std::int32_t& Datatype,
                              std::int32_t& Precision, std::int32_t& Scale);
    void keyChildTable(std::int32_t parentTabId, std::int32_t childTabId, std::int32_t keyId,
                       std::int32_t indexId, const std::string& reference);

    VorqWS& host_;
    ProjectDatabase& db_;
    const BuildOptions& options_;
    BuildMonitor& monitor_;
};

} // namespace vorq::builder
