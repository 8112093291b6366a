#include "projectdb/HeldStatements.h"

#include "projectdb/SqlText.h"

#include <algorithm>
#include <cmath>

namespace vorq::projectdb {
namespace {

// A value as an element of an array's text form: NULL, a whole number, or a quoted text.
std::string element(const Value& value, bool whole) {
    if (value.isNull())
        return "NULL";
    // A fraction goes into an integer column rounded half away from zero, as the server rounds
    // a numeric literal there; beyond the range of any integer it stays, and is refused.
    if (whole && value.isReal() && std::abs(value.toDouble()) < 9.2e18)
        return std::to_string(std::llround(value.toDouble()));
    if (value.isInteger())
        return value.toString();
    std::string quoted = "\"";
    for (const char c : value.toString()) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace

void HeldStatements::close(Held& held) {
    if (!held.open)
        return;
    for (const auto& column : held.elements) {
        std::string array = "{";
        for (std::size_t row = 0; row < column.size(); ++row)
            (array += row ? "," : "") += column[row];
        held.statement.parameters.emplace_back(array + "}");
    }
    held.elements.clear();
    held.open = false;
}

void HeldStatements::addRow(const Batch& batch, const Value* id, const std::vector<Value>& values) {
    auto open = std::find_if(held_.begin(), held_.end(),
                             [&](const Held& held) { return held.open && held.batch == &batch; });
    const bool first = open == held_.end();
    if (first) {
        // Rows of another shape of the same table went before this one.
        for (auto& held : held_)
            if (held.open && held.table == batch.table)
                close(held);
        held_.push_back({{batch.sql, {}, {}, true}, batch.table, true, 0, &batch, {}});
        held_.back().elements.resize(batch.whole.size());
        open = held_.end() - 1;
    }
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < open->elements.size(); ++i) {
        auto& column = open->elements[i];
        column.push_back(element(id ? (i == 0 ? *id : values[i - 1]) : values[i], batch.whole[i]));
        bytes += column.back().size() + 1;
    }
    open->bytes += bytes;
    bytes_ += bytes;
}

bool HeldStatements::setHeld(std::string_view table, std::string_view idColumn, const Value& id,
                             std::string_view column, const Value& value) {
    // Only an open batch: a statement held after the row would have closed it had it named the
    // table, so the UPDATE may as well have come first.
    const auto open = std::find_if(held_.begin(), held_.end(), [&](const Held& held) {
        return held.open && held.table == table && held.batch->hasId &&
               held.batch->columns.front() == idColumn;
    });
    if (open == held_.end())
        return false;
    const auto& columns = open->batch->columns;
    const auto set = std::find(columns.begin(), columns.end(), column);
    if (set == columns.end())
        return false;
    const auto& ids = open->elements.front();
    const auto row = std::find(ids.rbegin(), ids.rend(), element(id, open->batch->whole.front()));
    if (row == ids.rend())
        return false;
    const auto at = static_cast<std::size_t>(ids.rend() - row - 1);
    const auto index = static_cast<std::size_t>(set - columns.begin());
    std::string& cell = open->elements[index][at];
    std::string now = element(value, open->batch->whole[index]);
    open->bytes += now.size() - cell.size();
    bytes_ += now.size() - cell.size();
    cell = std::move(now);
    return true;
}

void HeldStatements::addStatement(postgres::Statement statement) {
    const std::string table = changeOf(statement.sql).table;
    // Rows of the tables it names go before it; later rows of those tables go after it.
    for (auto& held : held_)
        if (held.open && (table.empty() || namesTable(statement.sql, held.table)))
            close(held);
    const std::size_t bytes = statement.sql.size();
    held_.push_back({std::move(statement), table, false, bytes, nullptr, {}});
    bytes_ += bytes;
}

std::vector<postgres::Statement> HeldStatements::takeBefore(std::string_view sql) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < held_.size(); ++i)
        if (held_[i].table.empty() || namesTable(sql, held_[i].table))
            count = i + 1;
    return take(count);
}

std::vector<postgres::Statement> HeldStatements::takeAll() {
    return take(held_.size());
}

std::vector<postgres::Statement> HeldStatements::take(std::size_t count) {
    std::vector<postgres::Statement> taken;
    taken.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        close(held_[i]);
        bytes_ -= held_[i].bytes;
        taken.push_back(std::move(held_[i].statement));
    }
    held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(count));
    return taken;
}

} // namespace vorq::projectdb
