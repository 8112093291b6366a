#include "qt/QtSession.h"

#include "HostSession.h"
#include "host/ui/Window.h"
#include "qt/Translations.h"
#include "schematool/OptionsFile.h"
#include "schematool/qt/QtOptionsEditor.h"
#include "schematool/qt/QtProgressWindow.h"

#include <QApplication>

namespace vorq::app {

namespace {

// The application lives as long as the process: the import dialog belongs to the plug-in's
// per-thread state and is destroyed only when the thread ends, after main has returned.
bool startApplication() {
    static int argc = 1;
    static char name[] = "vorq";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance())
        new QApplication(argc, argv);
    useLanguage(UserLanguage());
    return true;
}

} // namespace

QtSession::QtSession()
    : started_(startApplication()), progress_(std::make_unique<schematool::QtProgressWindow>()) {}

QtSession::~QtSession() = default;

void QtSession::attach(HostSession& host) {
    schematool::SchemaToolPlatform& platform = host.platform;
    host.workspace->progress().setView(progress_.get());
    progress_->onCancel = [&platform] {
        if (Window* form = platform.registeredForm(); form && form->onCloseBox)
            form->onCloseBox();
    };
    progress_->ownerOfWork = [&platform] {
        return dynamic_cast<QWidget*>(platform.registeredForm());
    };
    platform.optionsFile().setEditor([](schematool::OptionsFile& options, Window& owner) {
        schematool::QtOptionsEditor editor(options, dynamic_cast<QWidget*>(&owner));
        editor.exec();
    });
}

} // namespace vorq::app
