#include "host/ui/ImageList.h"
#include "sqlite/Sqlite.h"
#include "support/BrowseSources.h"
#include "support/DialogHarness.h"
#include "toolkit/ImageCollection.h"

#include <fstream>
#include <gtest/gtest.h>

namespace vorq {
namespace {

using testing::comboText;
using testing::DialogHarness;

struct SetUpTest : ::testing::Test {
    SetUpTest() { testing::verifyBrowseSources(host); }
    void clearXandrel(const std::string& name) {
        host.oskWS->catalog().connection().exec("UPDATE Objects SET Xandrel = '' WHERE Name = '" +
                                                name + "'");
    }
    DialogHarness host;
};

TEST_F(SetUpTest, TheThreeSourceListsAndTheFirstTab) {
    host.verify("EMPTY.cpy", "       01  NOTHING-HERE PIC X.\n");
    clearXandrel("EMPTY");
    host.run([](frmImport&, headless::HeadlessWindow& w) {
        EXPECT_EQ(comboText(w.imageCombo("cmbSource(0)")), "BROWSE [COPYBOOK] *\n");
        EXPECT_EQ(comboText(w.imageCombo("cmbSource(1)")),
                  "READER [PROGRAM] *\nLISTER [PROGRAM]\n");
        EXPECT_EQ(comboText(w.imageCombo("cmbSource(2)")),
                  "READER [PROGRAM] *\n  MASTFILE [DATAPORT]\n  RPTFILE [DATAPORT]\n"
                  "LISTER [PROGRAM]\n");
        auto& tabs = w.tabStrip("tsSource");
        EXPECT_EQ(tabs.Tab(), 0);
        EXPECT_TRUE(tabs.TabEnabled(1) && tabs.TabEnabled(2));
        EXPECT_TRUE(w.imageCombo("cmbSource(0)").Visible());
        EXPECT_FALSE(w.imageCombo("cmbSource(2)").Visible());
        EXPECT_EQ(w.imageCombo("cmbSource(2)").Top(), w.imageCombo("cmbSource(0)").Top());
        EXPECT_EQ(w.imageCombo("cmbSource(2)").Item(2).Tag(), "PORTS.cbl.cobol.xrdb");
    });
}

TEST_F(SetUpTest, CopybooksAloneEnableOnlyTheirTab) {
    clearXandrel("PORTS.cbl");
    host.run([](frmImport&, headless::HeadlessWindow& w) {
        auto& tabs = w.tabStrip("tsSource");
        EXPECT_TRUE(tabs.TabEnabled(0));
        EXPECT_FALSE(tabs.TabEnabled(1));
        EXPECT_FALSE(tabs.TabEnabled(2));
        EXPECT_EQ(w.imageCombo("cmbSource(1)").Count(), 0);
    });
}

TEST_F(SetUpTest, ResultOfCancelOfANewTableAndOfAnExistingOne) {
    host.vorqWS->tables = {{"ACCOUNTS", 41}, {"ORDERS", 42}};
    std::int32_t selected = 0;
    testing::onFreshThread([&] {
        auto osk = host.osk();
        auto vorqHost = host.vorq();
        std::string param;
        host.platform.toolkit.setUser([](headless::HeadlessWindow& w) { w.clickCloseBox(); });
        VorqImpCpyEng().Run(osk, vorqHost, param);
        frmImport& form = *Globals::current().dialog;
        EXPECT_FALSE(form.DoCreate(selected));
        EXPECT_EQ(selected, -1);

        host.platform.toolkit.setUser([&](headless::HeadlessWindow& w) {
            form.NewTableId = "7";
            form.ImportDone = true;
            w.Hide();
        });
        EXPECT_TRUE(form.DoCreate(selected));
        EXPECT_EQ(selected, 7);

        host.platform.toolkit.setUser([&](headless::HeadlessWindow& w) {
            w.optionButton("optCreateAdd(1)").click();
            form.ImportDone = true;
            w.Hide();
        });
        EXPECT_TRUE(form.DoCreate(selected));
        EXPECT_EQ(selected, 41);
        EXPECT_EQ(form.sources().repository.RepositoryDB, nullptr)
            << "the database is closed at the end";
    });
}

TEST_F(SetUpTest, ASecondUseAfterTheAddOptionWasDisabledStartsWithCreateNew) {
    host.vorqWS->tables = {{"ACCOUNTS", 41}};
    host.run([](frmImport&, headless::HeadlessWindow& w) {
        w.optionButton("optCreateAdd(1)").click();
        w.tabStrip("tsSource").clickTab(2);
        EXPECT_FALSE(w.optionButton("optCreateAdd(1)").Enabled());
        EXPECT_TRUE(w.optionButton("optCreateAdd(1)").Value());
    });
    host.run([](frmImport&, headless::HeadlessWindow& w) {
        EXPECT_TRUE(w.optionButton("optCreateAdd(0)").Value());
        EXPECT_FALSE(w.optionButton("optCreateAdd(1)").Value());
    });
}

TEST_F(SetUpTest, MissingIconsFallBackToTheFirstOrABuiltInPicture) {
    const auto icons = host.workspace / "repository" / "icons";
    std::filesystem::remove(icons / "dataport.png");
    host.run([](frmImport&, headless::HeadlessWindow& w) {
        auto& images = w.imageList("ilObjects");
        EXPECT_EQ(images.Count(), 3);
        EXPECT_EQ(images.Key(1), "PROGRAM");
        EXPECT_EQ(images.Item("DATAPORT"), images.Item(1));
        EXPECT_NE(images.Item("COPYBOOK"), images.Item(1));
    });
    std::filesystem::remove(icons / "program.png");
    host.run([](frmImport&, headless::HeadlessWindow& w) {
        auto& images = w.imageList("ilObjects");
        EXPECT_EQ(images.Item("PROGRAM")->width, 16);
        EXPECT_TRUE(images.Item("PROGRAM")->source.empty()) << "the dialog's own picture";
        EXPECT_EQ(images.Item("DATAPORT"), images.Item("PROGRAM"));
    });
}

TEST_F(SetUpTest, AnIconThatIsNoPictureIsNamedAndTheDialogStillShows) {
    const auto icons = host.workspace / "repository" / "icons";
    std::ofstream(icons / "copybook.png") << "not a picture";
    bool shown = false;
    host.run([&](frmImport&, headless::HeadlessWindow& w) {
        shown = w.IsShown();
        EXPECT_TRUE(w.imageList("ilObjects").Contains("COPYBOOK")) << "a stand-in takes its place";
    });
    EXPECT_TRUE(shown);
    ASSERT_EQ(host.platform.toolkit.messages().size(), 1u);
    EXPECT_NE(host.platform.toolkit.messages()[0].prompt.find("copybook.png"), std::string::npos)
        << host.platform.toolkit.messages()[0].prompt;
}

} // namespace
} // namespace vorq
