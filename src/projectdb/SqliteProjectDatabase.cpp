#include "projectdb/SqliteProjectDatabase.h"

#include "host/Error.h"
#include "projectdb/ProjectSchema.h"
#include "projectdb/SqlText.h"

namespace vorq::projectdb {
namespace {

sqlite::Connection::Mode sqliteMode(OpenMode mode) {
    switch (mode) {
    case OpenMode::ReadWrite:
        return sqlite::Connection::Mode::ReadWrite;
    case OpenMode::CreateIfMissing:
        return sqlite::Connection::Mode::CreateIfMissing;
    case OpenMode::ReadOnly:
        break;
    }
    return sqlite::Connection::Mode::ReadOnly;
}

class SqliteStatement : public SqlStatement {
public:
    explicit SqliteStatement(sqlite::Statement statement) : statement_(std::move(statement)) {}
    SqlStatement& bind(int index, const Value& value) override {
        statement_.bind(index, value);
        return *this;
    }
    bool step() override { return statement_.step(); }
    void reset() override { statement_.reset(); }
    int columnCount() const override { return statement_.columnCount(); }
    std::string columnName(int index) const override { return statement_.columnName(index); }
    Value column(int index) const override { return statement_.column(index); }

private:
    sqlite::Statement statement_;
};

// A statement borrowed from the idle ones of its shape, given back reset when its query ends.
class BorrowedStatement : public SqlStatement {
public:
    BorrowedStatement(std::unique_ptr<SqlStatement> statement,
                      std::vector<std::unique_ptr<SqlStatement>>& idle)
        : statement_(std::move(statement)), idle_(idle) {}
    ~BorrowedStatement() override {
        statement_->reset();
        idle_.push_back(std::move(statement_));
    }
    BorrowedStatement(const BorrowedStatement&) = delete;
    BorrowedStatement& operator=(const BorrowedStatement&) = delete;

    SqlStatement& bind(int index, const Value& value) override {
        statement_->bind(index, value);
        return *this;
    }
    bool step() override { return statement_->step(); }
    void reset() override { statement_->reset(); }
    int columnCount() const override { return statement_->columnCount(); }
    std::string columnName(int index) const override { return statement_->columnName(index); }
    Value column(int index) const override { return statement_->column(index); }

private:
    std::unique_ptr<SqlStatement> statement_;
    std::vector<std::unique_ptr<SqlStatement>>& idle_;
};

// A device or a folder would take SQLite's writes and lose them, or fail in their midst.
const std::filesystem::path& regularFile(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::exists(path, error) && !std::filesystem::is_regular_file(path, error))
        throw Error("The project database " + path.string() +
                    " is no regular file: name a file (a new one is made)");
    return path;
}

} // namespace

SqliteProjectDatabase::SqliteProjectDatabase(const std::filesystem::path& path, OpenMode mode)
    : db_(regularFile(path), sqliteMode(mode)), name_(path.string()) {
    prepareProjectSchema(db_);
}

std::unique_ptr<SqlStatement> SqliteProjectDatabase::prepare(std::string_view sql) {
    // The import asks the same questions of every table it makes, its number in the text:
    // parsed once, they cost a sixth of what parsing each did.
    std::vector<Value> numbers;
    const std::string shape = isSelect(sql) ? numbersAsParameters(sql, numbers) : "";
    if (shape.empty())
        return std::make_unique<SqliteStatement>(db_.prepare(sql));
    auto& idle = idle_[shape];
    std::unique_ptr<SqlStatement> statement;
    if (idle.empty()) {
        statement = std::make_unique<SqliteStatement>(db_.prepare(shape));
    } else {
        statement = std::move(idle.back());
        idle.pop_back();
    }
    for (std::size_t i = 0; i < numbers.size(); ++i)
        statement->bind(static_cast<int>(i + 1), numbers[i]);
    return std::make_unique<BorrowedStatement>(std::move(statement), idle);
}

SqlStatement& SqliteProjectDatabase::cached(const std::string& sql) {
    auto& slot = cache_[sql];
    if (!slot)
        slot = prepare(sql);
    return *slot;
}

void SqliteProjectDatabase::BeginTrans() {
    // Other programs may have changed the project since this one last looked.
    rowsChanged();
    // A run of another program holds the file until it commits: a second import waits for it,
    // for a bound that it names when it gives up.
    db_.waitWhenBusy(writerWait_);
    try {
        db_.exec("BEGIN IMMEDIATE");
    } catch (const Error& e) {
        db_.waitWhenBusy(sqlite::kBusyWait);
        if ((e.number() & 0xFF) != SQLITE_BUSY)
            throw;
        throw projectBusy(name_, writerWait_);
    }
    db_.waitWhenBusy(sqlite::kBusyWait);
    transactionBegun();
}

void SqliteProjectDatabase::CommitTrans() {
    db_.exec("COMMIT");
}

void SqliteProjectDatabase::Rollback() {
    rowsChanged();
    if (inTransaction())
        db_.exec("ROLLBACK");
}

void SqliteProjectDatabase::insertRow(const RowShape& shape, const std::vector<Value>& values) {
    // An import adds a row per column: SQLite reads their texts from the values themselves.
    db_.cached(shape.insert()).runWith(values);
}

std::int64_t SqliteProjectDatabase::insertRowWithId(const RowShape& shape,
                                                    const std::vector<Value>& values) {
    // The row's rowid is its id: cheaper than RETURNING, which SQLite answers from a copy.
    insertRow(shape, values);
    return db_.lastInsertRowid();
}

SqlProjectDatabase::TableColumns SqliteProjectDatabase::readColumns(const std::string& table) {
    auto info = db_.prepare("SELECT name, pk, type FROM pragma_table_info(?)");
    info.bind(1, std::string_view(table));
    TableColumns columns;
    while (info.step()) {
        columns.names.push_back(info.text(0));
        if (info.integer(1) == 1 && info.text(2) == "INTEGER")
            columns.idColumn = info.text(0);
    }
    return columns;
}

std::int64_t SqliteProjectDatabase::reserveId(const std::string& table) {
    // AUTOINCREMENT never hands out a number at or below sqlite_sequence.seq, so raising it
    // keeps the reserved id free until the row is saved.
    const std::string id = idColumnOf(table);
    auto highest = db_.reuse("SELECT max(coalesce((SELECT seq FROM sqlite_sequence WHERE "
                             "name = ?1), 0), coalesce((SELECT max(\"" +
                             id + "\") FROM \"" + table + "\"), 0))");
    highest->bind(1, std::string_view(table));
    highest->step();
    const std::int64_t next = highest->integer(0) + 1;
    auto update = db_.reuse("UPDATE sqlite_sequence SET seq = ?2 WHERE name = ?1");
    update->bind(1, std::string_view(table)).bind(2, next);
    update->run();
    if (db_.changes() == 0) {
        auto insert = db_.reuse("INSERT INTO sqlite_sequence(name, seq) VALUES (?1, ?2)");
        insert->bind(1, std::string_view(table)).bind(2, next);
        insert->run();
    }
    return next;
}

} // namespace vorq::projectdb
