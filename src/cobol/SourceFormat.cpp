#include "cobol/SourceFormat.h"

#include "cobol/Directives.h"
#include "host/Text.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>

namespace vorq::cobol {
namespace {

// Whether text is 7-bit ASCII, eight bytes at a time: nearly every line is, and there a column
// is a byte.
bool isAscii(std::string_view text) {
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        if (word & 0x8080808080808080u)
            return false;
    }
    for (; i < text.size(); ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80)
            return false;
    return true;
}

// Byte index of the character at a 0-based column: columns count characters, not UTF-8 bytes.
std::size_t byteAt(std::string_view line, std::size_t column) {
    if (isAscii(line.substr(0, column)))
        return std::min(column, line.size());
    std::size_t i = 0;
    for (std::size_t seen = 0; i < line.size() && seen < column; ++seen) {
        ++i;
        while (i < line.size() && (static_cast<unsigned char>(line[i]) & 0xC0) == 0x80)
            ++i;
    }
    return i;
}

// The characters of line from column first (0-based), at most count of them.
std::string_view columns(std::string_view line, std::size_t first, std::size_t count) {
    const std::size_t from = byteAt(line, first);
    return line.substr(from, byteAt(line, first + count) - from);
}

// The index of the first character that is not a space, or npos. A plain loop: the library's
// search for any character outside a set cost five times as much, on every line.
std::size_t firstNonBlank(std::string_view text, std::size_t from = 0) {
    while (from < text.size() && text[from] == ' ')
        ++from;
    return from < text.size() ? from : std::string_view::npos;
}

// ">>SOURCE [FORMAT] [IS] FREE|FIXED": 1 free, 0 fixed, -1 not such a directive.
int sourceDirective(std::string_view line) {
    const auto first = firstNonBlank(line);
    if (first == std::string::npos || line.compare(first, 2, ">>") != 0)
        return -1;
    const std::string u = upperCase(line.substr(first));
    if (u.find("SOURCE") == std::string::npos)
        return -1;
    if (u.find("FREE") != std::string::npos)
        return 1;
    if (u.find("FIXED") != std::string::npos)
        return 0;
    return -1;
}

// Where a compiler-option line of other compilers begins ("$SET ...", "$DISPLAY ...",
// "@OPTIONS ..."), its first character after any sequence number; npos for any other line.
std::size_t optionLine(std::string_view line) {
    auto first = firstNonBlank(line);
    // After a sequence number, as fixed-format lines have one.
    if (first < 6 && line.size() > 6 && line[first] != '$' && line[first] != '@')
        if (const auto code = firstNonBlank(line.substr(6)); code != std::string_view::npos)
            first = code + 6;
    if (first == std::string::npos || first + 1 >= line.size() ||
        (line[first] != '$' && line[first] != '@') || !isAsciiAlnum(line[first + 1]) ||
        isAsciiDigit(line[first + 1]))
        return std::string_view::npos;
    return first;
}

// What a "$SET" line says of the format, as sourceDirective does.
int setDirective(std::string_view line) {
    const auto first = optionLine(line);
    if (first == std::string::npos)
        return -1;
    const std::string u = upperCase(line.substr(first));
    if (!u.starts_with("$SET") || u.find("SOURCEFORMAT") == std::string::npos)
        return -1;
    return u.find("FREE") != std::string::npos ? 1 : u.find("FIXED") != std::string::npos ? 0 : -1;
}

bool isLevelWord(const std::string& word) {
    if (word.empty() || word.size() > 2 || !std::all_of(word.begin(), word.end(), isAsciiDigit))
        return false;
    const int level = digitsValue(word);
    return (level >= 1 && level <= 49) || level == 66 || level == 77 || level == 88;
}

// A line whose code plainly starts in the sequence area: "01 CUST." or "*> note" at column 1-6.
bool looksFree(std::string_view line) {
    const auto first = firstNonBlank(line);
    if (first == std::string::npos || first >= 6)
        return false;
    if (line.compare(first, 2, "*>") == 0)
        return true;
    const auto end = line.find(' ', first);
    const auto next = end == std::string::npos ? end : firstNonBlank(line, end);
    if (next == std::string::npos || !std::isalpha(static_cast<unsigned char>(line[next])))
        return false;
    const std::string word(line.substr(first, end - first));
    const std::string u = upperCase(word);
    return isLevelWord(word) || u == "IDENTIFICATION" || u == "PROCEDURE" || u == "DATA" ||
           u == "WORKING-STORAGE" || u == "FD";
}

// A line whose text runs across column 72 without a blank: a word that fixed format would cut,
// as in copybooks that other tools wrote in free format.
bool crossesMargin(std::string_view line) {
    return line.size() > 72 && line[71] != ' ' && line[72] != ' ' && line[71] != '\t' &&
           line[72] != '\t';
}

// The first word of a line's code area (column 8 on), when it begins in area A or B.
std::string codeWord(std::string_view line) {
    const auto first = firstNonBlank(line, 7);
    if (first == std::string::npos || first > 11)
        return "";
    const auto end = line.find_first_of(" .", first);
    return upperCase(line.substr(first, end == std::string::npos ? end : end - first));
}

// A line that reads as written only in fixed format: a valid indicator in column 7, after
// sequence numbers (or blanks), or after any other text when a comment or code follows.
// Columns 1-6 may hold anything in fixed format (change marks, member names), so their text
// alone says nothing.
bool looksFixed(std::string_view line) {
    if (line.size() <= 7)
        return false;
    const char indicator = line[6];
    if (indicator != ' ' && indicator != '*' && indicator != '/' && indicator != '-' &&
        indicator != 'D' && indicator != 'd')
        return false;
    // Six digits or six blanks: "    05" is more likely a level number in free format.
    const bool sequenceNumbers =
        std::all_of(line.begin(), line.begin() + 6, [](char c) { return isAsciiDigit(c); }) ||
        std::all_of(line.begin(), line.begin() + 6, [](char c) { return c == ' '; });
    if (sequenceNumbers)
        return true;
    // A banner of asterisks that begins before column 7 is a comment in either format.
    if (indicator == '*' || indicator == '/')
        return std::find(line.begin(), line.begin() + 6, '*') == line.begin() + 6;
    const std::string word = codeWord(line);
    return isLevelWord(word) || word == "COPY" || word == "IDENTIFICATION" || word == "ID" ||
           word == "PROCEDURE" || word == "DATA" || word == "WORKING-STORAGE" || word == "FD";
}

class Splitter {
public:
    Splitter(const SourceFile& file, Diagnostics& diags) : diags_(diags) { file_.file = &file; }

    void fixedLine(int number, std::string_view line) {
        // Columns count characters, so that UTF-8 text in literals keeps its place.
        const std::size_t indicatorAt = byteAt(line, 6);
        if (indicatorAt >= line.size())
            return;
        const char indicator = line[indicatorAt];
        const std::string_view code = columns(line, 7, 65); // columns 8-72
        const bool debugLine =
            (indicator == 'D' || indicator == 'd') && (code.empty() || code[0] == ' ');
        if (indicator == '*' || indicator == '/' || debugLine)
            return;
        if (indicator == '-') {
            out_.code.push_back({number, 8, code, true});
            return;
        }
        if (indicator != ' ') {
            // Code that begins in the indicator column: read it as code from column 7.
            warnOnce(warnedColumn7_, number, 7,
                     "code starts in column 7; read as if the fixed-format code area began "
                     "there (later lines like this are read the same way)");
            out_.code.push_back({number, 7, columns(line, 6, 66), false});
            return;
        }
        const auto first = firstNonBlank(code);
        if (first == std::string::npos)
            return;
        if (code[first] == '*' && code.compare(first, 2, "*>") != 0) {
            warnOnce(warnedStar_, number, static_cast<int>(first) + 8,
                     "'*' begins a line after column 7; read as a comment line (fixed format "
                     "expects the comment marker in column 7)");
            return;
        }
        out_.code.push_back({number, 8, code, false});
    }

    void freeLine(int number, std::string_view line) {
        const auto first = firstNonBlank(line);
        if (first == std::string::npos)
            return;
        if ((line[first] == '*' || line[first] == '/') && line.compare(first, 2, "*>") != 0)
            return; // a comment line, as many free-format sources write them
        out_.code.push_back({number, 1, line, false});
    }

    SourceLines run() {
        if (!readable())
            return out_;
        out_.code.reserve(file_.file->lineCount());
        // The format is decided by a vote of the lines before the first >>SOURCE directive,
        // since copybooks rarely say which one they are written in; a directive wins outright.
        int freeish = 0, fixedish = 0;
        for (std::size_t i = 0; i < file_.file->lineCount(); ++i) {
            const std::string_view line = file_.file->line(i);
            if (const int d = std::max(sourceDirective(line), setDirective(line)); d >= 0) {
                freeish += d == 1 ? 1000000 : 0;
                break;
            }
            // A line that fixed format reads as written is no evidence of free format, even
            // when its sequence area happens to begin like code.
            const bool fixed = looksFixed(line);
            fixedish += fixed;
            freeish += !fixed && (looksFree(line) || crossesMargin(line));
        }
        bool free = freeish > fixedish;
        out_.free = free;
        Directives directives(diags_);
        for (std::size_t i = 0; i < file_.file->lineCount(); ++i) {
            const std::string_view line = file_.file->line(i);
            const int number = static_cast<int>(i) + 1;
            const auto first = firstNonBlank(line);
            if (first != std::string::npos && line.compare(first, 2, ">>") == 0) {
                SourceLocation at = file_;
                at.line = number;
                at.column = static_cast<int>(first) + 1;
                directives.apply(std::string(line.substr(first + 2)), at);
                if (const int d = sourceDirective(line); d >= 0 && directives.active())
                    free = d == 1;
                continue;
            }
            // Other compilers' option lines: SOURCEFORMAT and CONSTANT are read, the rest
            // (listing, run-time and checking options) shape no data.
            if (const auto option = optionLine(line); option != std::string::npos) {
                const std::string text = upperCase(line.substr(option + 1));
                if (text.starts_with("SET CONSTANT")) {
                    SourceLocation at = file_;
                    at.line = number;
                    at.column = static_cast<int>(option) + 1;
                    directives.apply(std::string(line.substr(option + 1)), at);
                } else if (const int d = setDirective(line); d >= 0 && directives.active()) {
                    free = d == 1;
                }
                continue;
            }
            if (!directives.active())
                continue; // a branch of >>IF that is not compiled
            if (free)
                freeLine(number, line);
            else
                fixedLine(number, line);
        }
        SourceLocation end = file_;
        end.line = static_cast<int>(file_.file->lineCount());
        directives.finish(end);
        return std::move(out_);
    }

private:
    bool readable() {
        const SourceFile& file = *file_.file;
        SourceLocation at = file_;
        at.line = 1;
        at.column = 1;
        // UTF-16 text has a byte-order mark or a NUL beside each ASCII letter.
        const std::string_view first = file.lineCount() > 0 ? file.line(0) : "";
        if (first.size() >= 2 && ((first[0] == '\xFF' && first[1] == '\xFE') ||
                                  (first[0] == '\xFE' && first[1] == '\xFF') ||
                                  (first[1] == '\0' && first[0] != '\0'))) {
            diags_.error(at, "the file is UTF-16 text, which is not read: convert it to UTF-8 or "
                             "an 8-bit code page (iconv -f UTF-16 -t UTF-8)");
            return false;
        }
        for (std::size_t i = 0; i < file.lineCount(); ++i) {
            if (file.line(i).size() <= kMaxLineLength)
                continue;
            at.line = static_cast<int>(i) + 1;
            diags_.error(at, "the line is " + std::to_string(file.line(i).size()) +
                                 " bytes long, more than the " + std::to_string(kMaxLineLength) +
                                 " of a COBOL source line: the file is not read");
            return false;
        }
        return true;
    }

    void warnOnce(bool& warned, int line, int column, const std::string& message) {
        if (warned)
            return;
        warned = true;
        SourceLocation at = file_;
        at.line = line;
        at.column = column;
        diags_.warning(at, message);
    }

    SourceLocation file_;
    Diagnostics& diags_;
    SourceLines out_;
    bool warnedColumn7_ = false;
    bool warnedStar_ = false;
};

} // namespace

SourceLines splitSource(const SourceFile& file, Diagnostics& diags) {
    return Splitter(file, diags).run();
}

} // namespace vorq::cobol
