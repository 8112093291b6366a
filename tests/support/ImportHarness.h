#pragma once

#include "BatchUser.h"
#include "component/Globals.h"
#include "component/VorqImpCpyEng.h"
#include "dialog/frmImport.h"
#include "schematool/ProjectCatalog.h"
#include "schematool/SchemaToolPlatform.h"
#include "schematool/SchemaWorkspace.h"
#include "schematool/SqliteProjectDatabase.h"
#include "support/FreshThread.h"
#include "support/ProjectFixture.h"
#include "support/TempDir.h"
#include "toolkit/headless/HeadlessButton.h"
#include "toolkit/headless/HeadlessToolkit.h"
#include "toolkit/headless/HeadlessTreeView.h"
#include "toolkit/headless/HeadlessWindow.h"
#include "workbench/Verifier.h"
#include "workbench/Workbench.h"

#include <fstream>
#include <functional>

namespace vorq::testing {

// The real schema tool and workbench in a temporary workspace, with the component run in
// process on the headless toolkit.
struct ImportHarness : ProjectFixture {
    std::shared_ptr<workbench::Workbench> wb = std::make_shared<workbench::Workbench>(dir.path());
    std::string userFailure;

    void verify(const std::string& file, const std::string& text) {
        std::filesystem::create_directories(dir / "src");
        std::ofstream(dir / "src" / file) << text;
        cobol::DiskFileReader disk;
        workbench::Verifier verifier(*wb, disk, {});
        const auto outcome = verifier.verify((dir / "src" / file).string());
        if (!outcome.verified)
            throw std::runtime_error(outcome.diagnostics.format());
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

    // Runs the component with the scripted user of `vorq import --batch`.
    int run(const app::BatchRequest& request) {
        app::BatchUser user(request);
        const int code = run([&](frmImport&, headless::HeadlessWindow& w) {
            user(w);
            if (w.IsShown())
                w.button("cmdCancel").click();
        });
        userFailure = user.failure();
        return code;
    }

    // A table as "NAME: COL TYPE, COL TYPE key, ... | fk NAME -> PARENT (COL=REFCOL)".
    std::string table(const std::string& name) {
        const auto catalog = schematool::readCatalog(db->connection());
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

inline app::BatchRequest all(const std::string& source) {
    app::BatchRequest request;
    request.source = source;
    request.all = true;
    return request;
}

} // namespace vorq::testing
