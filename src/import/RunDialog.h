#pragma once

#include <string>

namespace vorq {
class ComboBox;
class ComboItem;
class TreeView;
} // namespace vorq

namespace vorq::import {

// What one run of OK needs of the dialog that it runs in: what the user chose, the check
// rules, the flag that Cancel clears, and the lock of the controls.
class RunDialog {
public:
    virtual ~RunDialog() = default;
    // The chosen source's entry, or null.
    virtual ComboItem* chosenSource() = 0;
    // "Create new table" is chosen (else "Add to table").
    virtual bool CreateNewChosen() = 0;
    virtual TreeView& tree() = 0;
    // The table list of "Add to table".
    virtual ComboBox& tableList() = 0;
    // Applies the check rules to the tree; returns the messages about nodes it unchecked.
    virtual std::string ValidateTree(bool CreateNew) = 0;
    // A run is under way; Cancel clears it to interrupt the run.
    virtual bool Importing() = 0;
    virtual void setImporting(bool Importing) = 0;
    // False locks the controls for the run; true frees them and applies the control rules.
    virtual void SetControlsEnabled(bool Enabled) = 0;
    virtual void setMousePointer(int pointer) = 0;
};

} // namespace vorq::import
