#include "dialog/frmImport.h"

#include "component/Globals.h"
#include "dialog/ResModule.h"
#include "host/HostLibraries.h"
#include "host/VorqWS.h"
#include "host/ui/Button.h"
#include "host/ui/ImageCombo.h"
#include "host/ui/OptionButton.h"
#include "host/ui/TabStrip.h"
#include "host/ui/Toolkit.h"
#include "host/ui/TreeView.h"
#include "host/ui/Window.h"

namespace vorq {

std::string importOptionsPath() {
    return std::string("//LIST[@NAME='VorqOptions']") + "/CASE[@NAME='ImportOptions']" +
           "/LIST[@NAME='Import']" + "/CASE[@NAME='Copybooks']";
}

frmImport::frmImport(Globals& globals) : repository(globals), globals_(globals) {}

frmImport::~frmImport() = default;

FormControls& frmImport::controls() {
    if (!window_)
        Form_Load();
    return controls_;
}

Window& frmImport::window() {
    controls();
    return *window_;
}

void frmImport::Form_Load() {
    HostPlatform& platform = globals_.VorqWS->Platform();
    auto window = platform.Ui().CreateDialogWindow("frmImport");
    controls_ = createFormControls(*window);
    window_ = std::move(window);
    connectEvents();
    LoadCaptions();
    try {
        platform.Utility().RegisterForm(*window_);
    } catch (const std::exception&) {
        // The host only takes note of the dialog; the dialog works without that.
    }
    MsgTitle = LoadResString(504);
}

void frmImport::connectEvents() {
    FormControls& c = controls_;
    c.cmdOK->onClick = [this] { cmdOK_Click(); };
    c.cmdCancel->onClick = [this] { cmdCancel_Click(); };
    c.cmdOptions->onClick = [this] { cmdOptions_Click(); };
    window_->onCloseBox = [this] { cmdCancel_Click(); };
    for (std::int16_t i = 0; i < 2; ++i)
        c.optCreateAdd[static_cast<std::size_t>(i)]->onClick = [this, i] { optCreateAdd_Click(i); };
    c.tsSource->onClick = [this](int previous) {
        tsSource_Click(static_cast<std::int16_t>(previous));
    };
    for (std::int16_t i = 0; i < 3; ++i) {
        ImageCombo& combo = *c.cmbSource[static_cast<std::size_t>(i)];
        combo.onClick = [this, i] { cmbSource_Click(i); };
        combo.onKeyDown = [this, i](int key, int shift) {
            cmbSource_KeyDown(i, static_cast<std::int16_t>(key), static_cast<std::int16_t>(shift));
        };
        combo.onKeyUp = [this, i](int key, int shift) {
            cmbSource_KeyUp(i, static_cast<std::int16_t>(key), static_cast<std::int16_t>(shift));
        };
        combo.onGotFocus = [this, i] { cmbSource_GotFocus(i); };
    }
    c.tvData->onNodeClick = [this](TreeNode& node) { tvData_NodeClick(node); };
    c.tvData->onKeyDown = [this](int key, int shift) {
        tvData_KeyDown(static_cast<std::int16_t>(key), static_cast<std::int16_t>(shift));
    };
}

void frmImport::LoadCaptions() {
    controls_.cmdOptions->setCaption(LoadResString(100));
    controls_.optCreateAdd[1]->setCaption(LoadResString(101));
    controls_.optCreateAdd[0]->setCaption(LoadResString(102));
    controls_.cmdCancel->setCaption(LoadResString(103));
    controls_.cmdOK->setCaption(LoadResString(104));
    for (int tab = 0; tab < 3; ++tab)
        controls_.tsSource->setTabCaption(tab, LoadResString(105 + tab));
    window_->setCaption(LoadResString(108));
}

void frmImport::cmdCancel_Click() {
    if (!Importing) {
        window().Hide();
        return;
    }
    if (globals_.VorqWS->Platform().Ui().MsgBox(LoadResString(501), kMsgYesNoExclamation,
                                                MsgTitle) == kMsgYes)
        Importing = false;
}

void frmImport::cmdOptions_Click() {
    std::string caption;
    float width = 6120, height = 5355;
    Value extra;
    try {
        OptionsProject->EditOptions(OptionsPath, window(), caption, width, height, extra);
    } catch (const std::exception& e) {
        // The options editor is the host's; when it fails the dialog goes on, and says why.
        globals_.VorqWS->Platform().Ui().MsgBox(e.what(), kMsgExclamation, MsgTitle);
    }
}

} // namespace vorq
