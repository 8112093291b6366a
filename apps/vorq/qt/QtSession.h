#pragma once

#include "toolkit/qt/QtToolkit.h"

#include <memory>

namespace vorq::schematool {
class QtProgressWindow;
}

namespace vorq::app {

struct HostSession;

// Qt for the windows of vorq: the application, the toolkit, and the schema tool's progress
// window and options editor wired to a host session.
class QtSession {
public:
    QtSession();
    ~QtSession();

    // The host shows its progress in the progress window, whose Cancel goes to the dialog that
    // the component registered, and edits options in the options editor.
    void attach(HostSession& host);

    qt::QtToolkit toolkit;
    schematool::QtProgressWindow& progressWindow() { return *progress_; }

private:
    bool started_; // the application exists before any window
    std::unique_ptr<schematool::QtProgressWindow> progress_;
};

} // namespace vorq::app
