#pragma once

#include "postgres/Postgres.h"
#include "projectdb/HeldStatements.h"
#include "projectdb/NewTables.h"
#include "projectdb/SqlProjectDatabase.h"

#include <deque>
#include <future>
#include <optional>
#include <string>
#include <unordered_map>

namespace vorq::projectdb {

// The project database on a PostgreSQL server, shared by a team: the project's tables live in
// the connection's current schema. Runs of several programs are serialised by an advisory
// lock taken when a run's transaction begins.
class PostgresProjectDatabase : public SqlProjectDatabase {
public:
    // Connects and, unless mode is ReadOnly, creates the schema in an empty one; a refused
    // connection, a foreign, newer or half-made schema raises vorq::Error and changes nothing.
    PostgresProjectDatabase(const std::string& conninfo, OpenMode mode);

    void BeginTrans() override;
    void CommitTrans() override;
    void Rollback() override;

    std::unique_ptr<SqlStatement> prepare(std::string_view sql) override;
    SqlStatement& cached(const std::string& sql) override;
    const std::string& name() const override { return name_; }
    bool inTransaction() const override;
    std::int64_t reserveId(const std::string& table) override;
    void insertRow(const RowShape& shape, const std::vector<Value>& values) override;
    std::int64_t insertRowWithId(const RowShape& shape, const std::vector<Value>& values) override;
    void runWithoutAnswer(const std::string& sql, const std::vector<Value>& values) override;

    // Sends the statements held back, as one round trip; a statement that answers calls it
    // first, so that the server sees every statement in the program's order.
    void flush();
    // Runs a statement that answers, after the held ones; failures raise vorq::Error.
    postgres::Result answer(const std::string& sql, const std::vector<Value>& parameters, bool keep,
                            bool wholeNumbers);
    // Raises the server's failure as vorq::Error naming the project.
    [[noreturn]] void fail(const postgres::Failure& failure) const;

protected:
    TableColumns readColumns(const std::string& table) override;

private:
    const HeldStatements::Batch& batchOf(const RowShape& shape, bool withId);
    // The answer that the run's own rows give, as the server would give it; nothing where the
    // project's tables have columns that the rows do not fill.
    std::optional<postgres::Result> madeAnswer(const NewTables::Answer& known);
    void flushHeld();
    void heldGrew();
    // Sends the held statements on a thread of their own, while the run goes on holding more.
    void sendHeldAhead();
    // Waits for the statements sent ahead, raising the server's failure of them.
    void awaitSent();
    // Holds a row back; id is the row's own id when it goes first.
    void hold(const RowShape& shape, const Value* id, const std::vector<Value>& values);

    std::string name_;
    postgres::Connection connection_;
    std::unordered_map<std::string, std::unique_ptr<SqlStatement>> cache_;
    std::unordered_map<std::string, HeldStatements::Batch> batches_; // by the INSERT's head
    HeldStatements held_;
    NewTables newTables_;
    // Automatic ids taken from each table's sequence in blocks, one round trip per block.
    struct IdBlock {
        std::deque<std::int64_t> free;
        std::int64_t size = 16;
    };
    std::unordered_map<std::string, IdBlock> ids_;
    // The statements on their way to the server; the connection is the sender's until then.
    // Last, so that it ends before the connection does.
    mutable std::future<void> sending_;
};

} // namespace vorq::projectdb
