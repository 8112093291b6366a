#pragma once

#include "component/Globals.h"
#include "component/VorqImpCpyEng.h"
#include "dialog/frmImport.h"
#include "support/FakeHost.h"
#include "support/FreshThread.h"
#include "support/VerifyText.h"
#include "toolkit/headless/HeadlessButton.h"
#include "toolkit/headless/HeadlessComboBox.h"
#include "toolkit/headless/HeadlessImageCombo.h"
#include "toolkit/headless/HeadlessOptionButton.h"
#include "toolkit/headless/HeadlessTabStrip.h"
#include "toolkit/headless/HeadlessTreeView.h"
#include "toolkit/headless/HeadlessWindow.h"

#include <functional>

namespace vorq::testing {

// The dialog on a host double and a real workbench into which tests verify COBOL text.
struct DialogHarness : FakeHost {
    // Writes the text as <workspace>/src/<file> and verifies it; COPY members are looked for
    // in the same folder.
    void verify(const std::string& file, const std::string& text) {
        verifyText(*oskWS, workspace.path(), file, text);
    }

    // Runs the component on a fresh thread; the user does what act says while the dialog shows,
    // then cancels unless act closed it. The result code is returned.
    int run(const std::function<void(frmImport&, headless::HeadlessWindow&)>& act) {
        onFreshThread([&] {
            platform.toolkit.setUser([&](headless::HeadlessWindow& window) {
                act(*Globals::current().dialog, window);
                if (window.IsShown() && !Globals::current().dialog->Importing())
                    window.button("cmdCancel").click();
            });
            auto workbench = osk();
            auto host = vorq();
            std::string param;
            VorqImpCpyEng().Run(workbench, host, param);
        });
        return vorqWS->returnCode.value_or(99);
    }
};

// The texts of the tree's nodes, depth first, children indented by two blanks; greyed nodes
// end in " (grey)", nodes with the image "items" in " [items]".
inline std::string treeText(headless::HeadlessTreeView& tree) {
    std::string out;
    std::function<void(const headless::HeadlessTreeNode&, int)> walk =
        [&](const headless::HeadlessTreeNode& node, int depth) {
            out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + node.Text() +
                   (node.Image() == "items" ? " [items]" : "") +
                   (node.ForeColor() == kColorButtonFace ? " (grey)" : "") + "\n";
            for (const auto* child : node.children())
                walk(*child, depth + 1);
        };
    for (const auto* root : tree.roots())
        walk(*root, 0);
    return out;
}

inline std::string comboText(headless::HeadlessImageCombo& combo) {
    std::string out;
    for (int i = 1; i <= combo.Count(); ++i) {
        ComboItem& item = combo.Item(i);
        out += std::string(static_cast<std::size_t>(item.Indentation()) * 2, ' ') + item.Text() +
               " [" + item.Image() + "]" + (combo.SelectedItem() == &item ? " *" : "") + "\n";
    }
    return out;
}

} // namespace vorq::testing
