#include "schematool/SqlIdentifiers.h"
#include "support/ProjectFixture.h"
#include "toolkit/headless/HeadlessComboBox.h"

#include <gtest/gtest.h>

namespace vorq::schematool {
namespace {

using testing::ProjectFixture;

struct TableServices : testing::EngineTest {};
INSTANTIATE_TEST_SUITE_P(Engines, TableServices, testing::allEngines(), testing::engineName);

TEST_P(TableServices, TablesAreUniqueWithoutRegardToCase) {
    ProjectFixture p(GetParam());
    const std::int32_t first = p.addTable("CUSTOMER");
    EXPECT_GT(first, 0);
    std::string name = "customer";
    std::int32_t id = 77;
    std::string key = "K";
    EXPECT_FALSE(p.ws->TableAdd(name, id, key, {}, "DataStructImport", ""));
    EXPECT_EQ(id, 77) << "a refused table writes no id back";
    name = "";
    EXPECT_FALSE(p.ws->TableAdd(name, id, key, {}, "DataStructImport", ""));
    EXPECT_EQ(p.ws->GetFreeTableName("Customer"), "Customer_2");
    EXPECT_EQ(p.ws->GetFreeTableName("ORDERS"), "ORDERS");
}

TEST_P(TableServices, PrimaryAddIsIdempotentAndForeignAddRecordsChildAndParent) {
    ProjectFixture p(GetParam());
    std::int32_t parent = p.addTable("P");
    std::int32_t child = p.addTable("C");
    const std::int32_t index = p.ws->PrimaryAdd(parent);
    EXPECT_GT(index, 0);
    EXPECT_EQ(p.ws->PrimaryAdd(parent), index);
    EXPECT_NE(p.ws->PrimaryAdd(child), index);
    std::int32_t missing = 999;
    EXPECT_EQ(p.ws->PrimaryAdd(missing), 0);

    std::int32_t keyId = 0;
    ASSERT_TRUE(p.ws->ForeignAdd(child, parent, "C_OCCURS", keyId));
    EXPECT_EQ(p.count("SELECT TabID FROM ForeignKeys WHERE KeyID = " + std::to_string(keyId)),
              child);
    EXPECT_EQ(p.count("SELECT RefTabID FROM ForeignKeys WHERE KeyID = " + std::to_string(keyId)),
              parent);
    EXPECT_FALSE(p.ws->ForeignAdd(child, missing, "X", keyId));
}

// A table's primary index and a column's NOT NULL, set while their rows are new in the run,
// are saved with the rows.
TEST_P(TableServices, KeysSetOnRowsNewInTheRunAreSaved) {
    ProjectFixture p(GetParam());
    p.db->BeginTrans();
    std::int32_t tab = p.addTable("T");
    const std::int32_t column = p.addColumn(tab, "ID");
    const std::int32_t index = p.ws->PrimaryAdd(tab);
    p.ws->ColumnUpdate(column, false);
    p.db->CommitTrans();
    EXPECT_EQ(p.count("SELECT PrimaryIndexID FROM Tables WHERE TabID = " + std::to_string(tab)),
              index);
    EXPECT_EQ(
        p.count("SELECT Nullable + 10 FROM Columns WHERE ColumnID = " + std::to_string(column)),
        10);
}

TEST_P(TableServices, ClashingColumnNamesGetNumberedAndPositionsFollow) {
    ProjectFixture p(GetParam());
    std::int32_t tab = p.addTable("PERSON");
    p.addColumn(tab, "CITY");
    p.addColumn(tab, "City");
    p.addColumn(tab, "city_2");
    std::int32_t idx = 0;
    for (int i = 0; i < 2; ++i)
        p.ws->ColumnAdd(tab, "idx", 4, 0, 0, false, "Occurs indexing field", "", {},
                        "DataStructImport", "", -1, idx);
    EXPECT_EQ(p.texts("SELECT ColumnName || ':' || Position FROM Columns WHERE TabID = " +
                      std::to_string(tab) + " ORDER BY Position"),
              "CITY:1 City_2:2 city_2_2:3 idx:4 idx_2:5");
    EXPECT_EQ(p.count("SELECT Nullable FROM Columns WHERE ColumnID = " + std::to_string(idx)), 0);
}

TEST_P(TableServices, ColumnCopyMakesAFreeNotNullCopyInTheTarget) {
    ProjectFixture p(GetParam());
    std::int32_t parent = p.addTable("P");
    std::int32_t child = p.addTable("C");
    const std::int32_t id = p.addColumn(parent, "CUST_ID", 20, 8, 0);
    p.addColumn(child, "CUST_ID");
    const std::int32_t copy = p.ws->ColumnCopy(id, child, true);
    auto row = p.db->prepare(
        "SELECT ColumnName, TypeID, Precision, Nullable, TabID FROM Columns WHERE ColumnID = ?1");
    row->bind(1, copy);
    ASSERT_TRUE(row->step());
    EXPECT_EQ(row->text(0), "CUST_ID_2");
    EXPECT_EQ(row->integer(1), 20);
    EXPECT_EQ(row->integer(2), 8);
    EXPECT_EQ(row->integer(3), 0);
    EXPECT_EQ(row->integer(4), child);
}

// A copy takes what the column holds at that moment, whoever changed it since it was made.
TEST_P(TableServices, ColumnCopyFollowsChangesToTheColumnAndItsRollback) {
    ProjectFixture p(GetParam());
    std::int32_t parent = p.addTable("P");
    std::int32_t child = p.addTable("C");
    p.db->BeginTrans();
    const std::int32_t id = p.addColumn(parent, "AMOUNT", 20, 8, 2);
    const auto copied = [&](std::int32_t copy) {
        return p.texts("SELECT ColumnName || ':' || Precision || ':' || Nullable FROM Columns "
                       "WHERE ColumnID = " +
                       std::to_string(copy));
    };
    EXPECT_EQ(copied(p.ws->ColumnCopy(id, child, false)), "AMOUNT:8:1");
    p.db->Execute("UPDATE Columns SET ColumnName = 'TOTAL', Precision = 9 WHERE ColumnID = " +
                  std::to_string(id));
    p.ws->ColumnUpdate(id, false);
    EXPECT_EQ(copied(p.ws->ColumnCopy(id, child, false)), "TOTAL:9:0");
    p.db->Rollback();
    EXPECT_THROW(p.ws->ColumnCopy(id, child, false), Error) << "the column went with the rollback";
}

// What a load needs to find each column's bytes: the role of each column that an import made
// and which occurrence of its item it holds.
TEST_P(TableServices, LineageNumbersTheOccurrencesOfAnItemPerTableAndChildTablesPerParent) {
    ProjectFixture p(GetParam());
    const auto table = [&](std::string name, const std::string& reference) {
        std::int32_t id = 0;
        std::string key = "K";
        EXPECT_TRUE(p.ws->TableAdd(name, id, key, {}, "DataStructImport", reference));
        return id;
    };
    const auto column = [&](std::int32_t tab, const std::string& name,
                            const std::string& reference) {
        std::int32_t type = 4, precision = 0, scale = 0;
        std::string message;
        p.ws->ColumnImport(tab, name, type, precision, scale, {}, "DataStructImport", reference,
                           message);
    };
    std::int32_t record = table("R", "xr:K?1");
    column(record, "A1", "xr:K?5");
    column(record, "A2", "xr:K?5");
    column(record, "B", "xr:K?6");
    column(record, "A3", "xr:K?5");
    column(record, "HANDMADE", "");
    std::int32_t key = 0;
    p.ws->ColumnAdd(record, "R_KEY", 4, 0, 0, false, "Primary key", "", {}, "DataStructImport",
                    "xr:K?1", -1, key);
    std::int32_t first = table("R_C1", "xr:K?9"), second = table("R_C2", "xr:K?9");
    std::int32_t inner = table("R_C1_D", "xr:K?9");
    std::int32_t keyId = 0;
    ASSERT_TRUE(p.ws->ForeignAdd(first, record, "F1", keyId));
    ASSERT_TRUE(p.ws->ForeignAdd(second, record, "F2", keyId));
    ASSERT_TRUE(p.ws->ForeignAdd(inner, first, "F3", keyId));
    p.ws->ColumnAdd(first, "idx", 4, 0, 0, false, "Occurs indexing field", "", {},
                    "DataStructImport", "xr:K?9", -1, key);
    p.ws->ColumnAdd(first, "NOTE", 4, 0, 0, true, "A note", "", {}, "DataStructImport", "xr:K?9",
                    -1, key);

    EXPECT_EQ(p.texts("SELECT ColumnName || ':' || LineageRole || ':' || LineageOccurrence FROM "
                      "Columns WHERE LineageRole IS NOT NULL ORDER BY ColumnID"),
              "A1:item:1 A2:item:2 B:item:1 A3:item:3 R_KEY:key:1 idx:index:1")
        << "hand-made columns and columns of no known role have none";
    EXPECT_EQ(p.texts("SELECT TableName || ':' || LineageRole || ':' || LineageOccurrence FROM "
                      "Tables WHERE LineageRole IS NOT NULL ORDER BY TabID"),
              "R:table:1 R_C1:table:1 R_C2:table:2 R_C1_D:table:1")
        << "the child tables of one parent from one item are its occurrences in turn";
}

TEST_P(TableServices, LoadTableComboListsEveryTableWithItsId) {
    ProjectFixture p(GetParam());
    const std::int32_t b = p.addTable("B_TABLE");
    const std::int32_t a = p.addTable("a_table");
    headless::HeadlessComboBox combo("cmbTable");
    combo.AddItem("stale");
    p.ws->LoadTableCombo(combo);
    ASSERT_EQ(combo.ListCount(), 2);
    EXPECT_EQ(combo.List(0), "a_table");
    EXPECT_EQ(combo.ItemData(0), a);
    EXPECT_EQ(combo.ItemData(1), b);
}

TEST(SqlIdentifiers, CobolNamesBecomePortableIdentifiers) {
    EXPECT_EQ(sqlIdentifier("CUST-NAME", 128), "CUST_NAME");
    EXPECT_EQ(sqlIdentifier("WS-AMT$2", 128), "WS_AMT_2");
    EXPECT_EQ(sqlIdentifier("2ND-ADDR", 128), "N2ND_ADDR");
    EXPECT_EQ(sqlIdentifier("ORDER", 128), "ORDER_");
    EXPECT_EQ(sqlIdentifier("date", 128), "date_");
    EXPECT_EQ(sqlIdentifier("CUSTOMER-MASTER-RECORD-FOR-BRANCH", 30),
              "CUSTOMER_MASTER_RECORD_BRANCH");
    EXPECT_TRUE(isReservedWord("Select"));
    EXPECT_FALSE(isReservedWord("CUSTOMER"));
}

TEST(SqlIdentifiers, NumberedNamesStayWithinTheLimit) {
    std::set<std::string> taken{"ABCDEFGHIJ", "ABCDEFGH_2"};
    const auto isTaken = [&](const std::string& n) { return taken.count(n) > 0; };
    EXPECT_EQ(uniqueIdentifier("ABCDEFGHIJ", 10, isTaken), "ABCDEFGH_3");
    EXPECT_EQ(uniqueIdentifier("FREE", 10, isTaken), "FREE");

    ProjectFixture p;
    p.platform.optionsFile().set("IdentifierLimit", {"18"});
    schematool::SchemaWorkspace narrow(p.platform, p.db);
    EXPECT_EQ(narrow.SQLID("VERY-LONG-CUSTOMER-NAME"), "VERY_LONG_CUS_NAME");
    p.addTable("VERY_LONG_CUS_NAME");
    EXPECT_EQ(narrow.GetFreeTableName("VERY_LONG_CUS_NAME"), "VERY_LONG_C_NAME_2");
}

} // namespace
} // namespace vorq::schematool
