#pragma once

#include "host/Workspaces.h"

#include <memory>

namespace vorq {

class frmImport;

// The component's module state. Each thread that calls Run has its own, so that two hosts
// on two threads never share a workspace or a dialog.
struct Globals : Workspaces {
    // The one dialog of this thread, created by the first Run and reused by every later one.
    std::unique_ptr<frmImport> dialog;

    Globals();
    ~Globals();

    // The state of the calling thread.
    static Globals& current();
};

} // namespace vorq
