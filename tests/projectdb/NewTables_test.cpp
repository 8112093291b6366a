#include "host/ProjectQueries.h"
#include "projectdb/NewTables.h"

#include <gtest/gtest.h>

namespace vorq::projectdb {
namespace {

const std::vector<std::string> kTableRow{"TableName", "PrimaryIndexID"};
const std::vector<std::string> kKeyRow{"KeyName", "TabID", "RefTabID"};

struct Questions {
    NewTables& tables;
    bool keyColumnsNone(std::int64_t tab) const {
        return tables.answer(projectQueries::kKeyColumns, {Value(tab)}).has_value();
    }
    // The referring keys as "keyid name tabid reftabid;" each; "?" when the server must say.
    std::string referencing(std::int64_t tab) const {
        const auto known = tables.answer(projectQueries::kReferencingKeys, {Value(tab)});
        if (!known)
            return "?";
        std::string shown;
        for (const auto& row : known->rows) {
            for (const Value& value : row)
                shown += value.toString() + " ";
            shown.back() = ';';
        }
        return shown;
    }
};

TEST(NewTables, ATableOfTheRunHasNoKeyColumnsUntilItsIndexIsSetAndTheKeysTheRunAddedToIt) {
    NewTables tables;
    const Questions ask{tables};
    const Value seven(7);
    tables.rowAdded("Tables", "TabID", kTableRow, &seven, {"CUST", Value()});
    EXPECT_TRUE(ask.keyColumnsNone(7));
    EXPECT_EQ(ask.referencing(7), "");
    const auto none = tables.answer(projectQueries::kKeyColumns, {Value(7)});
    EXPECT_EQ(none->table, "Columns");
    EXPECT_EQ(none->after, (std::vector<std::string_view>{"iposition"}));
    EXPECT_TRUE(none->rows.empty());

    tables.statementRun("UPDATE Tables SET PrimaryIndexID = ?2 WHERE TabID = ?1", {7, 30});
    EXPECT_FALSE(ask.keyColumnsNone(7)) << "the index may have columns now";
    tables.statementRun("UPDATE Tables SET PrimaryIndexID = ?2 WHERE TabID = ?1", {7, Value()});
    EXPECT_TRUE(ask.keyColumnsNone(7));

    const Value key40(40), key41(41);
    tables.rowAdded("foreignkeys", "KeyID", kKeyRow, &key40, {"FK_B", 9, 7});
    tables.rowAdded("ForeignKeys", "KeyID", kKeyRow, &key41, {"FK_A", 8, 7});
    EXPECT_EQ(ask.referencing(7), "40 FK_B 9 7;41 FK_A 8 7;") << "in the order added";
    EXPECT_EQ(tables.answer(projectQueries::kReferencingKeys, {Value(7)})->table, "ForeignKeys");
    EXPECT_TRUE(ask.keyColumnsNone(7));

    EXPECT_FALSE(tables.answer(projectQueries::kKeyColumns, {Value("7")}))
        << "only a whole number is a table's id";
    EXPECT_FALSE(tables.answer("select * from Tables where TabID = $1", {Value(7)}))
        << "no other question is answered";
}

TEST(NewTables, OnlyTablesAndKeysWhoseRowsItReadWholeAreAnswered) {
    NewTables tables;
    const Questions ask{tables};
    EXPECT_FALSE(ask.keyColumnsNone(1)) << "a table from before the run";
    EXPECT_EQ(ask.referencing(1), "?");
    const Value two(2), three(3), key(50);
    tables.rowAdded("Tables", "TabID", {"TableName"}, &two, {"T"});
    EXPECT_FALSE(ask.keyColumnsNone(2)) << "its index was left to the column's default";
    tables.rowAdded("Tables", "", {"TabID", "TableName", "PrimaryIndexID"}, nullptr,
                    {3, "T3", Value()});
    EXPECT_TRUE(ask.keyColumnsNone(3)) << "a written-out row names its id among its values";

    tables.rowAdded("ForeignKeys", "", {"KeyID", "KeyName", "TabID", "RefTabID"}, nullptr,
                    {51, "FK", 9, 3});
    EXPECT_EQ(ask.referencing(3), "51 FK 9 3;");
    tables.rowAdded("ForeignKeys", "KeyID", {"TabID", "RefTabID"}, &key, {9, 3});
    EXPECT_EQ(ask.referencing(3), "?") << "a key whose name was left to a default";
    EXPECT_TRUE(ask.keyColumnsNone(3));
}

TEST(NewTables, WhatItCannotFollowMakesItForgetAndReadingDoesNot) {
    const auto afterStatement = [](const std::string& sql) {
        NewTables tables;
        const Value five(5);
        tables.rowAdded("Tables", "TabID", kTableRow, &five, {"T", Value()});
        tables.statementRun(sql, {});
        return Questions{tables}.keyColumnsNone(5);
    };
    EXPECT_TRUE(afterStatement("SELECT count(*) FROM Tables"));
    EXPECT_TRUE(afterStatement("  select * from ForeignKeys"));
    EXPECT_TRUE(afterStatement("UPDATE Columns SET Nullable = 0 WHERE ColumnID = 1"));
    EXPECT_TRUE(afterStatement("INSERT INTO IndexColumns (IndexID) VALUES (1)"));
    EXPECT_TRUE(afterStatement("UPDATE Tables SET LineageOccurrence = ?2 WHERE TabID = ?1"));
    EXPECT_FALSE(afterStatement("UPDATE ForeignKeys SET KeyName = ?2 WHERE KeyID = ?1"));
    EXPECT_FALSE(afterStatement("UPDATE ForeignKeys SET RefTabID = ?2 WHERE KeyID = ?1"));
    EXPECT_FALSE(afterStatement("UPDATE Tables SET TabID = ?2 WHERE TabID = ?1"));
    EXPECT_FALSE(afterStatement("UPDATE Tables SET PrimaryIndexID = ?2 WHERE TableName = ?1"));
    EXPECT_FALSE(afterStatement("UPDATE Tables SET PrimaryIndexID = 3"));
    EXPECT_FALSE(afterStatement("update tables set PrimaryIndexID = 3 where TableName = 'T'"));
    EXPECT_FALSE(afterStatement("DELETE FROM ForeignKeys WHERE KeyID = 2"));
    EXPECT_FALSE(afterStatement("WITH x AS (UPDATE Tables SET TableName = 'U') SELECT 1"));
    EXPECT_FALSE(afterStatement("selecting Tables"));

    NewTables tables;
    const Value five(5), key(9);
    tables.rowAdded("Tables", "TabID", kTableRow, &five, {"T", Value()});
    tables.rowAdded("ForeignKeys", "KeyID", kKeyRow, &key, {"K", 6, "5"});
    EXPECT_FALSE(Questions{tables}.keyColumnsNone(5)) << "a key to a table it cannot read";
    tables.rowAdded("Tables", "TabID", kTableRow, &five, {"T", Value()});
    tables.forget();
    EXPECT_FALSE(Questions{tables}.keyColumnsNone(5));
}

} // namespace
} // namespace vorq::projectdb
