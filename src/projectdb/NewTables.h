#pragma once

#include "host/Value.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace vorq::projectdb {

// The tables that the run in progress added, followed far enough to answer two questions of
// the import without the server: the primary-key columns of a table that has no primary index
// (none), and the foreign keys that refer to a table (those the run added). The import asks
// both once or twice per table it makes; on a distant server each question was a round trip
// that also had to carry every row held back. Tables made by the run cannot be named by rows
// of other programs before it commits, so the run's own rows are the whole answer. Whatever
// the tracker cannot follow makes it forget all it knows, and the server answers.
class NewTables {
public:
    // A row the run adds, by its table and columns (any case) and values; id is the value of
    // idColumn when it is given apart from the values.
    void rowAdded(std::string_view table, std::string_view idColumn,
                  const std::vector<std::string>& columns, const Value* id,
                  const std::vector<Value>& values);
    // A statement the run sends, with its values; rows added as such go to rowAdded instead.
    void statementRun(std::string_view sql, const std::vector<Value>& values);
    // Forgets everything: at the ends of a run, and wherever the rows may have changed unseen.
    void forget();

    // An answer known without the server: the columns of a table, then any named after them,
    // and rows of the values of the columns named in columns, in that order.
    struct Answer {
        std::string_view table;
        std::vector<std::string_view> after;
        std::vector<std::string_view> columns;
        std::vector<std::vector<Value>> rows;
    };
    // The answer to one of host/ProjectQueries.h's questions (its number as a parameter) when it is
    // known.
    std::optional<Answer> answer(std::string_view sql, const std::vector<Value>& parameters) const;

private:
    // A foreign key's row, by the columns of ForeignKeys.
    struct Key {
        std::int64_t keyId = 0;
        std::string name;
        std::int64_t tabId = 0;
    };
    std::unordered_map<std::int64_t, bool> hasPrimaryIndex_;    // by TabID
    std::unordered_map<std::int64_t, std::vector<Key>> keysTo_; // by RefTabID, in order added
    std::unordered_set<std::int64_t> keysPartlyKnown_;          // RefTabIDs of keys not read whole
};

} // namespace vorq::projectdb
