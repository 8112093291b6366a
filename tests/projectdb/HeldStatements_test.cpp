#include "projectdb/HeldStatements.h"

#include <gtest/gtest.h>

namespace vorq::projectdb {
namespace {

const HeldStatements::Batch kColumns{"columns",
                                     "INSERT INTO Columns (ColumnID, Name) ...",
                                     {"columnid", "name"},
                                     {true, false},
                                     true};
const HeldStatements::Batch kIndexColumns{
    "indexcolumns", "INSERT INTO IndexColumns (a) ...", {"a"}, {true}, false};

// Each statement as "sql" or, for a batch, "sql [array|array]".
std::vector<std::string> shown(const std::vector<postgres::Statement>& statements) {
    std::vector<std::string> lines;
    for (const auto& s : statements) {
        std::string line = s.sql;
        for (std::size_t i = 0; i < s.parameters.size(); ++i)
            line += (i ? "|" : " [") + s.parameters[i].value_or("NULL");
        lines.push_back(line + (s.parameters.empty() ? "" : "]"));
    }
    return lines;
}

TEST(HeldStatements, RowsOfATableGatherAndKeepTheirOrderAroundStatements) {
    HeldStatements held;
    const Value one(1), two(2), three(3);
    held.addRow(kColumns, &one, {"A"});
    held.addRow(kIndexColumns, nullptr, {7});
    held.addStatement({"UPDATE Tables SET PrimaryIndexID = $2 WHERE TabID = $1", {}, {}, true});
    // Not named by the update: joins the batch before it.
    held.addRow(kColumns, &two, {"say \"hi\""});
    held.addStatement({"UPDATE Columns SET Nullable = 0 WHERE ColumnID = 1", {}, {}, false});
    // Named by the update: starts a batch after it.
    held.addRow(kColumns, &three, {Value()});
    EXPECT_GT(held.bytes(), 0u);
    EXPECT_EQ(shown(held.takeAll()),
              (std::vector<std::string>{
                  "INSERT INTO Columns (ColumnID, Name) ... [{1,2}|{\"A\",\"say \\\"hi\\\"\"}]",
                  "INSERT INTO IndexColumns (a) ... [{7}]",
                  "UPDATE Tables SET PrimaryIndexID = $2 WHERE TabID = $1",
                  "UPDATE Columns SET Nullable = 0 WHERE ColumnID = 1",
                  "INSERT INTO Columns (ColumnID, Name) ... [{3}|{NULL}]"}));
    EXPECT_TRUE(held.empty());
    EXPECT_EQ(held.bytes(), 0u);
}

TEST(HeldStatements, AQueryTakesWhatItReadsAndAllHeldBeforeIt) {
    HeldStatements held;
    held.addRow(kIndexColumns, nullptr, {7});
    held.addRow(kColumns, nullptr, {1, "A"});
    held.addStatement({"UPDATE ForeignKeys SET KeyName = 'K'", {}, {}, false});
    EXPECT_TRUE(held.takeBefore("select * from Tables where TabID = 1").empty());
    EXPECT_EQ(shown(held.takeBefore("select * from Columns")),
              (std::vector<std::string>{"INSERT INTO IndexColumns (a) ... [{7}]",
                                        "INSERT INTO Columns (ColumnID, Name) ... [{1}|{\"A\"}]"}));
    // What stayed held still takes rows, after what went.
    held.addRow(kColumns, nullptr, {2, "B"});
    EXPECT_EQ(shown(held.takeBefore("select * from ForeignKeys")),
              (std::vector<std::string>{"UPDATE ForeignKeys SET KeyName = 'K'"}));
    held.addStatement({"VACUUM", {}, {}, false});
    EXPECT_EQ(shown(held.takeBefore("select 1")),
              (std::vector<std::string>{"INSERT INTO Columns (ColumnID, Name) ... [{2}|{\"B\"}]",
                                        "VACUUM"}))
        << "a statement of unknown reach goes before anything";
}

TEST(HeldStatements, ARowOfAnotherShapeOfTheSameTableGoesAfterTheRowsBeforeIt) {
    HeldStatements held;
    const HeldStatements::Batch literal{
        "indexcolumns", "INSERT INTO IndexColumns (a, b) ...", {"a", "b"}, {true, true}, false};
    held.addRow(kIndexColumns, nullptr, {1});
    held.addRow(literal, nullptr, {2, 3});
    held.addRow(kIndexColumns, nullptr, {4});
    EXPECT_EQ(shown(held.takeAll()),
              (std::vector<std::string>{"INSERT INTO IndexColumns (a) ... [{1}]",
                                        "INSERT INTO IndexColumns (a, b) ... [{2}|{3}]",
                                        "INSERT INTO IndexColumns (a) ... [{4}]"}));
}

// An update of a row that is still gathering is made in the row; one that a statement stands
// between, or of a row already gone, is left to run.
TEST(HeldStatements, AnUpdateOfARowStillGatheringIsMadeInTheRow) {
    HeldStatements held;
    const Value one(1), two(2);
    held.addRow(kColumns, &one, {"A"});
    held.addRow(kColumns, &two, {"B"});
    EXPECT_TRUE(held.setHeld("columns", "columnid", 1, "name", "Z"));
    EXPECT_FALSE(held.setHeld("columns", "columnid", 3, "name", "Z")) << "no such row held";
    EXPECT_FALSE(held.setHeld("columns", "columnid", 1, "other", "Z")) << "no such column";
    EXPECT_FALSE(held.setHeld("indexcolumns", "a", 7, "a", 8)) << "rows without an id";
    held.addStatement({"UPDATE Columns SET Name = 'Y'", {}, {}, false});
    EXPECT_FALSE(held.setHeld("columns", "columnid", 2, "name", "X"))
        << "the statement in between would see the row as it was";
    EXPECT_EQ(
        shown(held.takeAll()),
        (std::vector<std::string>{"INSERT INTO Columns (ColumnID, Name) ... [{1,2}|{\"Z\",\"B\"}]",
                                  "UPDATE Columns SET Name = 'Y'"}));
}

} // namespace
} // namespace vorq::projectdb
