#include "projectdb/PostgresProjectDatabase.h"

#include "host/Error.h"
#include "host/Text.h"
#include "projectdb/PostgresSchema.h"
#include "projectdb/SqlText.h"

#include <algorithm>
#include <optional>

namespace vorq::projectdb {
namespace {

// How long a run waits for another program's run to end, and how long one statement may take
// before the server is taken for gone.
constexpr const char* kLockWait = "30s";
constexpr const char* kStatementLimit = "120s";

class PostgresStatement : public SqlStatement {
public:
    // keep: prepared on the server once and kept; wholeNumbers: its parameters are bigint.
    PostgresStatement(PostgresProjectDatabase& db, std::string_view sql, bool keep,
                      bool wholeNumbers = false)
        : db_(db), sql_(postgres::numberedParameters(sql)), keep_(keep),
          wholeNumbers_(wholeNumbers) {}

    SqlStatement& bind(int index, const Value& value) override {
        if (index < 1 || index > 1000)
            throw Error("Parameter " + std::to_string(index) + " is out of range: " + sql_);
        if (parameters_.size() < static_cast<std::size_t>(index))
            parameters_.resize(static_cast<std::size_t>(index));
        parameters_[static_cast<std::size_t>(index - 1)] = value;
        return *this;
    }
    bool step() override {
        if (!result_) {
            result_.emplace(db_.answer(sql_, parameters_, keep_, wholeNumbers_));
            row_ = 0;
        } else if (row_ < result_->rows()) {
            ++row_;
        }
        return row_ < result_->rows();
    }
    void reset() override { result_.reset(); }
    int columnCount() const override { return result_ ? result_->columns() : 0; }
    std::string columnName(int index) const override {
        return result_ ? result_->columnName(index) : std::string();
    }
    Value column(int index) const override {
        if (!result_ || row_ >= result_->rows() || index < 0 || index >= result_->columns())
            throw Error("No current row to read column " + std::to_string(index) + " of: " + sql_);
        return result_->value(row_, index);
    }

private:
    PostgresProjectDatabase& db_;
    std::string sql_;
    bool keep_;
    bool wholeNumbers_;
    std::vector<Value> parameters_;
    std::optional<postgres::Result> result_;
    int row_ = 0;
};

postgres::Connection connect(const std::string& conninfo, const std::string& name) {
    try {
        return postgres::Connection(conninfo);
    } catch (const postgres::Failure& failure) {
        throw Error("Cannot open the project database " + name + ": " +
                    postgres::withoutPassword(failure.what(), conninfo));
    }
}

} // namespace

PostgresProjectDatabase::PostgresProjectDatabase(const std::string& conninfo, OpenMode mode)
    : name_(postgres::displayName(conninfo)), connection_(connect(conninfo, name_)) {
    try {
        // The import's statements are small lookups by key: one plan per statement is
        // enough, and planning each run again costs more than the lookup.
        connection_.exec(std::string("SET lock_timeout = '") + kLockWait +
                         "'; SET statement_timeout = '" + kStatementLimit +
                         "'; SET plan_cache_mode = force_generic_plan");
        preparePostgresSchema(connection_, name_, mode != OpenMode::ReadOnly);
        if (mode == OpenMode::ReadOnly)
            connection_.exec("SET default_transaction_read_only = on");
    } catch (const postgres::Failure& failure) {
        fail(failure);
    }
}

void PostgresProjectDatabase::fail(const postgres::Failure& failure) const {
    if (failure.sqlState() == postgres::kLockNotAvailable)
        throw Error("The project " + name_ + " is busy: another program's run held it for " +
                    kLockWait + "; try again when it has ended");
    if (failure.sqlState() == postgres::kQueryCanceled)
        throw Error("The project database " + name_ + " did not answer within " + kStatementLimit +
                    ": " + failure.what());
    if (!connection_.alive())
        throw Error("The connection to the project database " + name_ +
                    " was lost: " + failure.what());
    throw Error("The project database " + name_ + " refused a statement: " + failure.what());
}

std::unique_ptr<SqlStatement> PostgresProjectDatabase::prepare(std::string_view sql) {
    std::vector<Value> numbers;
    if (const std::string shape = numbersAsParameters(sql, numbers); !shape.empty()) {
        auto statement = std::make_unique<PostgresStatement>(*this, shape, true, true);
        for (std::size_t i = 0; i < numbers.size(); ++i)
            statement->bind(static_cast<int>(i + 1), numbers[i]);
        return statement;
    }
    return std::make_unique<PostgresStatement>(*this, sql, false);
}

SqlStatement& PostgresProjectDatabase::cached(const std::string& sql) {
    auto& slot = cache_[sql];
    if (!slot)
        slot = std::make_unique<PostgresStatement>(*this, sql, true);
    return *slot;
}

bool PostgresProjectDatabase::inTransaction() const {
    if (sending_.valid())
        sending_.wait();
    const auto status = connection_.transactionStatus();
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR || status == PQTRANS_ACTIVE;
}

void PostgresProjectDatabase::BeginTrans() {
    flush();
    // Other programs may have changed the project since this one last looked.
    rowsChanged();
    newTables_.forget();
    ids_.clear();
    try {
        connection_.exec("BEGIN");
        // One writer at a time: GetFreeTableName looks for a free name and TableAdd takes it
        // later in the run, which only holds when no other run can take it in between.
        connection_.exec("SELECT pg_advisory_xact_lock(" + std::to_string(kProjectLock) + ")");
    } catch (const postgres::Failure& failure) {
        if (connection_.alive() && inTransaction())
            connection_.exec("ROLLBACK");
        fail(failure);
    }
    transactionBegun();
}

void PostgresProjectDatabase::CommitTrans() {
    try {
        awaitSent();
    } catch (const postgres::Failure& failure) {
        rowsChanged();
        fail(failure);
    }
    if (connection_.transactionStatus() == PQTRANS_INERROR)
        throw Error("The project database " + name_ +
                    " had refused a statement of this run; nothing was saved");
    newTables_.forget();
    try {
        flushHeld();
        // Links are checked here: a broken one fails the COMMIT, which then rolls back.
        connection_.exec("COMMIT");
    } catch (const postgres::Failure& failure) {
        rowsChanged();
        fail(failure);
    }
}

void PostgresProjectDatabase::Rollback() {
    rowsChanged();
    newTables_.forget();
    held_.takeAll();
    if (sending_.valid()) {
        sending_.wait();
        sending_ = {}; // what the server refused of them is undone with the rest
    }
    // A lost connection has rolled back on the server already.
    if (!connection_.alive() || !inTransaction())
        return;
    try {
        connection_.exec("ROLLBACK");
    } catch (const postgres::Failure& failure) {
        fail(failure);
    }
}

SqlProjectDatabase::TableColumns PostgresProjectDatabase::readColumns(const std::string& table) {
    auto info = reuse("SELECT column_name, is_identity FROM information_schema.columns "
                      "WHERE table_schema = current_schema() AND table_name = lower(?1) "
                      "AND column_name <> 'rowid' ORDER BY ordinal_position");
    info->bind(1, table);
    TableColumns columns;
    while (info->step()) {
        columns.names.push_back(info->text(0));
        if (info->text(1) == "YES")
            columns.idColumn = info->text(0);
    }
    return columns;
}

std::int64_t PostgresProjectDatabase::reserveId(const std::string& table) {
    // A number taken from the column's sequence is never handed out again, so the row saved
    // later with it cannot meet another run's. Blocks grow as a run adds more rows. The
    // sequence is looked up once, not once per number (which took six times as long).
    IdBlock& block = ids_[table];
    if (block.free.empty()) {
        auto next = reuse("WITH q AS MATERIALIZED (SELECT pg_get_serial_sequence(lower(?1), "
                          "?2)::regclass AS s) SELECT nextval(q.s) FROM q, generate_series(1, ?3)");
        next->bind(1, table).bind(2, idColumnOf(table)).bind(3, block.size);
        while (next->step())
            block.free.push_back(next->integer(0));
        block.size = std::min<std::int64_t>(block.size * 2, 4096);
    }
    const std::int64_t id = block.free.front();
    block.free.pop_front();
    return id;
}

const HeldStatements::Batch& PostgresProjectDatabase::batchOf(const RowShape& shape, bool withId) {
    const std::string& head = shape.insertHead(withId);
    if (const auto known = batches_.find(head); known != batches_.end())
        return known->second;
    std::unordered_map<std::string, std::string> types;
    try {
        awaitSent();
        const auto columns = connection_.query(
            "SELECT attname, format_type(atttypid, atttypmod) FROM pg_attribute WHERE attrelid = "
            "to_regclass(lower($1)) AND attnum > 0 AND NOT attisdropped",
            {Value(shape.table())});
        for (int row = 0; row < columns.rows(); ++row)
            types.emplace(columns.text(row, 0), columns.text(row, 1));
    } catch (const postgres::Failure& failure) {
        fail(failure);
    }
    if (types.empty())
        throw Error("The project database " + name_ + " has no table " + shape.table());
    std::vector<std::string> names = shape.columns();
    if (withId)
        names.insert(names.begin(), shape.idColumn());
    HeldStatements::Batch batch;
    batch.table = lowerCase(shape.table());
    batch.hasId = withId;
    batch.sql = head + " SELECT * FROM unnest(";
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto type = types.find(lowerCase(names[i]));
        if (type == types.end())
            throw Error("The project database " + name_ + " has no column " + names[i] +
                        " in the table " + shape.table());
        batch.sql += (i ? ", $" : "$") + std::to_string(i + 1) + "::" + type->second + "[]";
        batch.columns.push_back(type->first);
        batch.whole.push_back(type->second == "integer" || type->second == "bigint" ||
                              type->second == "smallint");
    }
    batch.sql += ")";
    return batches_.emplace(head, std::move(batch)).first->second;
}

void PostgresProjectDatabase::hold(const RowShape& shape, const Value* id,
                                   const std::vector<Value>& values) {
    if (values.size() != shape.columns().size())
        throw Error("A row of " + shape.table() + " has " + std::to_string(values.size()) +
                    " values for " + std::to_string(shape.columns().size()) + " columns");
    held_.addRow(batchOf(shape, id != nullptr), id, values);
    newTables_.rowAdded(shape.table(), shape.idColumn(), shape.columns(), id, values);
    heldGrew();
}

void PostgresProjectDatabase::heldGrew() {
    // A long run of rows that nothing answers goes out in pieces of about a megabyte.
    constexpr std::size_t kHeldLimit = 1 << 20;
    if (held_.bytes() > kHeldLimit)
        sendHeldAhead();
}

void PostgresProjectDatabase::sendHeldAhead() {
    try {
        awaitSent();
    } catch (const postgres::Failure& failure) {
        fail(failure);
    }
    std::vector<postgres::Statement> held = held_.takeAll();
    sending_ = std::async(std::launch::async, [this, held = std::move(held)]() mutable {
        const postgres::Statement last = std::move(held.back());
        held.pop_back();
        connection_.queryAfter(held, last);
    });
}

void PostgresProjectDatabase::awaitSent() {
    if (sending_.valid())
        sending_.get();
}

void PostgresProjectDatabase::runWithoutAnswer(const std::string& sql,
                                               const std::vector<Value>& values) {
    // A row written out in an INSERT joins the other rows of its table and columns.
    if (values.empty())
        if (auto row = literalInsert(sql)) {
            hold(RowShape(row->table, "", std::move(row->columns)), nullptr, row->values);
            return;
        }
    newTables_.statementRun(sql, values);
    // An update of a row still held is made in the row, which then goes out as it ends up.
    if (const auto update = keyedUpdate(sql)) {
        const auto value = static_cast<std::size_t>(update->valueParameter - 1);
        const auto key = static_cast<std::size_t>(update->keyParameter - 1);
        if (value < values.size() && key < values.size() &&
            held_.setHeld(update->table, update->key, values[key], update->column, values[value]))
            return;
    }
    // Statements with values come again with others: prepared once, the values bound.
    held_.addStatement(values.empty()
                           ? postgres::Statement{sql, {}, {}, false}
                           : postgres::bound(postgres::numberedParameters(sql), values, true));
    heldGrew();
}

void PostgresProjectDatabase::insertRow(const RowShape& shape, const std::vector<Value>& values) {
    hold(shape, nullptr, values);
}

std::int64_t PostgresProjectDatabase::insertRowWithId(const RowShape& shape,
                                                      const std::vector<Value>& values) {
    const Value id(reserveId(shape.table()));
    hold(shape, &id, values);
    return id.toInt64();
}

void PostgresProjectDatabase::flush() {
    try {
        flushHeld();
    } catch (const postgres::Failure& failure) {
        fail(failure);
    }
}

void PostgresProjectDatabase::flushHeld() {
    awaitSent();
    if (held_.empty())
        return;
    std::vector<postgres::Statement> held = held_.takeAll();
    const postgres::Statement last = std::move(held.back());
    held.pop_back();
    connection_.queryAfter(held, last);
}

std::optional<postgres::Result>
PostgresProjectDatabase::madeAnswer(const NewTables::Answer& known) {
    std::vector<std::string> columns = columnsOf(std::string(known.table));
    columns.insert(columns.end(), known.after.begin(), known.after.end());
    // The rows' values in the order of the columns, which the project's schema decides.
    std::vector<std::vector<Value>> rows(known.rows.size());
    if (!rows.empty())
        for (const std::string& column : columns) {
            const auto given =
                std::find(known.columns.begin(), known.columns.end(), lowerCase(column));
            if (given == known.columns.end())
                return std::nullopt;
            const auto at = static_cast<std::size_t>(given - known.columns.begin());
            for (std::size_t row = 0; row < rows.size(); ++row)
                rows[row].push_back(known.rows[row][at]);
        }
    return postgres::Result::made(columns, rows);
}

postgres::Result PostgresProjectDatabase::answer(const std::string& sql,
                                                 const std::vector<Value>& parameters, bool keep,
                                                 bool wholeNumbers) {
    if (auto known = newTables_.answer(sql, parameters))
        if (auto made = madeAnswer(*known))
            return std::move(*made);
    newTables_.statementRun(sql, parameters);
    try {
        // The held statements that it may read travel with it, in one round trip.
        postgres::Statement statement{sql, postgres::parameterTexts(parameters), {}, keep};
        if (wholeNumbers)
            statement.types.assign(parameters.size(), postgres::kBigint);
        awaitSent();
        return connection_.queryAfter(held_.takeBefore(sql), statement);
    } catch (const postgres::Failure& failure) {
        fail(failure);
    }
}

} // namespace vorq::projectdb
