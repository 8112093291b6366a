#pragma once

#include "cobol/Diagnostics.h"

#include <map>
#include <string>
#include <vector>

namespace vorq::cobol {

// Conditional compilation as GnuCOBOL does it: >>DEFINE (and >>SET CONSTANT) name a value,
// >>IF / >>ELIF / >>ELSE / >>END-IF choose the lines that are read. A condition is "name
// [NOT] DEFINED" or "name [NOT] = value" (also <>, <, >, <=, >=); others are an error, not a
// guess.
class Directives {
public:
    explicit Directives(Diagnostics& diags) : diags_(diags) {}

    // A directive line: its text after ">>", where it stands.
    void apply(const std::string& text, const SourceLocation& at);
    // Whether the lines here are read.
    bool active() const { return blocks_.empty() || blocks_.back().active; }
    // An >>IF still open at the end of the file is an error there.
    void finish(const SourceLocation& end);

private:
    struct Block {
        bool active; // the lines of the branch now are read
        bool taken;  // a branch of this >>IF was read already
        bool outerActive;
    };

    bool condition(const std::vector<std::string>& words, const SourceLocation& at);
    bool unsupported(const std::vector<std::string>& words, const SourceLocation& at);

    Diagnostics& diags_;
    std::map<std::string, std::string> defined_;
    std::vector<Block> blocks_;
};

} // namespace vorq::cobol
