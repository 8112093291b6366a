#include "support/ImportHarness.h"
#include "toolkit/headless/HeadlessComboBox.h"
#include "toolkit/headless/HeadlessOptionButton.h"
#include "toolkit/headless/HeadlessTreeView.h"

#include <gtest/gtest.h>

namespace vorq {
namespace {

using testing::ImportHarness;

struct Driver : testing::EngineTest {};
INSTANTIATE_TEST_SUITE_P(Engines, Driver, testing::allEngines(), testing::engineName);

constexpr const char* kTwoRecords = R"(
       01  FIRST-REC.
           05  A                   PIC X.
           05  B                   PIC X.
       01  SECOND-REC.
           05  C                   PIC X OCCURS 40.
)";

std::vector<std::string> prompts(const headless::HeadlessToolkit& toolkit) {
    std::vector<std::string> texts;
    for (const auto& m : toolkit.messages())
        texts.push_back(m.prompt);
    return texts;
}

TEST_P(Driver, NothingCheckedShowsOnlyTheMessage) {
    ImportHarness h(GetParam());
    h.verify("R.cpy", kTwoRecords);
    EXPECT_EQ(h.run([](frmImport& form, headless::HeadlessWindow& w) {
        w.treeView("tvData").Node(2).setChecked(true); // a leaf: the check rules uncheck it
        w.button("cmdOK").click();
        EXPECT_TRUE(w.IsShown());
        EXPECT_FALSE(form.InOKClick());
        EXPECT_TRUE(w.button("cmdOK").Enabled());
    }),
              -3);
    EXPECT_EQ(prompts(h.toolkit),
              (std::vector<std::string>{"Item A PICTURE X has no subitems.\r\n",
                                        "Please check data item(s) to be added."}));
    EXPECT_TRUE(h.wb->catalog().logEntries().empty());
    EXPECT_EQ(h.count("SELECT count(*) FROM Tables"), 0);
}

TEST_P(Driver, CancelDuringTheSecondRecordRollsBackTheFirstToo) {
    ImportHarness h(GetParam());
    h.verify("R.cpy", R"(
       01  FIRST-REC.
           05  A                   PIC X.
           05  B                   PIC X.
       01  SECOND-REC.
           05  C1 PIC X.
           05  C2 PIC X.
           05  C3 PIC X.
           05  C4 PIC X.
           05  C5 PIC X.
           05  C6 PIC X.
)");
    h.toolkit.setResponder([](const MessageRequest&) { return kMsgYes; });
    EXPECT_EQ(h.run([&](frmImport& form, headless::HeadlessWindow& w) {
        w.treeView("tvData").pressKey('A', 2);
        // The message loop runs once per item: two of the first record, four of the second.
        int breaths = 0;
        std::function<void()> wait = [&] {
            if (++breaths < 6)
                h.toolkit.post(wait);
            else
                w.button("cmdCancel").click();
        };
        h.toolkit.post(wait);
        w.button("cmdOK").click();
        EXPECT_TRUE(w.IsShown());
        EXPECT_FALSE(form.Importing());
        w.button("cmdCancel").click();
    }),
              -3);
    EXPECT_EQ(h.count("SELECT count(*) FROM Tables"), 0);
    EXPECT_EQ(h.count("SELECT count(*) FROM Columns"), 0);
    const auto log = h.wb->catalog().logEntries();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_TRUE(log[0].isError);
    EXPECT_EQ(log[0].text, "Import to Tabulon from R: Interrupted by the user.");
    EXPECT_FALSE(h.ws->progress().active()) << "the progress display was closed";
}

TEST_P(Driver, ACorruptAttributeEndsTheRunCleanlyWithItsReason) {
    ImportHarness h(GetParam());
    h.verify("R.cpy", kTwoRecords);
    sqlite::Connection(h.dir / "repository" / "R.copybook.xrdb",
                       sqlite::Connection::Mode::ReadWrite)
        // Only C occurs 40 times: attribute Occurs (5), then "40" with its length byte.
        .exec("UPDATE ObjectBlocks SET Objects = "
              "CAST(replace(Objects, X'05023430', X'05046D616E79') AS BLOB)");
    EXPECT_EQ(h.run([](frmImport& form, headless::HeadlessWindow& w) {
        w.treeView("tvData").pressKey('A', 2);
        w.button("cmdOK").click();
        EXPECT_TRUE(w.IsShown());
        EXPECT_FALSE(form.ImportDone);
    }),
              -3);
    EXPECT_EQ(h.count("SELECT count(*) FROM Tables"), 0);
    const auto log = h.wb->catalog().logEntries();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].text, "Import to Tabulon from R: Type mismatch: cannot convert \"many\" to "
                           "a number");
    ASSERT_FALSE(h.toolkit.messages().empty()) << "the user sees the cause at once";
    EXPECT_EQ(h.toolkit.messages().back().style, kMsgCritical);
    EXPECT_EQ(h.toolkit.messages().back().prompt,
              "Type mismatch: cannot convert \"many\" to a number");
}

TEST_P(Driver, AddingToATableImportsACheckedRedefiningItemWhole) {
    ImportHarness h(GetParam());
    h.verify("D.cpy", R"(
       01  DATES.
           05  RAW-DATE            PIC 9(8).
           05  PARTS REDEFINES RAW-DATE.
               10  YY              PIC 9(4).
               10  MMDD            PIC 9(4).
               10  MMDD-X REDEFINES MMDD PIC X(4).
)");
    std::string key = "K";
    std::int32_t target = 0;
    std::string name = "TARGET";
    h.ws->TableAdd(name, target, key, {}, "test", "");
    EXPECT_EQ(h.run([](frmImport&, headless::HeadlessWindow& w) {
        auto& tree = w.treeView("tvData");
        tree.checkNode(tree.Node(3), true); // PARTS
        w.optionButton("optCreateAdd(1)").click();
        w.button("cmdOK").click();
    }),
              0);
    EXPECT_EQ(h.table("TARGET"), "TARGET: YY MMDD");
    EXPECT_EQ(h.ws->progress().done(), h.ws->progress().total() + 1)
        << "one extra step for the item";
}

TEST_P(Driver, AddingWithoutAChosenTableStopsBeforeAnyChange) {
    ImportHarness h(GetParam());
    h.verify("D.cpy", kTwoRecords);
    std::string key = "K", name = "TARGET";
    std::int32_t target = 0;
    h.ws->TableAdd(name, target, key, {}, "test", "");
    h.run([](frmImport&, headless::HeadlessWindow& w) {
        w.treeView("tvData").Node(2).setChecked(true);
        w.optionButton("optCreateAdd(1)").click();
        w.comboBox("cmbTable").setListIndex(-1);
        w.button("cmdOK").click();
        EXPECT_TRUE(w.IsShown());
    });
    EXPECT_EQ(prompts(h.toolkit), std::vector<std::string>{"Please specify a table"});
    EXPECT_EQ(h.count("SELECT count(*) FROM Columns"), 0);
    EXPECT_TRUE(h.wb->catalog().logEntries().empty());
}

TEST_P(Driver, NestedOccursThatWouldMakeMillionsOfColumnsAreRefusedBeforeAnyWork) {
    ImportHarness h(GetParam());
    h.verify("BIG.cpy", "       01  BIG-REC.\n"
                        "           05  T OCCURS 2000.\n"
                        "               10  U OCCURS 2000.\n"
                        "                   15  V PIC X.\n");
    EXPECT_EQ(h.importAll("BIG"), -3);
    EXPECT_EQ(h.count("SELECT count(*) FROM Columns"), 0);
    const auto log = h.wb->catalog().logEntries();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].text.find("would make 4000000 columns, more than the 1000000"),
              std::string::npos)
        << log[0].text;
}

} // namespace
} // namespace vorq
