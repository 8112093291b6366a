#pragma once

#include "host/VorqWS.h"
#include "schematool/ProgressDisplay.h"
#include "schematool/TableServices.h"

#include <functional>
#include <memory>
#include <vector>

namespace vorq::projectdb {
class SqlProjectDatabase;
}

namespace vorq::schematool {

class SchemaToolPlatform;

// The schema tool's workspace as the component sees it: one project database, its table
// services, the progress display and the host's libraries.
class SchemaWorkspace : public VorqWS {
public:
    SchemaWorkspace(SchemaToolPlatform& platform,
                    std::shared_ptr<projectdb::SqlProjectDatabase> db);

    HostPlatform& Platform() override;
    std::shared_ptr<RepositoryComposite> objComposite() override { return current_; }
    std::shared_ptr<HostObject> ProjectDB() override;
    std::int32_t SelectedTabID() override { return selectedTabId; }
    void setReturnCode(std::int16_t code) override { returnCode = code; }
    void LoadTableCombo(ComboBox& cmbTable) override;

    void StartProgress(const std::string& caption, std::int32_t& stepCount) override;
    void StartStep(const std::string& text) override;
    void FinishStep(std::int16_t count) override;
    void FinishProgress() override;

    std::string SQLID(const std::string& name) override;
    std::string GetFreeTableName(const std::string& candidate) override;
    bool TableAdd(std::string& name, std::int32_t& tabId, std::string& sourceKey, Timestamp time,
                  const std::string& origin, const std::string& sourceReference) override;
    std::int32_t PrimaryAdd(std::int32_t& tabId) override;
    bool ForeignAdd(std::int32_t& childTabId, std::int32_t& parentTabId, const std::string& keyName,
                    std::int32_t& keyId) override;
    void ColumnAdd(std::int32_t& tabId, const std::string& name, std::int16_t type,
                   std::int16_t precision, std::int16_t scale, bool nullable,
                   const std::string& description, const std::string& domain, Timestamp time,
                   const std::string& origin, const std::string& sourceReference,
                   std::int16_t position, std::int32_t& columnId) override;
    std::int32_t ColumnImport(std::int32_t& tabId, const std::string& name, std::int32_t& type,
                              std::int32_t& precision, std::int32_t& scale, Timestamp time,
                              const std::string& origin, const std::string& sourceReference,
                              std::string& message) override;
    void ColumnUpdate(std::int32_t columnId, bool nullable) override;
    std::int32_t ColumnCopy(std::int32_t columnId, std::int32_t targetTabId, bool asKey) override;
    bool GetCompatibleType(std::int32_t& length, std::int32_t& fraction, std::string& picture,
                           std::string& usage, std::int32_t& type, std::int32_t& precision,
                           std::int32_t& scale) override;
    void RefreshBrowser() override;
    void setOskRL(const std::string& sourceReference) override { shownReference = sourceReference; }

    projectdb::SqlProjectDatabase& database() { return *db_; }
    ProgressDisplay& progress() { return progress_; }

    std::int32_t selectedTabId = -1;
    std::int16_t returnCode = -3;
    // The source reference the component last asked the host to show.
    std::string shownReference;
    // Called when the component asks the host to re-read the project.
    std::function<void()> onRefresh;
    // The digest of the layout of the record that a source reference's item lies in, kept with
    // each table made from it so that a load can tell that the source changed since; unset or
    // "" when the host cannot tell.
    std::function<std::string(const std::string& sourceReference)> layoutOf;
    // What the component made since the host last cleared these, so that a host can tell what
    // one run made even while others write to the same project.
    std::vector<std::int32_t> tablesAdded;
    std::int64_t columnsImported = 0;

private:
    SchemaToolPlatform& platform_;
    std::shared_ptr<projectdb::SqlProjectDatabase> db_;
    TableServices tables_;
    ProgressDisplay progress_;
    std::shared_ptr<RepositoryComposite> current_;
};

} // namespace vorq::schematool
