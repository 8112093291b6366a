// Building the declaration tree of a 100,000-item copybook on the headless toolkit.

#include "BenchWorkspace.h"
#include "component/Globals.h"
#include "dialog/frmImport.h"
#include "toolkit/headless/HeadlessTreeView.h"
#include "toolkit/headless/HeadlessWindow.h"
#include "workbench/StoredRepository.h"

#include <chrono>
#include <fmt/core.h>

using namespace vorq;
using Clock = std::chrono::steady_clock;

int main() {
    bench::BenchWorkspace w("tree", 100'000);
    Globals& g = Globals::current();
    g.VorqWS = w.host;
    g.OskWS = w.wb;
    g.dialog = std::make_unique<frmImport>(g);

    double seconds = 0;
    int nodes = 0;
    w.toolkit.setUser([&](headless::HeadlessWindow& window) {
        const auto start = Clock::now();
        g.dialog->sources().cmbSource_Click(0);
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
        nodes = window.treeView("tvData").Count();
        window.Hide();
    });
    std::int32_t selected = -1;
    g.dialog->DoCreate(selected);

    auto stored = workbench::StoredRepository::load(w.wb->folder().database(w.xandrel));
    int decls = 0;
    for (auto all = stored->ObjectsOfClass("", "DECL"); !all->AtEnd(); all->MoveNext())
        ++decls;
    fmt::print("tree_100k_s: {:.3f}\n", seconds);
    fmt::print("tree_100k_nodes_per_declaration: {:.2f}\n", static_cast<double>(nodes) / decls);
    g.dialog.reset();
}
