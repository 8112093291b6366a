#pragma once

// In-memory doubles of the host workspace, its libraries and the workbench, for tests of the
// component. They record what the component did and fail where a test asks them to.

#include "host/Error.h"
#include "host/HostLibraries.h"
#include "host/OskWS.h"
#include "host/ProjectDatabase.h"
#include "host/Repository.h"
#include "host/RepositoryDatabase.h"
#include "host/VorqWS.h"
#include "host/ui/ComboBox.h"
#include "support/TempDir.h"
#include "toolkit/headless/HeadlessToolkit.h"
#include "workbench/Workbench.h"

#include <optional>
#include <utility>
#include <vector>

namespace vorq::testing {

[[noreturn]] inline void unused(const char* member) {
    throw Error(std::string("the test double does not offer ") + member);
}

class FakeProjectDatabase : public ProjectDatabase {
public:
    std::unique_ptr<Recordset> OpenRecordset(std::string_view) override { unused("OpenRecordset"); }
    void Execute(std::string_view) override { unused("Execute"); }
    void BeginTrans() override { unused("BeginTrans"); }
    void CommitTrans() override { unused("CommitTrans"); }
    void Rollback() override { unused("Rollback"); }
};

// An object that a broken host might hand out as its project database.
class NotADatabase : public HostObject {};

class FakeOptionsProject : public OptionsProject {
public:
    pugi::xml_node OptionsXml() override { return document.root(); }
    Value EditOptions(std::string& path, Window&, std::string&, float& width, float& height,
                      Value&) override {
        edited = path + " " + std::to_string(static_cast<int>(width)) + "x" +
                 std::to_string(static_cast<int>(height));
        if (failEdit)
            throw Error("the options editor is not available");
        return {};
    }
    pugi::xml_document document;
    std::string edited;
    bool failEdit = false;
};

class FakePlatform : public HostPlatform, OptionsGlobal, HostUtility, HelpGlobal, FileGlobal {
public:
    OptionsGlobal& Options() override { return *this; }
    HostUtility& Utility() override { return *this; }
    HelpGlobal& Help() override { return *this; }
    FileGlobal& Files() override { return *this; }
    Toolkit& Ui() override { return toolkit; }

    std::shared_ptr<OptionsProject> OpenOptionsProject(std::string& name, std::string&) override {
        if (failOpenOptions)
            throw Error("cannot open options project " + name, 1234);
        return options;
    }
    std::string FormatMessage(const std::string& text,
                              const std::vector<std::string>& args) override {
        std::string result = text;
        if (const auto at = result.find("%1"); at != std::string::npos && !args.empty())
            result.replace(at, 2, args[0]);
        return result;
    }
    bool RegisterForm(Window&) override {
        ++registeredForms;
        if (failRegisterForm)
            throw Error("RegisterForm failed");
        return true;
    }
    std::string HelpFilePath() override { return "/usr/share/doc/vorq/help.html"; }
    bool FileExists(const std::string& path, int) override { return std::filesystem::exists(path); }

    headless::HeadlessToolkit toolkit;
    std::shared_ptr<FakeOptionsProject> options = std::make_shared<FakeOptionsProject>();
    int registeredForms = 0;
    bool failRegisterForm = false;
    bool failOpenOptions = false;
};

class FakeVorqWS : public VorqWS {
public:
    explicit FakeVorqWS(FakePlatform& platform) : platform_(platform) {}

    HostPlatform& Platform() override { return platform_; }
    std::shared_ptr<RepositoryComposite> objComposite() override { return nullptr; }
    std::shared_ptr<HostObject> ProjectDB() override { return projectDB; }
    std::int32_t SelectedTabID() override {
        if (failSelectedTabID)
            throw Error("SelectedTabID is not available", 4242);
        return selectedTabID;
    }
    void setReturnCode(std::int16_t code) override { returnCode = code; }
    void LoadTableCombo(ComboBox& combo) override {
        for (const auto& [name, id] : tables)
            combo.setItemData(combo.AddItem(name), id);
    }
    void StartProgress(const std::string&, std::int32_t&) override { unused("StartProgress"); }
    void StartStep(const std::string&) override { unused("StartStep"); }
    void FinishStep(std::int16_t) override { unused("FinishStep"); }
    void FinishProgress() override { unused("FinishProgress"); }
    std::string SQLID(const std::string&) override { unused("SQLID"); }
    std::string GetFreeTableName(const std::string&) override { unused("GetFreeTableName"); }
    bool TableAdd(std::string&, std::int32_t&, std::string&, Timestamp, const std::string&,
                  const std::string&) override {
        unused("TableAdd");
    }
    std::int32_t PrimaryAdd(std::int32_t&) override { unused("PrimaryAdd"); }
    bool ForeignAdd(std::int32_t&, std::int32_t&, const std::string&, std::int32_t&) override {
        unused("ForeignAdd");
    }
    void ColumnAdd(std::int32_t&, const std::string&, std::int16_t, std::int16_t, std::int16_t,
                   bool, const std::string&, const std::string&, Timestamp, const std::string&,
                   const std::string&, std::int16_t, std::int32_t&) override {
        unused("ColumnAdd");
    }
    std::int32_t ColumnImport(std::int32_t&, const std::string&, std::int32_t&, std::int32_t&,
                              std::int32_t&, Timestamp, const std::string&, const std::string&,
                              std::string&) override {
        unused("ColumnImport");
    }
    void ColumnUpdate(std::int32_t, bool) override { unused("ColumnUpdate"); }
    std::int32_t ColumnCopy(std::int32_t, std::int32_t, bool) override { unused("ColumnCopy"); }
    bool GetCompatibleType(std::int32_t&, std::int32_t&, std::string&, std::string&, std::int32_t&,
                           std::int32_t&, std::int32_t&) override {
        unused("GetCompatibleType");
    }
    void RefreshBrowser() override { ++refreshes; }
    void setOskRL(const std::string& reference) override { oskRL = reference; }

    std::shared_ptr<HostObject> projectDB = std::make_shared<FakeProjectDatabase>();
    std::int32_t selectedTabID = -1;
    bool failSelectedTabID = false;
    std::optional<std::int16_t> returnCode;
    std::vector<std::pair<std::string, std::int32_t>> tables;
    std::string oskRL;
    int refreshes = 0;

private:
    FakePlatform& platform_;
};

// A host double and a real, empty workbench, wired together as Run expects them.
struct FakeHost {
    TempDir workspace;
    FakePlatform platform;
    std::shared_ptr<FakeVorqWS> vorqWS = std::make_shared<FakeVorqWS>(platform);
    std::shared_ptr<workbench::Workbench> oskWS =
        std::make_shared<workbench::Workbench>(workspace.path());
    std::shared_ptr<VorqWS> vorq() { return vorqWS; }
    std::shared_ptr<OskWS> osk() { return oskWS; }
};

} // namespace vorq::testing
