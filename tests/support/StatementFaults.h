#pragma once

#include <sqlite3.h>
#include <string>
#include <string_view>

namespace vorq::testing {

// Makes the N-th statement run on a connection fail, as a full disk or an I/O error would: SQLite
// reports each statement's start to a trace callback, and a progress callback interrupts the
// armed one from its first instruction. Only that statement fails; the ones after it (a ROLLBACK)
// run normally.
class StatementFaults {
public:
    explicit StatementFaults(sqlite3* db) : db_(db) {
        sqlite3_trace_v2(db_, SQLITE_TRACE_STMT, &StatementFaults::onStatement, this);
        sqlite3_progress_handler(db_, 1, &StatementFaults::onProgress, this);
    }
    ~StatementFaults() {
        sqlite3_trace_v2(db_, 0, nullptr, nullptr);
        sqlite3_progress_handler(db_, 0, nullptr, nullptr);
    }
    StatementFaults(const StatementFaults&) = delete;
    StatementFaults& operator=(const StatementFaults&) = delete;

    // Counts statements from now on and fails the n-th (1-based); 0 fails none.
    void arm(int n) {
        target_ = n;
        started_ = 0;
        fired_ = false;
    }
    int started() const { return started_; }
    bool fired() const { return fired_; }
    // The text of the statement that was made to fail.
    const std::string& failedSql() const { return sql_; }

private:
    static int onStatement(unsigned, void* self, void* statement, void* text) {
        // A trigger's start is reported too, as an SQL comment: it is part of its statement.
        if (std::string_view(static_cast<const char*>(text)).starts_with("--"))
            return 0;
        auto& faults = *static_cast<StatementFaults*>(self);
        ++faults.started_;
        faults.failing_ = faults.started_ == faults.target_;
        if (faults.failing_)
            faults.sql_ = sqlite3_sql(static_cast<sqlite3_stmt*>(statement));
        return 0;
    }
    static int onProgress(void* self) {
        auto& faults = *static_cast<StatementFaults*>(self);
        if (faults.failing_)
            faults.fired_ = true;
        return faults.failing_ ? 1 : 0;
    }

    sqlite3* db_;
    int target_ = 0;
    int started_ = 0;
    bool failing_ = false;
    bool fired_ = false;
    std::string sql_;
};

// Statement faults on every connection that the process opens while this lives (through
// SQLite's auto-extensions): for code that opens its own connection, such as the writer of a
// repository database. Statements are counted over all those connections together.
class NewConnectionFaults {
public:
    NewConnectionFaults() {
        current_ = this;
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(&NewConnectionFaults::onOpen));
    }
    ~NewConnectionFaults() {
        sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(&NewConnectionFaults::onOpen));
        current_ = nullptr;
    }
    NewConnectionFaults(const NewConnectionFaults&) = delete;
    NewConnectionFaults& operator=(const NewConnectionFaults&) = delete;

    void arm(int n) {
        target_ = n;
        started_ = 0;
        fired_ = false;
    }
    int started() const { return started_; }
    bool fired() const { return fired_; }

private:
    static int onOpen(sqlite3* db, const char**, const void*) {
        sqlite3_trace_v2(db, SQLITE_TRACE_STMT, &NewConnectionFaults::onStatement, nullptr);
        sqlite3_progress_handler(db, 1, &NewConnectionFaults::onProgress, nullptr);
        return SQLITE_OK;
    }
    static int onStatement(unsigned, void*, void*, void* text) {
        if (!current_ || std::string_view(static_cast<const char*>(text)).starts_with("--"))
            return 0;
        current_->failing_ = ++current_->started_ == current_->target_;
        return 0;
    }
    static int onProgress(void*) {
        if (!current_ || !current_->failing_)
            return 0;
        current_->fired_ = true;
        return 1;
    }

    static inline NewConnectionFaults* current_ = nullptr;
    int target_ = 0;
    int started_ = 0;
    bool failing_ = false;
    bool fired_ = false;
};

} // namespace vorq::testing
