#include "BatchUser.h"

#include "host/Error.h"
#include "host/Text.h"
#include "toolkit/headless/HeadlessButton.h"
#include "toolkit/headless/HeadlessComboBox.h"
#include "toolkit/headless/HeadlessImageCombo.h"
#include "toolkit/headless/HeadlessOptionButton.h"
#include "toolkit/headless/HeadlessTabStrip.h"
#include "toolkit/headless/HeadlessTreeView.h"
#include "toolkit/headless/HeadlessWindow.h"

namespace vorq::app {
namespace {

constexpr const char* kTabs[] = {"copybooks", "programs", "ports"};

// A node's item name: its text without the picture part.
std::string itemName(const TreeNode& node) {
    const auto picture = node.Text().find(" PICTURE ");
    return picture == std::string::npos ? node.Text() : node.Text().substr(0, picture);
}

std::string pathOf(const TreeNode& node) {
    return node.Parent() ? pathOf(*node.Parent()) + "/" + itemName(node) : itemName(node);
}

std::vector<std::string> split(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t slash; (slash = path.find('/', start)) != std::string::npos; start = slash + 1)
        parts.push_back(path.substr(start, slash - start));
    parts.push_back(path.substr(start));
    return parts;
}

} // namespace

void BatchUser::operator()(headless::HeadlessWindow& window) {
    try {
        act(window);
    } catch (const NameError& e) {
        failure_ = e.what();
        nameNotThere_ = true;
    } catch (const std::exception& e) {
        failure_ = e.what();
    }
    if (!failure_.empty() && window.IsShown())
        window.button("cmdCancel").click();
}

void BatchUser::act(headless::HeadlessWindow& window) {
    int tab = -1;
    for (int i = 0; i < 3; ++i)
        if (request_.tab == kTabs[i])
            tab = i;
    if (tab < 0)
        throw Error("There is no tab " + request_.tab + " (use copybooks, programs or ports)");
    auto& tabs = window.tabStrip("tsSource");
    if (!tabs.TabEnabled(tab))
        throw Error("The dialog offers no " + request_.tab + ": verify the sources first");
    if (tabs.Tab() != tab)
        tabs.clickTab(tab);
    chooseSource(window, tab);
    checkItems(window);
    chooseMode(window);
    auto& ok = window.button("cmdOK");
    if (!ok.Enabled()) {
        auto& tree = window.treeView("tvData");
        // An item has a tag; the one node of a source whose database cannot be read has none.
        const bool unreadable = tree.Count() == 1 && tree.Node(1).Tag().empty();
        if (unreadable)
            throw Error("The dialog cannot import from " + request_.source +
                        ": its repository database cannot be read (the dialog shows \"" +
                        tree.Node(1).Text() + "\"); verify the source again with `vorq verify`");
        throw Error("The dialog cannot import from " + request_.source +
                    (tree.Count() > 0 ? ": " + tree.Node(1).Text() : std::string()));
    }
    pressedOk_ = true;
    ok.click();
}

void BatchUser::chooseSource(headless::HeadlessWindow& window, int tab) {
    auto& combo = window.imageCombo("cmbSource(" + std::to_string(tab) + ")");
    std::string offered;
    for (int i = 1; i <= combo.Count(); ++i) {
        const ComboItem& item = combo.Item(i);
        if (item.Indentation() == 0)
            offered += (offered.empty() ? "" : ", ") + item.Text();
        if (item.Indentation() != 0 || !sameName(item.Text(), request_.source))
            continue;
        sourceKey_ = item.Key();
        if (tab != 2) {
            combo.choose(i);
            return;
        }
        for (int j = i + 1; j <= combo.Count() && combo.Item(j).Indentation() > 0; ++j)
            if (sameName(combo.Item(j).Text(), request_.port)) {
                combo.choose(j);
                return;
            }
        throw Error("The program " + request_.source + " has no data port " + request_.port +
                    " in the dialog's list (a port used by several programs is listed under the "
                    "first of them)");
    }
    throw NameError("The " + std::string(kTabs[tab]) + " tab offers no " + request_.source +
                    " (it offers: " + offered + ")");
}

void BatchUser::checkItems(headless::HeadlessWindow& window) {
    auto& tree = window.treeView("tvData");
    if (request_.all) {
        tree.pressKey('A', 2);
        return;
    }
    for (const std::string& wanted : request_.check) {
        std::vector<TreeNode*> found;
        const auto parts = split(wanted);
        for (int i = 1; i <= tree.Count(); ++i) {
            TreeNode& node = tree.Node(i);
            if (sameName(parts.size() == 1 ? itemName(node) : pathOf(node), wanted))
                found.push_back(&node);
        }
        if (found.empty())
            throw NameError("The source has no item " + wanted);
        if (found.size() > 1) {
            std::string paths;
            for (const TreeNode* node : found)
                paths += (paths.empty() ? "" : ", ") + pathOf(*node);
            throw Error("The item name " + wanted + " is ambiguous (" + paths +
                        "): give its path from the top");
        }
        tree.checkNode(*found.front(), true);
    }
}

void BatchUser::chooseMode(headless::HeadlessWindow& window) {
    if (request_.addTo.empty()) {
        window.optionButton("optCreateAdd(0)").click();
        return;
    }
    auto& add = window.optionButton("optCreateAdd(1)");
    if (!add.Enabled())
        throw Error("Adding to a table is not offered here (the project has no tables, or the "
                    "source is a data port)");
    add.click();
    auto& tables = window.comboBox("cmbTable");
    for (int i = 0; i < tables.ListCount(); ++i)
        if (sameName(tables.List(i), request_.addTo)) {
            tables.setListIndex(i);
            return;
        }
    throw Error("The project has no table " + request_.addTo);
}

} // namespace vorq::app
