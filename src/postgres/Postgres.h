#pragma once

#include "host/Value.h"

#include <functional>
#include <libpq-fe.h>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vorq::postgres {

// The SQLSTATE codes the callers tell apart.
inline constexpr std::string_view kLockNotAvailable = "55P03";
inline constexpr std::string_view kQueryCanceled = "57014";

// A failure of the server or of the connection, with the server's SQLSTATE ("" when the
// connection itself failed).
class Failure : public std::runtime_error {
public:
    Failure(const std::string& message, std::string sqlState)
        : std::runtime_error(message), sqlState_(std::move(sqlState)) {}
    const std::string& sqlState() const { return sqlState_; }

private:
    std::string sqlState_;
};

// Type OIDs of built-in types that parameters are declared as.
inline constexpr Oid kBigint = 20;
inline constexpr Oid kNumeric = 1700;

// A statement with $1, $2 ... placeholders as the server takes it: the parameters' texts
// (nullopt for NULL) and their declared types (0, or none at all: the server infers them).
struct Statement {
    std::string sql;
    std::vector<std::optional<std::string>> parameters;
    std::vector<Oid> types;
    // Prepared on the server once per connection and reused, for SQL that comes again.
    bool keep = false;
};

// Values as parameter texts: nullopt for NULL.
std::vector<std::optional<std::string>> parameterTexts(const std::vector<Value>& values);
// The values as a statement's parameters: numbers with a fraction declared numeric, as their
// literals would be, so that one may go where an integer is wanted; the rest inferred.
Statement bound(std::string sql, const std::vector<Value>& values, bool keep);

// The rows of one executed statement, all received.
class Result {
public:
    explicit Result(PGresult* result) : result_(result, PQclear) {}
    // An answer made without the server: these columns (as the server names them) and rows of
    // their values; a column is of an integer type where the first row holds a whole number.
    static Result made(const std::vector<std::string>& columns,
                       const std::vector<std::vector<Value>>& rows);
    int rows() const { return PQntuples(result_.get()); }
    int columns() const { return PQnfields(result_.get()); }
    std::string columnName(int column) const { return PQfname(result_.get(), column); }
    bool isNull(int row, int column) const { return PQgetisnull(result_.get(), row, column); }
    std::string_view text(int row, int column) const {
        return {PQgetvalue(result_.get(), row, column),
                static_cast<std::size_t>(PQgetlength(result_.get(), row, column))};
    }
    // The field as a Value: whole numbers and booleans as integers, other numbers as reals.
    Value value(int row, int column) const;

private:
    std::unique_ptr<PGresult, decltype(&PQclear)> result_;
};

// One connection to a server, made from a libpq connection string (URI or key=value) with
// the PG* environment variables as defaults.
class Connection {
public:
    // Connects; a refused, unreachable or slow server raises Failure with libpq's reason.
    // The connection gives up after 10 s unless the string sets its own connect_timeout.
    explicit Connection(const std::string& conninfo);
    Connection(Connection&&) = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Runs statements without parameters (several may be separated by semicolons).
    void exec(const std::string& sql);
    // Runs one statement with $1, $2, ... parameters bound to values (Null stays NULL).
    Result query(const std::string& sql, const std::vector<Value>& parameters = {});
    // Runs the statements before (their rows, if any, unread) and then the last one, all in
    // one round trip; the first failure raises Failure, and the statements after it are not
    // run.
    Result queryAfter(const std::vector<Statement>& before, const Statement& last);

    // Sends rows in COPY's text form through "COPY table (columns) FROM STDIN"; raises
    // Failure with the server's reason when it refuses them.
    void copyIn(const std::string& copy, std::string_view rows);

    bool alive() const { return PQstatus(conn_.get()) == CONNECTION_OK; }
    PGTransactionStatusType transactionStatus() const { return PQtransactionStatus(conn_.get()); }
    PGconn* handle() const { return conn_.get(); }

private:
    Result check(PGresult* result);
    Failure failureOf(PGresult* result) const;

    std::unique_ptr<PGconn, decltype(&PQfinish)> conn_;
    std::unordered_map<std::string, std::string> prepared_; // types and SQL -> statement name
    std::size_t named_ = 0;
};

// The connection string as it may be shown: postgresql://user@host:port/dbname, never with
// a password, the missing parts taken from the PG* environment as libpq would; a string that
// libpq cannot read, as written with its password as ***.
std::string displayName(const std::string& conninfo);
// The password that a connection string carries, read from its text alone ("" when none).
std::string passwordIn(const std::string& conninfo);
// text with every occurrence of that password replaced by ***: libpq's messages about a string
// that it cannot read quote the string.
std::string withoutPassword(const std::string& text, const std::string& conninfo);

// ?1, ?2 (and bare ?, numbered in order) placeholders outside quoted text, each replaced by
// what replacement gives for its number.
std::string replaceParameters(std::string_view sql,
                              const std::function<std::string(int)>& replacement);
// The placeholders as PostgreSQL writes them: $1, $2, ...
std::string numberedParameters(std::string_view sql);

} // namespace vorq::postgres
