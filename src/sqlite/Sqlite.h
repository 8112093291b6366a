#pragma once

#include "host/Value.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vorq::sqlite {

// How long a statement waits for another connection's lock unless told otherwise.
inline constexpr std::chrono::milliseconds kBusyWait{2000};

// The longest absolute path of a database file: SQLite opens at most 512 characters, and its
// journal's name is the file's and 8 more.
inline constexpr std::size_t kLongestPath = 500;

// A prepared statement; bind, step, read, reset.
class Statement {
public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&&) = delete;
    Statement(const Statement&) = delete;

    // Binds by 1-based position.
    Statement& bind(int index, const Value& value);
    Statement& bind(int index, std::string_view text);
    Statement& bind(int index, const std::string& text) {
        return bind(index, std::string_view(text));
    }
    Statement& bind(int index, const char* text) { return bind(index, std::string_view(text)); }
    // Binds text that stays alive and unchanged until the statement has run (no copy).
    Statement& bindStatic(int index, std::string_view text);
    // The same for bytes stored as a blob.
    Statement& bindStaticBlob(int index, std::string_view bytes);
    Statement& bind(int index, std::int64_t number);
    // Runs to the next row: true when a row is there, false at the end; errors raise vorq::Error.
    bool step();
    // Runs a statement that returns no rows.
    void run();
    // Runs it with these values bound, their texts read where they lie (no copy): no binding
    // outlives the call.
    void runWith(const std::vector<Value>& values);
    void reset();

    int columnCount() const;
    std::string columnName(int index) const;
    Value column(int index) const;
    std::int64_t integer(int index) const;
    std::string text(int index) const;
    // A blob's bytes, valid until the next step or reset.
    std::string_view blob(int index) const;
    bool isNull(int index) const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// A statement of the connection's cache, reset when the scope ends.
class ScopedStatement {
public:
    explicit ScopedStatement(Statement& statement) : statement_(statement) {}
    ~ScopedStatement() { statement_.reset(); }
    ScopedStatement(const ScopedStatement&) = delete;
    ScopedStatement& operator=(const ScopedStatement&) = delete;
    Statement* operator->() { return &statement_; }
    Statement& operator*() { return statement_; }

private:
    Statement& statement_;
};

// An open SQLite database file.
class Connection {
public:
    enum class Mode { ReadWrite, CreateIfMissing, ReadOnly };
    // Opens the file; a missing file (unless created), a locked or unreadable one raises
    // vorq::Error naming it. Foreign keys are enforced. ReadOnly never writes, but rolls back
    // what a killed writer left when the file may be written.
    Connection(const std::filesystem::path& path, Mode mode);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const { return db_; }
    const std::filesystem::path& path() const { return path_; }
    // False for a connection opened ReadOnly.
    bool writable() const { return writable_; }
    Statement prepare(std::string_view sql) const { return Statement(db_, sql); }
    // A statement prepared once and kept, for SQL that runs again and again; the caller binds,
    // runs and resets it, and must not use it again before it has been reset.
    Statement& cached(const std::string& sql) const;
    // The cached statement for sql, reset again when the returned scope ends.
    ScopedStatement reuse(const std::string& sql) const { return ScopedStatement(cached(sql)); }
    // Runs one or more statements that return no rows.
    void exec(std::string_view sql) const;
    std::int64_t lastInsertRowid() const { return sqlite3_last_insert_rowid(db_); }
    // The integer value of a pragma ("application_id", "user_version"); 0 when it has none.
    std::int64_t pragmaInteger(std::string_view name) const;
    // The tables, indexes, views and triggers of the database.
    std::int64_t objectCount() const;
    // Whether a transaction is open.
    bool inTransaction() const { return !sqlite3_get_autocommit(db_); }
    // The rows that the last INSERT, UPDATE or DELETE changed.
    std::int64_t changes() const { return sqlite3_changes64(db_); }
    // Whether the database has a table of that name, compared without case.
    bool hasTable(std::string_view name) const;
    // Keeps the write-ahead log between connections and leaves its copy into the file to the
    // automatic checkpoint, instead of making it at every close.
    void keepLogAtClose() const;
    // How long a statement waits for another connection's lock before it fails as busy.
    void waitWhenBusy(std::chrono::milliseconds wait) const;

private:
    std::filesystem::path path_;
    bool writable_ = true;
    sqlite3* db_ = nullptr;
    mutable std::unordered_map<std::string, std::unique_ptr<Statement>> cache_;
};

// The text of an SQLite failure with the database's own message.
std::string describe(sqlite3* db, int code);

} // namespace vorq::sqlite
