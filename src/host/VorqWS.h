#pragma once

#include "host/HostObject.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vorq {

class ComboBox;
class HostPlatform;
class RepositoryComposite;

// The host schema tool's workspace, as the component sees it.
class VorqWS {
public:
    virtual ~VorqWS() = default;

    // The libraries and the toolkit of the host process.
    virtual HostPlatform& Platform() = 0;
    // The host's current object; its ObjectId goes into the run log.
    virtual std::shared_ptr<RepositoryComposite> objComposite() = 0;
    // The project database; a ProjectDatabase when the host is well (checked by Run).
    virtual std::shared_ptr<HostObject> ProjectDB() = 0;
    // Id of the table selected in the host, or -1.
    virtual std::int32_t SelectedTabID() = 0;
    // The result of the last Run: 0 import done, -3 otherwise.
    virtual void setReturnCode(std::int16_t code) = 0;
    // Fills the combo with one entry per table of the project, item data = table id.
    virtual void LoadTableCombo(ComboBox& cmbTable) = 0;

    // Opens the progress display for stepCount steps.
    virtual void StartProgress(const std::string& caption, std::int32_t& stepCount) = 0;
    // One step begun.
    virtual void StartStep(const std::string& text) = 0;
    // count steps done.
    virtual void FinishStep(std::int16_t count) = 0;
    // Closes the progress display.
    virtual void FinishProgress() = 0;

    // The name made fit for an SQL identifier.
    virtual std::string SQLID(const std::string& name) = 0;
    // A table name not yet used in the project, derived from candidate.
    virtual std::string GetFreeTableName(const std::string& candidate) = 0;
    // Makes a table; writes its id (and the name used) back; false when it was not made.
    virtual bool TableAdd(std::string& name, std::int32_t& tabId, std::string& sourceKey,
                          Timestamp time, const std::string& origin,
                          const std::string& sourceReference) = 0;
    // The table's primary index id, created on the first call; 0 on failure.
    virtual std::int32_t PrimaryAdd(std::int32_t& tabId) = 0;
    // Makes a foreign key from child to parent; writes its id back; false when not made.
    virtual bool ForeignAdd(std::int32_t& childTabId, std::int32_t& parentTabId,
                            const std::string& keyName, std::int32_t& keyId) = 0;
    // Makes a column of the given type; writes its id back through columnId.
    virtual void ColumnAdd(std::int32_t& tabId, const std::string& name, std::int16_t type,
                           std::int16_t precision, std::int16_t scale, bool nullable,
                           const std::string& description, const std::string& domain,
                           Timestamp time, const std::string& origin,
                           const std::string& sourceReference, std::int16_t position,
                           std::int32_t& columnId) = 0;
    // Makes a column from an imported item's type triple; returns its id.
    virtual std::int32_t ColumnImport(std::int32_t& tabId, const std::string& name,
                                      std::int32_t& type, std::int32_t& precision,
                                      std::int32_t& scale, Timestamp time,
                                      const std::string& origin, const std::string& sourceReference,
                                      std::string& message) = 0;
    // Updates a column that joined a primary key (the four omitted arguments keep their values).
    virtual void ColumnUpdate(std::int32_t columnId, bool nullable) = 0;
    // Copies a column into another table; returns the copy's id.
    virtual std::int32_t ColumnCopy(std::int32_t columnId, std::int32_t targetTabId,
                                    bool asKey) = 0;
    // Maps a COBOL description to a type triple; true when it fits one column.
    virtual bool GetCompatibleType(std::int32_t& length, std::int32_t& fraction,
                                   std::string& picture, std::string& usage, std::int32_t& type,
                                   std::int32_t& precision, std::int32_t& scale) = 0;
    // The host re-reads the project.
    virtual void RefreshBrowser() = 0;
    // The host shows the repository object of this source reference.
    virtual void setOskRL(const std::string& sourceReference) = 0;
};

} // namespace vorq
