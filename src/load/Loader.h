#pragma once

#include "host/Error.h"
#include "load/RecordReader.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
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

    // Megabytes (10^6 bytes) a second so far; 0 before any time has passed.
    double megabytesPerSecond() const {
        const double seconds = std::chrono::duration<double>(elapsed).count();
        return seconds > 0 ? static_cast<double>(bytesRead) / seconds / 1e6 : 0;
    }
    // Seconds until the end of the file at that rate; 0 for a stream, whose end is not known.
    double secondsLeft() const {
        const double rate = megabytesPerSecond() * 1e6;
        return fileSize > 0 && rate > 0 ? static_cast<double>(fileSize - bytesRead) / rate : 0;
    }
};

// What a load does with the rows that its tables already hold.
enum class ExistingRows {
    Refuse,  // the load fails (TargetNotEmpty) and changes nothing
    Append,  // the records' rows are added to them
    Replace, // they are removed, the child tables' first, in the load's transaction
};

// A load into tables that already hold rows, without leave to add to them or replace them.
struct TargetNotEmpty : Error {
    TargetNotEmpty(const std::string& table, std::int64_t rows, const std::string& target)
        : Error("The table " + table + " in " + target + " already holds " + std::to_string(rows) +
                " rows, which a load of the same records again would double or refuse") {}
};

// A record whose rows the target refused (a key missing or taken), with no leave to leave
// records out.
struct RecordNotStored : Error {
    RecordNotStored(std::int64_t record, const std::string& data, const std::string& reason)
        : Error("Record " + std::to_string(record) + " of " + data + " cannot be stored (" +
                reason + "): the load was undone, since no record is left out unasked") {}
};

// More records with errors than the load allows; listed tells whether a reject file lists them.
struct TooManyErrors : Error {
    TooManyErrors(const std::string& message, bool inRejectFile)
        : Error(message), listed(inRejectFile) {}
    bool listed;
};

// A load stopped by the user; nothing of it is left in the target.
struct LoadCancelled : Error {
    LoadCancelled() : Error("The load was cancelled; the target is as it was before it") {}
};

struct LoadSettings {
    RecordFormatOptions format; // a record length of 0 takes the layout's
    ExistingRows existingRows = ExistingRows::Refuse;
    std::filesystem::path rejects; // empty: no reject file
    // Records with errors tolerated; -1: no limit on records loaded with a bad field NULL, and
    // none left out that the load was not asked to leave out.
    std::int64_t maxErrors = -1;
    bool rejectRecords = false;    // a record with a bad field is left out, not loaded with NULL
    std::int64_t lengthAdjust = 0; // measured records: added to the length field's value
    unsigned threads = 0;          // decoding threads; 0: one per core
    std::function<void(const LoadProgress&)> progress; // called about twice a second
    // Set by another thread to stop the load: it is rolled back and raises LoadCancelled.
    const std::atomic<bool>* cancel = nullptr;
};

struct LoadSummary {
    std::int64_t records = 0;    // read from the file
    std::int64_t skipped = 0;    // not of the record type asked for
    std::int64_t rejected = 0;   // left out
    std::int64_t withErrors = 0; // with a bad field or left out
    std::int64_t longer = 0;     // with bytes past the end of the layout, not read
    std::int64_t replaced = 0;   // rows removed before the load (ExistingRows::Replace)
    std::string framing;         // how the descriptor words read, when their framing was found
    std::map<std::string, std::int64_t> leftOutBy; // records left out, by reason
    std::vector<std::pair<std::string, std::int64_t>> rowsPerTable;
    std::vector<std::string> columnsWithoutSource; // "TABLE.COLUMN: why"
    std::int64_t bytes = 0;
    double seconds = 0;

    double megabytesPerSecond() const {
        return seconds > 0 ? static_cast<double>(bytes) / seconds / 1e6 : 0;
    }
};

// Reads the data file a batch of records at a time, decodes the batches on all cores and adds
// their rows to the target in the file's order, in one transaction: committed when the file
// is read through, rolled back when the file is damaged, the target fails, more records than
// maxErrors have errors, a record is left out that maxErrors does not allow, or records were
// read and none made a row (then vorq::Error is raised). Bad fields are listed in the reject
// file.
LoadSummary runLoad(const LoadPlan& plan, const CodePage& page, const std::filesystem::path& data,
                    RowTarget& target, const LoadSettings& settings);
// The same for a file of several record types, in one pass and one transaction: each record
// goes to the first plan whose conditions it meets; a record of none is counted as skipped
// and listed in the reject file.
LoadSummary runLoad(const std::vector<const LoadPlan*>& plans, const CodePage& page,
                    const std::filesystem::path& data, RowTarget& target,
                    const LoadSettings& settings);

} // namespace vorq::load
