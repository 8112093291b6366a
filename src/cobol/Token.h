#pragma once

#include "cobol/Diagnostics.h"
#include "host/Text.h"

#include <string>
#include <string_view>

namespace vorq::cobol {

enum class TokenKind : unsigned char {
    Word,       // a COBOL word or numeric literal: CUST-NAME, PIC, 05, 1.5, -3
    Picture,    // the character string after PIC/PICTURE [IS]
    Literal,    // an alphanumeric, national or hex literal; text is its value
    PseudoText, // ==...== ; text is what lies between the delimiters
    Period,     // the separator period
    LParen,
    RParen,
    Other, // any other character
};

// A copybook of 200,000 items lexes to about a million tokens: the flag sits beside the kind,
// where the padding would be.
struct Token {
    TokenKind kind = TokenKind::Other;
    bool lineStart = false; // first token of its line
    std::string text;       // as written (for literals: the value)
    SourceLocation at;

    // A word equal to keyword (given in upper case), in any letter case. Inline: the parsers
    // ask it of every token for dozens of keywords.
    bool is(std::string_view keyword) const {
        return kind == TokenKind::Word && equalsKeyword(text, keyword);
    }
    std::string upper() const;
    // The name a token gives: a word in upper case, since COBOL names are the same in any
    // letter case and the compiler folds them; a literal as written.
    std::string name() const { return kind == TokenKind::Word ? upper() : text; }
    bool isNumber() const;
    // A floating-point literal: a number with a decimal point, E and a whole exponent.
    bool isFloatingNumber() const;
};

} // namespace vorq::cobol
