#pragma once

#include "host/Value.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace vorq::schematool {

// The tables that the run in progress added, followed far enough to answer two questions of
// the import without the server: the primary-key columns of a table that has no primary index
// (none), and the foreign keys that refer to a table that no key of the run refers to (none).
// The import asks both once or twice per table it makes, and most answers are empty; on a
// distant server each question was a round trip that also had to carry every row held back.
// Tables made by the run cannot be named by rows of other programs before it commits, so only
// the run's own rows count. Whatever the tracker cannot follow makes it forget all it knows.
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

    // The columns of a query's answer: those of a table, then any named after them.
    struct Columns {
        std::string_view table;
        std::vector<std::string_view> after;
    };
    // For a query (as the import writes it, its number as a parameter) that is known to return
    // no rows, the columns that its empty answer has.
    std::optional<Columns> answersNothing(std::string_view sql,
                                          const std::vector<Value>& parameters) const;

    // The two questions, with their number as $1.
    static constexpr std::string_view kReferencingKeys =
        "select * from ForeignKeys where RefTabID = $1";
    static constexpr std::string_view kKeyColumns =
        "select C.*, IC.Position as IPosition from Tables T, IndexColumns IC, Columns C where "
        "T.PrimaryIndexID = IC.IndexID and IC.ColumnID = C.ColumnID and T.TabID = $1 order by "
        "IC.Position";

private:
    std::unordered_map<std::int64_t, bool> hasPrimaryIndex_; // by TabID
    std::unordered_set<std::int64_t> referenced_;            // RefTabIDs of the run's keys
};

} // namespace vorq::schematool
