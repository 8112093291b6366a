#pragma once

#include "host/Value.h"
#include "postgres/Postgres.h"

#include <string>
#include <string_view>
#include <vector>

namespace vorq::projectdb {

// Statements that answer nothing, held back to travel with the next one that does. Rows of one
// table and the same columns gather into one INSERT whose parameters are arrays of each
// column's values. The rows of a table go in the order they were held; a statement goes after
// every row held before it of a table that it names, and only statements and rows of the
// tables that an answering statement names, with all held before them, go before it. This
// holds because the project's statements reach tables only by naming them: the schema has no
// views, and its triggers read only their own table or run at commit.
class HeldStatements {
public:
    // The INSERT that adds rows of one shape: an array parameter per column, unnested in
    // order. Names are in lower case; with an id, the id column comes first. whole says which
    // columns are of an integer type.
    struct Batch {
        std::string table;
        std::string sql;
        std::vector<std::string> columns;
        std::vector<bool> whole;
        bool hasId = false;
    };

    // Holds a row of the batch's shape (one Batch per shape); id goes first when given. The
    // batch must outlive the row's stay.
    void addRow(const Batch& batch, const Value* id, const std::vector<Value>& values);
    void addStatement(postgres::Statement statement);
    // Sets a column of a row still gathering, found by its id, in place of an UPDATE of it
    // that no held statement stands between: true when such a row is held.
    bool setHeld(std::string_view table, std::string_view idColumn, const Value& id,
                 std::string_view column, const Value& value);
    // What has to run before the statement sql, in the order held; the rest stays held.
    std::vector<postgres::Statement> takeBefore(std::string_view sql);
    std::vector<postgres::Statement> takeAll();
    bool empty() const { return held_.empty(); }
    // About how much the held statements send.
    std::size_t bytes() const { return bytes_; }

private:
    struct Held {
        postgres::Statement statement;
        std::string table; // the table it changes; "" when not known
        bool open = false; // a batch that still takes rows
        std::size_t bytes = 0;
        const Batch* batch = nullptr;                   // none for a statement
        std::vector<std::vector<std::string>> elements; // per column, while open
    };
    void close(Held& held);
    std::vector<postgres::Statement> take(std::size_t count);

    std::vector<Held> held_;
    std::size_t bytes_ = 0;
};

} // namespace vorq::projectdb
