#include "schematool/SchemaWorkspace.h"

#include "host/Error.h"
#include "host/Repository.h"
#include "host/ui/ComboBox.h"
#include "projectdb/SqlProjectDatabase.h"
#include "schematool/SchemaToolPlatform.h"
#include "schematool/SqlIdentifiers.h"
#include "schematool/TypeMapping.h"

namespace vorq::schematool {
namespace {

// The host's current object: the project itself, named by its file.
class ProjectObject : public RepositoryComposite {
public:
    explicit ProjectObject(std::string path) : path_(std::move(path)) {}
    std::string ObjectId() override { return path_; }
    std::string Attribute(const std::string& name) override { return name == "Name" ? path_ : ""; }
    std::shared_ptr<ObjectList> Related(const std::string&, const std::string&) override {
        throw Error("The project has no related repository objects");
    }

private:
    std::string path_;
};

// The import adds two kinds of columns that hold no item, told apart by their description.
ColumnRole roleOfAddedColumn(const std::string& description) {
    if (description == "Occurs indexing field")
        return ColumnRole::Index;
    if (description == "Primary key")
        return ColumnRole::Key;
    return ColumnRole::None;
}

} // namespace

SchemaWorkspace::SchemaWorkspace(SchemaToolPlatform& platform,
                                 std::shared_ptr<projectdb::SqlProjectDatabase> db)
    : platform_(platform), db_(std::move(db)),
      tables_(*db_, [&platform] { return platform.optionsFile().identifierLimit(); }),
      current_(std::make_shared<ProjectObject>(db_->name())) {}

HostPlatform& SchemaWorkspace::Platform() {
    return platform_;
}

std::shared_ptr<HostObject> SchemaWorkspace::ProjectDB() {
    return db_;
}

void SchemaWorkspace::LoadTableCombo(ComboBox& cmbTable) {
    cmbTable.Clear();
    auto tables =
        db_->prepare("SELECT TabID, TableName FROM Tables ORDER BY lower(TableName), TabID");
    while (tables->step())
        cmbTable.setItemData(cmbTable.AddItem(tables->text(1)),
                             static_cast<std::int32_t>(tables->integer(0)));
}

void SchemaWorkspace::StartProgress(const std::string& caption, std::int32_t& stepCount) {
    progress_.start(caption, stepCount);
}
void SchemaWorkspace::StartStep(const std::string&) {
    progress_.startStep();
}
void SchemaWorkspace::FinishStep(std::int16_t count) {
    progress_.finishStep(count);
}
void SchemaWorkspace::FinishProgress() {
    progress_.finish();
}

std::string SchemaWorkspace::SQLID(const std::string& name) {
    // A child table's name begins with its parent table's.
    for (auto at = name.rfind('_'); at != std::string::npos && at > 0; at = name.rfind('_', at - 1))
        if (tables_.isTableName(name.substr(0, at)))
            return childIdentifier(name.substr(0, at), std::string_view(name).substr(at + 1),
                                   tables_.identifierLimit());
    return sqlIdentifier(name, tables_.identifierLimit());
}

std::string SchemaWorkspace::GetFreeTableName(const std::string& candidate) {
    return tables_.freeTableName(candidate);
}

bool SchemaWorkspace::TableAdd(std::string& name, std::int32_t& tabId, std::string& sourceKey,
                               Timestamp time, const std::string& origin,
                               const std::string& sourceReference) {
    const std::int32_t id = tables_.addTable(name, sourceKey, time, origin, sourceReference,
                                             layoutOf ? layoutOf(sourceReference) : "");
    if (id == 0)
        return false;
    tabId = id;
    tablesAdded.push_back(id);
    return true;
}

std::int32_t SchemaWorkspace::PrimaryAdd(std::int32_t& tabId) {
    return tables_.primaryIndex(tabId);
}

bool SchemaWorkspace::ForeignAdd(std::int32_t& childTabId, std::int32_t& parentTabId,
                                 const std::string& keyName, std::int32_t& keyId) {
    const std::int32_t id = tables_.addForeignKey(childTabId, parentTabId, keyName);
    if (id == 0)
        return false;
    keyId = id;
    return true;
}

void SchemaWorkspace::ColumnAdd(std::int32_t& tabId, const std::string& name, std::int16_t type,
                                std::int16_t precision, std::int16_t scale, bool nullable,
                                const std::string& description, const std::string&, Timestamp time,
                                const std::string& origin, const std::string& sourceReference,
                                std::int16_t, std::int32_t& columnId) {
    columnId =
        tables_.addColumn(tabId, {name, type, precision, scale, nullable, description, origin,
                                  sourceReference, time, roleOfAddedColumn(description)});
}

std::int32_t SchemaWorkspace::ColumnImport(std::int32_t& tabId, const std::string& name,
                                           std::int32_t& type, std::int32_t& precision,
                                           std::int32_t& scale, Timestamp time,
                                           const std::string& origin,
                                           const std::string& sourceReference, std::string&) {
    const std::int32_t id =
        tables_.addColumn(tabId, {name, type, precision, scale, true, "", origin, sourceReference,
                                  time, ColumnRole::Item});
    ++columnsImported;
    return id;
}

void SchemaWorkspace::ColumnUpdate(std::int32_t columnId, bool nullable) {
    tables_.setNullable(columnId, nullable);
}

std::int32_t SchemaWorkspace::ColumnCopy(std::int32_t columnId, std::int32_t targetTabId,
                                         bool asKey) {
    return tables_.copyColumn(columnId, targetTabId, asKey);
}

bool SchemaWorkspace::GetCompatibleType(std::int32_t& length, std::int32_t& fraction,
                                        std::string& picture, std::string& usage,
                                        std::int32_t& type, std::int32_t& precision,
                                        std::int32_t& scale) {
    return compatibleType(length, fraction, picture, usage, type, precision, scale);
}

void SchemaWorkspace::RefreshBrowser() {
    if (onRefresh)
        onRefresh();
}

} // namespace vorq::schematool
