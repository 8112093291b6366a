#pragma once

#include "ImportCommand.h"

namespace vorq::app {

struct AppContext;

// The windows of vorq (Qt) live in a library of their own, VorqWindows.so beside the
// plug-in, loaded only by the commands that show them: the other commands start without
// loading Qt. A missing or broken library raises vorq::Error naming it.

// The schema tool's main window, until the user closes it.
void showMainWindow(const AppContext& context);
// The import dialog on the screen; what the user's run made.
BatchOutcome showImportDialog(const AppContext& context);

} // namespace vorq::app
