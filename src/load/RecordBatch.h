#pragma once

#include "load/FieldDecoder.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorq::load {

// A problem of one record: a bad field, or why the whole record cannot be read.
struct RecordProblem {
    std::string column;
    std::int64_t offset = 0; // within the record
    std::int64_t length = 0;
    std::string reason;
};

// One record of a batch and what decoding made of it.
struct BatchRecord {
    std::int64_t number = 0;
    std::int64_t offset = 0;                // in the file
    std::size_t begin = 0, size = 0;        // its bytes in the batch
    bool skipped = false;                   // of no record type that the load takes
    int type = 0;                           // else: which of the load's plans it is of
    std::size_t firstRow = 0, rowCount = 0; // its rows in the batch's pool
    std::vector<RecordProblem> problems;
};

// Consecutive records of the file, read together, decoded by one thread and inserted in
// their turn. Everything is kept and reused from one use of the batch to the next.
struct RecordBatch {
    std::int64_t sequence = 0;
    std::string bytes;
    std::vector<BatchRecord> records;
    std::size_t recordCount = 0;
    // The rows of all records: the table's number and the row's values.
    std::vector<std::pair<int, std::vector<FieldValue>>> rows;
    std::size_t rowCount = 0;
    std::int64_t bytesRead = 0; // of the file, up to the batch's end

    std::string_view recordBytes(const BatchRecord& r) const {
        return std::string_view(bytes).substr(r.begin, r.size);
    }
    void clear() {
        bytes.clear();
        recordCount = 0;
        rowCount = 0;
    }
    BatchRecord& addRecord() {
        if (recordCount == records.size())
            records.emplace_back();
        BatchRecord& r = records[recordCount++];
        r.skipped = false;
        r.type = 0;
        r.problems.clear();
        r.firstRow = rowCount;
        r.rowCount = 0;
        return r;
    }
    std::pair<int, std::vector<FieldValue>>& addRow(int table) {
        if (rowCount == rows.size())
            rows.emplace_back();
        auto& row = rows[rowCount++];
        row.first = table;
        return row;
    }
};

} // namespace vorq::load
