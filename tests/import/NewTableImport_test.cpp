#include "support/ImportHarness.h"

#include <gtest/gtest.h>

namespace vorq {
namespace {

using testing::ImportHarness;

struct NewTable : testing::EngineTest {};
INSTANTIATE_TEST_SUITE_P(Engines, NewTable, testing::allEngines(), testing::engineName);

// OCCURS above 10 become child tables, keyed by the columns the pattern finds.
void childTablesKeyedBy(ImportHarness& h, const std::string& pattern) {
    h.option("ArrayFields", {"True"});
    h.option("Threshold", {"10"});
    h.option("AutoKey", {"True"});
    h.option("Patterns", {pattern});
}

constexpr const char* kCustomer = R"(
       01  CUSTOMER.
           05  CUST-ID             PIC 9(8).
           05  PHONES              OCCURS 3.
               10  PHONE           PIC X(15).
           05  ORDERS              OCCURS 20.
               10  ORD-NO          PIC 9(10).
               10  ORD-AMT         PIC S9(7)V99 COMP-3.
)";

TEST_P(NewTable, TheWorkedExampleMakesTableChildTableAndCopiedKey) {
    ImportHarness h(GetParam());
    h.verify("CUST.cpy", kCustomer);
    childTablesKeyedBy(h, "CUST-ID");
    EXPECT_EQ(h.importAll("CUST"), 0);
    EXPECT_EQ(h.table("CUSTOMER"), "CUSTOMER: CUST_ID* PHONE1 PHONE2 PHONE3");
    EXPECT_EQ(h.table("CUSTOMER_ORDERS"),
              "CUSTOMER_ORDERS: idx* ORD_NO ORD_AMT CUST_ID* | CUSTOMER_ORDERS_OCCURS -> CUSTOMER "
              "CUST_ID=CUST_ID");
    EXPECT_EQ(h.count("SELECT count(*) FROM IndexColumns WHERE Direction = 'A'"), 3);
    const auto log = h.wb->catalog().logEntries();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].text, "Import to Tabulon from CUST");
    EXPECT_FALSE(log[0].isError);
}

// COBOL names are the same in any letter case: a copybook in lower case gives the tables of its
// upper-case twin, FILLER, REDEFINES and key patterns included.
TEST_P(NewTable, ALowerCaseCopybookGivesTheTablesOfItsUpperCaseTwin) {
    std::string lower = std::string(kCustomer) + "           05  FILLER              PIC X(3).\n"
                                                 "           05  CUST-ALT REDEFINES CUST-ID.\n"
                                                 "               10  ALT-A           PIC X.\n";
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    ImportHarness h(GetParam());
    h.verify("lower.cpy", lower);
    childTablesKeyedBy(h, "CUST-ID");
    EXPECT_EQ(h.importAll("LOWER"), 0);
    EXPECT_EQ(h.table("CUSTOMER"), "CUSTOMER: CUST_ID* PHONE1 PHONE2 PHONE3");
    EXPECT_EQ(h.table("CUSTOMER_ORDERS"),
              "CUSTOMER_ORDERS: idx* ORD_NO ORD_AMT CUST_ID* | CUSTOMER_ORDERS_OCCURS -> CUSTOMER "
              "CUST_ID=CUST_ID");
}

// A child table's key is the parent's key, in its order, then idx; a grandchild's the same again.
TEST_P(NewTable, KeysCopiedDownKeepTheirOrderAndPositions) {
    ImportHarness h(GetParam());
    h.verify("K2.cpy", "       01  ORDER-REC.\n"
                       "           05  SHOP-ID         PIC 9(4).\n"
                       "           05  ORDER-ID        PIC 9(8).\n"
                       "           05  LINES           OCCURS 20.\n"
                       "               10  ITEM        PIC X(8).\n"
                       "               10  TAXES       OCCURS 12.\n"
                       "                   15  TAX     PIC 9(3).\n");
    childTablesKeyedBy(h, "*-ID");
    ASSERT_EQ(h.importAll("K2"), 0);
    const auto catalog = projectdb::readCatalog(*h.db);
    const auto keyOf = [&](const std::string& table) {
        std::string names;
        for (const auto& t : catalog.tables)
            if (t.name == table)
                for (const auto id : t.primaryKey)
                    names += (names.empty() ? "" : " ") + catalog.column(id)->name;
        return names;
    };
    EXPECT_EQ(keyOf("ORDER_REC"), "SHOP_ID ORDER_ID");
    EXPECT_EQ(keyOf("ORDER_REC_LINES"), "SHOP_ID ORDER_ID idx");
    EXPECT_EQ(keyOf("ORDER_REC_LINES_TAXES"), "SHOP_ID ORDER_ID idx idx_2");
}

TEST_P(NewTable, PointersMakeNoColumnsAsTheyCountNone) {
    ImportHarness h(GetParam());
    h.verify("PTR.cpy", "       01  PTR-REC.\n"
                        "           05  NAME        PIC X(8).\n"
                        "           05  NEXT-PTR    POINTER.\n"
                        "           05  HANDLER     PROCEDURE-POINTER.\n"
                        "           05  FUNC        FUNCTION-POINTER.\n"
                        "           05  PTRS        POINTER OCCURS 3.\n");
    ASSERT_EQ(h.importAll("PTR"), 0);
    EXPECT_EQ(h.table("PTR_REC"), "PTR_REC: NAME");
    EXPECT_EQ(h.ws->progress().total(), 1) << "the count and the walk agree";
    EXPECT_EQ(h.ws->progress().done(), 1);
}

// A child table keeps its item's whole name where it fits, its parent's part shortened, so
// that siblings with a common last word stay apart.
TEST_P(NewTable, AShortLimitShortensTheParentsPartOfAChildTableFirst) {
    ImportHarness h(GetParam());
    h.option("IdentifierLimit", {"30"});
    h.verify("ACCT.cpy", "       01  CUSTOMER-ACCOUNT-TRANSACTIONS.\n"
                         "           05  ACCOUNT-ID               PIC 9(8).\n"
                         "           05  TRANSACTION-DETAIL-LINES OCCURS 20.\n"
                         "               10  DETAIL-TEXT          PIC X(8).\n"
                         "           05  TRANSACTION-SUMMARY-LINES OCCURS 20.\n"
                         "               10  SUMMARY-TEXT         PIC X(8).\n");
    h.option("ArrayFields", {"True"});
    h.option("Threshold", {"10"});
    ASSERT_EQ(h.importAll("ACCT"), 0);
    std::vector<std::string> tables;
    for (auto s = h.db->prepare("SELECT TableName FROM Tables ORDER BY TabID"); s->step();)
        tables.push_back(s->text(0));
    EXPECT_EQ(tables, (std::vector<std::string>{"CUSTOMER_ACCOUNT_TRANSACTIONS",
                                                "CUSTO_TRANSACTION_DETAIL_LINES",
                                                "CUST_TRANSACTION_SUMMARY_LINES"}));
}

// With DB2's short names every name the import makes fits, stays unique and keeps what it ends
// in: the child's item, _KEY, _OCCURS, PK_.
TEST_P(NewTable, ShortIdentifierLimitsKeepTheMeaningfulEnds) {
    ImportHarness h(GetParam());
    h.option("IdentifierLimit", {"18"});
    h.verify("LONG.cpy", "       01  CUSTOMER-MASTER-RECORD.\n"
                         "           05  CUSTOMER-NAME     PIC X(20).\n"
                         "           05  ORDERS            OCCURS 20.\n"
                         "               10  ORDER-NUMBER  PIC 9(8).\n"
                         "           05  PAYMENTS          OCCURS 20.\n"
                         "               10  PAID-AMOUNT   PIC 9(8).\n");
    h.option("ArrayFields", {"True"});
    h.option("Threshold", {"10"});
    ASSERT_EQ(h.importAll("LONG"), 0);
    const auto names = [&](const std::string& sql) {
        std::vector<std::string> out;
        for (auto s = h.db->prepare(sql); s->step();)
            out.push_back(s->text(0));
        return out;
    };
    const auto tables = names("SELECT TableName FROM Tables ORDER BY TabID");
    ASSERT_EQ(tables.size(), 3u);
    EXPECT_EQ(tables[0], "CUSTOMER_MA_RECORD");
    EXPECT_TRUE(tables[1].ends_with("_ORDERS")) << tables[1];
    EXPECT_TRUE(tables[2].ends_with("_PAYMENTS")) << tables[2];
    for (const auto& column : names("SELECT ColumnName FROM Columns"))
        EXPECT_LE(column.size(), 18u) << column;
    const auto keys = names("SELECT ColumnName FROM Columns WHERE ColumnName LIKE '%KEY'");
    ASSERT_EQ(keys.size(), 3u) << "the surrogate key, and its copy in each child";
    EXPECT_TRUE(keys[0].ends_with("_KEY") && keys[0] != tables[0]) << keys[0];
    const auto foreign = names("SELECT KeyName FROM ForeignKeys");
    ASSERT_EQ(foreign.size(), 2u);
    EXPECT_NE(foreign[0], foreign[1]);
    for (const auto& name : foreign)
        EXPECT_TRUE(name.size() <= 18 && name.find("OCCURS") != std::string::npos) << name;
    for (const auto& name : names("SELECT IndexName FROM Indexes"))
        EXPECT_TRUE(name.size() <= 18 && name.starts_with("PK_")) << name;
}

TEST_P(NewTable, OccursSpreadInPlaceCarryNestedSuffixes) {
    ImportHarness h(GetParam());
    h.verify("GRID.cpy", R"(
       01  GRID.
           05  ROWS                OCCURS 2.
               10  CELL            OCCURS 3.
                   15  V           PIC 9.
           05  FILLER              PIC X(3).
)");
    h.option("ArrayFields", {"True"});
    h.option("Threshold", {"5"});
    EXPECT_EQ(h.importAll("GRID"), 0);
    EXPECT_EQ(h.table("GRID"), "GRID: V11 V12 V13 V21 V22 V23");
    EXPECT_EQ(h.ws->progress().total(), 6);
    EXPECT_EQ(h.ws->progress().done(), 6);
}

TEST_P(NewTable, ChildTablesNestAndCopyTheirParentsKeys) {
    ImportHarness h(GetParam());
    h.verify("NEST.cpy", R"(
       01  ORDER-REC.
           05  ORDER-KEY           PIC 9(6).
           05  LINES               OCCURS 50.
               10  LINE-NO         PIC 99.
               10  TAXES           OCCURS 9.
                   15  TAX         PIC 9(5).
           05                      OCCURS 12.
               10  MONTH-TOTAL     PIC 9(7).
)");
    h.option("ArrayFields", {"True"});
    h.option("Threshold", {"8"});
    EXPECT_EQ(h.importAll("NEST"), 0);
    EXPECT_EQ(h.table("ORDER_REC"), "ORDER_REC: ORDER_KEY ORDER_REC_KEY*");
    EXPECT_EQ(h.table("ORDER_REC_LINES"),
              "ORDER_REC_LINES: idx* LINE_NO ORDER_REC_KEY* | ORDER_REC_LINES_OCCURS -> ORDER_REC "
              "ORDER_REC_KEY=ORDER_REC_KEY");
    EXPECT_EQ(h.table("ORDER_REC_LINES_TAXES"),
              "ORDER_REC_LINES_TAXES: idx* idx_2* TAX ORDER_REC_KEY* | "
              "ORDER_REC_LINES_TAXES_OCCURS -> ORDER_REC_LINES idx=idx "
              "ORDER_REC_KEY=ORDER_REC_KEY");
    EXPECT_EQ(h.table("ORDER_REC_FILLER"),
              "ORDER_REC_FILLER: idx* MONTH_TOTAL ORDER_REC_KEY* | ORDER_REC_FILLER_OCCURS -> "
              "ORDER_REC ORDER_REC_KEY=ORDER_REC_KEY");
}

TEST_P(NewTable, ThresholdZeroSpreadsEveryOccursAndANegativeOneMovesThemAll) {
    for (const char* threshold : {"0", "-1"}) {
        ImportHarness h(GetParam());
        h.verify("T.cpy", kCustomer);
        h.option("ArrayFields", {"True"});
        h.option("Threshold", {threshold});
        EXPECT_EQ(h.importAll("T"), 0);
        const auto tables = h.count("SELECT count(*) FROM Tables");
        EXPECT_EQ(tables, threshold[0] == '0' ? 1 : 3) << "Threshold " << threshold;
    }
}

TEST_P(NewTable, AGroupMatchingAPatternMakesItsColumnsTheKey) {
    ImportHarness h(GetParam());
    h.verify("K.cpy", R"(
       01  ACCOUNT.
           05  ACCT-KEY.
               10  BRANCH          PIC 9(4).
               10  NUMBERS         OCCURS 2.
                   15  PART        PIC 9(3).
           05  BALANCE             PIC S9(9)V99.
)");
    h.option("AutoKey", {"True"});
    h.option("Patterns", {"*-KEY"});
    EXPECT_EQ(h.importAll("K"), 0);
    EXPECT_EQ(h.table("ACCOUNT"), "ACCOUNT: BRANCH* PART1* PART2* BALANCE");
}

TEST_P(NewTable, TwoRecordsMakeTwoTablesAndTheLastIsTheResult) {
    ImportHarness h(GetParam());
    h.verify("TWO.cpy", R"(
       01  FIRST-REC.
           05  A                   PIC X.
       01  SECOND-REC.
           05  B                   PIC X.
)");
    std::string newTableId;
    EXPECT_EQ(h.run([&](frmImport& form, headless::HeadlessWindow& w) {
        auto& tree = w.treeView("tvData");
        tree.pressKey('A', 2);
        w.button("cmdOK").click();
        newTableId = form.NewTableId;
        EXPECT_TRUE(tree.roots()[0]->visibleRequested() && tree.roots()[1]->visibleRequested())
            << "each record is shown as it is imported";
        EXPECT_EQ(tree.SelectedItem(), tree.roots()[1]);
    }),
              0);
    EXPECT_EQ(newTableId,
              std::to_string(h.count("SELECT TabID FROM Tables WHERE TableName = 'SECOND_REC'")));
    EXPECT_EQ(h.count("SELECT count(*) FROM Tables"), 2);
}

TEST_P(NewTable, APortsRecordsNameTheProgramThatReadsThePort) {
    ImportHarness h(GetParam());
    h.verify("P.cbl", R"(
       IDENTIFICATION DIVISION.
       PROGRAM-ID. READS.
       ENVIRONMENT DIVISION.
       INPUT-OUTPUT SECTION.
       FILE-CONTROL.
           SELECT F ASSIGN TO MASTER.
       DATA DIVISION.
       FILE SECTION.
       FD  F.
       01  MASTER-REC.
           05  M-KEY               PIC X(4).
       PROCEDURE DIVISION.
           READ F.
)");
    EXPECT_EQ(h.importAll("READS", "MASTER"), 0);
    std::string program;
    for (const auto& o : h.wb->catalog().objectsOfClass("PROGRAM"))
        program = std::to_string(o.id);
    const std::string reference = h.texts("SELECT SourceReference FROM Columns");
    EXPECT_EQ(reference.rfind("xr:" + program + "?", 0), 0u) << reference;
}

} // namespace
} // namespace vorq
