#include "load/RecordDecoder.h"

#include "load/CodePage.h"

#include <algorithm>

namespace vorq::load {

RecordDecoder::RecordDecoder(const std::vector<const LoadPlan*>& plans, const CodePage& page,
                             RecordFormat format)
    : page_(page), format_(format) {
    int next = 0;
    for (const LoadPlan* plan : plans) {
        types_.push_back({plan, number(plan->table, next)});
        longest_ = std::max(longest_, plan->recordLength);
    }
}

RecordDecoder::TableNode RecordDecoder::number(const TablePlan& table, int& next) {
    TableNode node{&table, next++, {}};
    for (const auto& child : table.children)
        node.children.push_back(number(child, next));
    return node;
}

void RecordDecoder::decode(RecordBatch& batch) {
    batch.rowCount = 0;
    for (std::size_t r = 0; r < batch.recordCount; ++r)
        decodeRecord(batch, batch.records[r]);
}

// Line-sequential files drop trailing blanks: a short line is padded with them.
std::string_view RecordDecoder::padded(std::string_view bytes) {
    if (format_ != RecordFormat::Text || bytes.size() >= static_cast<std::size_t>(longest_))
        return bytes;
    padding_.assign(bytes);
    padding_.resize(static_cast<std::size_t>(longest_), static_cast<char>(page_.space()));
    return padding_;
}

bool RecordDecoder::matches(const LoadPlan& plan, std::string_view bytes) {
    for (const Condition& c : plan.conditions) {
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

// The counts of the variable tables. A count that cannot be read or is above the table's
// maximum is unknown (-1): the fields that depend on it are NULL and the table makes no rows,
// but the rest of the record loads. A count below the minimum still places the bytes.
void RecordDecoder::readCounts(std::string_view bytes, BatchRecord& record) {
    counts_.assign(plan_->counters.size(), -1);
    for (std::size_t c = 0; c < plan_->counters.size(); ++c) {
        const Counter& counter = plan_->counters[c];
        if (counter.offset + counter.format.length > static_cast<std::int64_t>(bytes.size())) {
            record.problems.push_back({counter.fieldName, counter.offset, 0,
                                       "the record ends before the count of " + counter.itemName});
            continue;
        }
        decodeField(counter.format,
                    bytes.substr(static_cast<std::size_t>(counter.offset), counter.format.length),
                    page_, scratch_);
        const bool number = scratch_.kind == FieldValue::Kind::Integer;
        if (number && scratch_.integer >= 0 && scratch_.integer <= counter.max)
            counts_[c] = scratch_.integer;
        if (number && scratch_.integer >= counter.min && scratch_.integer <= counter.max)
            continue;
        const std::string bounds =
            std::to_string(counter.min) + " to " + std::to_string(counter.max);
        record.problems.push_back(
            {counter.fieldName, counter.offset, counter.format.length,
             !number && scratch_.problem
                 ? std::string("the count of ") + counter.itemName + " has " + scratch_.problem
             : counts_[c] >= 0
                 ? "the count of " + counter.itemName + " is below its minimum (" + bounds + ")"
                 : "the count of " + counter.itemName + " is outside " + bounds +
                       ": the fields that it places are NULL"});
    }
}

bool RecordDecoder::present(const std::vector<Presence>& presence) const {
    for (const Presence& p : presence)
        if (counts_[static_cast<std::size_t>(p.counter)] < p.index)
            return false;
    return true;
}

bool RecordDecoder::placed(const ColumnPlan& column) const {
    for (const Shift& shift : column.shifts)
        if (counts_[static_cast<std::size_t>(shift.counter)] < 0)
            return false;
    return true;
}

void RecordDecoder::decodeRecord(RecordBatch& batch, BatchRecord& record) {
    record.firstRow = batch.rowCount;
    record.rowCount = 0;
    const std::string_view bytes = padded(batch.recordBytes(record));
    const auto type = std::find_if(types_.begin(), types_.end(),
                                   [&](const Type& t) { return matches(*t.plan, bytes); });
    if (type == types_.end()) {
        record.skipped = true;
        return;
    }
    record.type = static_cast<int>(type - types_.begin());
    plan_ = type->plan;
    readCounts(bytes, record);
    decodeRows(type->root, bytes, 0, 1, 0, batch, record);
    record.rowCount = batch.rowCount - record.firstRow;
}

// The row of a table at a place in the record, then the rows of its child tables.
void RecordDecoder::decodeRows(const TableNode& node, std::string_view bytes, std::int64_t base,
                               std::int64_t index, std::size_t parentRow, RecordBatch& batch,
                               BatchRecord& record) {
    const TablePlan& table = *node.plan;
    const std::size_t rowAt = batch.rowCount;
    std::vector<FieldValue>& row = batch.addRow(node.number).second;
    row.resize(table.columns.size());
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        const ColumnPlan& column = table.columns[c];
        FieldValue& value = row[c];
        value.problem = nullptr;
        switch (column.source) {
        case ColumnPlan::Source::Field:
            decodeColumn(column, bytes, base, value, record);
            break;
        case ColumnPlan::Source::CopiedKey: {
            const FieldValue& from =
                batch.rows[parentRow].second[static_cast<std::size_t>(column.parentColumn)];
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
        case ColumnPlan::Source::SurrogateKey: // numbered when the record is inserted
            value.kind = FieldValue::Kind::Integer;
            value.integer = 0;
            break;
        case ColumnPlan::Source::ParentRecord: // filled in file order, when inserted
        case ColumnPlan::Source::None:
            value.kind = FieldValue::Kind::Null;
            break;
        }
    }
    for (const TableNode& child : node.children) {
        const TablePlan& plan = *child.plan;
        if (!present(plan.presence))
            continue;
        const std::int64_t n =
            plan.counter >= 0 ? counts_[static_cast<std::size_t>(plan.counter)] : plan.maxOccurs;
        for (std::int64_t i = 1; i <= n; ++i)
            decodeRows(child, bytes, base + (i - 1) * plan.stride, i, rowAt, batch, record);
    }
}

void RecordDecoder::decodeColumn(const ColumnPlan& column, std::string_view bytes,
                                 std::int64_t base, FieldValue& value, BatchRecord& record) {
    if (!present(column.presence) || !placed(column)) {
        value.kind = FieldValue::Kind::Null;
        return;
    }
    std::int64_t at = base + column.offset;
    for (const Shift& shift : column.shifts)
        at -= (plan_->counters[static_cast<std::size_t>(shift.counter)].max -
               counts_[static_cast<std::size_t>(shift.counter)]) *
              shift.stride;
    if (at + column.format.length > static_cast<std::int64_t>(bytes.size())) {
        value.kind = FieldValue::Kind::Null;
        record.problems.push_back({column.name, at, 0, "the record ends before the field"});
        return;
    }
    decodeField(column.format, bytes.substr(static_cast<std::size_t>(at), column.format.length),
                page_, value);
    if (value.problem)
        record.problems.push_back({column.name, at, column.format.length, value.problem});
}

} // namespace vorq::load
