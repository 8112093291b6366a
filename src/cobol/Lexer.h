#pragma once

#include "cobol/SourceFormat.h"
#include "cobol/Token.h"

#include <vector>

namespace vorq::cobol {

// The tokens of a file's code lines: words, picture strings, literals (continued across lines
// by '-' in the indicator column), pseudo-text, separators. "*>" starts a comment.
std::vector<Token> tokenize(const SourceFile& file, const SourceLines& lines, Diagnostics& diags);

// Splits pseudo-text into tokens, for COPY REPLACING.
std::vector<Token> tokenizeText(const std::string& text, const SourceLocation& at,
                                Diagnostics& diags);

} // namespace vorq::cobol
