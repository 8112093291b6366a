#include "qt/GuiCommand.h"

#include "AppContext.h"
#include "HostSession.h"
#include "qt/Display.h"
#include "qt/MainWindow.h"
#include "qt/QtSession.h"

#include <QApplication>

namespace vorq::app {

void addGuiCommand(CLI::App& app, AppContext& context) {
    auto* command = app.add_subcommand(
        "gui", "Open the schema tool's main window: the project's tables and their DDL, and "
               "actions that verify COBOL sources and import their structures");
    command->footer("Example:\n  vorq --workspace ~/migration gui");
    command->callback([&context] {
        requireDisplay("gui");
        QtSession qt;
        HostSession host(context, qt.toolkit);
        qt.attach(host);
        MainWindow window(context, qt, host);
        window.show();
        QApplication::exec();
    });
}

} // namespace vorq::app
