#include "sqlite/Sqlite.h"

#include "host/Error.h"

#include <unistd.h>

namespace vorq::sqlite {

namespace {

// The file of a connection, for messages: "" for a database in memory.
std::string fileOf(sqlite3* db) {
    const char* file = db ? sqlite3_db_filename(db, "main") : nullptr;
    return file ? file : "";
}

// Failures that are about the file rather than the statement.
bool aboutTheFile(int code) {
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_READONLY:
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return true;
    default:
        return false;
    }
}

// SQLite counts every allocation it makes under a lock of its own for sqlite3_memory_used,
// which nothing here asks: on an import that was most of the locks taken. The setting only
// takes before SQLite starts; if something else started it first, the count stays on.
void withoutAllocationCounts() {
    static const int configured = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    (void)configured;
}

} // namespace

std::string describe(sqlite3* db, int code) {
    std::string text = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    const std::string file = fileOf(db);
    const std::string database = file.empty() ? "the database" : "the database " + file;
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return database + " is locked by another program (" + text + ")";
    case SQLITE_READONLY:
        return database + " is read-only (" + text + ")";
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return (file.empty() ? std::string("the file") : file) +
               " is not a database or is damaged (" + text + ")";
    default:
        return text;
    }
}

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
    const int rc =
        sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK)
        throw Error(describe(db, rc) + " in: " + std::string(sql));
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept : db_(other.db_), stmt_(other.stmt_) {
    other.stmt_ = nullptr;
}

Statement& Statement::bind(int index, const Value& value) {
    if (value.isNull())
        sqlite3_bind_null(stmt_, index);
    else if (value.isInteger())
        sqlite3_bind_int64(stmt_, index, value.toInt64());
    else if (value.isReal())
        sqlite3_bind_double(stmt_, index, value.toDouble());
    else
        bind(index, std::string_view(value.text()));
    return *this;
}

Statement& Statement::bind(int index, std::string_view text) {
    sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::bindStatic(int index, std::string_view text) {
    sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
    return *this;
}

Statement& Statement::bindStaticBlob(int index, std::string_view bytes) {
    sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_STATIC);
    return *this;
}

Statement& Statement::bind(int index, std::int64_t number) {
    sqlite3_bind_int64(stmt_, index, number);
    return *this;
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const std::string message = describe(db_, rc);
    sqlite3_reset(stmt_);
    throw Error(message, rc);
}

void Statement::run() {
    while (step()) {
    }
    reset();
}

void Statement::runWith(const std::vector<Value>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int index = static_cast<int>(i + 1);
        if (values[i].isText())
            bindStatic(index, values[i].text());
        else
            bind(index, values[i]);
    }
    try {
        run(); // its reset clears the bindings
    } catch (...) {
        reset();
        throw;
    }
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::columnCount() const {
    return sqlite3_column_count(stmt_);
}

std::string Statement::columnName(int index) const {
    return sqlite3_column_name(stmt_, index);
}

Value Statement::column(int index) const {
    switch (sqlite3_column_type(stmt_, index)) {
    case SQLITE_INTEGER:
        return Value(static_cast<std::int64_t>(sqlite3_column_int64(stmt_, index)));
    case SQLITE_FLOAT:
        return Value(sqlite3_column_double(stmt_, index));
    case SQLITE_NULL:
        return Value();
    default:
        return Value(text(index));
    }
}

std::int64_t Statement::integer(int index) const {
    return sqlite3_column_int64(stmt_, index);
}

std::string Statement::text(int index) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, index));
    return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, index))) : "";
}

std::string_view Statement::blob(int index) const {
    const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt_, index));
    return p ? std::string_view(p, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, index)))
             : std::string_view();
}

bool Statement::isNull(int index) const {
    return sqlite3_column_type(stmt_, index) == SQLITE_NULL;
}

Connection::Connection(const std::filesystem::path& path, Mode mode) : path_(path) {
    withoutAllocationCounts();
    if (mode != Mode::CreateIfMissing && !std::filesystem::exists(path))
        throw Error(path.string() + " does not exist");
    // A reader of a writable file opens it for writing and is kept from writing by query_only:
    // only a writing connection can roll back the journal that a killed writer left, and a
    // read-only one would refuse the file until someone wrote to it.
    const bool readOnly = mode == Mode::ReadOnly;
    writable_ = !readOnly;
    const auto folder =
        path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    const bool recoverable =
        ::access(path.c_str(), W_OK) == 0 && ::access(folder.c_str(), W_OK) == 0;
    int flags = readOnly && !recoverable ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (mode == Mode::CreateIfMissing)
        flags |= SQLITE_OPEN_CREATE;
    if (const auto length = std::filesystem::absolute(path).string().size(); length > kLongestPath)
        throw Error("Cannot open " + path.string() + ": its path is " + std::to_string(length) +
                    " characters long, more than the " + std::to_string(kLongestPath) +
                    " of a file that SQLite opens");
    const int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = describe(db_, rc);
        sqlite3_close(db_);
        db_ = nullptr;
        throw Error("Cannot open " + path.string() + ": " + message, rc);
    }
    sqlite3_busy_timeout(db_, static_cast<int>(kBusyWait.count()));
    sqlite3_extended_result_codes(db_, 1);
    try {
        exec("PRAGMA foreign_keys = ON");
        if (readOnly)
            exec("PRAGMA query_only = ON");
    } catch (...) {
        // No destructor runs for a constructor that throws.
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw;
    }
}

Connection::~Connection() {
    cache_.clear(); // statements go before their database
    sqlite3_close_v2(db_);
}

Statement& Connection::cached(const std::string& sql) const {
    auto& entry = cache_[sql];
    if (!entry)
        entry = std::make_unique<Statement>(db_, sql);
    return *entry;
}

std::int64_t Connection::pragmaInteger(std::string_view name) const {
    auto statement = prepare("PRAGMA " + std::string(name));
    return statement.step() ? statement.integer(0) : 0;
}

std::int64_t Connection::objectCount() const {
    auto objects = prepare("SELECT count(*) FROM sqlite_master");
    return objects.step() ? objects.integer(0) : 0;
}

bool Connection::hasTable(std::string_view name) const {
    auto table = prepare("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?1 "
                         "COLLATE NOCASE");
    table.bind(1, name);
    return table.step() && table.integer(0) > 0;
}

void Connection::keepLogAtClose() const {
    int yes = 1;
    sqlite3_file_control(db_, "main", SQLITE_FCNTL_PERSIST_WAL, &yes);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
}

void Connection::waitWhenBusy(std::chrono::milliseconds wait) const {
    sqlite3_busy_timeout(db_, static_cast<int>(wait.count()));
}

void Connection::exec(std::string_view sql) const {
    const int rc = sqlite3_exec(db_, std::string(sql).c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw Error(
            aboutTheFile(rc) ? describe(db_, rc) : path_.string() + ": " + describe(db_, rc), rc);
}

} // namespace vorq::sqlite
