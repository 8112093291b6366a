#pragma once

#include "host/ProjectDatabase.h"
#include "projectdb/RowShape.h"
#include "projectdb/SqlStatement.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vorq::projectdb {

// How a project database is opened.
enum class OpenMode { ReadWrite, CreateIfMissing, ReadOnly };

// The project database over an SQL engine: the recordsets and statements that the component
// uses, the same on every engine, over the few calls in which engines differ.
class SqlProjectDatabase : public ProjectDatabase {
public:
    std::unique_ptr<Recordset> OpenRecordset(std::string_view tableOrSql) override;
    void Execute(std::string_view sql) override;

    // A statement for one use.
    virtual std::unique_ptr<SqlStatement> prepare(std::string_view sql) = 0;
    // A statement prepared once and kept, for SQL that runs again and again; the caller binds,
    // runs and resets it (reuse does the reset).
    virtual SqlStatement& cached(const std::string& sql) = 0;
    ScopedSql reuse(const std::string& sql) { return ScopedSql(cached(sql)); }
    // What messages call the project: its file, or its server without the password.
    virtual const std::string& name() const = 0;
    virtual bool inTransaction() const = 0;
    // Reserves the next automatic id of a table, so that it is known before the row is saved.
    virtual std::int64_t reserveId(const std::string& table) = 0;
    // Adds a row that no statement waits for. An engine far from the program may hold it back
    // and send it with others before the next statement that answers; its failure then fails
    // that statement.
    virtual void insertRow(const RowShape& shape, const std::vector<Value>& values);
    // The same for a row that gets its automatic id; returns the id.
    virtual std::int64_t insertRowWithId(const RowShape& shape,
                                         const std::vector<Value>& values) = 0;

    // Changes whenever rows of the table may have changed behind the table services' back (a
    // rollback, a statement run through Execute, a row saved through a recordset), so that
    // what they remember of it is dropped.
    std::uint64_t generation(std::string_view table) const;
    // Changes whenever rows of the table that were there may have been altered or removed,
    // but not when rows were only added: what a program saved of its own rows holds meanwhile.
    std::uint64_t rewrites(std::string_view table) const;
    // Rows of any table may have changed in any way; rows of the one named were added; rows of
    // the one named were altered or removed.
    void rowsChanged() { ++everyTable_; }
    void rowsChanged(std::string_view table);
    void rowsRewritten(std::string_view table);

    // True when the project has the table (older projects lack tables added since).
    bool hasTable(const std::string& table);
    // The column names of a table as the engine spells them; an unknown table raises.
    const std::vector<std::string>& columnsOf(const std::string& table);
    // The automatic id column of a table, "" when it has none.
    std::string idColumnOf(const std::string& table);

    // Runs a statement that returns no rows, with ?1, ?2 ... bound to values; an engine may
    // hold it back as it holds rows back (insertRow).
    virtual void runWithoutAnswer(const std::string& sql, const std::vector<Value>& values);

    // Work that shares the fate of the next transaction, whoever begins it: it runs as soon as
    // the transaction has begun, and its failure rolls the transaction back and fails the
    // BeginTrans. The host replaces what an import made before in the import's own transaction.
    void atNextBegin(std::function<void()> work) { atNextBegin_ = std::move(work); }

protected:
    // Engines call it once their transaction has begun.
    void transactionBegun();
    struct TableColumns {
        std::vector<std::string> names;
        std::string idColumn;
    };
    virtual TableColumns readColumns(const std::string& table) = 0;

private:
    std::uint64_t everyTable_ = 0;
    std::function<void()> atNextBegin_;
    // Table names compared as the engines compare them, without regard to case, so that a
    // lookup makes no string.
    struct CaselessLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    std::map<std::string, std::uint64_t, CaselessLess> oneTable_;
    std::map<std::string, std::uint64_t, CaselessLess> rewritten_;
    std::map<std::string, TableColumns, std::less<>> columns_;
};

// True for a PostgreSQL connection string rather than a file name: a postgresql:// or
// postgres:// URI, or libpq key=value pairs ("host=db1 dbname=sales").
bool isConnectionString(std::string_view text);

// Opens the project database that project names: a PostgreSQL connection string
// (postgresql://..., or key=value pairs) or an SQLite file.
std::shared_ptr<SqlProjectDatabase> openProjectDatabase(const std::string& project, OpenMode mode);

} // namespace vorq::projectdb
