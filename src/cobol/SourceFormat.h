#pragma once

#include "cobol/Diagnostics.h"

#include <string>
#include <string_view>
#include <vector>

namespace vorq::cobol {

// One line's code, as the compiler reads it: for fixed format columns 8-72, for free format the
// whole line. Comment, debug and blank lines give no CodeLine.
struct CodeLine {
    int line = 0;              // 1-based physical line
    int column = 0;            // column of text[0] in the physical line, tabs expanded
    std::string_view text;     // the code, a view into the source file's line
    bool continuation = false; // '-' in the indicator column
};

struct SourceLines {
    std::vector<CodeLine> code;
    bool free = false; // whether the file begins in free format
};

// The longest physical line read. Fixed format has 80 columns and free format is meant for
// lines of a few hundred; a longer line is a file that is not COBOL source (or one written by
// a generator gone wrong), and reading it would cost without giving anything.
constexpr std::size_t kMaxLineLength = 65'536;

// Splits a file's text into code lines. A file in UTF-16 or with a line longer than
// kMaxLineLength is an error and gives no lines. The format is detected per file (a >>SOURCE
// directive, or code in the sequence area) and may switch at >>SOURCE directives. Lines that break
// the fixed-format column rules are read as a compiler with a lenient margin would, with a warning
// naming the rule that was assumed.
SourceLines splitSource(const SourceFile& file, Diagnostics& diags);

} // namespace vorq::cobol
