#pragma once

#include "host/Value.h"

#include <filesystem>
#include <sqlite3.h>
#include <string>
#include <string_view>

namespace vorq::sqlite {

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
    Statement& bind(int index, std::int64_t number);
    // Runs to the next row: true when a row is there, false at the end; errors raise vorq::Error.
    bool step();
    // Runs a statement that returns no rows.
    void run();
    void reset();

    int columnCount() const;
    std::string columnName(int index) const;
    Value column(int index) const;
    std::int64_t integer(int index) const;
    std::string text(int index) const;
    bool isNull(int index) const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// An open SQLite database file.
class Connection {
public:
    enum class Mode { ReadWrite, CreateIfMissing, ReadOnly };
    // Opens the file; a missing file (unless created), a locked or unreadable one raises
    // vorq::Error naming it. Foreign keys are enforced.
    Connection(const std::filesystem::path& path, Mode mode);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const { return db_; }
    const std::filesystem::path& path() const { return path_; }
    Statement prepare(std::string_view sql) const { return Statement(db_, sql); }
    // Runs one or more statements that return no rows.
    void exec(std::string_view sql) const;
    std::int64_t lastInsertRowid() const { return sqlite3_last_insert_rowid(db_); }

private:
    std::filesystem::path path_;
    sqlite3* db_ = nullptr;
};

// The text of an SQLite failure with the database's own message.
std::string describe(sqlite3* db, int code);

} // namespace vorq::sqlite
