#include "load/Loader.h"

#include "host/Error.h"
#include "load/CodePage.h"
#include "load/LoadPlan.h"
#include "load/RecordDecoder.h"
#include "load/RecordMeasure.h"
#include "load/RejectFile.h"
#include "load/RowTarget.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

namespace vorq::load {
namespace {

// A batch holds this many records, or this many bytes, whichever comes first: small enough
// that the batches in flight stay a few MB, large enough that handing them over costs little.
constexpr std::size_t kBatchRecords = 1024;
constexpr std::size_t kBatchBytes = 1 << 20;

// Made-up keys are asked of the target this many at a time: a load that shares its tables
// with others asks the server, and leaves the rest of its last range unused.
constexpr std::int64_t kKeyRange = 4096;

// The columns of each table (by number) that hold the record's made-up key: the key itself
// and its copies in the child tables. The key is numbered when the record is inserted.
void keyColumns(const TablePlan& table, const std::vector<int>& parentKeys,
                std::vector<std::vector<int>>& out) {
    std::vector<int> own;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        const ColumnPlan& column = table.columns[c];
        if (column.source == ColumnPlan::Source::SurrogateKey ||
            (column.source == ColumnPlan::Source::CopiedKey &&
             std::find(parentKeys.begin(), parentKeys.end(), column.parentColumn) !=
                 parentKeys.end()))
            own.push_back(static_cast<int>(c));
    }
    out.push_back(own);
    for (const auto& child : table.children)
        keyColumns(child, own, out);
}

// The batches between the reading thread, the decoding threads and the inserting one. A
// batch is read, decoded, inserted and then read into again; the inserting thread takes them
// in the order they were read.
class Pipeline {
public:
    enum class State { Free, Read, Decoding, Decoded };

    explicit Pipeline(std::size_t slots) : batches_(slots), states_(slots, State::Free) {}

    // The reader's next batch, once it is free; nullptr when the load stops.
    RecordBatch* toRead(std::int64_t sequence) {
        std::unique_lock lock(mutex_);
        const std::size_t slot = slotOf(sequence);
        changed_.wait(lock, [&] { return stopping_ || states_[slot] == State::Free; });
        return stopping_ ? nullptr : &batches_[slot];
    }
    void read(std::int64_t sequence, bool last, std::exception_ptr failure = nullptr) {
        std::lock_guard lock(mutex_);
        const std::size_t slot = slotOf(sequence);
        states_[slot] = State::Read;
        batches_[slot].sequence = sequence;
        if (last) {
            lastSequence_ = sequence;
            failure_ = std::move(failure);
        }
        toDecode_.push_back(slot);
        changed_.notify_all();
    }
    // A batch for a decoding thread; nullptr when there will be no more.
    RecordBatch* toDecode() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stopping_ || !toDecode_.empty() || lastSequence_ >= 0; });
        if (stopping_ || toDecode_.empty())
            return nullptr;
        const std::size_t slot = toDecode_.front();
        toDecode_.pop_front();
        states_[slot] = State::Decoding;
        return &batches_[slot];
    }
    void decoded(RecordBatch& batch) {
        std::lock_guard lock(mutex_);
        states_[slotOf(batch.sequence)] = State::Decoded;
        changed_.notify_all();
    }
    // The batch to insert next, once decoded; nullptr after the last.
    RecordBatch* toInsert(std::int64_t sequence) {
        std::unique_lock lock(mutex_);
        const std::size_t slot = slotOf(sequence);
        changed_.wait(lock, [&] {
            return (states_[slot] == State::Decoded && batches_[slot].sequence == sequence) ||
                   (lastSequence_ >= 0 && sequence > lastSequence_);
        });
        if (lastSequence_ >= 0 && sequence > lastSequence_) {
            if (failure_)
                std::rethrow_exception(failure_);
            return nullptr;
        }
        return &batches_[slot];
    }
    void inserted(RecordBatch& batch) {
        std::lock_guard lock(mutex_);
        states_[slotOf(batch.sequence)] = State::Free;
        changed_.notify_all();
    }
    void stop() {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        changed_.notify_all();
    }

private:
    std::size_t slotOf(std::int64_t sequence) const {
        return static_cast<std::size_t>(sequence) % batches_.size();
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<RecordBatch> batches_;
    std::vector<State> states_;
    std::deque<std::size_t> toDecode_;
    std::int64_t lastSequence_ = -1;
    std::exception_ptr failure_;
    bool stopping_ = false;
};

class Load {
public:
    Load(const std::vector<const LoadPlan*>& plans, const CodePage& page,
         const std::filesystem::path& data, RowTarget& target, const LoadSettings& settings)
        : plans_(plans), page_(page), data_(data), target_(target), settings_(settings),
          rejects_(settings.rejects),
          workers_(settings.threads > 0 ? settings.threads
                                        : std::max(1u, std::thread::hardware_concurrency())),
          pipeline_(workers_ + 2) {
        format_ = settings.format;
        for (const LoadPlan* plan : plans) {
            if (settings.format.recordLength == 0)
                format_.recordLength = std::max(format_.recordLength, plan->recordLength);
            roots_.push_back(static_cast<int>(keyColumns_.size()));
            keyColumns(plan->table, {}, keyColumns_);
        }
        if (format_.format == RecordFormat::Measured)
            measureRecords(plans, page, settings.lengthAdjust, format_);
        isParent_.assign(plans.size(), false);
        lastRow_.resize(plans.size());
        for (const LoadPlan* plan : plans)
            for (const ColumnPlan& column : plan->table.columns)
                if (column.source == ColumnPlan::Source::ParentRecord)
                    isParent_[static_cast<std::size_t>(column.parentType)] = true;
    }

    LoadSummary run() {
        start_ = std::chrono::steady_clock::now();
        lastReport_ = start_;
        RecordReader reader(data_, format_); // a file of the wrong size is refused first
        summary_.bytes = reader.fileSize();
        target_.begin(plans_, settings_.format.parts > 1 ? TableSharing::WithOtherLoads
                                                         : TableSharing::Alone);
        std::vector<std::thread> threads;
        try {
            tables_ = tablesInOrder(plans_);
            settleExistingRows();
            for (std::size_t type = 0; type < plans_.size(); ++type)
                keyColumn_.push_back(madeUpKeyColumn(type));
            nextKey_.assign(plans_.size(), 0);
            keyEnd_.assign(plans_.size(), 0);
            threads.emplace_back([&] { readAll(reader); });
            for (unsigned w = 0; w < workers_; ++w)
                threads.emplace_back([&] { decodeAll(); });
            rows_.assign(tables_.size(), 0);
            for (std::int64_t sequence = 0;; ++sequence) {
                RecordBatch* batch = pipeline_.toInsert(sequence);
                if (!batch)
                    break;
                insertBatch(*batch);
                summary_.bytes = std::max(summary_.bytes, batch->bytesRead);
                pipeline_.inserted(*batch);
            }
            refuseEmptyResult();
            rejects_.close();
            target_.commit();
        } catch (...) {
            pipeline_.stop();
            for (auto& t : threads)
                t.join();
            target_.rollback();
            throw;
        }
        for (auto& t : threads)
            t.join();
        summary_.framing = reader.framingFound();
        summary_.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        for (std::size_t t = 0; t < tables_.size(); ++t)
            summary_.rowsPerTable.emplace_back(tables_[t]->name, rows_[t]);
        for (const TablePlan* table : tables_)
            for (const auto& column : table->columns)
                if (column.source == ColumnPlan::Source::None)
                    summary_.columnsWithoutSource.push_back(table->name + "." + column.name + ": " +
                                                            column.why);
        return summary_;
    }

private:
    void settleExistingRows() {
        if (settings_.existingRows == ExistingRows::Append)
            return;
        for (std::size_t t = 0; t < tables_.size(); ++t) {
            const std::int64_t rows = target_.rowCount(static_cast<int>(t));
            if (rows > 0 && settings_.existingRows == ExistingRows::Refuse)
                throw TargetNotEmpty(tables_[t]->name, rows, target_.name());
        }
        // Child tables first: their rows refer to their parents'.
        for (std::size_t t = tables_.size(); t-- > 0;)
            summary_.replaced += target_.removeRows(static_cast<int>(t));
    }

    // Records read that made no row have a reason that the user gave, or fail the load.
    void refuseEmptyResult() const {
        const bool someRow = std::any_of(roots_.begin(), roots_.end(), [&](int root) {
            return rows_[static_cast<std::size_t>(root)] > 0;
        });
        if (summary_.records == 0 || someRow)
            return;
        if (summary_.skipped == summary_.records) {
            std::string conditions;
            for (const LoadPlan* plan : plans_) {
                std::string all;
                for (const RecordCondition& c : plan->requested)
                    all += (all.empty() ? "" : " and ") + c.field + "=" + c.value;
                conditions += (conditions.empty() ? "" : " or ") + all;
            }
            throw Error("No record of the " + std::to_string(summary_.records) + " in " +
                        data_.string() + " has " + conditions + ": nothing was loaded");
        }
        if (summary_.rejected == 0)
            throw Error(std::to_string(summary_.records) + " records of " + data_.string() +
                        " made no row of " + tables_[0]->name + ": nothing was loaded");
    }

    // A child segment's columns that its parent record fills: from the last record of that
    // type, NULL before the first.
    void takeFromParents(std::size_t type, std::vector<FieldValue>& row) const {
        const auto& columns = plans_[type]->table.columns;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (columns[c].source != ColumnPlan::Source::ParentRecord)
                continue;
            const auto& parent = lastRow_[static_cast<std::size_t>(columns[c].parentType)];
            const auto from = static_cast<std::size_t>(columns[c].parentColumn);
            row[c] = from < parent.size() ? parent[from] : FieldValue{};
        }
    }

    // The made-up key column of a record type's table, "" when its key is its data's.
    std::string madeUpKeyColumn(std::size_t type) const {
        for (const auto& column : plans_[type]->table.columns)
            if (column.source == ColumnPlan::Source::SurrogateKey)
                return column.name;
        return "";
    }

    // A record of the type is about to be inserted: its made-up key is ready.
    void readyKey(std::size_t type) {
        if (keyColumn_[type].empty() || nextKey_[type] < keyEnd_[type])
            return;
        nextKey_[type] = target_.reserveKeys(roots_[type], keyColumn_[type], kKeyRange);
        keyEnd_[type] = nextKey_[type] + kKeyRange;
    }

    void readAll(RecordReader& reader) {
        Record record;
        bool more = true;
        for (std::int64_t sequence = 0; more; ++sequence) {
            RecordBatch* batch = pipeline_.toRead(sequence);
            if (!batch)
                return;
            batch->clear();
            try {
                while (batch->recordCount < kBatchRecords && batch->bytes.size() < kBatchBytes &&
                       (more = reader.next(record))) {
                    BatchRecord& r = batch->addRecord();
                    r.number = record.number;
                    r.offset = record.offset;
                    r.begin = batch->bytes.size();
                    r.size = record.bytes.size();
                    batch->bytes.append(record.bytes);
                }
            } catch (...) {
                batch->bytesRead = reader.bytesRead();
                pipeline_.read(sequence, true, std::current_exception());
                return;
            }
            batch->bytesRead = reader.bytesRead();
            pipeline_.read(sequence, !more);
        }
    }

    void decodeAll() {
        RecordDecoder decoder(plans_, page_, format_.format);
        while (RecordBatch* batch = pipeline_.toDecode()) {
            decoder.decode(*batch);
            pipeline_.decoded(*batch);
        }
    }

    void insertBatch(RecordBatch& batch) {
        if (settings_.cancel && settings_.cancel->load())
            throw LoadCancelled();
        for (std::size_t r = 0; r < batch.recordCount; ++r)
            insertRecord(batch, batch.records[r]);
        if (settings_.progress) {
            const auto now = std::chrono::steady_clock::now();
            if (now - lastReport_ > std::chrono::milliseconds(500)) {
                lastReport_ = now;
                settings_.progress(
                    {summary_.records, batch.bytesRead, summary_.bytes, now - start_});
            }
        }
    }

    void insertRecord(RecordBatch& batch, const BatchRecord& record) {
        ++summary_.records;
        if (record.skipped) {
            ++summary_.skipped;
            // Of several record types given, none: listed, since the load was told the types.
            if (plans_.size() > 1)
                rejects_.add(record.number, record.offset, "", batch.recordBytes(record),
                             "a record of none of the types given");
            return;
        }
        const auto type = static_cast<std::size_t>(record.type);
        if (record.size > static_cast<std::size_t>(plans_[type]->recordLength))
            ++summary_.longer;
        bool keep = record.problems.empty() || !settings_.rejectRecords;
        std::string refusal;
        if (keep && record.rowCount > 0)
            takeFromParents(type, batch.rows[record.firstRow].second);
        if (keep) {
            readyKey(type);
            for (std::size_t r = 0; r < record.rowCount; ++r) {
                auto& [table, row] = batch.rows[record.firstRow + r];
                for (const int c : keyColumns_[static_cast<std::size_t>(table)])
                    row[static_cast<std::size_t>(c)].integer = nextKey_[type];
                if (target_.insert(table, row, refusal)) {
                    ++rows_[static_cast<std::size_t>(table)];
                    continue;
                }
                // The record's first row goes first: a refusal later means a key that the
                // plan makes unique was not.
                if (r != 0)
                    throw Error("Record " + std::to_string(record.number) + " of " +
                                data_.string() + ": a row of " +
                                tables_[static_cast<std::size_t>(table)]->name + " was refused (" +
                                refusal + ")");
                keep = false;
                break;
            }
        }
        const std::string_view bytes = batch.recordBytes(record);
        for (const RecordProblem& p : record.problems) {
            const auto from = std::min(static_cast<std::size_t>(p.offset), bytes.size());
            rejects_.add(record.number, record.offset + p.offset, p.column,
                         bytes.substr(from, static_cast<std::size_t>(p.length)), p.reason);
        }
        if (keep) {
            ++nextKey_[type];
            if (isParent_[type] && record.rowCount > 0)
                lastRow_[type] = batch.rows[record.firstRow].second;
        } else {
            ++summary_.rejected;
            const std::string reason = refusal.empty() ? "a bad field, left out as asked" : refusal;
            ++summary_.leftOutBy[reason];
            rejects_.add(record.number, record.offset, "", bytes, "record left out: " + reason);
            if (!refusal.empty() && settings_.maxErrors < 0)
                throw RecordNotStored(record.number, data_.string(), refusal);
        }
        if (keep && record.problems.empty())
            return;
        ++summary_.withErrors;
        if (settings_.maxErrors >= 0 && summary_.withErrors > settings_.maxErrors)
            throw TooManyErrors("More than " + std::to_string(settings_.maxErrors) +
                                    " records have errors (the last is record " +
                                    std::to_string(record.number) + " of " + data_.string() +
                                    "): the load was undone" +
                                    (settings_.rejects.empty()
                                         ? std::string()
                                         : "; " + settings_.rejects.string() + " lists the errors"),
                                !settings_.rejects.empty());
    }

    std::vector<const LoadPlan*> plans_; // one per record type
    const CodePage& page_;
    std::filesystem::path data_;
    RowTarget& target_;
    const LoadSettings& settings_;
    RejectFile rejects_;
    unsigned workers_;
    Pipeline pipeline_;
    RecordFormatOptions format_;
    std::vector<std::vector<int>> keyColumns_; // of each table, as tablesInOrder numbers them
    std::vector<int> roots_;                   // the number of each record type's table
    std::vector<const TablePlan*> tables_;
    std::vector<std::int64_t> rows_;
    std::vector<std::string> keyColumn_; // of each record type: its made-up key column or ""
    std::vector<std::int64_t> nextKey_, keyEnd_; // of each record type: its range of keys
    std::vector<bool> isParent_; // of each record type: its rows give child segments keys
    std::vector<std::vector<FieldValue>> lastRow_; // of each parent type: its last record's
    LoadSummary summary_;
    std::chrono::steady_clock::time_point start_, lastReport_;
};

} // namespace

LoadSummary runLoad(const std::vector<const LoadPlan*>& plans, const CodePage& page,
                    const std::filesystem::path& data, RowTarget& target,
                    const LoadSettings& settings) {
    return Load(plans, page, data, target, settings).run();
}

LoadSummary runLoad(const LoadPlan& plan, const CodePage& page, const std::filesystem::path& data,
                    RowTarget& target, const LoadSettings& settings) {
    return runLoad(std::vector<const LoadPlan*>{&plan}, page, data, target, settings);
}

} // namespace vorq::load
