#pragma once

#include "host/Error.h"
#include "schematool/SchemaWorkspace.h"

#include <string>

namespace vorq::testing {

// The schema tool whose n-th call from the component (counted from arm) throws, as a host that
// fails would; the calls before and after it work.
class FaultyWorkspace : public schematool::SchemaWorkspace {
public:
    using SchemaWorkspace::SchemaWorkspace;

    void arm(int n) {
        target_ = n;
        calls_ = 0;
        failed_.clear();
    }
    int calls() const { return calls_; }
    // The call that was made to fail, "" when none was.
    const std::string& failed() const { return failed_; }

    void StartProgress(const std::string& caption, std::int32_t& stepCount) override {
        call("StartProgress");
        SchemaWorkspace::StartProgress(caption, stepCount);
    }
    void StartStep(const std::string& text) override {
        call("StartStep");
        SchemaWorkspace::StartStep(text);
    }
    void FinishStep(std::int16_t count) override {
        call("FinishStep");
        SchemaWorkspace::FinishStep(count);
    }
    void FinishProgress() override {
        call("FinishProgress");
        SchemaWorkspace::FinishProgress();
    }
    std::string SQLID(const std::string& name) override {
        call("SQLID");
        return SchemaWorkspace::SQLID(name);
    }
    std::string GetFreeTableName(const std::string& candidate) override {
        call("GetFreeTableName");
        return SchemaWorkspace::GetFreeTableName(candidate);
    }
    bool TableAdd(std::string& name, std::int32_t& tabId, std::string& sourceKey, Timestamp time,
                  const std::string& origin, const std::string& sourceReference) override {
        call("TableAdd");
        return SchemaWorkspace::TableAdd(name, tabId, sourceKey, time, origin, sourceReference);
    }
    std::int32_t PrimaryAdd(std::int32_t& tabId) override {
        call("PrimaryAdd");
        return SchemaWorkspace::PrimaryAdd(tabId);
    }
    bool ForeignAdd(std::int32_t& childTabId, std::int32_t& parentTabId, const std::string& keyName,
                    std::int32_t& keyId) override {
        call("ForeignAdd");
        return SchemaWorkspace::ForeignAdd(childTabId, parentTabId, keyName, keyId);
    }
    std::int32_t ColumnImport(std::int32_t& tabId, const std::string& name, std::int32_t& type,
                              std::int32_t& precision, std::int32_t& scale, Timestamp time,
                              const std::string& origin, const std::string& sourceReference,
                              std::string& message) override {
        call("ColumnImport");
        return SchemaWorkspace::ColumnImport(tabId, name, type, precision, scale, time, origin,
                                             sourceReference, message);
    }
    void ColumnAdd(std::int32_t& tabId, const std::string& name, std::int16_t type,
                   std::int16_t precision, std::int16_t scale, bool nullable,
                   const std::string& description, const std::string& domain, Timestamp time,
                   const std::string& origin, const std::string& sourceReference,
                   std::int16_t position, std::int32_t& columnId) override {
        call("ColumnAdd");
        SchemaWorkspace::ColumnAdd(tabId, name, type, precision, scale, nullable, description,
                                   domain, time, origin, sourceReference, position, columnId);
    }
    void RefreshBrowser() override {
        call("RefreshBrowser");
        SchemaWorkspace::RefreshBrowser();
    }
    void ColumnUpdate(std::int32_t columnId, bool nullable) override {
        call("ColumnUpdate");
        SchemaWorkspace::ColumnUpdate(columnId, nullable);
    }
    std::int32_t ColumnCopy(std::int32_t columnId, std::int32_t targetTabId, bool asKey) override {
        call("ColumnCopy");
        return SchemaWorkspace::ColumnCopy(columnId, targetTabId, asKey);
    }
    bool GetCompatibleType(std::int32_t& length, std::int32_t& fraction, std::string& picture,
                           std::string& usage, std::int32_t& type, std::int32_t& precision,
                           std::int32_t& scale) override {
        call("GetCompatibleType");
        return SchemaWorkspace::GetCompatibleType(length, fraction, picture, usage, type, precision,
                                                  scale);
    }

private:
    void call(const char* name) {
        if (++calls_ != target_)
            return;
        failed_ = name;
        throw Error("the schema tool failed in " + failed_);
    }

    int target_ = 0;
    int calls_ = 0;
    std::string failed_;
};

} // namespace vorq::testing
