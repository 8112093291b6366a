#include "dialog/frmImport.h"

#include "component/Globals.h"
#include "dialog/ResModule.h"
#include "host/HostLibraries.h"
#include "host/VorqWS.h"
#include "host/ui/Button.h"
#include "host/ui/ComboBox.h"
#include "host/ui/ImageCombo.h"
#include "host/ui/OptionButton.h"
#include "host/ui/TabStrip.h"
#include "host/ui/Toolkit.h"
#include "host/ui/Window.h"

namespace vorq {

std::string importOptionsPath() {
    return std::string("//LIST[@NAME='VorqOptions']") + "/CASE[@NAME='ImportOptions']" +
           "/LIST[@NAME='Import']" + "/CASE[@NAME='Copybooks']";
}

frmImport::frmImport(Globals& globals) : globals_(globals) {}

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
    controls_.cmdCancel->onClick = [this] { cmdCancel_Click(); };
    window_->onCloseBox = [this] { cmdCancel_Click(); };

    LoadCaptions();
    try {
        platform.Utility().RegisterForm(*window_);
    } catch (const std::exception&) {
        // The host only takes note of the dialog; the dialog works without that.
    }
    MsgTitle = LoadResString(504);
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

bool frmImport::DoCreate(std::int32_t& SelectedTableId) {
    HostPlatform& platform = globals_.VorqWS->Platform();
    HelpFile = platform.Help().HelpFilePath();
    ImportDone = false;
    std::string optionsName = "OptionsProject";
    std::string optionsLocation;
    OptionsProject = platform.Options().OpenOptionsProject(optionsName, optionsLocation);
    OptionsPath = importOptionsPath();

    FormControls& c = controls();
    globals_.VorqWS->LoadTableCombo(*c.cmbTable);
    c.optCreateAdd[0]->setVisible(true);
    c.optCreateAdd[1]->setVisible(true);
    if (!c.optCreateAdd[1]->Enabled())
        c.optCreateAdd[0]->setValue(true);
    for (int i = 1; i < 3; ++i)
        c.cmbSource[i]->Move(c.cmbSource[0]->Left(), c.cmbSource[0]->Top(), c.cmbSource[0]->Width(),
                             c.cmbSource[0]->Height());
    for (auto* combo : c.cmbSource)
        combo->Clear();

    c.cmbTable->setVisible(true);
    c.cmdOptions->setVisible(true);
    NewTableId = "-1";
    window_->setMousePointer(kPointerDefault);
    window_->ShowModal();

    if (!ImportDone)
        SelectedTableId = -1;
    else if (!c.optCreateAdd[0]->Value())
        SelectedTableId = c.cmbTable->ItemData(c.cmbTable->ListIndex());
    else
        SelectedTableId = static_cast<std::int32_t>(std::stol(NewTableId));
    return ImportDone;
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

} // namespace vorq
