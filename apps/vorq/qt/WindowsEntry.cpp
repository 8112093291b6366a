// The entry points of VorqWindows.so, which the program loads for the commands that show
// windows.

#include "AppContext.h"
#include "HostSession.h"
#include "ImportCommand.h"
#include "host/Error.h"
#include "qt/MainWindow.h"
#include "qt/QtSession.h"
#include "workbench/Workbench.h"

#include <QApplication>

using vorq::app::AppContext;
using vorq::app::BatchOutcome;

extern "C" __attribute__((visibility("default"))) void
vorqShowMainWindow(const AppContext& context) {
    using namespace vorq::app;
    QtSession qt;
    HostSession host(context, qt.toolkit);
    qt.attach(host);
    MainWindow window(context, qt, host);
    window.show();
    QApplication::exec();
}

extern "C" __attribute__((visibility("default"))) void
vorqShowImportDialog(const AppContext& context, BatchOutcome& outcome) {
    using namespace vorq::app;
    QtSession qt;
    HostSession host(context, qt.toolkit);
    qt.attach(host);
    auto wb = std::make_shared<vorq::workbench::Workbench>(context.ensureWorkspace());
    if (!host.runComponent(context, wb))
        throw vorq::Error("The dialog was closed without an import");
    outcome = BatchOutcome{};
    outcome.imported = true;
    outcome.tables = host.workspace->tablesAdded;
    outcome.columns = host.workspace->columnsImported;
}
