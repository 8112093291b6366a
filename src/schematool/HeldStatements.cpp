#include "schematool/HeldStatements.h"

#include "schematool/SqlText.h"

#include <algorithm>
#include <cmath>

namespace vorq::schematool {
namespace {

// A value as an element of an array's text form: NULL, a whole number, or a quoted text.
void appendElement(std::string& array, const Value& value, bool whole) {
    if (value.isNull()) {
        array += "NULL";
        return;
    }
    // A fraction goes into an integer column rounded half away from zero, as the server rounds
    // a numeric literal there; beyond the range of any integer it stays, and is refused.
    if (whole && value.isReal() && std::abs(value.toDouble()) < 9.2e18) {
        array += std::to_string(std::llround(value.toDouble()));
        return;
    }
    if (value.isInteger()) {
        array += value.toString();
        return;
    }
    array += '"';
    for (const char c : value.toString()) {
        if (c == '"' || c == '\\')
            array += '\\';
        array += c;
    }
    array += '"';
}

} // namespace

void HeldStatements::close(Held& held) {
    if (!held.open)
        return;
    for (auto& array : held.statement.parameters)
        *array += '}';
    held.open = false;
}

void HeldStatements::addRow(const std::string& head, const Batch& batch, const Value* id,
                            const std::vector<Value>& values) {
    auto open = std::find_if(held_.begin(), held_.end(),
                             [&](const Held& held) { return held.open && held.head == head; });
    const bool first = open == held_.end();
    if (first) {
        // Rows of another shape of the same table went before this one.
        for (auto& held : held_)
            if (held.open && held.table == batch.table)
                close(held);
        held_.push_back({{batch.sql, {}, {}, true}, batch.table, head, true});
        held_.back().statement.parameters.assign(batch.whole.size(), std::string("{"));
        open = held_.end() - 1;
    }
    std::size_t bytes = 0;
    auto& arrays = open->statement.parameters;
    for (std::size_t i = 0; i < arrays.size(); ++i) {
        std::string& array = *arrays[i];
        const std::size_t before = array.size();
        if (!first)
            array += ',';
        appendElement(array, id ? (i == 0 ? *id : values[i - 1]) : values[i], batch.whole[i]);
        bytes += array.size() - before;
    }
    open->bytes += bytes;
    bytes_ += bytes;
}

void HeldStatements::addStatement(postgres::Statement statement) {
    const std::string table = changeOf(statement.sql).table;
    // Rows of the tables it names go before it; later rows of those tables go after it.
    for (auto& held : held_)
        if (held.open && (table.empty() || namesTable(statement.sql, held.table)))
            close(held);
    const std::size_t bytes = statement.sql.size();
    held_.push_back({std::move(statement), table, "", false, bytes});
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

} // namespace vorq::schematool
