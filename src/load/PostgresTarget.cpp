#include "load/PostgresTarget.h"

#include "host/Error.h"
#include "host/Text.h"
#include "load/CopyText.h"
#include "load/LoadPlan.h"
#include "schematool/DdlWriter.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <utility>

namespace vorq::load {
namespace {

// How long a load waits for another load of the same table to end.
constexpr std::chrono::seconds kTurnWait{600};

// The kinds of turns that loads of one table take (advisory locks named by kind and table):
// making tables, adding rows (a whole load by itself, parts side by side), taking a range of
// made-up keys.
constexpr const char* kTablesTurn = "vorq tables ";
constexpr const char* kRowsTurn = "vorq load ";
constexpr const char* kKeysTurn = "vorq keys ";

// The sequence of a table's made-up keys: its name and "_KEY_SEQ", or where that passes the
// server's 63 bytes, the name's start and a digest of all of it.
std::string keySequenceName(const std::string& table) {
    const std::string name = table + "_KEY_SEQ";
    if (name.size() <= 63)
        return name;
    std::uint64_t digest = 14695981039346656037ULL; // FNV-1a
    for (const char c : upperCase(table))
        digest = (digest ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(digest));
    return table.substr(0, 38) + "_" + hex + "_KEY_SEQ";
}

// Rows are sent when this much COPY text has gathered.
constexpr std::size_t kFlushBytes = 8 << 20;

// A key's value as the table compares it, as the server gives it back as text (CHAR(n)
// ignores trailing blanks), and a byte 00 after it, which no stored text holds.
void appendKeyValue(std::string_view text, std::string& key) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    key.append(text);
    key.push_back('\0');
}

// A record's key value the same way: a text as it is, a number as COPY writes it.
void appendKeyValue(const FieldValue& v, std::string& key) {
    if (v.kind == FieldValue::Kind::Text)
        return appendKeyValue(v.text, key);
    appendCopyValue(v, key); // digits alone: no escapes, no blanks
    key.push_back('\0');
}

} // namespace

PostgresTarget::PostgresTarget(std::string conninfo, const projectdb::ProjectCatalog& catalog)
    : conninfo_(std::move(conninfo)), catalog_(catalog) {}

std::string PostgresTarget::name() const {
    return postgres::displayName(conninfo_);
}

void PostgresTarget::begin(const std::vector<const LoadPlan*>& plans, TableSharing sharing) {
    sharing_ = sharing;
    std::vector<std::string> types;
    types.reserve(plans.size());
    for (const LoadPlan* plan : plans)
        types.push_back(lowerCase(plan->table.name));
    std::sort(types.begin(), types.end()); // in one order for all, so that none waits in a circle
    try {
        connection_.emplace(conninfo_);
        connection_->exec("SET client_encoding = 'UTF8'; BEGIN");
        if (connection_->query("SELECT current_schema()").isNull(0, 0))
            throw Error("Cannot load into " + name() +
                        ": its search_path names no schema that exists, so there is none to "
                        "hold the tables");
        connection_->exec("SET LOCAL lock_timeout = '" + std::to_string(kTurnWait.count()) + "s'");
        if (sharing == TableSharing::Alone) {
            // A load alone waits for the loads of its tables before it, makes what is missing
            // and numbers its made-up keys after the largest there.
            takeTurns(*connection_, kTablesTurn, types, "");
            takeTurns(*connection_, kRowsTurn, types, "");
            makeMissingTables(*connection_, plans);
        } else {
            // Loads that share the tables make them, with their keys, in a transaction of their
            // own, and then add rows side by side, their made-up keys from one sequence.
            keys_.emplace(conninfo_);
            keys_->exec("SET client_encoding = 'UTF8'; SET lock_timeout = '" +
                        std::to_string(kTurnWait.count()) + "s'; BEGIN");
            takeTurns(*keys_, kTablesTurn, types, "");
            makeMissingTables(*keys_, plans);
            makeKeySequences(plans);
            keys_->exec("COMMIT");
            takeTurns(*connection_, kRowsTurn, types, "_shared");
        }
        connection_->exec("SET LOCAL lock_timeout = 0");
    } catch (const postgres::Failure& e) {
        if (e.sqlState() == postgres::kLockNotAvailable)
            throw Error("The tables of " + types.front() + " in " + name() +
                        " are busy: another program's load held them for " +
                        std::to_string(kTurnWait.count()) + " s; try again when it has ended");
        throw Error("Cannot load into " + name() + ": " + e.what());
    }
    for (const TablePlan* table : tablesInOrder(plans)) {
        Table target;
        target.name = table->name;
        std::string columns;
        for (const auto& column : table->columns) {
            columns += (columns.empty() ? "" : ", ") + schematool::ddlName(column.name);
            target.notNull.push_back(column.notNull);
            target.columnNames.push_back(column.name);
        }
        target.copy = "COPY " + schematool::ddlName(table->name) + " (" + columns + ") FROM STDIN";
        tables_.push_back(std::move(target));
    }
    // A key made of the record's own fields may repeat in the file; a made-up one cannot.
    std::size_t first = 0;
    for (const LoadPlan* plan : plans) {
        for (const auto& t : catalog_.tables)
            if (t.name == plan->table.name)
                for (const std::int32_t key : t.primaryKey)
                    for (std::size_t c = 0; c < t.columns.size(); ++c)
                        if (t.columns[c].id == key &&
                            plan->table.columns[c].source == ColumnPlan::Source::Field)
                            tables_[first].keyColumns.push_back(c);
        first += tablesInOrder({plan}).size();
    }
}

// Takes the turns of a kind on the tables of the record types, for the transaction.
void PostgresTarget::takeTurns(postgres::Connection& connection, const char* kind,
                               const std::vector<std::string>& types, const char* mode) {
    for (const std::string& type : types)
        connection.query(std::string("SELECT pg_advisory_xact_lock") + mode +
                             "(hashtextextended($1 || current_schema() || '.' || $2, 0))",
                         {Value(kind), Value(type)});
}

// The tables of the load that the schema does not hold yet, from the project's DDL: a load
// alone adds their keys after their rows; loads side by side need them from the start.
void PostgresTarget::makeMissingTables(postgres::Connection& connection,
                                       const std::vector<const LoadPlan*>& plans) {
    for (const TablePlan* table : tablesInOrder(plans)) {
        const auto exists = connection.query(
            "SELECT count(*) FROM information_schema.tables WHERE table_schema = "
            "current_schema() AND table_name = $1",
            {schematool::ddlName(table->name).starts_with("\"") ? table->name
                                                                : lowerCase(table->name)});
        if (exists.text(0, 0) != "0")
            continue;
        const auto& t = catalog_.tableNamed(table->name);
        connection.exec(sharing_ == TableSharing::Alone
                            ? schematool::tableDdlWithoutKeys(
                                  catalog_, t, schematool::Dialect::PostgreSQL, keysToAdd_)
                            : schematool::tableDdl(catalog_, t, schematool::Dialect::PostgreSQL));
    }
}

// The sequences of the made-up key columns that the loads side by side take ranges from.
void PostgresTarget::makeKeySequences(const std::vector<const LoadPlan*>& plans) {
    for (const LoadPlan* plan : plans)
        for (const auto& column : plan->table.columns)
            if (column.source == ColumnPlan::Source::SurrogateKey)
                keys_->exec("CREATE SEQUENCE IF NOT EXISTS " +
                            schematool::ddlName(keySequenceName(plan->table.name)));
}

std::int64_t PostgresTarget::rowCount(int table) {
    awaitSent();
    const auto count =
        connection_->query("SELECT count(*) FROM " +
                           schematool::ddlName(tables_[static_cast<std::size_t>(table)].name));
    return std::stoll(std::string(count.text(0, 0)));
}

std::int64_t PostgresTarget::removeRows(int table) {
    awaitSent();
    const auto removed =
        connection_->query("WITH removed AS (DELETE FROM " +
                           schematool::ddlName(tables_[static_cast<std::size_t>(table)].name) +
                           " RETURNING 1) SELECT count(*) FROM removed");
    return std::stoll(std::string(removed.text(0, 0)));
}

std::int64_t PostgresTarget::reserveKeys(int table, const std::string& column, std::int64_t count) {
    const std::string& tableName = tables_[static_cast<std::size_t>(table)].name;
    if (sharing_ == TableSharing::Alone)
        return localKeys_.reserve(table, count, [&] {
            awaitSent();
            const auto largest =
                connection_->query("SELECT coalesce(max(" + schematool::ddlName(column) +
                                   "), 0) FROM " + schematool::ddlName(tableName));
            return std::stoll(std::string(largest.text(0, 0)));
        });
    // The sequence gives one number at a time: a range is taken under a lock of its own, on
    // a connection outside the load's transaction. A load alone may have added keys since the
    // range before (it does not wait for loads of parts that have not begun).
    const std::vector<Value> lock{Value(kKeysTurn), Value(lowerCase(tableName))};
    const char* lockKey = "(hashtextextended($1 || current_schema() || '.' || $2, 0))";
    try {
        keys_->query(std::string("SELECT pg_advisory_lock") + lockKey, lock);
        const auto first = keys_->query(
            "WITH r AS MATERIALIZED (SELECT greatest(nextval($1::regclass), (SELECT "
            "coalesce(max(" +
                schematool::ddlName(column) + "), 0) FROM " + schematool::ddlName(tableName) +
                ") + 1) AS first) SELECT first, setval($1::regclass, first + $2 - 1) FROM r",
            {Value(schematool::ddlName(keySequenceName(tableName))), Value(count)});
        keys_->query(std::string("SELECT pg_advisory_unlock") + lockKey, lock);
        return std::stoll(std::string(first.text(0, 0)));
    } catch (const postgres::Failure& e) {
        throw Error(name() + " gave no made-up keys for " + tableName + ": " + e.what());
    }
}

bool PostgresTarget::insert(int table, const std::vector<FieldValue>& row, std::string& refusal) {
    Table& t = tables_[static_cast<std::size_t>(table)];
    for (std::size_t c = 0; c < row.size(); ++c) {
        if (t.notNull[c] && row[c].kind == FieldValue::Kind::Null) {
            refusal = "no value for the key column " + t.columnNames[c];
            return false;
        }
        if (row[c].kind == FieldValue::Kind::Text && row[c].text.find('\0') != std::string::npos) {
            refusal = "the text of " + t.columnNames[c] +
                      " holds a byte 00 (LOW-VALUES), which PostgreSQL does not store";
            return false;
        }
    }
    if (!t.keyColumns.empty()) {
        if (!t.keysRead)
            readKeys(t);
        std::string key;
        for (const std::size_t c : t.keyColumns)
            appendKeyValue(row[c], key);
        if (!t.keysSeen.insert(std::move(key)).second) {
            std::string columns;
            for (const std::size_t c : t.keyColumns)
                columns += (columns.empty() ? "" : ", ") + t.name + "." + t.columnNames[c];
            refusal = "its key is taken (" + columns + ")";
            return false;
        }
    }
    const std::size_t before = t.buffer.size();
    appendCopyRow(row, t.buffer);
    buffered_ += t.buffer.size() - before;
    if (buffered_ >= kFlushBytes)
        flush();
    return true;
}

// The keys that the table holds when the load comes to it (none after a replace, the earlier
// loads' after an append): a record with one of them is left out, as a unique index would
// refuse it, instead of failing the COPY of its whole batch.
void PostgresTarget::readKeys(Table& t) {
    t.keysRead = true;
    awaitSent();
    std::string columns;
    for (const std::size_t c : t.keyColumns)
        columns += (columns.empty() ? "" : ", ") + schematool::ddlName(t.columnNames[c]) + "::text";
    const auto keys =
        connection_->query("SELECT " + columns + " FROM " + schematool::ddlName(t.name));
    for (int r = 0; r < keys.rows(); ++r) {
        std::string key;
        for (int c = 0; c < keys.columns(); ++c)
            appendKeyValue(keys.text(r, c), key);
        t.keysSeen.insert(std::move(key));
    }
}

// The gathered rows go out on a thread of their own while the next ones are decoded: the
// server's work on one batch overlaps ours on the next.
void PostgresTarget::flush() {
    awaitSent();
    std::vector<std::pair<const Table*, std::string>> batch;
    for (Table& t : tables_)
        if (!t.buffer.empty())
            batch.emplace_back(&t, std::exchange(t.buffer, {}));
    buffered_ = 0;
    sending_ = std::async(std::launch::async, [this, batch = std::move(batch)] {
        for (const auto& [table, rows] : batch)
            try {
                connection_->copyIn(table->copy, rows);
            } catch (const postgres::Failure& e) {
                throw Error(name() + " refused rows of " + table->name + ": " + e.what());
            }
    });
}

void PostgresTarget::awaitSent() {
    if (sending_.valid())
        sending_.get();
}

void PostgresTarget::commit() {
    flush();
    awaitSent();
    // The keys of the tables that this load made, once their rows are in.
    for (const auto* keys : {&keysToAdd_.primary, &keysToAdd_.foreign})
        for (const std::string& key : *keys)
            try {
                connection_->exec(key);
            } catch (const postgres::Failure& e) {
                throw Error(name() + " refused the rows: " + e.what() + " (" + key + ")");
            }
    connection_->exec("COMMIT");
    connection_.reset();
    keys_.reset();
}

void PostgresTarget::rollback() noexcept {
    if (sending_.valid())
        sending_.wait();
    // Closing the connection inside its transaction rolls back the rows and the tables made.
    connection_.reset();
    keys_.reset();
}

} // namespace vorq::load
