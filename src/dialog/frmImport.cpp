#include "dialog/frmImport.h"

#include "browse/CheckRules.h"
#include "host/HostLibraries.h"
#include "host/VorqWS.h"
#include "host/Workspaces.h"
#include "host/ui/Button.h"
#include "host/ui/ComboBox.h"
#include "host/ui/ImageCombo.h"
#include "host/ui/OptionButton.h"
#include "host/ui/TabStrip.h"
#include "host/ui/Toolkit.h"
#include "host/ui/TreeView.h"
#include "host/ui/Window.h"
#include "import/ImportRun.h"
#include "resources/ResModule.h"

namespace vorq {

frmImport::frmImport(Workspaces& workspaces)
    : workspaces_(workspaces), browser_(workspaces, [this] { UpdateControls(); }) {}

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
    HostPlatform& platform = workspaces_.VorqWS->Platform();
    auto window = platform.Ui().CreateDialogWindow("frmImport");
    controls_ = createFormControls(*window);
    window_ = std::move(window);
    browser_.attach({window_.get(), controls_.tsSource, controls_.cmbSource, controls_.tvData});
    connectEvents();
    LoadCaptions();
    MsgTitle_ = LoadResString(StringId::MessageTitle);
    try {
        platform.Utility().RegisterForm(*window_);
    } catch (const std::exception& e) {
        // The host only takes note of the dialog, which works without that; the user is told.
        platform.Ui().MsgBox(e.what(), kMsgExclamation, MsgTitle_);
    }
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
        browser_.tsSource_Click(static_cast<std::int16_t>(previous));
    };
    for (std::int16_t i = 0; i < 3; ++i) {
        ImageCombo& combo = *c.cmbSource[static_cast<std::size_t>(i)];
        combo.onClick = [this, i] { browser_.cmbSource_Click(i); };
        combo.onKeyDown = [this, i](int key, int shift) {
            browser_.cmbSource_KeyDown(i, static_cast<std::int16_t>(key),
                                       static_cast<std::int16_t>(shift));
        };
        combo.onKeyUp = [this, i](int key, int shift) {
            browser_.cmbSource_KeyUp(i, static_cast<std::int16_t>(key),
                                     static_cast<std::int16_t>(shift));
        };
        combo.onGotFocus = [this, i] { browser_.cmbSource_GotFocus(i); };
    }
    c.tvData->onNodeClick = [this](TreeNode& node) { browser_.tvData_NodeClick(node); };
    c.tvData->onKeyDown = [this](int key, int shift) {
        browser_.tvData_KeyDown(static_cast<std::int16_t>(key), static_cast<std::int16_t>(shift));
    };
}

void frmImport::LoadCaptions() {
    controls_.cmdOptions->setCaption(LoadResString(StringId::OptionsCaption));
    controls_.optCreateAdd[1]->setCaption(LoadResString(StringId::AddToTableCaption));
    controls_.optCreateAdd[0]->setCaption(LoadResString(StringId::CreateNewTableCaption));
    controls_.cmdCancel->setCaption(LoadResString(StringId::CancelCaption));
    controls_.cmdOK->setCaption(LoadResString(StringId::OkCaption));
    const StringId tabs[] = {StringId::CopybooksTab, StringId::ProgramsTab, StringId::PortsTab};
    for (int tab = 0; tab < 3; ++tab)
        controls_.tsSource->setTabCaption(tab, LoadResString(tabs[tab]));
    window_->setCaption(LoadResString(StringId::DialogCaption));
}

void frmImport::cmdOK_Click() {
    if (InOKClick_)
        return;
    InOKClick_ = true;
    import::ImportRun run(workspaces_, *this, browser_.repository.RepositoryDB.get(),
                          *OptionsProject_, OptionsPath_, MsgTitle_);
    const bool imported = run.execute(NewTableId);
    if (imported)
        window().Hide();
    Importing_ = false;
    SetControlsEnabled(true);
    UpdateControls();
    InOKClick_ = false;
    setMousePointer(kPointerDefault);
    if (imported)
        ImportDone = true;
}

void frmImport::cmdCancel_Click() {
    if (!Importing_) {
        window().Hide();
        return;
    }
    if (workspaces_.VorqWS->Platform().Ui().MsgBox(LoadResString(StringId::InterruptQuestion),
                                                   kMsgYesNoExclamation, MsgTitle_) == kMsgYes)
        Importing_ = false;
}

void frmImport::cmdOptions_Click() {
    std::string caption;
    float width = 6120, height = 5355;
    Value extra;
    try {
        OptionsProject_->EditOptions(OptionsPath_, window(), caption, width, height, extra);
    } catch (const std::exception& e) {
        // The options editor is the host's; when it fails the dialog goes on, and says why.
        workspaces_.VorqWS->Platform().Ui().MsgBox(e.what(), kMsgExclamation, MsgTitle_);
    }
}

std::string frmImport::ValidateTree(bool CreateNew) {
    browse::CheckRules rules(workspaces_.VorqWS->Platform().Utility());
    rules.ValidateTree(*controls().tvData, CreateNew);
    return rules.CheckMessages;
}

bool frmImport::CreateNewChosen() {
    return controls().optCreateAdd[0]->Value();
}

void frmImport::setMousePointer(int pointer) {
    window().setMousePointer(pointer);
}

} // namespace vorq
