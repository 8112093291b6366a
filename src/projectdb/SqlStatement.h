#pragma once

#include "host/Value.h"

#include <cstdint>
#include <string>

namespace vorq::projectdb {

// A prepared statement of the project database's engine, with ?1, ?2 ... parameters and its
// rows read forward. Errors raise vorq::Error.
class SqlStatement {
public:
    virtual ~SqlStatement() = default;
    // Binds by 1-based position.
    virtual SqlStatement& bind(int index, const Value& value) = 0;
    // Runs to the next row: true when a row is there, false at the end.
    virtual bool step() = 0;
    // Makes the statement ready to run again, its parameters kept.
    virtual void reset() = 0;
    virtual int columnCount() const = 0;
    virtual std::string columnName(int index) const = 0;
    virtual Value column(int index) const = 0;

    // Runs a statement that returns no rows.
    void run() {
        while (step()) {
        }
    }
    // A field of the current row; NULL reads as 0 and "".
    std::int64_t integer(int index) const {
        const Value v = column(index);
        return v.isNull() ? 0 : v.toInt64();
    }
    std::string text(int index) const {
        const Value v = column(index);
        return v.isNull() ? std::string() : v.toString();
    }
};

// A statement of the database's cache, reset when the scope ends.
class ScopedSql {
public:
    explicit ScopedSql(SqlStatement& statement) : statement_(statement) {}
    ~ScopedSql() { statement_.reset(); }
    ScopedSql(const ScopedSql&) = delete;
    ScopedSql& operator=(const ScopedSql&) = delete;
    SqlStatement* operator->() { return &statement_; }
    SqlStatement& operator*() { return statement_; }

private:
    SqlStatement& statement_;
};

} // namespace vorq::projectdb
