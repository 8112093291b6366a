// The behaviours of the Qt controls that the import dialog relies on.

#include "host/ui/PixelArt.h"
#include "support/TempDir.h"
#include "toolkit/ImageCollection.h"
#include "toolkit/qt/QtButtons.h"
#include "toolkit/qt/QtComboBox.h"
#include "toolkit/qt/QtImageCombo.h"
#include "toolkit/qt/QtTabStrip.h"
#include "toolkit/qt/QtToolkit.h"
#include "toolkit/qt/QtTreeView.h"
#include "toolkit/qt/QtWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <gtest/gtest.h>

namespace vorq::qt {
namespace {

struct QtControls : ::testing::Test {
    QtToolkit toolkit;
    std::unique_ptr<Window> owned = toolkit.CreateDialogWindow("frmTest");
    QtWindow& window = dynamic_cast<QtWindow&>(*owned);
};

TEST_F(QtControls, TreeNodesKeepStructureChecksAndColours) {
    auto& tree = dynamic_cast<QtTreeView&>(window.CreateTreeView("tvData"));
    tree.setCheckboxes(true);
    TreeNode& record = tree.AddNode(nullptr, "REC", "item", "item");
    TreeNode& first = tree.AddNode(&record, "A PICTURE X", "item", "item");
    TreeNode& second = tree.AddNode(&record, "FILLER", "item", "item");
    TreeNode& other = tree.AddNode(nullptr, "OTHER", "item", "item");
    EXPECT_EQ(tree.Count(), 4);
    EXPECT_EQ(&tree.Node(3), &second) << "nodes are numbered in order of adding";
    EXPECT_EQ(first.Next(), &second);
    EXPECT_EQ(second.Next(), nullptr);
    EXPECT_EQ(second.FirstSibling(), &first);
    EXPECT_EQ(record.Next(), &other);
    EXPECT_EQ(record.Children(), 2);
    EXPECT_EQ(second.Parent(), &record);

    second.setChecked(true);
    EXPECT_TRUE(second.Checked());
    EXPECT_EQ(dynamic_cast<QtTreeNode&>(second).item()->checkState(0), Qt::Checked);
    second.setForeColor(kColorButtonFace);
    EXPECT_EQ(dynamic_cast<QtTreeNode&>(second).item()->foreground(0).color(),
              tree.widget()->palette().color(QPalette::Disabled, QPalette::Text))
        << "button-face text looks greyed out";

    second.EnsureVisible();
    EXPECT_TRUE(dynamic_cast<QtTreeNode&>(record).item()->isExpanded());
    EXPECT_THROW(tree.Node(5), Error);
    tree.Clear();
    EXPECT_EQ(tree.Count(), 0);
}

TEST_F(QtControls, TreeReportsClicksAndKeysAsTheDialogTakesThem) {
    auto& tree = dynamic_cast<QtTreeView&>(window.CreateTreeView("tvData"));
    tree.Move(0, 0, 3000, 3000);
    TreeNode& node = tree.AddNode(nullptr, "REC", "", "");
    const std::string deep = "15 A-VERY-LONG-ITEM-NAME-THAT-SAYS-WHAT-IT-HOLDS PICTURE S9(13)V99";
    TreeNode& next = tree.AddNode(nullptr, deep, "", "");
    std::vector<std::pair<int, int>> keys;
    std::vector<TreeNode*> clicked;
    tree.onKeyDown = [&](int key, int shift) { keys.emplace_back(key, shift); };
    tree.onNodeClick = [&](TreeNode& n) { clicked.push_back(&n); };
    window.show();
    tree.setSelectedItem(&node);
    EXPECT_TRUE(clicked.empty()) << "a node chosen in code is no click";
    QTest::keyClick(tree.widget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(tree.widget(), Qt::Key_Down);
    const std::vector<std::pair<int, int>> expected{{17, 2}, {65, 2}, {40, 0}};
    EXPECT_EQ(keys, expected) << "Ctrl, then A with Ctrl held, then the down arrow";
    EXPECT_EQ(clicked, std::vector<TreeNode*>{&next}) << "reaching a node by keyboard clicks it";
    const QRect row = tree.widget()->visualItemRect(dynamic_cast<QtTreeNode&>(node).item());
    QTest::mouseClick(tree.widget()->viewport(), Qt::LeftButton, {},
                      QPoint(std::max(row.left(), 0) + 8, row.center().y()));
    EXPECT_EQ(clicked.back(), &node);
    EXPECT_GE(tree.widget()->columnWidth(0),
              tree.widget()->fontMetrics().horizontalAdvance(QString::fromStdString(deep)))
        << "a long text is not cut: the tree scrolls sideways instead";
}

TEST_F(QtControls, ImageCombosCarryKeysTagsIndentationAndRaiseOnlyUserChoices) {
    ImageCollection images;
    images.Add("PROGRAM", std::make_shared<Picture>(pixelArt({}, {})));
    auto& combo = dynamic_cast<QtImageCombo&>(window.CreateImageCombo("cmbSource(2)"));
    combo.setImageList(&images);
    int clicks = 0;
    combo.onClick = [&] { ++clicks; };
    ComboItem& program = combo.Add("7", "BILLRUN", "PROGRAM", 0);
    ComboItem& port = combo.Add("9", "ACCTFILE", "DATAPORT", 1);
    port.setTag("BILLING.cbl.xrdb");
    EXPECT_EQ(combo.SelectedItem(), nullptr) << "adding chooses nothing";
    EXPECT_THROW(combo.Add("7", "AGAIN", "", 0), Error);
    EXPECT_EQ(port.Index(), 2);
    EXPECT_EQ(combo.Item(2).Tag(), "BILLING.cbl.xrdb");
    EXPECT_EQ(combo.widget()->itemData(1, Qt::UserRole + 1).toInt(), 1) << "drawn indented";
    EXPECT_FALSE(combo.widget()->itemIcon(0).isNull());

    combo.setSelectedItem(&program);
    EXPECT_EQ(clicks, 0) << "a choice made in code raises nothing";
    EXPECT_EQ(combo.SelectedItem(), &program);
    window.show();
    combo.widget()->setFocus();
    QTest::keyClick(combo.widget(), Qt::Key_Down);
    EXPECT_EQ(clicks, 1) << "the user's choice by keyboard";
    EXPECT_EQ(combo.SelectedItem(), &port);
}

TEST_F(QtControls, TabsHaveTheirOwnEnabledStateAndReportTheUsersChange) {
    auto& tabs = dynamic_cast<QtTabStrip&>(window.CreateTabStrip("tsSource", 3));
    tabs.Move(15, 15, 4905, 6015);
    std::vector<int> previous;
    tabs.onClick = [&](int p) { previous.push_back(p); };
    tabs.setTabCaption(0, "&Copybooks");
    tabs.setTabEnabled(0, false);
    tabs.setTab(2);
    EXPECT_TRUE(previous.empty()) << "a tab made current in code raises nothing";
    EXPECT_FALSE(tabs.TabEnabled(0));
    EXPECT_TRUE(tabs.TabEnabled(1));
    EXPECT_EQ(tabs.Tab(), 2);
    tabs.tabBar()->setCurrentIndex(1);
    EXPECT_EQ(previous, std::vector<int>{2});
    EXPECT_EQ(tabs.TabCaption(0), "&Copybooks");

    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto& button = window.CreateButton("cmdOK");
    dynamic_cast<QtButton&>(button).widget()->setFocus();
    QTest::keyClick(&window, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs.Tab(), 2) << "Ctrl+Tab from anywhere in the window";
    QTest::keyClick(&window, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(tabs.Tab(), 1) << "round the end, past the disabled tab";
    QTest::keyClick(&window, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(tabs.Tab(), 2);
    EXPECT_EQ(previous, (std::vector<int>{2, 1, 2, 1}));
}

TEST_F(QtControls, TwipsBecomePixelsAtTheLogicalResolution) {
    auto& button = dynamic_cast<QtButton&>(window.CreateButton("cmdOK"));
    button.Move(2130, 5610, 1245, 315);
    const double perTwip = window.logicalDpiX() / 1440.0;
    EXPECT_NEAR(button.widget()->x(), 2130 * perTwip, 1);
    EXPECT_NEAR(button.widget()->width(), 1245 * perTwip, 1);
    EXPECT_EQ(button.Left(), 2130) << "the twips asked for are kept exactly";
}

TEST_F(QtControls, EnterClicksTheDefaultButtonAndEscTheCancelButton) {
    window.setClientSize(4000, 2000);
    auto& ok = dynamic_cast<QtButton&>(window.CreateButton("cmdOK"));
    auto& cancel = dynamic_cast<QtButton&>(window.CreateButton("cmdCancel"));
    ok.setDefault(true);
    cancel.setCancel(true);
    int oks = 0, cancels = 0, closeBoxes = 0;
    ok.onClick = [&] { ++oks; };
    cancel.onClick = [&] { ++cancels; };
    window.onCloseBox = [&] { ++closeBoxes; };
    window.show();
    QTest::keyClick(&window, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(oks, 1);
    EXPECT_EQ(cancels, 1);
    window.close();
    EXPECT_EQ(closeBoxes, 1) << "the close box asks the dialog";
    EXPECT_TRUE(window.isVisible()) << "and the window stays unless the dialog hides it";
    cancel.setEnabled(false);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(closeBoxes, 2) << "without a cancel button to click, Esc is the close box";
}

TEST_F(QtControls, AccessKeysOfCaptionsReachTheirControls) {
    window.setClientSize(4000, 2000);
    auto& create = dynamic_cast<QtOptionButton&>(window.CreateOptionButton("optCreateAdd(0)"));
    auto& add = dynamic_cast<QtOptionButton&>(window.CreateOptionButton("optCreateAdd(1)"));
    create.setCaption("Create &new table");
    add.setCaption("&Add to table:");
    create.Move(100, 100, 3000, 300);
    add.Move(100, 500, 3000, 300);
    create.setValue(true);
    int clicks = 0;
    add.onClick = [&] { ++clicks; };
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_A, Qt::AltModifier);
    // A button's access key clicks it after its pressed look has shown.
    EXPECT_TRUE(QTest::qWaitFor([&] { return add.Value(); }, 2000));
    EXPECT_FALSE(create.Value()) << "option buttons of a window are one group";
    EXPECT_EQ(clicks, 1);
}

TEST_F(QtControls, MessageBoxesShowTheirStyleAndReturnTheAnswer) {
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->text(), "Do you wish to interrupt and cancel import?");
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(toolkit.MsgBox("Do you wish to interrupt and cancel import?", kMsgYesNoExclamation,
                             "Vorq Import Cobol Structures"),
              kMsgYes);
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(toolkit.MsgBox("Cannot create table from X", kMsgCritical, "T"), kMsgOk);
    toolkit.setResponder([](const MessageRequest&) { return kMsgNo; });
    EXPECT_EQ(toolkit.MsgBox("?", kMsgYesNoExclamation, "T"), kMsgNo);
    EXPECT_EQ(toolkit.messages().size(), 3u);
}

TEST_F(QtControls, PicturesThatAreNoImagesAreRefusedByName) {
    EXPECT_THROW(toolkit.LoadPicture("/nonexistent/icon.png"), Error);
    testing::TempDir dir;
    std::ofstream(dir / "text.png") << "not a picture";
    try {
        toolkit.LoadPicture((dir / "text.png").string());
        FAIL();
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("text.png"), std::string::npos) << e.what();
    }
}

TEST_F(QtControls, AGrownWindowGivesTheGrowthToTheTree) {
    window.setClientSize(4965, 6105);
    auto& tree = dynamic_cast<QtTreeView&>(window.CreateTreeView("tvData"));
    auto& ok = dynamic_cast<QtButton&>(window.CreateButton("cmdOK"));
    auto& option = dynamic_cast<QtOptionButton&>(window.CreateOptionButton("optCreateAdd(0)"));
    tree.Move(180, 1005, 4620, 3315);
    ok.Move(2130, 5610, 1245, 315);
    option.Move(195, 4515, 4710, 315);
    window.show();
    const QRect treeBefore = tree.widget()->geometry(), okBefore = ok.widget()->geometry();
    const QRect optionBefore = option.widget()->geometry();
    window.resize(window.width() + 100, window.height() + 60);
    EXPECT_EQ(tree.widget()->size(), treeBefore.size() + QSize(100, 60));
    EXPECT_EQ(ok.widget()->pos(), okBefore.topLeft() + QPoint(100, 60)) << "buttons follow";
    EXPECT_EQ(option.widget()->geometry(), optionBefore.adjusted(0, 60, 100, 60));
    window.resize(window.width() - 400, window.height());
    EXPECT_EQ(tree.widget()->width(), treeBefore.width()) << "never smaller than designed";
}

} // namespace
} // namespace vorq::qt
