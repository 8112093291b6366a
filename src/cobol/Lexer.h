#pragma once

#include "cobol/SourceFormat.h"
#include "cobol/Token.h"

#include <memory>
#include <vector>

namespace vorq::cobol {

// The tokens of a file's code lines: words, picture strings, literals (continued across lines
// by '-' in the indicator column), pseudo-text, separators; "*>" starts a comment. A stretch of
// lines at a time, for a reader that parses them as they come and drops them: a copybook of
// 200,000 items lexes to a million tokens.
class LineLexer {
public:
    // file and lines must outlive the lexer.
    LineLexer(const SourceFile& file, const SourceLines& lines, Diagnostics& diags);
    ~LineLexer();
    LineLexer(const LineLexer&) = delete;
    LineLexer& operator=(const LineLexer&) = delete;

    // Lexes lines until tokens() holds at least target tokens or the lines end; false once the
    // lines have ended.
    bool fill(std::size_t target);
    // The tokens lexed and not yet taken; the reader removes those it has parsed.
    std::vector<Token>& tokens();

private:
    struct State;
    std::unique_ptr<State> state_;
    bool finished_ = false;
};

// Splits pseudo-text into tokens, for COPY REPLACING.
std::vector<Token> tokenizeText(const std::string& text, const SourceLocation& at,
                                Diagnostics& diags);

} // namespace vorq::cobol
