#pragma once

#include "load/RecordReader.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vorq::load {

class CodePage;
class RowTarget;
struct LoadPlan;

// How far a load has come, for a progress display.
struct LoadProgress {
    std::int64_t records = 0;
    std::int64_t bytesRead = 0;
    std::int64_t fileSize = 0;
    std::chrono::steady_clock::duration elapsed{};
};

struct LoadSettings {
    RecordFormatOptions format;    // a record length of 0 takes the layout's
    std::filesystem::path rejects; // empty: no reject file
    std::int64_t maxErrors = -1;   // records with errors tolerated; -1: no limit
    bool rejectRecords = false;    // a record with a bad field is left out, not loaded with NULL
    unsigned threads = 0;          // decoding threads; 0: one per core
    std::function<void(const LoadProgress&)> progress; // called about twice a second
};

struct LoadSummary {
    std::int64_t records = 0;    // read from the file
    std::int64_t skipped = 0;    // not of the record type asked for
    std::int64_t rejected = 0;   // left out
    std::int64_t withErrors = 0; // with a bad field or left out
    std::vector<std::pair<std::string, std::int64_t>> rowsPerTable;
    std::vector<std::string> columnsWithoutSource; // "TABLE.COLUMN: why"
    std::int64_t bytes = 0;
    double seconds = 0;
};

// Reads the data file a batch of records at a time, decodes the batches on all cores and adds
// their rows to the target in the file's order, in one transaction: committed when the file
// is read through, rolled back when the file is damaged, the target fails or more records
// than maxErrors have errors (then vorq::Error is raised). Bad fields are listed in the reject
// file.
LoadSummary runLoad(const LoadPlan& plan, const CodePage& page, const std::filesystem::path& data,
                    RowTarget& target, const LoadSettings& settings);

} // namespace vorq::load
