#include "GuiCommand.h"

#include "AppContext.h"
#include "Display.h"
#include "WindowsModule.h"

namespace vorq::app {

void addGuiCommand(CLI::App& app, AppContext& context) {
    auto* command = app.add_subcommand(
        "gui", "Open the schema tool's main window: the project's tables and their DDL, and "
               "actions that verify COBOL sources, import their structures, load data files "
               "into the workspace's data.db and browse the loaded rows");
    command->footer("Example:\n  vorq --workspace ~/migration gui");
    command->callback([&context] {
        requireDisplay("gui");
        showMainWindow(context);
    });
}

} // namespace vorq::app
