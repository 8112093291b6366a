#include "projectdb/SqlText.h"

#include "host/Text.h"

#include <cctype>
#include <charconv>

namespace vorq::projectdb {
namespace {

bool isWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Reads the text a token at a time: words, quoted texts, numbers and single marks.
class SqlTokens {
public:
    explicit SqlTokens(std::string_view sql) : sql_(sql) {}

    void skipBlanks() {
        while (at_ < sql_.size() && std::isspace(static_cast<unsigned char>(sql_[at_])))
            ++at_;
    }
    bool atEnd() {
        skipBlanks();
        return at_ == sql_.size();
    }
    // The next word in lower case, or "" (nothing read) when the next token is no word.
    std::string word() {
        skipBlanks();
        std::size_t end = at_;
        while (end < sql_.size() && isWordChar(sql_[end]))
            ++end;
        if (end == at_ || std::isdigit(static_cast<unsigned char>(sql_[at_])))
            return "";
        std::string word = lowerCase(sql_.substr(at_, end - at_));
        at_ = end;
        return word;
    }
    bool mark(char c) {
        skipBlanks();
        if (at_ < sql_.size() && sql_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    // The number of a placeholder ?N, or 0 (nothing read) when the next token is none.
    int parameter() {
        skipBlanks();
        if (at_ + 1 >= sql_.size() || sql_[at_] != '?')
            return 0;
        int number = 0;
        const auto [stop, error] =
            std::from_chars(sql_.data() + at_ + 1, sql_.data() + sql_.size(), number);
        if (error != std::errc() || number <= 0)
            return 0;
        at_ = static_cast<std::size_t>(stop - sql_.data());
        return number;
    }
    // A whole number, a quoted text ('' inside for a quote) or NULL.
    std::optional<Value> literal() {
        skipBlanks();
        if (at_ < sql_.size() && sql_[at_] == '\'') {
            std::string text;
            for (std::size_t i = at_ + 1; i < sql_.size(); ++i) {
                if (sql_[i] != '\'') {
                    text += sql_[i];
                } else if (i + 1 < sql_.size() && sql_[i + 1] == '\'') {
                    text += '\'';
                    ++i;
                } else {
                    at_ = i + 1;
                    return Value(std::move(text));
                }
            }
            return std::nullopt;
        }
        const std::size_t start = at_;
        std::size_t end = at_ + (at_ < sql_.size() && sql_[at_] == '-');
        std::int64_t number = 0;
        const auto [stop, error] =
            std::from_chars(sql_.data() + end, sql_.data() + sql_.size(), number);
        if (error == std::errc() && stop != sql_.data() + end &&
            (stop == sql_.data() + sql_.size() || (!isWordChar(*stop) && *stop != '.'))) {
            at_ = static_cast<std::size_t>(stop - sql_.data());
            return Value(sql_[start] == '-' ? -number : number);
        }
        if (word() == "null")
            return Value();
        return std::nullopt;
    }

private:
    std::string_view sql_;
    std::size_t at_ = 0;
};

} // namespace

SqlChange changeOf(std::string_view sql) {
    SqlTokens tokens(sql);
    const std::string first = tokens.word();
    const std::string second = tokens.word();
    if (first == "insert" && second == "into")
        return {tokens.word(), true};
    if (first == "delete" && second == "from")
        return {tokens.word()};
    if (first == "update")
        return {second};
    return {};
}

bool namesTable(std::string_view sql, std::string_view table) {
    for (std::size_t at = 0; at + table.size() <= sql.size(); ++at) {
        if ((at > 0 && isWordChar(sql[at - 1])) ||
            (at + table.size() < sql.size() && isWordChar(sql[at + table.size()])))
            continue;
        bool same = true;
        for (std::size_t i = 0; same && i < table.size(); ++i)
            same = asciiLower(sql[at + i]) == asciiLower(table[i]);
        if (same)
            return true;
    }
    return false;
}

std::optional<LiteralRow> literalInsert(std::string_view sql) {
    SqlTokens tokens(sql);
    LiteralRow row;
    if (tokens.word() != "insert" || tokens.word() != "into")
        return std::nullopt;
    row.table = tokens.word();
    if (row.table.empty() || !tokens.mark('('))
        return std::nullopt;
    do {
        row.columns.push_back(tokens.word());
        if (row.columns.back().empty())
            return std::nullopt;
    } while (tokens.mark(','));
    if (!tokens.mark(')') || tokens.word() != "values" || !tokens.mark('('))
        return std::nullopt;
    do {
        auto value = tokens.literal();
        if (!value)
            return std::nullopt;
        row.values.push_back(std::move(*value));
    } while (tokens.mark(','));
    if (!tokens.mark(')') || !tokens.atEnd() || row.values.size() != row.columns.size())
        return std::nullopt;
    return row;
}

bool isSelect(std::string_view sql) {
    while (!sql.empty() && std::isspace(static_cast<unsigned char>(sql.front())))
        sql.remove_prefix(1);
    return equalsKeyword(sql.substr(0, 6), "SELECT") && (sql.size() == 6 || !isAsciiAlnum(sql[6]));
}

std::optional<KeyedUpdate> keyedUpdate(std::string_view sql) {
    SqlTokens tokens(sql);
    KeyedUpdate update;
    if (tokens.word() != "update")
        return std::nullopt;
    update.table = tokens.word();
    if (update.table.empty() || tokens.word() != "set")
        return std::nullopt;
    update.column = tokens.word();
    if (update.column.empty() || !tokens.mark('='))
        return std::nullopt;
    update.valueParameter = tokens.parameter();
    if (update.valueParameter == 0 || tokens.word() != "where")
        return std::nullopt;
    update.key = tokens.word();
    if (update.key.empty() || !tokens.mark('='))
        return std::nullopt;
    update.keyParameter = tokens.parameter();
    if (update.keyParameter == 0 || !tokens.atEnd())
        return std::nullopt;
    return update;
}

std::string numbersAsParameters(std::string_view sql, std::vector<Value>& numbers) {
    if (sql.find('?') != std::string_view::npos || sql.find('$') != std::string_view::npos)
        return "";
    const auto partOfWord = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
    };
    std::string out;
    char quote = 0;
    for (std::size_t i = 0; i < sql.size(); ++i) {
        const char c = sql[i];
        if (quote || c == '\'' || c == '"') {
            quote = quote ? (c == quote ? '\0' : quote) : c;
            out += c;
            continue;
        }
        std::size_t end = i;
        while (end < sql.size() && std::isdigit(static_cast<unsigned char>(sql[end])))
            ++end;
        std::size_t before = i;
        while (before > 0 && (sql[before - 1] == ' ' || sql[before - 1] == '-'))
            --before;
        const bool compared =
            before > 0 && std::string_view("=<>").find(sql[before - 1]) != std::string_view::npos;
        if (end == i || !compared || (i > 0 && partOfWord(sql[i - 1])) ||
            (end < sql.size() && partOfWord(sql[end])) || end - i > 18) {
            out += c;
            continue;
        }
        numbers.emplace_back(
            static_cast<std::int64_t>(std::stoll(std::string(sql.substr(i, end - i)))));
        out += "$" + std::to_string(numbers.size());
        i = end - 1;
    }
    return numbers.empty() ? "" : out;
}

} // namespace vorq::projectdb
