#include "projectdb/SqlRecordsets.h"

#include "host/Error.h"
#include "host/Text.h"
#include "projectdb/SqlProjectDatabase.h"

namespace vorq::projectdb {
namespace {

[[noreturn]] void noSuchField(std::string_view name, const std::string& where) {
    throw Error("Item not found in this collection: no field " + std::string(name) + " in " + where,
                3265);
}

[[noreturn]] void noCurrentRecord() {
    throw Error("No current record.", 3021);
}

} // namespace

QueryRecordset::QueryRecordset(std::unique_ptr<SqlStatement> statement, std::string_view sql)
    : statement_(std::move(statement)), sql_(sql) {
    atEnd_ = !statement_->step();
}

void QueryRecordset::checkOpen() const {
    if (closed_)
        throw Error("Object is no longer valid: the recordset was closed", 3420);
}

bool QueryRecordset::Eof() const {
    checkOpen();
    return atEnd_;
}

void QueryRecordset::MoveNext() {
    checkOpen();
    if (atEnd_)
        noCurrentRecord();
    atEnd_ = !statement_->step();
}

int QueryRecordset::indexOf(std::string_view name) const {
    for (int i = 0; i < statement_->columnCount(); ++i)
        if (sameName(statement_->columnName(i), name))
            return i;
    noSuchField(name, "the query " + sql_);
}

Value QueryRecordset::getField(std::string_view name) const {
    checkOpen();
    const int index = indexOf(name);
    if (atEnd_)
        noCurrentRecord();
    return statement_->column(index);
}

void QueryRecordset::setField(std::string_view, const Value&) {
    throw Error("Cannot update: the query's rows are read-only", 3027);
}
void QueryRecordset::AddNew() {
    throw Error("Cannot update: the query's rows are read-only", 3027);
}
void QueryRecordset::Update() {
    throw Error("Cannot update: the query's rows are read-only", 3027);
}

TableRecordset::TableRecordset(SqlProjectDatabase& db, std::string table)
    : db_(db), table_(std::move(table)), columns_(db.columnsOf(table_)) {}

void TableRecordset::checkOpen() const {
    if (closed_)
        throw Error("Object is no longer valid: the recordset was closed", 3420);
}

void TableRecordset::startReading() const {
    if (reader_)
        return;
    // The automatic id, or the engine's row number where a table has none, keeps the order
    // in which rows were added.
    const std::string id = db_.idColumnOf(table_);
    reader_ = db_.prepare("SELECT * FROM " + table_ + " ORDER BY " + (id.empty() ? "rowid" : id));
    atEnd_ = !reader_->step();
}

bool TableRecordset::Eof() const {
    checkOpen();
    startReading();
    return atEnd_;
}

void TableRecordset::MoveNext() {
    checkOpen();
    startReading();
    if (atEnd_)
        noCurrentRecord();
    atEnd_ = !reader_->step();
}

const std::string& TableRecordset::columnNamed(std::string_view name) const {
    for (const auto& column : columns_)
        if (sameName(column, name))
            return column;
    noSuchField(name, "the table " + table_);
}

Value TableRecordset::getField(std::string_view name) const {
    checkOpen();
    const std::string& column = columnNamed(name);
    if (pending_) {
        const auto it = pending_->find(column);
        return it == pending_->end() ? Value() : it->second;
    }
    startReading();
    if (atEnd_)
        noCurrentRecord();
    for (int i = 0; i < reader_->columnCount(); ++i)
        if (sameName(reader_->columnName(i), column))
            return reader_->column(i);
    noSuchField(name, "the table " + table_);
}

void TableRecordset::setField(std::string_view name, const Value& value) {
    checkOpen();
    if (!pending_)
        throw Error("Update or CancelUpdate without AddNew or Edit: " + table_, 3020);
    (*pending_)[columnNamed(name)] = value;
}

void TableRecordset::AddNew() {
    checkOpen();
    pending_.emplace();
    const std::string id = db_.idColumnOf(table_);
    if (!id.empty())
        (*pending_)[id] = Value(db_.reserveId(table_));
}

void TableRecordset::Update() {
    checkOpen();
    if (!pending_)
        throw Error("Update or CancelUpdate without AddNew or Edit: " + table_, 3020);
    std::vector<std::string> names;
    std::vector<Value> values;
    for (auto& [column, value] : *pending_) {
        names.push_back(column);
        values.push_back(std::move(value));
    }
    pending_.reset();
    db_.rowsChanged(table_);
    db_.insertRow(RowShape(table_, db_.idColumnOf(table_), names), values);
}

} // namespace vorq::projectdb
