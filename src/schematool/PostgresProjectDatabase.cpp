#include "schematool/PostgresProjectDatabase.h"

#include "host/Error.h"
#include "schematool/PostgresSchema.h"

#include <optional>

namespace vorq::schematool {
namespace {

// How long a run waits for another program's run to end, and how long one statement may take
// before the server is taken for gone.
constexpr const char* kLockWait = "30s";
constexpr const char* kStatementLimit = "120s";

class PostgresStatement : public SqlStatement {
public:
    PostgresStatement(PostgresProjectDatabase& db, postgres::Connection& connection,
                      std::string_view sql, bool keep)
        : db_(db), connection_(connection), sql_(postgres::numberedParameters(sql)), keep_(keep) {}

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
            db_.flush();
            try {
                result_.emplace(keep_ ? connection_.queryPrepared(sql_, parameters_)
                                      : connection_.query(sql_, parameters_));
            } catch (const postgres::Failure& failure) {
                db_.fail(failure);
            }
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
    postgres::Connection& connection_;
    std::string sql_;
    bool keep_;
    std::vector<Value> parameters_;
    std::optional<postgres::Result> result_;
    int row_ = 0;
};

postgres::Connection connect(const std::string& conninfo, const std::string& name) {
    try {
        return postgres::Connection(conninfo);
    } catch (const postgres::Failure& failure) {
        throw Error("Cannot open the project database " + name + ": " + failure.what());
    }
}

} // namespace

PostgresProjectDatabase::PostgresProjectDatabase(const std::string& conninfo, OpenMode mode)
    : name_(postgres::displayName(conninfo)), connection_(connect(conninfo, name_)) {
    try {
        connection_.exec(std::string("SET lock_timeout = '") + kLockWait +
                         "'; SET statement_timeout = '" + kStatementLimit + "'");
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
    return std::make_unique<PostgresStatement>(*this, connection_, sql, false);
}

SqlStatement& PostgresProjectDatabase::cached(const std::string& sql) {
    auto& slot = cache_[sql];
    if (!slot)
        slot = std::make_unique<PostgresStatement>(*this, connection_, sql, true);
    return *slot;
}

bool PostgresProjectDatabase::inTransaction() const {
    const auto status = connection_.transactionStatus();
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR || status == PQTRANS_ACTIVE;
}

void PostgresProjectDatabase::BeginTrans() {
    flush();
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
}

void PostgresProjectDatabase::CommitTrans() {
    if (connection_.transactionStatus() == PQTRANS_INERROR)
        throw Error("The project database " + name_ +
                    " had refused a statement of this run; nothing was saved");
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
    held_.clear();
    heldInsert_.clear();
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
    // later with it cannot meet another run's. Blocks grow as a run adds more rows.
    IdBlock& block = ids_[table];
    if (block.free.empty()) {
        auto next = reuse("SELECT nextval(pg_get_serial_sequence(lower(?1), ?2)) FROM "
                          "generate_series(1, ?3)");
        next->bind(1, table).bind(2, idColumnOf(table)).bind(3, block.size);
        while (next->step())
            block.free.push_back(next->integer(0));
        block.size = std::min<std::int64_t>(block.size * 2, 4096);
    }
    const std::int64_t id = block.free.front();
    block.free.pop_front();
    return id;
}

std::string PostgresProjectDatabase::literal(const Value& value) const {
    if (value.isNull())
        return "NULL";
    if (value.isInteger() || value.isReal())
        return value.toString();
    const std::string text = value.toString();
    char* quoted = PQescapeLiteral(connection_.handle(), text.data(), text.size());
    if (!quoted)
        throw Error("The project database " + name_ +
                    " cannot quote a value: " + PQerrorMessage(connection_.handle()));
    std::string out(quoted);
    PQfreemem(quoted);
    return out;
}

void PostgresProjectDatabase::hold(const std::string& table,
                                   const std::vector<std::string>& columns,
                                   const std::vector<Value>& values) {
    std::string insert = "INSERT INTO " + table + " (";
    for (std::size_t i = 0; i < columns.size(); ++i)
        insert += (i ? ", " : "") + columns[i];
    insert += ") VALUES ";
    std::string row = "(";
    for (std::size_t i = 0; i < values.size(); ++i)
        row += (i ? ", " : "") + literal(values[i]);
    row += ")";
    if (insert == heldInsert_) {
        held_ += ", " + row;
    } else {
        held_ += (held_.empty() ? "" : ";\n") + insert + row;
        heldInsert_ = insert;
    }
    constexpr std::size_t kHeldLimit = 1 << 20;
    if (held_.size() > kHeldLimit)
        flush();
}

void PostgresProjectDatabase::runUnanswered(std::string_view sql) {
    held_ += (held_.empty() ? "" : ";\n") + std::string(sql);
    heldInsert_.clear();
}

void PostgresProjectDatabase::insertRow(const std::string& table,
                                        const std::vector<std::string>& columns,
                                        const std::vector<Value>& values) {
    hold(table, columns, values);
}

std::int64_t PostgresProjectDatabase::insertRowWithId(const std::string& table,
                                                      const std::string& idColumn,
                                                      const std::vector<std::string>& columns,
                                                      const std::vector<Value>& values) {
    const std::int64_t id = reserveId(table);
    std::vector<std::string> withId{idColumn};
    withId.insert(withId.end(), columns.begin(), columns.end());
    std::vector<Value> valuesWithId{Value(id)};
    valuesWithId.insert(valuesWithId.end(), values.begin(), values.end());
    hold(table, withId, valuesWithId);
    return id;
}

void PostgresProjectDatabase::flush() {
    try {
        flushHeld();
    } catch (const postgres::Failure& failure) {
        fail(failure);
    }
}

void PostgresProjectDatabase::flushHeld() {
    if (held_.empty())
        return;
    const std::string statements = std::move(held_);
    held_.clear();
    heldInsert_.clear();
    connection_.exec(statements);
}

} // namespace vorq::schematool
