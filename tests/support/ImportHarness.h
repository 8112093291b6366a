#pragma once

#include "component/Globals.h"
#include "component/VorqImpCpyEng.h"
#include "dialog/frmImport.h"
#include "projectdb/ProjectCatalog.h"
#include "schematool/SchemaToolPlatform.h"
#include "schematool/SchemaWorkspace.h"
#include "support/FreshThread.h"
#include "support/ProjectFixture.h"
#include "support/TempDir.h"
#include "support/VerifyText.h"
#include "toolkit/headless/HeadlessButton.h"
#include "toolkit/headless/HeadlessImageCombo.h"
#include "toolkit/headless/HeadlessTabStrip.h"
#include "toolkit/headless/HeadlessToolkit.h"
#include "toolkit/headless/HeadlessTreeView.h"
#include "toolkit/headless/HeadlessWindow.h"
#include "workbench/Workbench.h"

#include <functional>

namespace vorq::testing {

// The real schema tool and workbench in a temporary workspace, with the component run in
// process on the headless toolkit.
struct ImportHarness : ProjectFixture {
    explicit ImportHarness(Engine engine = Engine::SQLite) : ProjectFixture(engine) {}
    std::shared_ptr<workbench::Workbench> wb = std::make_shared<workbench::Workbench>(dir.path());
    void verify(const std::string& file, const std::string& text) {
        verifyText(*wb, dir.path(), file, text);
    }

    void option(const std::string& name, const std::vector<std::string>& values) {
        platform.optionsFile().set(name, values);
    }

    // Runs the component; act plays the user while the dialog shows. Returns the result code.
    int run(const std::function<void(frmImport&, headless::HeadlessWindow&)>& act) {
        onFreshThread([&] {
            toolkit.setUser(
                [&](headless::HeadlessWindow& w) { act(*Globals::current().dialog, w); });
            std::shared_ptr<OskWS> osk = wb;
            std::shared_ptr<VorqWS> host = ws;
            std::string param;
            VorqImpCpyEng().Run(osk, host, param);
        });
        return ws->returnCode;
    }

    // Chooses the copybook (or, given a port, that port on the ports tab), checks every record
    // with Ctrl+A and presses OK, as a user would. Returns the result code.
    int importAll(const std::string& source, const std::string& port = "") {
        return run([&](frmImport&, headless::HeadlessWindow& w) {
            const int tab = port.empty() ? 0 : 2;
            auto& tabs = w.tabStrip("tsSource");
            if (tabs.Tab() != tab)
                tabs.clickTab(tab);
            auto& combo = w.imageCombo("cmbSource(" + std::to_string(tab) + ")");
            for (int i = 1; i <= combo.Count(); ++i)
                if (combo.Item(i).Text() == (port.empty() ? source : port))
                    combo.choose(i);
            w.treeView("tvData").pressKey('A', 2);
            w.button("cmdOK").click();
            if (w.IsShown())
                w.button("cmdCancel").click();
        });
    }

    // A table as "NAME: COL TYPE, COL TYPE key, ... | fk NAME -> PARENT (COL=REFCOL)".
    std::string table(const std::string& name) {
        const auto catalog = projectdb::readCatalog(*db);
        for (const auto& t : catalog.tables) {
            if (t.name != name)
                continue;
            std::string out = t.name + ":";
            for (const auto& c : t.columns)
                out += " " + c.name + (catalog.isKeyColumn(t, c.id) ? "*" : "");
            for (const auto& k : t.foreignKeys) {
                out += " | " + k.name + " -> " + catalog.table(k.refTabId)->name;
                for (const auto& [mine, theirs] : k.columnPairs)
                    out += " " + catalog.column(mine)->name + "=" + catalog.column(theirs)->name;
            }
            return out;
        }
        return "no table " + name;
    }
};

} // namespace vorq::testing
