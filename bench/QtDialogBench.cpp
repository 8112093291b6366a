// The import dialog on Qt (offscreen): how long it takes to open with the demo's repository,
// and to choose a 100,000-item copybook until its tree is filled and painted.

#include "BenchWorkspace.h"
#include "component/Globals.h"
#include "component/VorqImpCpyEng.h"
#include "dialog/frmImport.h"
#include "toolkit/qt/QtImageCombo.h"
#include "toolkit/qt/QtToolkit.h"
#include "toolkit/qt/QtTreeView.h"
#include "toolkit/qt/QtWindow.h"
#include "workbench/Verifier.h"

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <fmt/core.h>

using namespace vorq;
using Clock = std::chrono::steady_clock;

namespace {

double since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Runs the component on a Qt host over the workspace; act runs once the dialog shows.
void runDialog(bench::BenchWorkspace& w, const std::function<void(qt::QtWindow&)>& act) {
    qt::QtToolkit toolkit;
    schematool::SchemaToolPlatform platform(toolkit, w.dir / "options.xml");
    auto host = std::make_shared<schematool::SchemaWorkspace>(platform, w.db);
    QTimer::singleShot(0, [&] {
        auto& window = dynamic_cast<qt::QtWindow&>(*QApplication::activeModalWidget());
        act(window);
        window.hide();
    });
    std::shared_ptr<OskWS> osk = w.wb;
    std::shared_ptr<VorqWS> vorq = host;
    std::string param;
    VorqImpCpyEng().Run(osk, vorq, param);
    Globals::current().dialog.reset();
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);

    bench::BenchWorkspace demo("qt-open", 10); // the demo's examples join it below
    cobol::DiskFileReader disk;
    workbench::Verifier verifier(*demo.wb, disk, {{VORQ_EXAMPLES "/copybooks"}});
    for (const auto& source : workbench::collectSources({VORQ_EXAMPLES}))
        verifier.verify(source);
    double open = 1e9;
    for (int round = 0; round < 3; ++round) {
        const auto start = Clock::now();
        runDialog(demo, [&](qt::QtWindow&) { open = std::min(open, since(start)); });
    }

    bench::BenchWorkspace large("qt-tree", 100'000);
    double fill = 0;
    int nodes = 0;
    runDialog(large, [&](qt::QtWindow& window) {
        auto& combo = window.control<qt::QtImageCombo>("cmbSource(0)");
        auto& tree = window.control<qt::QtTreeView>("tvData");
        const auto start = Clock::now();
        emit combo.widget()->activated(0);
        QApplication::processEvents();
        tree.widget()->repaint();
        fill = since(start);
        nodes = tree.Count();
    });
    fmt::print("qt_dialog_open_s: {:.3f}\n", open);
    fmt::print("qt_tree_100k_s: {:.3f}\n", fill);
    fmt::print("qt_tree_100k_nodes: {}\n", nodes);
}
