#pragma once

#include <sqlite3.h>
#include <string>
#include <string_view>

namespace vorq::testing {

// Counts the statements of the connections it watches and fails the armed one, as a full disk
// or an I/O error would: SQLite reports each statement's start to a trace callback, and a
// progress callback interrupts the armed one from its first instruction. Only that statement
// fails; the ones after it (a ROLLBACK) run normally.
class FaultCounter {
public:
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

protected:
    // Watches db through the counter that *slot points to when a callback comes (none: null).
    static void watch(sqlite3* db, FaultCounter* const* slot) {
        sqlite3_trace_v2(db, SQLITE_TRACE_STMT, &FaultCounter::onStatement,
                         const_cast<FaultCounter**>(slot));
        sqlite3_progress_handler(db, 1, &FaultCounter::onProgress,
                                 const_cast<FaultCounter**>(slot));
    }
    static void unwatch(sqlite3* db) {
        sqlite3_trace_v2(db, 0, nullptr, nullptr);
        sqlite3_progress_handler(db, 0, nullptr, nullptr);
    }

private:
    static int onStatement(unsigned, void* slot, void* statement, void* text) {
        FaultCounter* counter = *static_cast<FaultCounter**>(slot);
        // A trigger's start is reported too, as an SQL comment: it is part of its statement.
        if (!counter || std::string_view(static_cast<const char*>(text)).starts_with("--"))
            return 0;
        counter->failing_ = ++counter->started_ == counter->target_;
        if (counter->failing_)
            counter->sql_ = sqlite3_sql(static_cast<sqlite3_stmt*>(statement));
        return 0;
    }
    static int onProgress(void* slot) {
        FaultCounter* counter = *static_cast<FaultCounter**>(slot);
        if (!counter || !counter->failing_)
            return 0;
        counter->fired_ = true;
        return 1;
    }

    int target_ = 0;
    int started_ = 0;
    bool failing_ = false;
    bool fired_ = false;
    std::string sql_;
};

// Statement faults on one open connection.
class StatementFaults : public FaultCounter {
public:
    explicit StatementFaults(sqlite3* db) : db_(db) { watch(db_, &self_); }
    ~StatementFaults() { unwatch(db_); }
    StatementFaults(const StatementFaults&) = delete;
    StatementFaults& operator=(const StatementFaults&) = delete;

private:
    sqlite3* db_;
    FaultCounter* self_ = this;
};

// Statement faults on every connection that the process opens while this lives (through
// SQLite's auto-extensions): for code that opens its own connection, such as the writer of a
// repository database. Statements are counted over all those connections together.
class NewConnectionFaults : public FaultCounter {
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

private:
    static int onOpen(sqlite3* db, const char**, const void*) {
        watch(db, &current_);
        return SQLITE_OK;
    }

    static inline FaultCounter* current_ = nullptr;
};

} // namespace vorq::testing
