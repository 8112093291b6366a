#pragma once

#include <array>

namespace vorq {

class Button;
class ComboBox;
class ImageCombo;
class ImageList;
class OptionButton;
class TabStrip;
class TreeView;
class Window;

// The controls of the import dialog, owned by its window.
struct FormControls {
    TabStrip* tsSource = nullptr;
    std::array<ImageCombo*, 3> cmbSource{};
    ImageList* ilObjects = nullptr;
    TreeView* tvData = nullptr;
    ImageList* ilRecord = nullptr;
    std::array<OptionButton*, 2> optCreateAdd{};
    ComboBox* cmbTable = nullptr;
    Button* cmdOptions = nullptr;
    Button* cmdOK = nullptr;
    Button* cmdCancel = nullptr;
};

// Creates the controls in the window and places them as the dialog is first drawn: client
// area 4965 x 6105 twips, every control within the tab strip.
FormControls createFormControls(Window& window);

} // namespace vorq
