#include "cobol/DataParser.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace vorq::cobol {
namespace {

// Where an entry lacks its period, a level number that begins a line is taken as the start of
// the next entry: that is how data divisions are laid out, and it keeps one missing period
// from swallowing the entries after it.
bool beginsEntry(const Token& token) {
    return token.lineStart && isLevelNumber(token);
}

struct UsageWord {
    std::string_view word;
    Usage usage;
    bool unsignedWord = false; // the word itself says UNSIGNED
};
constexpr std::array kUsageWords{
    UsageWord{"DISPLAY", Usage::Display},
    UsageWord{"COMP", Usage::Binary},
    UsageWord{"COMPUTATIONAL", Usage::Binary},
    UsageWord{"COMP-4", Usage::Binary},
    UsageWord{"COMPUTATIONAL-4", Usage::Binary},
    UsageWord{"BINARY", Usage::Binary},
    UsageWord{"COMP-5", Usage::Native},
    UsageWord{"COMPUTATIONAL-5", Usage::Native},
    UsageWord{"COMP-X", Usage::CompX},
    UsageWord{"COMPUTATIONAL-X", Usage::CompX},
    UsageWord{"COMP-N", Usage::CompN},
    UsageWord{"COMPUTATIONAL-N", Usage::CompN},
    UsageWord{"COMP-3", Usage::Packed},
    UsageWord{"COMPUTATIONAL-3", Usage::Packed},
    UsageWord{"PACKED-DECIMAL", Usage::Packed},
    UsageWord{"COMP-6", Usage::PackedUnsigned},
    UsageWord{"COMPUTATIONAL-6", Usage::PackedUnsigned},
    UsageWord{"COMP-1", Usage::Float},
    UsageWord{"COMPUTATIONAL-1", Usage::Float},
    UsageWord{"COMP-2", Usage::Double},
    UsageWord{"COMPUTATIONAL-2", Usage::Double},
    UsageWord{"NATIONAL", Usage::National},
    UsageWord{"DISPLAY-1", Usage::Display1},
    UsageWord{"INDEX", Usage::Index},
    UsageWord{"POINTER", Usage::Pointer},
    UsageWord{"POINTER-32", Usage::Pointer},
    UsageWord{"FUNCTION-POINTER", Usage::FunctionPointer},
    UsageWord{"PROCEDURE-POINTER", Usage::ProcedurePointer},
    UsageWord{"BINARY-CHAR", Usage::BinaryChar},
    UsageWord{"BINARY-SHORT", Usage::BinaryShort},
    UsageWord{"BINARY-LONG", Usage::BinaryLong},
    UsageWord{"BINARY-DOUBLE", Usage::BinaryDouble},
    UsageWord{"BINARY-C-LONG", Usage::BinaryCLong},
    UsageWord{"FLOAT-SHORT", Usage::Float},
    UsageWord{"FLOAT-LONG", Usage::Double},
    UsageWord{"FLOAT-BINARY-32", Usage::Float},
    UsageWord{"FLOAT-BINARY-64", Usage::Double},
    UsageWord{"FLOAT-BINARY-128", Usage::FloatBinary128},
    UsageWord{"FLOAT-DECIMAL-16", Usage::FloatDecimal16},
    UsageWord{"FLOAT-DECIMAL-34", Usage::FloatDecimal34},
    // Other compilers' names for the same sizes, as GnuCOBOL's default dialect takes them.
    UsageWord{"BINARY-INT", Usage::BinaryLong},
    UsageWord{"SIGNED-INT", Usage::BinaryLong},
    UsageWord{"UNSIGNED-INT", Usage::BinaryLong, true},
    UsageWord{"SIGNED-SHORT", Usage::BinaryShort},
    UsageWord{"UNSIGNED-SHORT", Usage::BinaryShort, true},
    UsageWord{"SIGNED-LONG", Usage::BinaryDouble},
    UsageWord{"UNSIGNED-LONG", Usage::BinaryDouble, true},
    UsageWord{"FLOAT", Usage::Float},
    UsageWord{"DOUBLE", Usage::Double},
    UsageWord{"PROGRAM-POINTER", Usage::ProcedurePointer},
};

// Clauses this reader knows but does not use; skipped with a warning.
constexpr std::array<std::string_view, 9> kUnsupportedClauses = {
    "GROUP-USAGE", "DATE", "VOLATILE", "TYPEDEF", "TYPE", "BASED", "ANY", "DYNAMIC", "PROPERTY"};

constexpr std::array<std::string_view, 27> kClauseWords = {
    "PIC",       "PICTURE", "REDEFINES", "OCCURS",   "USAGE",    "VALUE",        "VALUES",
    "SIGN",      "LEADING", "TRAILING",  "SEPARATE", "SYNC",     "SYNCHRONIZED", "JUST",
    "JUSTIFIED", "BLANK",   "EXTERNAL",  "GLOBAL",   "RENAMES",  "IS",           "GROUP-USAGE",
    "VOLATILE",  "BASED",   "TYPEDEF",   "DYNAMIC",  "PROPERTY", "ANY"};

constexpr std::array<std::string_view, 14> kFigurative = {
    "ZERO",      "ZEROS",      "ZEROES", "SPACE",  "SPACES", "HIGH-VALUE", "HIGH-VALUES",
    "LOW-VALUE", "LOW-VALUES", "QUOTE",  "QUOTES", "NULL",   "NULLS",      "ALL"};

// The first letters of a list's words, as bits by word length: most words a parser meets are
// names, and one look at their length and first letter settles that they are none of the list,
// where comparing them with each keyword cost a tenth of parsing.
class KeywordShapes {
public:
    constexpr void add(std::string_view word) { letters_[word.size()] |= 1u << (word[0] - 'A'); }
    constexpr bool mayBe(std::string_view word) const {
        if (word.empty() || word.size() >= kLongest)
            return false;
        const char first = asciiUpper(word[0]);
        return first >= 'A' && first <= 'Z' && (letters_[word.size()] >> (first - 'A') & 1u);
    }

private:
    static constexpr std::size_t kLongest = 24;
    std::array<std::uint32_t, kLongest> letters_{};
};

constexpr KeywordShapes kUsageShapes = [] {
    KeywordShapes shapes;
    for (const auto& u : kUsageWords)
        shapes.add(u.word);
    return shapes;
}();

constexpr KeywordShapes kClauseShapes = [] {
    KeywordShapes shapes;
    for (const auto word : kClauseWords)
        shapes.add(word);
    return shapes;
}();

template <std::size_t N> bool among(const Token& t, const std::array<std::string_view, N>& words) {
    return std::any_of(words.begin(), words.end(), [&](std::string_view w) { return t.is(w); });
}

const UsageWord* usageWord(const Token& t) {
    if (t.kind != TokenKind::Word || !kUsageShapes.mayBe(t.text))
        return nullptr;
    for (const auto& u : kUsageWords)
        if (t.is(u.word))
            return &u;
    return nullptr;
}

bool isClauseStart(const Token& t) {
    return (kClauseShapes.mayBe(t.text) && among(t, kClauseWords)) || usageWord(t) != nullptr;
}

class EntryParser {
public:
    EntryParser(TokenCursor& cursor, Diagnostics& diags) : in_(cursor), diags_(diags) {}

    // The entry that begins at the level number under the cursor.
    std::unique_ptr<DataItem> entry() {
        const Token& levelToken = in_.next();
        auto item = std::make_unique<DataItem>();
        item->level = digitsValue(levelToken.text); // a level number: one or two digits
        item->at = levelToken.at;
        if (in_.peek().kind == TokenKind::Word && !isClauseStart(in_.peek()) &&
            !isLevelNumber(in_.peek()))
            item->name = in_.next().name();
        if (item->level == 88)
            return conditionEntry(std::move(item));
        if (item->level == 78 || (item->level == 1 && in_.peek().is("CONSTANT"))) {
            constantEntry(*item);
            return nullptr;
        }
        clauses(*item);
        return item;
    }

    // Skips to just after the next period, or to a level number that begins a line.
    void recover() {
        while (!in_.atEnd()) {
            const Token& t = in_.peek();
            if (t.kind == TokenKind::Period) {
                in_.next();
                return;
            }
            if (beginsEntry(t))
                return;
            in_.next();
        }
    }

private:
    // "78 name VALUE literal." and "01 name CONSTANT [AS] literal." (or FROM a name): checked,
    // then left out of the layout, since they take no bytes of a record.
    void constantEntry(const DataItem& item) {
        const bool level78 = item.level == 78;
        // [IS] GLOBAL may come before VALUE or after CONSTANT: a program's nested programs
        // see the constant too, which changes nothing of a record.
        const auto global = [this] {
            if (in_.peek().is("IS") && in_.peek(1).is("GLOBAL"))
                in_.next();
            in_.accept("GLOBAL");
        };
        global();
        if (level78 ? !(in_.accept("VALUE") || in_.accept("VALUES")) : !in_.accept("CONSTANT")) {
            expected(level78 ? "VALUE after the constant " + item.name
                             : "CONSTANT after " + item.name);
            return;
        }
        global();
        in_.accept("IS") || in_.accept("AS") || in_.accept("FROM");
        if (in_.peek().kind == TokenKind::Period || in_.atEnd()) {
            expected("the value of the constant " + item.name);
            return;
        }
        // A whole number may give a later OCCURS or picture its count.
        const Token& value = in_.peek();
        if (value.isNumber() && value.text.size() <= 9 &&
            value.text.find_first_not_of("0123456789") == std::string::npos &&
            in_.peek(1).kind == TokenKind::Period)
            constants_[item.name] = digitsValue(value.text);
        while (!in_.atEnd() && in_.peek().kind != TokenKind::Period && !beginsEntry(in_.peek()))
            in_.next(); // literals, & concatenations, arithmetic of other constants
        endOfEntry();
    }

    std::unique_ptr<DataItem> conditionEntry(std::unique_ptr<DataItem> item) {
        if (!in_.accept("VALUE") && !in_.accept("VALUES")) {
            expected("VALUE after the condition name " + item->name);
            return item;
        }
        in_.accept("IS") || in_.accept("ARE");
        item->rareToWrite().value = values(true);
        if (in_.accept("FALSE")) { // the value SET ... TO FALSE gives
            in_.accept("IS");
            values(true);
        }
        if (in_.accept("WHEN")) {
            in_.accept("SET");
            in_.accept("TO");
            in_.accept("FALSE");
            in_.accept("IS");
            values(true);
        }
        endOfEntry();
        return item;
    }

    void clauses(DataItem& item) {
        while (!in_.atEnd()) {
            const Token& t = in_.peek();
            if (t.kind == TokenKind::Period) {
                in_.next();
                return;
            }
            if (beginsEntry(t)) {
                diags_.error(t.at, "expected a period to end the entry of " + describe(item) +
                                       " before the next level number");
                return;
            }
            if (!clause(item))
                return;
        }
        diags_.error(in_.last().at, "expected a period to end the entry of " + describe(item));
    }

    static std::string describe(const DataItem& item) {
        return item.name.empty() ? "the unnamed level " + std::to_string(item.level) + " item"
                                 : item.name;
    }

    // One clause; false after an error (the entry was skipped).
    bool clause(DataItem& item) {
        const Token& t = in_.next();
        if (t.is("PIC") || t.is("PICTURE")) {
            in_.accept("IS");
            if (in_.peek().kind != TokenKind::Picture)
                return expected("a picture string after " + t.text);
            item.picture = withConstantCounts(in_.next().text);
            return true;
        }
        if (t.is("USAGE")) {
            in_.accept("IS");
            const UsageWord* u = usageWord(in_.peek());
            if (!u && in_.peek().is("BIT"))
                return refuse(in_.peek(), "USAGE BIT is not supported: its items are bits, not "
                                          "bytes, and have no place in a byte layout");
            if (!u)
                return expected("a usage (DISPLAY, COMP, COMP-3, BINARY, ...) after USAGE");
            in_.next();
            setUsage(item, *u);
            return true;
        }
        if (const UsageWord* u = usageWord(t)) {
            setUsage(item, *u);
            return true;
        }
        if (t.is("REDEFINES")) {
            if (in_.peek().kind != TokenKind::Word)
                return expected("the name of the redefined item after REDEFINES");
            item.rareToWrite().redefines = in_.next().name();
            return true;
        }
        if (t.is("RENAMES")) {
            if (in_.peek().kind != TokenKind::Word)
                return expected("a data name after RENAMES");
            item.rareToWrite().renamesFrom = in_.next().name();
            skipQualifiers();
            if (in_.accept("THRU") || in_.accept("THROUGH")) {
                if (in_.peek().kind != TokenKind::Word)
                    return expected("a data name after THRU");
                item.rareToWrite().renamesThru = in_.next().name();
                skipQualifiers();
            }
            return true;
        }
        if (t.is("OCCURS"))
            return occurs(item);
        if (t.is("VALUE") || t.is("VALUES")) {
            in_.accept("IS") || in_.accept("ARE");
            item.rareToWrite().value = values(false);
            return !item.rare().value.empty() ||
                   expected("a literal or figurative constant after VALUE");
        }
        if (t.is("SIGN") || t.is("LEADING") || t.is("TRAILING")) {
            // "SIGN [IS] LEADING|TRAILING" or the position alone.
            if (t.is("SIGN"))
                in_.accept("IS");
            const Token& position = t.is("SIGN") ? in_.next() : t;
            if (!position.is("LEADING") && !position.is("TRAILING"))
                return expected("LEADING or TRAILING in the SIGN clause");
            item.signLeading = position.is("LEADING");
            if (in_.accept("SEPARATE")) {
                item.signSeparate = true;
                in_.accept("CHARACTER");
            }
            return true;
        }
        if (t.is("SYNC") || t.is("SYNCHRONIZED")) {
            item.sync = true;
            in_.accept("LEFT") || in_.accept("RIGHT");
            return true;
        }
        if (t.is("JUST") || t.is("JUSTIFIED")) {
            item.justified = true;
            in_.accept("RIGHT");
            return true;
        }
        if (t.is("BLANK")) {
            in_.accept("WHEN");
            if (!in_.accept("ZERO") && !in_.accept("ZEROS") && !in_.accept("ZEROES"))
                return expected("ZERO after BLANK WHEN");
            item.blankWhenZero = true;
            return true;
        }
        if (t.is("EXTERNAL")) {
            item.external = true;
            if (in_.peek().is("AS") && in_.peek(1).kind == TokenKind::Literal)
                in_.next(), in_.next(); // the name it has outside
            return true;
        }
        // "IS SPECIAL-NAMES CRT STATUS", "IS SPECIAL-NAMES CURSOR": the item is a register
        // that the screen section sets; it names no storage of its own kind.
        if (t.is("SPECIAL-NAMES")) {
            while (in_.peek().is("CRT") || in_.peek().is("STATUS") || in_.peek().is("CURSOR"))
                in_.next();
            return true;
        }
        if (t.is("GLOBAL")) {
            item.global = true;
            return true;
        }
        if (t.is("IS")) // "IS EXTERNAL", "IS GLOBAL", "IS TYPEDEF"
            return true;
        if (among(t, kUnsupportedClauses)) {
            diags_.warning(t.at, "the " + t.upper() + " clause is not supported and was skipped");
            if (t.is("GROUP-USAGE")) {
                in_.accept("IS");
                in_.accept("NATIONAL") || in_.accept("UTF-8");
            }
            while (!in_.atEnd() && in_.peek().kind != TokenKind::Period &&
                   !isClauseStart(in_.peek()) && !beginsEntry(in_.peek()))
                in_.next();
            return true;
        }
        in_.seek(in_.position() - 1);
        return expected("a clause (PIC, USAGE, OCCURS, REDEFINES, VALUE, ...) or a period, not " +
                        quoted(t));
    }

    static std::string quoted(const Token& t) {
        return t.kind == TokenKind::Literal ? "a literal" : "'" + t.text + "'";
    }

    void setUsage(DataItem& item, const UsageWord& u) {
        item.usage = u.usage;
        item.usageGiven = true;
        if (u.unsignedWord ||
            (fixedSize(u.usage) > 0 && !in_.accept("SIGNED") && in_.accept("UNSIGNED")))
            item.unsignedGiven = true;
    }

    void skipQualifiers() {
        while ((in_.peek().is("OF") || in_.peek().is("IN")) &&
               in_.peek(1).kind == TokenKind::Word) {
            in_.next();
            in_.next();
        }
    }

    // An OCCURS count: a whole number that a compiler takes; anything else is an error here
    // rather than a count guessed later.
    bool occursCount(int& count, const std::string& where) {
        const Token& t = in_.peek();
        if (const auto constant =
                t.kind == TokenKind::Word ? constants_.find(t.name()) : constants_.end();
            constant != constants_.end()) {
            in_.next();
            count = constant->second;
            return true;
        }
        if (t.is("UNBOUNDED"))
            return refuse(t, "OCCURS UNBOUNDED is not supported: a table without a largest "
                             "number of occurrences gives its record no length to lay out");
        if (!t.isNumber() || t.text.find_first_not_of("0123456789") != std::string::npos)
            return expected("a whole number after " + where);
        if (t.text.size() > 9) {
            return refuse(t, "OCCURS " + t.text +
                                 " is more than the 999999999 occurrences that a COBOL compiler "
                                 "takes");
        }
        count = digitsValue(in_.next().text);
        return true;
    }

    bool occurs(DataItem& item) {
        const Token& at = in_.peek();
        int count = 0;
        if (!occursCount(count, "OCCURS"))
            return false;
        item.occursMin = count;
        const bool range = in_.accept("TO");
        if (range) {
            if (!occursCount(count, "OCCURS " + std::to_string(item.occursMin) + " TO"))
                return false;
            if (count < item.occursMin || count == 0)
                return refuse(at, "OCCURS " + std::to_string(item.occursMin) + " TO " +
                                      std::to_string(count) +
                                      ": the maximum must be at least 1 and the minimum");
        } else if (count == 0) {
            return refuse(at, "OCCURS 0: a table needs at least one occurrence (OCCURS 0 TO n "
                              "DEPENDING ON for a table that may be empty)");
        }
        item.occurs = count;
        in_.accept("TIMES");
        for (;;) {
            if (in_.accept("DEPENDING")) {
                in_.accept("ON");
                if (in_.peek().kind != TokenKind::Word)
                    return expected("a data name after DEPENDING ON");
                item.rareToWrite().dependingOn = in_.next().name();
                skipQualifiers();
                // OCCURS n DEPENDING ON, without TO: IBM's compilers and GnuCOBOL take 1 as
                // the minimum and n as the maximum.
                if (!range)
                    item.occursMin = 1;
            } else if (in_.peek().is("ASCENDING") || in_.peek().is("DESCENDING")) {
                in_.next();
                in_.accept("KEY");
                in_.accept("IS");
                names(item.rareToWrite().keys);
            } else if (in_.accept("INDEXED")) {
                in_.accept("BY");
                names(item.rareToWrite().indexedBy);
            } else {
                return true;
            }
        }
    }

    void names(std::vector<std::string>& into) {
        while (in_.peek().kind == TokenKind::Word && !isClauseStart(in_.peek()) &&
               !in_.peek().is("ASCENDING") && !in_.peek().is("DESCENDING") &&
               !in_.peek().is("INDEXED") && !in_.peek().is("DEPENDING") && !beginsEntry(in_.peek()))
            into.push_back(in_.next().name());
    }

    // The values of a VALUE clause: a list for a condition name, running on over line ends
    // until its period (a number that begins a line is a value there, not a level number: the
    // entry has not ended); one value (ALL and a literal counting as one) for a data item.
    // A picture whose counts name constants ("9(SIZE)") with their values written in.
    std::string withConstantCounts(std::string picture) const {
        for (std::size_t open = picture.find('('); open != std::string::npos;
             open = picture.find('(', open + 1)) {
            const std::size_t close = picture.find(')', open);
            if (close == std::string::npos)
                break;
            const auto constant =
                constants_.find(upperCase(picture.substr(open + 1, close - open - 1)));
            if (constant != constants_.end())
                picture.replace(open + 1, close - open - 1, std::to_string(constant->second));
        }
        return picture;
    }

    std::string values(bool list) {
        std::string text;
        bool afterAll = false;
        for (;;) {
            const Token& t = in_.peek();
            // A name alone is a constant's (78 level, >>DEFINE, $SET CONSTANT) when the entry
            // or its next clause follows.
            const Token& after = in_.peek(1);
            const bool constant = text.empty() && t.kind == TokenKind::Word && !t.isNumber() &&
                                  !isClauseStart(t) && !among(t, kFigurative) &&
                                  (after.kind == TokenKind::Period || isClauseStart(after));
            const bool value = t.kind == TokenKind::Literal || t.isNumber() ||
                               t.isFloatingNumber() || constant || among(t, kFigurative) ||
                               t.is("THRU") || t.is("THROUGH");
            const bool complete = !text.empty() && !list && !afterAll;
            if (!value || complete)
                return text;
            afterAll = t.is("ALL"); // ALL and the literal after it are one value
            in_.next();
            if (!text.empty())
                text += ' ';
            if (t.kind != TokenKind::Literal) {
                text += t.text;
                continue;
            }
            // "AB" & "CD" is one literal, however many parts it is written in.
            std::string literal = t.text;
            while (in_.peek().kind == TokenKind::Other && in_.peek().text == "&" &&
                   in_.peek(1).kind == TokenKind::Literal) {
                in_.next();
                literal += in_.next().text;
            }
            text += "'" + literal + "'";
        }
    }

    void endOfEntry() {
        if (in_.peek().kind == TokenKind::Period) {
            in_.next();
            return;
        }
        expected("a period to end the entry");
    }

    // An error at the token; the entry is skipped.
    bool refuse(const Token& at, const std::string& message) {
        diags_.error(at.at, message);
        recover();
        return false;
    }

    bool expected(const std::string& what) {
        const Token& t = in_.atEnd() ? in_.last() : in_.peek();
        diags_.error(t.at, "expected " + what);
        recover();
        return false;
    }

    TokenCursor& in_;
    Diagnostics& diags_;
    std::map<std::string, int> constants_; // whole-number constants by name, for counts
};

} // namespace

bool isLevelNumber(const Token& token) {
    if (token.kind != TokenKind::Word || token.text.empty() || token.text.size() > 2 ||
        !std::all_of(token.text.begin(), token.text.end(), isAsciiDigit))
        return false;
    const int level = digitsValue(token.text);
    return (level >= 1 && level <= 49) || level == 66 || level == 77 || level == 78 || level == 88;
}

std::vector<std::unique_ptr<DataItem>>
parseDataEntries(TokenCursor& cursor, Diagnostics& diags,
                 const std::function<bool(const TokenCursor&)>& stop) {
    std::vector<std::unique_ptr<DataItem>> records;
    std::vector<DataItem*> open; // the chain of groups the next entry may belong to
    EntryParser parser(cursor, diags);
    while (!cursor.atEnd()) {
        cursor.release(); // the entries before are parsed: their tokens may go
        const Token& t = cursor.peek();
        if (t.kind == TokenKind::Period) { // a redundant period ends nothing more
            cursor.next();
            continue;
        }
        if (!isLevelNumber(t)) {
            if (stop(cursor))
                break;
            diags.error(t.at,
                        "expected a level number to begin a data entry, not '" + t.text + "'");
            cursor.next();
            parser.recover();
            continue;
        }
        auto item = parser.entry();
        if (!item) // a constant: a name for a value, with no storage of its own
            continue;
        if (item->level == 88) {
            if (open.empty()) {
                diags.error(item->at, "a condition name (level 88) needs a data item before it");
                continue;
            }
            open.back()->rareToWrite().conditions.push_back(
                {item->name, {item->rare().value}, item->at});
            continue;
        }
        if (item->level == 1 || item->level == 77 || (item->level == 66 && open.empty())) {
            open.clear();
        } else if (item->level == 66) {
            open.resize(1); // a RENAMES entry belongs to its record
        } else {
            while (!open.empty() && (open.back()->level >= item->level ||
                                     open.back()->level == 77 || open.back()->level == 66))
                open.pop_back();
        }
        DataItem* added = item.get();
        if (open.empty()) {
            records.push_back(std::move(item));
        } else {
            item->parent = open.back();
            open.back()->children.push_back(std::move(item));
        }
        if (added->level != 66)
            open.push_back(added);
    }
    return records;
}

} // namespace vorq::cobol
