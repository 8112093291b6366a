#include "cobol/Lexer.h"

#include "host/Text.h"

#include <algorithm>
#include <array>

namespace vorq::cobol {

std::string Token::upper() const {
    return upperCase(text);
}

bool Token::isFloatingNumber() const {
    const std::size_t e = text.find_first_of("Ee");
    if (kind != TokenKind::Word || e == std::string::npos || e + 1 >= text.size())
        return false;
    Token mantissa, exponent;
    mantissa.kind = exponent.kind = TokenKind::Word;
    mantissa.text = text.substr(0, e);
    exponent.text = text.substr(e + 1);
    return mantissa.isNumber() && mantissa.text.find_first_of(".,") != std::string::npos &&
           exponent.isNumber() && exponent.text.find_first_of(".,") == std::string::npos;
}

bool Token::isNumber() const {
    if (kind != TokenKind::Word || text.empty())
        return false;
    std::size_t i = (text[0] == '+' || text[0] == '-') ? 1 : 0;
    bool digit = false;
    for (; i < text.size(); ++i) {
        if (isAsciiDigit(text[i]))
            digit = true;
        else if (text[i] != '.' && text[i] != ',')
            return false;
    }
    return digit;
}

namespace {

// X'..', N'..', G'..', Z'..', NX'..', U'..', B'..'
// H"..." is a hexadecimal number (GnuCOBOL's default dialect).
constexpr std::array<std::string_view, 8> kLiteralPrefixes = {"X",  "N", "G", "Z",
                                                              "NX", "U", "B", "H"};

// By byte value: asked of every character of every word, where the comparisons cost a fifth of
// lexing.
constexpr std::array<bool, 256> kWordChars = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        table[c] = isAsciiAlnum(ch) || ch == '-' || ch == '_' || ch == ':' || ch == '#' ||
                   ch == '@' || ch == '$' || c >= 0x80;
    }
    return table;
}();

bool isWordChar(char c) {
    return kWordChars[static_cast<unsigned char>(c)];
}

bool isLiteralPrefix(std::string_view word) {
    return std::any_of(kLiteralPrefixes.begin(), kLiteralPrefixes.end(),
                       [&](std::string_view prefix) { return equalsKeyword(word, prefix); });
}

// The paragraphs of the identification division whose text is free commentary: quotes and
// periods in it are no COBOL.
bool beginsCommentEntry(std::string_view word) {
    for (std::string_view name :
         {"AUTHOR", "INSTALLATION", "DATE-WRITTEN", "DATE-COMPILED", "SECURITY", "REMARKS"})
        if (equalsKeyword(word, name))
            return true;
    return false;
}

// A line that ends a comment entry: the next paragraph or division, or the program's end.
bool endsCommentEntry(std::string_view line) {
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return false;
    std::size_t end = first;
    while (end < line.size() && isWordChar(line[end]))
        ++end;
    const std::string_view word = line.substr(first, end - first);
    if (beginsCommentEntry(word))
        return true;
    for (std::string_view name : {"PROGRAM-ID", "FUNCTION-ID", "IDENTIFICATION", "ID",
                                  "ENVIRONMENT", "DATA", "PROCEDURE", "END"})
        if (equalsKeyword(word, name))
            return true;
    return line.substr(first).starts_with(">>");
}

class Lexer {
public:
    Lexer(const SourceFile* file, Diagnostics& diags) : file_(file), diags_(diags) {}

    // For a reader that takes the tokens a stretch at a time: the list the lines go into.
    std::vector<Token>& tokens() { return tokens_; }

    void finish() {
        if (inLiteral_)
            diags_.error(literalStart_, "literal is not closed: expected its closing quote");
        if (inPseudo_)
            diags_.error(literalStart_, "pseudo-text is not closed: expected ==");
    }

    std::vector<Token> runText(const std::string& text, const SourceLocation& at) {
        CodeLine line{at.line, at.column, text, false};
        lexLine(line);
        for (auto& t : tokens_)
            t.at = at;
        return std::move(tokens_);
    }

    void lexLine(const CodeLine& line) {
        const std::string_view text = line.text;
        std::size_t i = 0;
        firstOnLine_ = true;
        if (inCommentEntry_) {
            if (!endsCommentEntry(text))
                return;
            inCommentEntry_ = false;
        }
        if (line.continuation) {
            const std::size_t first = text.find_first_not_of(' ');
            if (first == std::string::npos)
                return;
            if (inLiteral_) {
                if (text[first] != '\'' && text[first] != '"') {
                    diags_.error(at(line, first),
                                 "expected a quote to continue the literal from the line before");
                    inLiteral_ = false;
                } else {
                    i = first + 1;
                }
            } else if (!inPseudo_ && !tokens_.empty() && tokens_.back().kind == TokenKind::Word &&
                       isWordChar(text[first])) {
                // A word broken across lines: the continuation goes on where it stopped.
                std::size_t end = first;
                while (end < text.size() && isWordChar(text[end]))
                    ++end;
                tokens_.back().text += text.substr(first, end - first);
                i = end;
            }
            firstOnLine_ = false;
        } else if (inLiteral_) {
            diags_.error(literalStart_, "literal is not closed: expected its closing quote");
            inLiteral_ = false;
        }
        if (inLiteral_ && !readLiteral(line, text, i))
            return;
        while (i < text.size()) {
            const char c = text[i];
            if (c == ' ') {
                ++i;
                continue;
            }
            if (inPseudo_) {
                const auto close = text.find("==", i);
                pseudo_ +=
                    text.substr(i, close == std::string::npos ? std::string::npos : close - i);
                if (close == std::string::npos) {
                    pseudo_ += ' ';
                    return;
                }
                inPseudo_ = false;
                push(TokenKind::PseudoText, trimmed(pseudo_), literalStart_);
                i = close + 2;
                continue;
            }
            if (c == '*' && i + 1 < text.size() && text[i + 1] == '>')
                return; // comment to the end of the line
            // "PIC IS X(5)": the IS is a word, the picture string follows it.
            const bool optionalIs = equalsKeyword(text.substr(i, 2), "IS") &&
                                    (i + 2 == text.size() || text[i + 2] == ' ');
            if (pictureNext_ && !optionalIs) {
                i = lexPicture(line, text, i);
                continue;
            }
            if (c == '=' && i + 1 < text.size() && text[i + 1] == '=') {
                inPseudo_ = true;
                pseudo_.clear();
                literalStart_ = at(line, i);
                i += 2;
                continue;
            }
            if (c == '\'' || c == '"') {
                startLiteral(line, text, i, i);
                ++i;
                if (!readLiteral(line, text, i))
                    return;
                continue;
            }
            if (c == '.') {
                if (i + 1 < text.size() && isAsciiDigit(text[i + 1])) {
                    i = lexWord(line, text, i);
                    continue;
                }
                push(TokenKind::Period, ".", at(line, i));
                ++i;
                continue;
            }
            if ((c == '+' || c == '-') && i + 1 < text.size() &&
                (isAsciiDigit(text[i + 1]) ||
                 (text[i + 1] == '.' && i + 2 < text.size() && isAsciiDigit(text[i + 2])))) {
                i = lexWord(line, text, i);
                continue;
            }
            if (isWordChar(c)) {
                const bool first = firstOnLine_;
                i = lexWord(line, text, i);
                if (first && beginsCommentEntry(tokens_.back().text)) {
                    // "AUTHOR." and the rest of the line, and the lines up to the next
                    // paragraph, are commentary.
                    while (i < text.size() && (text[i] == ' ' || text[i] == ',' || text[i] == ';'))
                        ++i;
                    if (i < text.size() && text[i] == '.') {
                        push(TokenKind::Period, ".", at(line, i));
                        inCommentEntry_ = true;
                        return;
                    }
                }
                continue;
            }
            if (c == ',' || c == ';') {
                ++i;
                continue;
            }
            push(c == '('   ? TokenKind::LParen
                 : c == ')' ? TokenKind::RParen
                            : TokenKind::Other,
                 std::string(1, c), at(line, i));
            ++i;
        }
    }

private:
    SourceLocation at(const CodeLine& line, std::size_t pos) const {
        return {file_, line.line, line.column + static_cast<int>(pos)};
    }

    void push(TokenKind kind, std::string_view text, SourceLocation where) {
        Token& t = tokens_.emplace_back();
        t.kind = kind;
        t.text.assign(text);
        t.at = where;
        t.lineStart = firstOnLine_;
        firstOnLine_ = false;
        if (t.is("PIC") || t.is("PICTURE"))
            pictureNext_ = true;
        else if (!(t.is("IS") && pictureNext_))
            pictureNext_ = false;
    }

    std::size_t lexWord(const CodeLine& line, std::string_view text, std::size_t start) {
        std::size_t i = start;
        if (text[i] == '+' || text[i] == '-')
            ++i;
        if (i < text.size() && (isAsciiDigit(text[i]) || text[i] == '.')) {
            while (i < text.size() && isAsciiDigit(text[i]))
                ++i;
            if (i + 1 < text.size() && (text[i] == '.' || text[i] == ',') &&
                isAsciiDigit(text[i + 1])) {
                ++i;
                while (i < text.size() && isAsciiDigit(text[i]))
                    ++i;
                // A floating-point literal's exponent: 3.97E+24, -3.4e-038.
                std::size_t e = i + 1;
                if (e < text.size() && (text[e] == '+' || text[e] == '-'))
                    ++e;
                if (i < text.size() && (text[i] == 'E' || text[i] == 'e') && e < text.size() &&
                    isAsciiDigit(text[e])) {
                    i = e;
                    while (i < text.size() && isAsciiDigit(text[i]))
                        ++i;
                }
            }
        }
        while (i < text.size() && isWordChar(text[i]))
            ++i;
        const std::string_view word = text.substr(start, i - start);
        if (i < text.size() && (text[i] == '\'' || text[i] == '"') && isLiteralPrefix(word)) {
            startLiteral(line, text, i, start);
            ++i;
            return readLiteral(line, text, i) ? i : text.size();
        }
        push(TokenKind::Word, word, at(line, start));
        return i;
    }

    std::size_t lexPicture(const CodeLine& line, std::string_view text, std::size_t start) {
        std::size_t end = start;
        while (end < text.size() && text[end] != ' ')
            ++end;
        std::size_t stop = end;
        while (stop > start + 1 &&
               (text[stop - 1] == '.' || text[stop - 1] == ',' || text[stop - 1] == ';'))
            --stop;
        push(TokenKind::Picture, text.substr(start, stop - start), at(line, start));
        if (stop < end && text[stop] == '.')
            push(TokenKind::Period, ".", at(line, stop));
        return end;
    }

    void startLiteral(const CodeLine& line, std::string_view text, std::size_t quote,
                      std::size_t start) {
        inLiteral_ = true;
        quote_ = text[quote];
        literal_.clear();
        literalStart_ = at(line, start);
    }

    // Reads literal characters from i; false when the line ended inside the literal.
    bool readLiteral(const CodeLine& line, std::string_view text, std::size_t& i) {
        while (i < text.size()) {
            if (text[i] == quote_) {
                if (i + 1 < text.size() && text[i + 1] == quote_) {
                    literal_ += quote_;
                    i += 2;
                    continue;
                }
                ++i;
                inLiteral_ = false;
                push(TokenKind::Literal, literal_, literalStart_);
                return true;
            }
            literal_ += text[i++];
        }
        // The literal runs on to the end of the code area (column 72) and continues.
        if (line.column == 8 && text.size() < 65)
            literal_.append(65 - text.size(), ' ');
        return false;
    }

    const SourceFile* file_;
    Diagnostics& diags_;
    std::vector<Token> tokens_;
    bool firstOnLine_ = false;
    bool pictureNext_ = false;
    bool inLiteral_ = false;
    bool inCommentEntry_ = false;
    char quote_ = '\'';
    std::string literal_;
    SourceLocation literalStart_;
    bool inPseudo_ = false;
    std::string pseudo_;
};

} // namespace

std::vector<Token> tokenizeText(const std::string& text, const SourceLocation& at,
                                Diagnostics& diags) {
    return Lexer(at.file, diags).runText(text, at);
}

struct LineLexer::State {
    State(const SourceFile& file, const SourceLines& code, Diagnostics& diags)
        : lexer(&file, diags), lines(code) {}
    Lexer lexer;
    const SourceLines& lines;
    std::size_t next = 0;
};

LineLexer::LineLexer(const SourceFile& file, const SourceLines& lines, Diagnostics& diags)
    : state_(std::make_unique<State>(file, lines, diags)) {}

LineLexer::~LineLexer() = default;

bool LineLexer::fill(std::size_t target) {
    State& s = *state_;
    while (s.lexer.tokens().size() < target && s.next < s.lines.code.size())
        s.lexer.lexLine(s.lines.code[s.next++]);
    if (s.next < s.lines.code.size())
        return true;
    if (!finished_) {
        s.lexer.finish();
        finished_ = true;
    }
    return false;
}

std::vector<Token>& LineLexer::tokens() {
    return state_->lexer.tokens();
}

} // namespace vorq::cobol
