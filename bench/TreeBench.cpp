// Building the declaration tree of a 100,000-item copybook on the headless toolkit.

#include "SyntheticCopybook.h"
#include "component/Globals.h"
#include "dialog/frmImport.h"
#include "schematool/SchemaToolPlatform.h"
#include "schematool/SchemaWorkspace.h"
#include "schematool/SqliteProjectDatabase.h"
#include "toolkit/headless/HeadlessToolkit.h"
#include "toolkit/headless/HeadlessTreeView.h"
#include "toolkit/headless/HeadlessWindow.h"
#include "workbench/StoredRepository.h"
#include "workbench/Verifier.h"
#include "workbench/Workbench.h"

#include <chrono>
#include <filesystem>
#include <fmt/core.h>
#include <fstream>

using namespace vorq;
using Clock = std::chrono::steady_clock;

int main() {
    const auto dir = std::filesystem::temp_directory_path() / "vorq-bench-tree";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "HUGE.cpy") << bench::syntheticCopybook(100'000);

    auto wb = std::make_shared<workbench::Workbench>(dir);
    cobol::DiskFileReader disk;
    workbench::Verifier verifier(*wb, disk, {});
    const auto outcome = verifier.verify((dir / "HUGE.cpy").string());
    if (!outcome.verified) {
        fmt::print(stderr, "{}", outcome.diagnostics.format());
        return 1;
    }
    headless::HeadlessToolkit toolkit;
    schematool::SchemaToolPlatform platform(toolkit, dir / "options.xml");
    auto db = std::make_shared<schematool::SqliteProjectDatabase>(
        dir / "project.db", sqlite::Connection::Mode::CreateIfMissing);
    Globals& g = Globals::current();
    g.VorqWS = std::make_shared<schematool::SchemaWorkspace>(platform, db);
    g.OskWS = wb;
    g.dialog = std::make_unique<frmImport>(g);

    double seconds = 0;
    int nodes = 0;
    toolkit.setUser([&](headless::HeadlessWindow& window) {
        const auto start = Clock::now();
        g.dialog->cmbSource_Click(0);
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
        nodes = window.treeView("tvData").Count();
        window.Hide();
    });
    std::int32_t selected = -1;
    g.dialog->DoCreate(selected);

    auto stored = workbench::StoredRepository::load(wb->folder().database(outcome.xandrel));
    int decls = 0;
    for (auto all = stored->ObjectsOfClass("", "DECL"); !all->AtEnd(); all->MoveNext())
        ++decls;
    fmt::print("tree_100k_s: {:.3f}\n", seconds);
    fmt::print("tree_100k_nodes_per_declaration: {:.2f}\n", static_cast<double>(nodes) / decls);
    g.dialog.reset();
    std::filesystem::remove_all(dir);
}
