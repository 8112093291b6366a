#include "qt/QtSession.h"

#include "HostSession.h"
#include "host/ui/Window.h"
#include "schematool/OptionsFile.h"
#include "schematool/qt/QtOptionsEditor.h"
#include "schematool/qt/QtProgressWindow.h"

namespace vorq::app {

QtSession::QtSession()
    : application_(argc_, argv_), progress_(std::make_unique<schematool::QtProgressWindow>()) {}

QtSession::~QtSession() = default;

void QtSession::attach(HostSession& host) {
    schematool::SchemaToolPlatform& platform = host.platform;
    host.workspace->progress().setView(progress_.get());
    progress_->onCancel = [&platform] {
        if (Window* form = platform.registeredForm(); form && form->onCloseBox)
            form->onCloseBox();
    };
    platform.optionsFile().setEditor([](schematool::OptionsFile& options, Window& owner) {
        schematool::QtOptionsEditor editor(options, dynamic_cast<QWidget*>(&owner));
        editor.exec();
    });
}

} // namespace vorq::app
