// The rules that enable and disable the dialog's controls, and the icons of the source lists.

#include "dialog/BuiltinPictures.h"
#include "dialog/frmImport.h"
#include "host/Error.h"
#include "host/HostLibraries.h"
#include "host/OskWS.h"
#include "host/Repository.h"
#include "host/VorqWS.h"
#include "host/Workspaces.h"
#include "host/ui/Button.h"
#include "host/ui/ComboBox.h"
#include "host/ui/ImageCombo.h"
#include "host/ui/ImageList.h"
#include "host/ui/OptionButton.h"
#include "host/ui/TabStrip.h"
#include "host/ui/Toolkit.h"
#include "host/ui/TreeView.h"

namespace vorq {
namespace {
constexpr int kBrevanInstallFolder = 2;
}

void frmImport::UpdateControls() {
    FormControls& c = controls();
    const bool open = browser_.repository.isOpen();
    c.optCreateAdd[0]->setEnabled(open);
    c.optCreateAdd[1]->setEnabled(open && c.cmbTable->ListCount() > 0 && c.tsSource->Tab() != 2);
    c.cmbTable->setEnabled(c.optCreateAdd[1]->Enabled() && c.optCreateAdd[1]->Value() && open);
    c.cmdOK->setEnabled(open);
    if (c.cmbTable->Enabled())
        c.cmbTable->setListIndex(0);
    c.tvData->setEnabled(true);
    c.tvData->setCheckboxes(true);
    c.tvData->setLineStyle(1);
}

void frmImport::optCreateAdd_Click(std::int16_t) {
    UpdateControls();
}

void frmImport::SetControlsEnabled(bool Enabled) {
    FormControls& c = controls();
    c.cmdOptions->setEnabled(Enabled);
    c.cmdOK->setEnabled(Enabled);
    c.cmbSource[static_cast<std::size_t>(c.tsSource->Tab())]->setEnabled(Enabled);
    c.tsSource->setEnabled(Enabled);
    c.optCreateAdd[0]->setEnabled(Enabled);
    c.optCreateAdd[1]->setEnabled(Enabled);
    c.tvData->setEnabled(Enabled);
    c.cmbTable->setEnabled(Enabled);
}

void frmImport::LoadIcon(const std::string& ClassName) {
    OskWS& osk = *workspaces_.OskWS;
    HostPlatform& platform = workspaces_.VorqWS->Platform();
    const std::string iconFile = osk.Repository()
                                     .GetRepositorySession()
                                     ->GetMetamodel()
                                     .GetClassTable()
                                     .Item(ClassName)
                                     .IconFile;
    std::string path;
    if (!iconFile.empty()) {
        path = osk.GetBrevanName(kBrevanInstallFolder) + "/icons/" + iconFile;
        if (!platform.Files().FileExists(path, 0))
            path.clear();
    }
    ImageList& images = *controls().ilObjects;
    if (!path.empty()) {
        try {
            images.Add(ClassName, platform.Ui().LoadPicture(path));
            return;
        } catch (const Error& e) {
            // A damaged icon costs the list its picture, not the user the dialog: say which.
            platform.Ui().MsgBox(e.description(), kMsgExclamation, MsgTitle_);
        }
    }
    if (images.Count() > 0)
        images.Add(ClassName, images.Item(1));
    else // nothing loaded yet to stand in for it: the dialog's own picture
        images.Add(ClassName, builtinPicture(BuiltinPicture::Item));
}

} // namespace vorq
