#pragma once

#include "host/Value.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorq::projectdb {

// The table that an INSERT, UPDATE or DELETE statement changes ("" for any other statement),
// and whether it only adds rows.
struct SqlChange {
    std::string table; // in lower case
    bool addsOnly = false;
};
SqlChange changeOf(std::string_view sql);

// True when the statement is a SELECT: its first word, after blanks, in any case.
bool isSelect(std::string_view sql);

// True when the text has the table's name as a word of its own, without regard to case
// ("Columns" is in "FROM Columns c", not in "IndexColumns" or "ColumnID"). Names inside
// quoted text count too: a false yes only costs an early send.
bool namesTable(std::string_view sql, std::string_view table);

// The row that "INSERT INTO t (a, b) VALUES (1, 'x')" adds, when every value is a whole
// number, a quoted text or NULL; nothing for any other statement.
struct LiteralRow {
    std::string table;
    std::vector<std::string> columns;
    std::vector<Value> values;
};
std::optional<LiteralRow> literalInsert(std::string_view sql);

// "UPDATE t SET c = ?2 WHERE k = ?1": one column of the row with a key set, with the numbers of
// the two placeholders; nothing for any other statement.
struct KeyedUpdate {
    std::string table; // in lower case, as the column names
    std::string column;
    int valueParameter = 0;
    std::string key;
    int keyParameter = 0;
};
std::optional<KeyedUpdate> keyedUpdate(std::string_view sql);

// A query whose whole numbers are compared in its text ("where RefTabID = 17": the component's
// key queries, one per table) becomes a template with those numbers as $1, $2 ..., so that the
// server parses and plans it once per connection instead of once per table. Numbers elsewhere
// (function arguments, LIMIT) stay, since a bigint there may not fit. Empty when the text has
// placeholders of its own or no such numbers.
std::string numbersAsParameters(std::string_view sql, std::vector<Value>& numbers);

} // namespace vorq::projectdb
