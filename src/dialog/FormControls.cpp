#include "dialog/FormControls.h"

#include "dialog/BuiltinPictures.h"
#include "host/ui/Button.h"
#include "host/ui/ComboBox.h"
#include "host/ui/ImageCombo.h"
#include "host/ui/ImageList.h"
#include "host/ui/OptionButton.h"
#include "host/ui/TabStrip.h"
#include "host/ui/TreeView.h"
#include "host/ui/Window.h"

namespace vorq {

FormControls createFormControls(Window& window) {
    window.setClientSize(4965, 6105);
    FormControls c;
    c.tsSource = &window.CreateTabStrip("tsSource", 3);
    c.tsSource->Move(15, 15, 4905, 6015);
    for (int i = 0; i < 3; ++i)
        c.cmbSource[i] = &window.CreateImageCombo("cmbSource(" + std::to_string(i) + ")");
    // Only cmbSource(0) starts in place; set-up moves the other two onto it.
    c.cmbSource[0]->Move(180, 540, 4620, 330);
    c.cmbSource[1]->Move(180, 6240, 4620, 330);
    c.cmbSource[2]->Move(180, 6660, 4620, 330);

    c.ilObjects = &window.CreateImageList("ilObjects");
    c.ilObjects->Add("", builtinPicture(BuiltinPicture::Item));
    for (auto* combo : c.cmbSource)
        combo->setImageList(c.ilObjects);

    c.ilRecord = &window.CreateImageList("ilRecord");
    c.ilRecord->Add("item", builtinPicture(BuiltinPicture::Item));
    c.ilRecord->Add("items", builtinPicture(BuiltinPicture::Items));
    c.ilRecord->Add("key", builtinPicture(BuiltinPicture::Key));
    c.ilRecord->Add("type", builtinPicture(BuiltinPicture::Type));

    c.tvData = &window.CreateTreeView("tvData");
    c.tvData->Move(180, 1005, 4620, 3315);
    c.tvData->setImageList(c.ilRecord);
    c.tvData->setCheckboxes(true);

    c.optCreateAdd[0] = &window.CreateOptionButton("optCreateAdd(0)");
    c.optCreateAdd[0]->Move(195, 4515, 4710, 315);
    c.optCreateAdd[1] = &window.CreateOptionButton("optCreateAdd(1)");
    c.optCreateAdd[1]->Move(195, 4860, 4710, 315);
    c.optCreateAdd[0]->setValue(true);

    c.cmbTable = &window.CreateComboBox("cmbTable");
    c.cmbTable->Move(450, 5205, 4410, 315);
    c.cmdOptions = &window.CreateButton("cmdOptions");
    c.cmdOptions->Move(750, 5610, 1245, 315);
    c.cmdOK = &window.CreateButton("cmdOK");
    c.cmdOK->Move(2130, 5610, 1245, 315);
    c.cmdOK->setDefault(true);
    c.cmdCancel = &window.CreateButton("cmdCancel");
    c.cmdCancel->Move(3555, 5610, 1245, 315);
    c.cmdCancel->setCancel(true);
    return c;
}

} // namespace vorq
