#include "projectdb/SqlText.h"

#include <gtest/gtest.h>

namespace vorq::projectdb {
namespace {

TEST(SqlText, ATableIsNamedOnlyAsAWordOfItsOwn) {
    EXPECT_TRUE(namesTable("select C.* from Tables T, IndexColumns IC, Columns C", "columns"));
    EXPECT_TRUE(namesTable("UPDATE columns SET Nullable = 0", "Columns"));
    EXPECT_TRUE(namesTable("SELECT * FROM Columns", "columns"));
    EXPECT_FALSE(namesTable("select * from IndexColumns where ColumnID = 1", "columns"));
    EXPECT_FALSE(namesTable("select * from ForeignKeys where RefTabID = 3", "tables"));
    EXPECT_FALSE(namesTable("", "tables"));
}

TEST(SqlText, AnInsertOfLiteralsIsReadAsARow) {
    const auto row = literalInsert("insert into IndexColumns(IndexID,ColumnID, Direction, "
                                   "Position) values (12,-7,'it''s',NULL)");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->table, "indexcolumns");
    EXPECT_EQ(row->columns,
              (std::vector<std::string>{"indexid", "columnid", "direction", "position"}));
    ASSERT_EQ(row->values.size(), 4u);
    EXPECT_EQ(row->values[0].toInt64(), 12);
    EXPECT_EQ(row->values[1].toInt64(), -7);
    EXPECT_EQ(row->values[2].toString(), "it's");
    EXPECT_TRUE(row->values[3].isNull());
    // Anything else stays a statement.
    for (const char* other :
         {"insert into t(a) values (1.5)", "insert into t(a) values (now())",
          "insert into t(a, b) values (1)", "insert into t(a) values (1); delete from t",
          "insert into t(a) select 1", "insert into t values (1)", "insert into t(a) values ('x)",
          "insert into \"T\"(a) values (1)", "update t set a = 1"})
        EXPECT_FALSE(literalInsert(other)) << other;
}

TEST(SqlText, AnUpdateOfOneColumnByKeyIsRead) {
    const auto update = keyedUpdate("UPDATE Tables SET PrimaryIndexID = ?2 WHERE TabID = ?1");
    ASSERT_TRUE(update);
    EXPECT_EQ(update->table, "tables");
    EXPECT_EQ(update->column, "primaryindexid");
    EXPECT_EQ(update->valueParameter, 2);
    EXPECT_EQ(update->key, "tabid");
    EXPECT_EQ(update->keyParameter, 1);
    for (const char* other :
         {"UPDATE Tables SET a = ?2, b = ?3 WHERE TabID = ?1",
          "UPDATE Tables SET a = ?2 WHERE TabID = ?1 AND b = 0",
          "UPDATE Tables SET a = 5 WHERE TabID = ?1", "UPDATE Tables SET a = ?2 WHERE TabID > ?1",
          "UPDATE Tables SET a = ?2", "DELETE FROM Tables WHERE TabID = ?1"})
        EXPECT_FALSE(keyedUpdate(other)) << other;
}

} // namespace
} // namespace vorq::projectdb
