#include "support/BrowseSources.h"
#include "support/DialogHarness.h"

#include <gtest/gtest.h>

namespace vorq {
namespace {

using testing::DialogHarness;

// "OK opt0 opt1 table tree": which of the controls are enabled.
std::string enabled(headless::HeadlessWindow& w) {
    const auto flag = [](bool on, const char* name) { return on ? std::string(name) : "-"; };
    return flag(w.button("cmdOK").Enabled(), "OK") + " " +
           flag(w.optionButton("optCreateAdd(0)").Enabled(), "new") + " " +
           flag(w.optionButton("optCreateAdd(1)").Enabled(), "add") + " " +
           flag(w.comboBox("cmbTable").Enabled(), "table") + " " +
           flag(w.treeView("tvData").Enabled(), "tree");
}

TEST(ControlRules, WithoutSourcesOnlyTheTreeIsEnabled) {
    DialogHarness host;
    host.vorqWS->tables = {{"T", 1}};
    host.run([](frmImport&, headless::HeadlessWindow& w) {
        EXPECT_EQ(enabled(w), "- - - - tree");
        EXPECT_EQ(w.clientWidth(), 4965);
        EXPECT_EQ(w.clientHeight(), 6105);
        EXPECT_EQ(w.button("cmdOK").Left(), 2130);
        EXPECT_FALSE(w.tabStrip("tsSource").TabEnabled(0));
        EXPECT_TRUE(w.treeView("tvData").Checkboxes());
    });
}

TEST(ControlRules, TheAddOptionNeedsTablesAndIsNotOfferedForPorts) {
    DialogHarness host;
    testing::verifyBrowseSources(host);
    host.run([](frmImport&, headless::HeadlessWindow& w) {
        EXPECT_EQ(enabled(w), "OK new - - tree") << "no tables";
    });
    host.vorqWS->tables = {{"FIRST", 1}, {"SECOND", 2}};
    host.run([](frmImport&, headless::HeadlessWindow& w) {
        EXPECT_EQ(enabled(w), "OK new add - tree");
        w.optionButton("optCreateAdd(1)").click();
        EXPECT_EQ(enabled(w), "OK new add table tree");
        auto& table = w.comboBox("cmbTable");
        table.setListIndex(1);
        w.tabStrip("tsSource").clickTab(1);
        EXPECT_EQ(table.ListIndex(), 0) << "the rules choose the first table again";
        w.tabStrip("tsSource").clickTab(2);
        auto& ports = w.imageCombo("cmbSource(2)");
        ports.choose(2);
        EXPECT_EQ(enabled(w), "OK new - - tree") << "the Ports tab";
        w.tabStrip("tsSource").clickTab(0);
        EXPECT_EQ(enabled(w), "OK new add table tree");
    });
}

TEST(ControlRules, TheOptionsButtonOpensTheEditorOnTheImportOptions) {
    DialogHarness host;
    host.run([&](frmImport&, headless::HeadlessWindow& w) {
        w.button("cmdOptions").click();
        EXPECT_EQ(host.platform.options->edited,
                  "//LIST[@NAME='VorqOptions']/CASE[@NAME='ImportOptions']/LIST[@NAME='Import']"
                  "/CASE[@NAME='Copybooks'] 6120x5355");
        host.platform.options->failEdit = true;
        w.button("cmdOptions").click();
        EXPECT_TRUE(w.IsShown()) << "a failing editor leaves the dialog usable";
        ASSERT_EQ(host.platform.toolkit.messages().size(), 1u);
        EXPECT_EQ(host.platform.toolkit.messages()[0].prompt,
                  "the options editor is not available");
    });
}

} // namespace
} // namespace vorq
