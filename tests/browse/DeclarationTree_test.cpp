#include "browse/CheckRules.h"
#include "support/BrowseSources.h"
#include "support/DialogHarness.h"

#include <gtest/gtest.h>

namespace vorq::browse {
namespace {

using testing::DialogHarness;
using testing::treeText;

struct TreeTest : ::testing::Test {
    TreeTest() { testing::verifyBrowseSources(host); }
    std::string id(const std::string& cls, const std::string& name) {
        for (const auto& o : host.oskWS->catalog().objectsOfClass(cls))
            if (o.name == name)
                return std::to_string(o.id);
        return "?";
    }
    DialogHarness host;
};

TEST_F(TreeTest, ACopybookShowsItsRecordWithGreyedAndRepeatedItems) {
    host.run([](frmImport& form, headless::HeadlessWindow& w) {
        auto& tree = w.treeView("tvData");
        EXPECT_EQ(treeText(tree), "CUSTOMER\n"
                                  "  CUST-ID PICTURE 9(5)\n"
                                  "  FILLER PICTURE X(2) (grey)\n"
                                  "  CUST-NAME PICTURE X(10)\n"
                                  "  NAME-PARTS (grey)\n"
                                  "    FIRST-PART PICTURE X(5)\n"
                                  "    LAST-PART PICTURE X(5)\n"
                                  "  PHONES [items]\n"
                                  "    PHONE PICTURE X(12)\n"
                                  "  CUST-TYPE PICTURE X\n"
                                  "  ID-AND-NAME (grey)\n"
                                  "EIBTIME PICTURE S9(7)\n"
                                  "EIBDATE PICTURE S9(7)\n");
        // Every node carries the id of its own object.
        auto& db = *form.sources().repository.RepositoryDB;
        for (int i = 1; i <= tree.Count(); ++i) {
            const auto object = db.ObjectById(tree.Node(i).Tag());
            ASSERT_NE(object, nullptr);
            EXPECT_EQ(tree.Node(i).Text().rfind(object->Attribute("Name"), 0), 0u);
        }
    });
}

TEST_F(TreeTest, ProgramsAndPortsShowTheirOwnDeclarations) {
    host.run([&](frmImport& form, headless::HeadlessWindow& w) {
        auto& tree = w.treeView("tvData");
        w.tabStrip("tsSource").clickTab(1);
        w.imageCombo("cmbSource(1)").choose(2);
        EXPECT_EQ(treeText(tree), "IN-REC PICTURE X(24)\n");

        w.tabStrip("tsSource").clickTab(2);
        EXPECT_EQ(treeText(tree), "") << "a program line of the Ports tab chooses nothing";
        EXPECT_EQ(form.sources().repository.RepositoryDB, nullptr);
        w.imageCombo("cmbSource(2)").choose(2);
        EXPECT_EQ(treeText(tree), "MASTER-REC\n"
                                  "  M-KEY PICTURE X(4)\n"
                                  "  M-DATA PICTURE X(20)\n"
                                  "WS-COPY PICTURE X(24)\n")
            << "read and rewritten through one port, each record once";
        tree.clickNode(tree.Node(2));
        EXPECT_EQ(host.vorqWS->oskRL, "xr:" + id("PROGRAM", "READER") + "?" + tree.Node(2).Tag());
    });
}

TEST_F(TreeTest, ASourceWhoseDatabaseIsGoneShowsTheMessageNode) {
    std::filesystem::remove(host.workspace / "repository" / "BROWSE.copybook.xrdb");
    host.run([&](frmImport& form, headless::HeadlessWindow& w) {
        auto& tree = w.treeView("tvData");
        EXPECT_EQ(treeText(tree),
                  "Source was not verified or verified without Structured Source Option set\n");
        EXPECT_FALSE(w.button("cmdOK").Enabled());
        EXPECT_EQ(form.sources().repository.RepositoryDBName, "BROWSE.copybook.xrdb");
        tree.clickNode(tree.Node(1));
        EXPECT_EQ(host.vorqWS->oskRL, "xr:" + id("COPYBOOK", "BROWSE") + "?");
    });
    const auto& messages = host.platform.toolkit.messages();
    ASSERT_EQ(messages.size(), 1u) << "the dialog says why";
    EXPECT_NE(messages[0].prompt.find("BROWSE.copybook.xrdb"), std::string::npos)
        << messages[0].prompt;
}

TEST_F(TreeTest, CtrlACheckesTheRecordsAndTheKeyRuleKeepsTheSource) {
    host.run([](frmImport&, headless::HeadlessWindow& w) {
        auto& tree = w.treeView("tvData");
        tree.pressKey('A', 3);
        EXPECT_FALSE(tree.Node(1).Checked()) << "Ctrl+Shift+A does nothing";
        tree.pressKey('A', 2);
        int checked = 0;
        for (int i = 1; i <= tree.Count(); ++i)
            checked += tree.Node(i).Checked();
        EXPECT_EQ(checked, 3);
        EXPECT_TRUE(tree.Node(1).Checked());

        w.tabStrip("tsSource").clickTab(1);
        auto& programs = w.imageCombo("cmbSource(1)");
        programs.focus();
        programs.pressKey('L');
        EXPECT_EQ(programs.SelectedItem()->Text(), "READER") << "a letter key is undone";
        programs.pressKey(40);
        EXPECT_EQ(programs.SelectedItem()->Text(), "LISTER") << "the down arrow moves";
    });
}

TEST_F(TreeTest, CheckRulesUncheckWhatCannotBeImportedAndSayWhy) {
    host.run([&](frmImport&, headless::HeadlessWindow& w) {
        auto& tree = w.treeView("tvData");
        auto node = [&](const std::string& text) -> TreeNode& {
            for (int i = 1; i <= tree.Count(); ++i)
                if (tree.Node(i).Text() == text)
                    return tree.Node(i);
            throw std::runtime_error("no node " + text);
        };
        node("CUSTOMER").setChecked(true);
        node("NAME-PARTS").setChecked(true);
        node("FIRST-PART PICTURE X(5)").setChecked(true);
        node("EIBTIME PICTURE S9(7)").setChecked(true);
        CheckRules parents(host.platform.Utility());
        parents.ValidateTree(tree, false);
        EXPECT_EQ(parents.CheckMessages, "Item NAME-PARTS has selected parent.\r\n");
        EXPECT_TRUE(node("FIRST-PART PICTURE X(5)").Checked()) << "its parent lost its check";
        EXPECT_TRUE(node("EIBTIME PICTURE S9(7)").Checked());

        CheckRules leaves(host.platform.Utility());
        leaves.ValidateTree(tree, true);
        EXPECT_EQ(leaves.CheckMessages, "Item FIRST-PART PICTURE X(5) has no subitems.\r\n"
                                        "Item EIBTIME PICTURE S9(7) has no subitems.\r\n");
        EXPECT_TRUE(node("CUSTOMER").Checked());
    });
}

} // namespace
} // namespace vorq::browse
