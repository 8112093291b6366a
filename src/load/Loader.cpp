#include "load/Loader.h"

#include "host/Error.h"
#include "load/CodePage.h"
#include "load/FieldDecoder.h"
#include "load/LoadPlan.h"
#include "load/RejectFile.h"
#include "load/RowTarget.h"
#include "load/SourceItems.h"

#include <map>

namespace vorq::load {
namespace {

struct Condition {
    FieldFormat format;
    std::int64_t offset = 0;
    std::string value;
};

Condition resolve(const RecordCondition& condition, const LoadPlan& plan,
                  const SourceItems& items) {
    const SourceItem* record = items.item(plan.recordId);
    const SourceItem* field = record ? items.findBelow(*record, condition.field) : nullptr;
    if (!field || !field->elementary || field->occurs > 0)
        throw Error("--when names " + condition.field + ", which is no field of the record " +
                    plan.recordName + " outside OCCURS");
    for (const SourceItem* at = field; at->parent; at = items.item(at->parent))
        if (at->occurs > 0)
            throw Error("--when names " + condition.field + ", which lies inside an OCCURS");
    return {fieldFormat(*field, {}), field->offset, condition.value};
}

// A problem of one record, noted while its rows are decoded.
struct Problem {
    std::string column;
    std::int64_t offset = 0; // within the record
    std::int64_t length = 0;
    std::string reason;
};

class Load {
public:
    Load(const LoadPlan& plan, const SourceItems& items, const CodePage& page,
         const std::filesystem::path& data, RowTarget& target, const LoadSettings& settings)
        : plan_(plan), page_(page), target_(target), settings_(settings),
          rejects_(settings.rejects), data_(data) {
        RecordFormatOptions format = settings.format;
        if (format.recordLength == 0)
            format.recordLength = plan.recordLength;
        format_ = format;
        for (const auto& condition : settings.conditions)
            conditions_.push_back(resolve(condition, plan, items));
        number(plan.table);
        counts_.resize(plan.counters.size());
    }

    LoadSummary run() {
        const auto start = std::chrono::steady_clock::now();
        RecordReader reader(data_, format_);
        target_.begin(plan_);
        try {
            nextKey_ = hasSurrogateKey() ? largestKey() + 1 : 1;
            Record record;
            auto lastReport = start;
            while (reader.next(record)) {
                ++summary_.records;
                loadRecord(record);
                if (settings_.progress && (summary_.records & 4095) == 0) {
                    const auto now = std::chrono::steady_clock::now();
                    if (now - lastReport > std::chrono::milliseconds(500)) {
                        lastReport = now;
                        settings_.progress(
                            {summary_.records, reader.bytesRead(), reader.fileSize(), now - start});
                    }
                }
            }
            rejects_.close();
            target_.commit();
        } catch (...) {
            target_.rollback();
            throw;
        }
        summary_.bytes = reader.fileSize();
        summary_.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
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
    void number(const TablePlan& table) {
        index_[&table] = static_cast<int>(tables_.size());
        tables_.push_back(&table);
        rows_.push_back(0);
        for (const auto& child : table.children)
            number(child);
    }

    bool hasSurrogateKey() const {
        for (const auto& column : plan_.table.columns)
            if (column.source == ColumnPlan::Source::SurrogateKey)
                return true;
        return false;
    }

    std::int64_t largestKey() {
        for (const auto& column : plan_.table.columns)
            if (column.source == ColumnPlan::Source::SurrogateKey)
                return target_.largestValue(column.name);
        return 0;
    }

    // Line-sequential files drop trailing blanks: a short line is padded with them.
    std::string_view padded(std::string_view bytes) {
        if (format_.format != RecordFormat::Text ||
            bytes.size() >= static_cast<std::size_t>(plan_.recordLength))
            return bytes;
        padding_.assign(bytes);
        padding_.resize(static_cast<std::size_t>(plan_.recordLength),
                        static_cast<char>(page_.space()));
        return padding_;
    }

    bool matches(std::string_view bytes) {
        for (const Condition& c : conditions_) {
            if (c.offset + c.format.length > static_cast<std::int64_t>(bytes.size()))
                return false;
            decodeField(c.format, bytes.substr(static_cast<std::size_t>(c.offset), c.format.length),
                        page_, scratch_);
            const std::string value = scratch_.kind == FieldValue::Kind::Integer
                                          ? std::to_string(scratch_.integer)
                                          : scratch_.text;
            if (value != c.value)
                return false;
        }
        return true;
    }

    // The counts of the record's variable tables; false with a problem when one is bad.
    bool readCounts(std::string_view bytes) {
        for (std::size_t c = 0; c < plan_.counters.size(); ++c) {
            const Counter& counter = plan_.counters[c];
            if (counter.offset + counter.format.length > static_cast<std::int64_t>(bytes.size())) {
                problems_.push_back({counter.fieldName, counter.offset, 0,
                                     "the record ends before the count of " + counter.itemName});
                return false;
            }
            decodeField(
                counter.format,
                bytes.substr(static_cast<std::size_t>(counter.offset), counter.format.length),
                page_, scratch_);
            if (scratch_.kind != FieldValue::Kind::Integer || scratch_.integer < counter.min ||
                scratch_.integer > counter.max) {
                problems_.push_back({counter.fieldName, counter.offset, counter.format.length,
                                     scratch_.problem
                                         ? std::string("the count of ") + counter.itemName +
                                               " has " + scratch_.problem
                                         : "the count of " + counter.itemName + " is outside " +
                                               std::to_string(counter.min) + " to " +
                                               std::to_string(counter.max)});
                return false;
            }
            counts_[c] = scratch_.integer;
        }
        return true;
    }

    bool present(const std::vector<Presence>& presence) const {
        for (const Presence& p : presence)
            if (counts_[static_cast<std::size_t>(p.counter)] < p.index)
                return false;
        return true;
    }

    std::vector<FieldValue>& newRow(int table) {
        if (used_ == pool_.size())
            pool_.emplace_back();
        pending_.emplace_back(table, used_);
        return pool_[used_++];
    }

    // The row of a table at a place in the record, then the rows of its child tables.
    void decodeRows(const TablePlan& table, std::string_view bytes, std::int64_t base,
                    std::int64_t index, std::size_t parentRow) {
        const int t = index_.at(&table);
        std::vector<FieldValue>& row = newRow(t);
        const std::size_t rowAt = used_ - 1;
        row.resize(table.columns.size());
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            const ColumnPlan& column = table.columns[c];
            FieldValue& value = row[c];
            value.problem = nullptr;
            switch (column.source) {
            case ColumnPlan::Source::Field:
                decodeColumn(column, bytes, base, value);
                break;
            case ColumnPlan::Source::CopiedKey: {
                const FieldValue& from =
                    pool_[parentRow][static_cast<std::size_t>(column.parentColumn)];
                value.kind = from.kind;
                value.integer = from.integer;
                value.real = from.real;
                value.text = from.text;
                break;
            }
            case ColumnPlan::Source::Index:
                value.kind = FieldValue::Kind::Integer;
                value.integer = index;
                break;
            case ColumnPlan::Source::SurrogateKey:
                value.kind = FieldValue::Kind::Integer;
                value.integer = nextKey_;
                break;
            case ColumnPlan::Source::None:
                value.kind = FieldValue::Kind::Null;
                break;
            }
        }
        for (const TablePlan& child : table.children) {
            if (!present(child.presence))
                continue;
            const std::int64_t n = child.counter >= 0
                                       ? counts_[static_cast<std::size_t>(child.counter)]
                                       : child.maxOccurs;
            for (std::int64_t i = 1; i <= n; ++i)
                decodeRows(child, bytes, base + (i - 1) * child.stride, i, rowAt);
        }
    }

    void decodeColumn(const ColumnPlan& column, std::string_view bytes, std::int64_t base,
                      FieldValue& value) {
        if (!present(column.presence)) {
            value.kind = FieldValue::Kind::Null;
            return;
        }
        std::int64_t at = base + column.offset;
        for (const Shift& shift : column.shifts)
            at -= (plan_.counters[static_cast<std::size_t>(shift.counter)].max -
                   counts_[static_cast<std::size_t>(shift.counter)]) *
                  shift.stride;
        if (at + column.format.length > static_cast<std::int64_t>(bytes.size())) {
            value.kind = FieldValue::Kind::Null;
            problems_.push_back({column.name, at, 0, "the record ends before the field"});
            return;
        }
        decodeField(column.format, bytes.substr(static_cast<std::size_t>(at), column.format.length),
                    page_, value);
        if (value.problem)
            problems_.push_back({column.name, at, column.format.length, value.problem});
    }

    void loadRecord(const Record& record) {
        const std::string_view bytes = padded(record.bytes);
        if (!matches(bytes)) {
            ++summary_.skipped;
            return;
        }
        problems_.clear();
        pending_.clear();
        used_ = 0;
        bool keep = readCounts(bytes);
        if (keep) {
            decodeRows(plan_.table, bytes, 0, 1, 0);
            keep = problems_.empty() || !settings_.rejectRecords;
        }
        std::string refusal;
        if (keep) {
            for (std::size_t r = 0; r < pending_.size(); ++r) {
                const auto [table, row] = pending_[r];
                if (target_.insert(table, pool_[row], refusal)) {
                    ++rows_[static_cast<std::size_t>(table)];
                    continue;
                }
                if (r != 0)
                    throw Error("Record " + std::to_string(record.number) + " of " +
                                data_.string() + ": a row of " + tables_[table]->name +
                                " was refused (" + refusal + ")");
                keep = false;
                break;
            }
        }
        for (const Problem& p : problems_)
            rejects_.add(record.number, record.offset + p.offset, p.column,
                         bytes.substr(static_cast<std::size_t>(std::min<std::int64_t>(
                                          p.offset, static_cast<std::int64_t>(bytes.size()))),
                                      static_cast<std::size_t>(p.length)),
                         p.reason);
        if (keep) {
            ++nextKey_;
        } else {
            ++summary_.rejected;
            rejects_.add(record.number, record.offset, "", record.bytes,
                         refusal.empty() ? "record left out" : "record left out: " + refusal);
        }
        if (!keep || !problems_.empty()) {
            ++summary_.withErrors;
            if (settings_.maxErrors >= 0 && summary_.withErrors > settings_.maxErrors)
                throw Error("More than " + std::to_string(settings_.maxErrors) +
                            " records have errors (the last is record " +
                            std::to_string(record.number) + " of " + data_.string() +
                            "): the load was undone" +
                            (settings_.rejects.empty()
                                 ? std::string(" (--rejects FILE lists the errors)")
                                 : "; " + settings_.rejects.string() + " lists the errors"));
        }
    }

    const LoadPlan& plan_;
    const CodePage& page_;
    RowTarget& target_;
    const LoadSettings& settings_;
    RejectFile rejects_;
    std::filesystem::path data_;
    RecordFormatOptions format_;
    std::vector<Condition> conditions_;
    std::vector<const TablePlan*> tables_;
    std::map<const TablePlan*, int> index_;
    std::vector<std::int64_t> rows_;
    std::vector<std::int64_t> counts_;
    std::vector<Problem> problems_;
    std::vector<std::vector<FieldValue>> pool_;
    std::size_t used_ = 0;
    std::vector<std::pair<int, std::size_t>> pending_;
    std::string padding_;
    FieldValue scratch_;
    std::int64_t nextKey_ = 1;
    LoadSummary summary_;
};

} // namespace

LoadSummary runLoad(const LoadPlan& plan, const SourceItems& items, const CodePage& page,
                    const std::filesystem::path& data, RowTarget& target,
                    const LoadSettings& settings) {
    return Load(plan, items, page, data, target, settings).run();
}

} // namespace vorq::load
