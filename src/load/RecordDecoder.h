#pragma once

#include "load/FieldDecoder.h"
#include "load/LoadPlan.h"
#include "load/RecordBatch.h"
#include "load/RecordReader.h"

#include <string>
#include <vector>

namespace vorq::load {

class CodePage;
// Turns the records of a batch into rows of the plans' tables (numbered as tablesInOrder
// numbers them). A record is of the first plan whose conditions it meets (its record type),
// or of none. Each decoding thread has its own.
class RecordDecoder {
public:
    RecordDecoder(const std::vector<const LoadPlan*>& plans, const CodePage& page,
                  RecordFormat format);

    void decode(RecordBatch& batch);

private:
    // A table of the plan with its number, and its child tables.
    struct TableNode {
        const TablePlan* plan = nullptr;
        int number = 0;
        std::vector<TableNode> children;
    };
    // A record type: its plan and its tables.
    struct Type {
        const LoadPlan* plan = nullptr;
        TableNode root;
    };
    // The table and its child tables numbered from next on, as tablesInOrder numbers them.
    static TableNode number(const TablePlan& table, int& next);
    void decodeRecord(RecordBatch& batch, BatchRecord& record);
    std::string_view padded(std::string_view bytes);
    bool matches(const LoadPlan& plan, std::string_view bytes);
    void readCounts(std::string_view bytes, BatchRecord& record);
    // Whether the occurrences of variable tables that a column or table lies in are there.
    bool present(const std::vector<Presence>& presence) const;
    // Whether the counts of the variable tables before a column are known.
    bool placed(const ColumnPlan& column) const;
    void decodeRows(const TableNode& table, std::string_view bytes, std::int64_t base,
                    std::int64_t index, std::size_t parentRow, RecordBatch& batch,
                    BatchRecord& record);
    void decodeColumn(const ColumnPlan& column, std::string_view bytes, std::int64_t base,
                      FieldValue& value, BatchRecord& record);

    const CodePage& page_;
    RecordFormat format_;
    std::vector<Type> types_;
    std::int64_t longest_ = 0;         // of the types' records: short lines are padded to it
    const LoadPlan* plan_ = nullptr;   // the type of the record being decoded
    std::vector<std::int64_t> counts_; // of the record being decoded; -1 when unknown
    std::string padding_;
    FieldValue scratch_;
};

} // namespace vorq::load
