#include "postgres/Postgres.h"

#include "host/Text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <new>
#include <optional>

namespace vorq::postgres {
namespace {

// Type OIDs of the catalog's fixed built-in types.
constexpr Oid kBool = 16, kInt2 = 21, kInt4 = 23, kText = 25, kOid = 26;
constexpr Oid kFloat4 = 700, kFloat8 = 701;

// libpq's messages end in a newline.
std::string trimmed(const char* message) {
    return vorq::trimmed(message, " \n");
}

void ignoreNotice(void*, const char*) {}

// A connect_timeout of 0 (or less) in the string would wait for ever on a server that never
// answers; a number of seconds may raise the bound, nothing may remove it.
void refuseEndlessWait(const std::string& conninfo) {
    PQconninfoOption* options = PQconninfoParse(conninfo.c_str(), nullptr);
    if (!options)
        return; // libpq names what it cannot read when it connects
    std::string timeout;
    for (const PQconninfoOption* o = options; o->keyword; ++o)
        if (std::string_view(o->keyword) == "connect_timeout" && o->val)
            timeout = o->val;
    PQconninfoFree(options);
    if (timeout.empty())
        return;
    char* end = nullptr;
    const long seconds = std::strtol(timeout.c_str(), &end, 10);
    if (*end == '\0' && seconds > 0)
        return;
    throw Failure("connect_timeout=" + timeout +
                      " would wait for ever on a server that does not answer: give it a number "
                      "of seconds above 0 (without it, vorq waits 10 s)",
                  "");
}

// Parameters as libpq takes them: text, or a null pointer for NULL.
struct TextParameters {
    explicit TextParameters(const std::vector<Value>& values) : texts(parameterTexts(values)) {
        for (const auto& text : texts)
            pointers.push_back(text ? text->c_str() : nullptr);
    }
    int count() const { return static_cast<int>(pointers.size()); }
    std::vector<std::optional<std::string>> texts;
    std::vector<const char*> pointers;
};

} // namespace

Result Result::made(const std::vector<std::string>& columns,
                    const std::vector<std::vector<Value>>& rows) {
    Result result(PQmakeEmptyPGresult(nullptr, PGRES_TUPLES_OK));
    if (!result.result_)
        throw std::bad_alloc();
    std::vector<PGresAttDesc> described(columns.size());
    for (std::size_t i = 0; i < columns.size(); ++i) {
        described[i].name = const_cast<char*>(columns[i].c_str());
        const bool whole = !rows.empty() && i < rows.front().size() && rows.front()[i].isInteger();
        described[i].typid = whole ? kInt4 : kText;
        described[i].typlen = whole ? 4 : -1;
        described[i].atttypmod = -1;
    }
    if (!PQsetResultAttrs(result.result_.get(), static_cast<int>(described.size()),
                          described.data()))
        throw std::bad_alloc();
    for (std::size_t row = 0; row < rows.size(); ++row)
        for (std::size_t column = 0; column < columns.size() && column < rows[row].size();
             ++column) {
            const Value& value = rows[row][column];
            std::string text = value.isNull() ? std::string() : value.toString();
            if (!PQsetvalue(result.result_.get(), static_cast<int>(row), static_cast<int>(column),
                            value.isNull() ? nullptr : text.data(),
                            value.isNull() ? -1 : static_cast<int>(text.size())))
                throw std::bad_alloc();
        }
    return result;
}

Value Result::value(int row, int column) const {
    if (isNull(row, column))
        return {};
    const std::string_view field = text(row, column);
    switch (PQftype(result_.get(), column)) {
    case kInt2:
    case kInt4:
    case kBigint:
    case kOid: {
        std::int64_t number = 0;
        std::from_chars(field.data(), field.data() + field.size(), number);
        return Value(number);
    }
    case kBool:
        return Value(std::int64_t{field == "t"});
    case kFloat4:
    case kFloat8:
    case kNumeric:
        return Value(std::strtod(std::string(field).c_str(), nullptr));
    default:
        return Value(std::string(field));
    }
}

Connection::Connection(const std::string& conninfo) : conn_(nullptr, PQfinish) {
    refuseEndlessWait(conninfo);
    // Defaults come before the string, which overrides them: a server that stops answering
    // (or never does) ends the wait instead of hanging the program.
    const char* keywords[] = {"connect_timeout",
                              "keepalives_idle",
                              "keepalives_interval",
                              "keepalives_count",
                              "tcp_user_timeout",
                              "application_name",
                              "dbname",
                              nullptr};
    const char* values[] = {"10", "10", "5", "3", "30000", "vorq", conninfo.c_str(), nullptr};
    conn_.reset(PQconnectdbParams(keywords, values, 1));
    if (!conn_)
        throw Failure("out of memory", "");
    if (PQstatus(conn_.get()) != CONNECTION_OK)
        throw Failure(trimmed(PQerrorMessage(conn_.get())), "");
    PQsetNoticeProcessor(conn_.get(), ignoreNotice, nullptr);
}

void Connection::copyIn(const std::string& copy, std::string_view rows) {
    PGconn* c = conn_.get();
    PGresult* start = PQexec(c, copy.c_str());
    if (PQresultStatus(start) != PGRES_COPY_IN) {
        Failure failure = failureOf(start);
        PQclear(start);
        throw failure;
    }
    PQclear(start);
    std::optional<Failure> failure;
    if (PQputCopyData(c, rows.data(), static_cast<int>(rows.size())) != 1 ||
        PQputCopyEnd(c, nullptr) != 1)
        failure.emplace(trimmed(PQerrorMessage(c)), "");
    while (PGresult* result = PQgetResult(c)) {
        if (PQresultStatus(result) != PGRES_COMMAND_OK && !failure)
            failure.emplace(failureOf(result));
        PQclear(result);
    }
    if (failure)
        throw *failure;
}

Failure Connection::failureOf(PGresult* raw) const {
    const char* state = raw ? PQresultErrorField(raw, PG_DIAG_SQLSTATE) : nullptr;
    const char* primary = raw ? PQresultErrorField(raw, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    const char* detail = raw ? PQresultErrorField(raw, PG_DIAG_MESSAGE_DETAIL) : nullptr;
    std::string message = primary ? primary : trimmed(PQerrorMessage(conn_.get()));
    if (detail)
        message += " (" + std::string(detail) + ")";
    if (message.empty())
        message = "the server gave no answer";
    return Failure(message, state ? state : "");
}

Result Connection::check(PGresult* raw) {
    Result result(raw);
    const ExecStatusType status = PQresultStatus(raw);
    if (raw && (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK))
        return result;
    throw failureOf(raw);
}

void Connection::exec(const std::string& sql) {
    check(PQexec(conn_.get(), sql.c_str()));
}

Result Connection::query(const std::string& sql, const std::vector<Value>& parameters) {
    const TextParameters p(parameters);
    return check(PQexecParams(conn_.get(), sql.c_str(), p.count(), nullptr, p.pointers.data(),
                              nullptr, nullptr, 0));
}

Result Connection::queryAfter(const std::vector<Statement>& before, const Statement& last) {
    PGconn* c = conn_.get();
    if (PQenterPipelineMode(c) != 1)
        throw Failure(trimmed(PQerrorMessage(c)), "");
    // One result per message sent; a kept statement new to the connection is prepared first,
    // and known as prepared once the server has answered that it took it.
    std::vector<std::pair<std::string, std::string>> preparing; // per message: key, name
    std::unordered_map<std::string, std::string> fresh;
    const auto send = [&](const Statement& s) {
        std::vector<const char*> values;
        values.reserve(s.parameters.size());
        for (const auto& p : s.parameters)
            values.push_back(p ? p->c_str() : nullptr);
        const int count = static_cast<int>(values.size());
        const int typed = static_cast<int>(s.types.size());
        const Oid* types = s.types.empty() ? nullptr : s.types.data();
        if (!s.keep) {
            if (PQsendQueryParams(c, s.sql.c_str(), count, types, values.data(), nullptr, nullptr,
                                  0) != 1)
                return false;
            preparing.emplace_back();
            return true;
        }
        std::string key(reinterpret_cast<const char*>(types), typed * sizeof(Oid));
        key += s.sql;
        std::string name;
        if (const auto known = prepared_.find(key); known != prepared_.end()) {
            name = known->second;
        } else if (const auto sent = fresh.find(key); sent != fresh.end()) {
            name = sent->second;
        } else {
            name = "vorq_" + std::to_string(++named_);
            if (PQsendPrepare(c, name.c_str(), s.sql.c_str(), typed, types) != 1)
                return false;
            preparing.emplace_back(key, name);
            fresh.emplace(key, name);
        }
        if (PQsendQueryPrepared(c, name.c_str(), count, values.data(), nullptr, nullptr, 0) != 1)
            return false;
        preparing.emplace_back();
        return true;
    };
    bool sending = true;
    for (const auto& statement : before)
        sending = sending && send(statement);
    sending = sending && send(last);
    const bool synced = PQpipelineSync(c) == 1;
    std::optional<Failure> failure;
    if (!sending || !synced)
        failure.emplace(trimmed(PQerrorMessage(c)), "");
    const std::size_t sent = synced ? preparing.size() : 0;
    std::optional<Result> answer;
    // Each message's results end with a null; the sync's own result closes the pipeline.
    for (std::size_t answered = 0; answered < sent && alive(); ++answered)
        while (PGresult* raw = PQgetResult(c)) {
            const ExecStatusType status = PQresultStatus(raw);
            if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) {
                if (!preparing[answered].first.empty())
                    prepared_.insert(std::move(preparing[answered]));
                if (answered == sent - 1 && sending)
                    answer.emplace(raw);
                else
                    PQclear(raw);
            } else {
                if (status != PGRES_PIPELINE_ABORTED && !failure)
                    failure.emplace(failureOf(raw));
                PQclear(raw);
            }
        }
    while (synced && alive())
        if (PGresult* raw = PQgetResult(c)) {
            const bool done = PQresultStatus(raw) == PGRES_PIPELINE_SYNC;
            PQclear(raw);
            if (done)
                break;
        }
    PQexitPipelineMode(c);
    if (!failure && !alive())
        failure.emplace(trimmed(PQerrorMessage(c)), "");
    if (failure)
        throw *failure;
    if (!answer)
        throw Failure("the server gave no answer to " + last.sql, "");
    return std::move(*answer);
}

std::vector<std::optional<std::string>> parameterTexts(const std::vector<Value>& values) {
    std::vector<std::optional<std::string>> texts;
    texts.reserve(values.size());
    for (const auto& v : values)
        texts.push_back(v.isNull() ? std::nullopt : std::optional<std::string>(v.toString()));
    return texts;
}

Statement bound(std::string sql, const std::vector<Value>& values, bool keep) {
    Statement statement{std::move(sql), parameterTexts(values), {}, keep};
    if (std::any_of(values.begin(), values.end(), [](const Value& v) { return v.isReal(); }))
        for (const auto& v : values)
            statement.types.push_back(v.isReal() ? kNumeric : 0);
    return statement;
}

std::string passwordIn(const std::string& conninfo) {
    if (const auto scheme = conninfo.find("://"); scheme != std::string::npos) {
        const auto start = scheme + 3;
        const auto at = conninfo.find('@', start);
        const auto colon = conninfo.find(':', start);
        const auto slash = conninfo.find('/', start);
        if (at != std::string::npos && colon < at && (slash == std::string::npos || at < slash))
            return conninfo.substr(colon + 1, at - colon - 1);
    }
    for (auto key = conninfo.find("password"); key != std::string::npos;
         key = conninfo.find("password", key + 1)) {
        auto at = key + 8;
        while (at < conninfo.size() && conninfo[at] == ' ')
            ++at;
        if (at >= conninfo.size() || conninfo[at] != '=')
            continue;
        ++at;
        while (at < conninfo.size() && conninfo[at] == ' ')
            ++at;
        const bool quoted = at < conninfo.size() && conninfo[at] == '\'';
        const auto end = quoted ? conninfo.find('\'', at + 1) : conninfo.find(' ', at);
        return conninfo.substr(at + quoted,
                               (end == std::string::npos ? conninfo.size() : end) - at - quoted);
    }
    // A URI may carry it as a query parameter, which the loop above found; none here.
    return "";
}

std::string withoutPassword(const std::string& text, const std::string& conninfo) {
    const std::string password = passwordIn(conninfo);
    if (password.empty())
        return text;
    std::string out = text;
    for (auto at = out.find(password); at != std::string::npos; at = out.find(password, at + 3))
        out.replace(at, password.size(), "***");
    return out;
}

std::string displayName(const std::string& conninfo) {
    std::unordered_map<std::string, std::string> part;
    if (PQconninfoOption* defaults = PQconndefaults()) {
        for (auto* o = defaults; o->keyword; ++o)
            if (o->val)
                part[o->keyword] = o->val;
        PQconninfoFree(defaults);
    }
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(conninfo.c_str(), &error);
    PQfreemem(error);
    // A string libpq cannot read is shown as written, less its password.
    if (!options)
        return withoutPassword(conninfo, conninfo);
    for (auto* o = options; o->keyword; ++o)
        if (o->val && *o->val)
            part[o->keyword] = o->val;
    PQconninfoFree(options);
    std::string host = part["host"].empty() ? part["hostaddr"] : part["host"];
    std::string name = "postgresql://";
    if (!part["user"].empty())
        name += part["user"] + "@";
    name += host;
    if (!part["port"].empty())
        name += ":" + part["port"];
    name += "/" + (part["dbname"].empty() ? part["user"] : part["dbname"]);
    return name;
}

std::string replaceParameters(std::string_view sql,
                              const std::function<std::string(int)>& replacement) {
    std::string out;
    out.reserve(sql.size() + 8);
    int next = 1;
    char quote = 0;
    for (std::size_t i = 0; i < sql.size(); ++i) {
        const char c = sql[i];
        if (quote) {
            out += c;
            if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
            out += c;
            continue;
        }
        if (c != '?') {
            out += c;
            continue;
        }
        std::size_t digits = i + 1;
        while (digits < sql.size() && std::isdigit(static_cast<unsigned char>(sql[digits])))
            ++digits;
        if (digits == i + 1) {
            out += replacement(next++);
        } else {
            out += replacement(std::stoi(std::string(sql.substr(i + 1, digits - i - 1))));
            i = digits - 1;
        }
    }
    return out;
}

std::string numberedParameters(std::string_view sql) {
    return replaceParameters(sql, [](int n) { return "$" + std::to_string(n); });
}

} // namespace vorq::postgres
