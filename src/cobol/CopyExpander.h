#pragma once

#include "cobol/FileReader.h"
#include "cobol/TokenCursor.h"

#include <memory>
#include <string>
#include <vector>

namespace vorq::cobol {

// Bounds of COPY expansion: members nested deeper, more inclusions of members, or more member
// text (each inclusion counted) than this are errors at the COPY that goes too far. They keep a
// chain of members that copy each other twice from taking the machine. The bytes are settable
// (`vorq verify --max-copy-mb`) for programs that really include that much.
constexpr std::size_t kMaxCopyDepth = 50;
constexpr std::size_t kMaxCopyInclusions = 10'000;
constexpr std::size_t kMaxExpandedBytes = std::size_t{32} * 1024 * 1024;

// Where COPY members are looked for, and how much of them a source may include.
struct CopyOptions {
    std::vector<std::string> copyPaths; // folders searched after the including file's own
    std::size_t maxExpandedBytes = kMaxExpandedBytes;
    // In the caller's words, for the messages: what the user does to have a folder searched
    // (a command line's option, a window's step), and what sets the bound.
    std::string addFolder = "add its folder to the folders searched";
    std::string maxExpandedSetting = "the bound on member text";
};

// The tokens of a source with every COPY (and EXEC SQL INCLUDE) replaced by the member's tokens,
// REPLACING applied, and EXEC ... END-EXEC blocks removed, lexed a stretch of lines at a time as
// they are read. A missing or recursive member is an error at its COPY statement; the statement
// is then dropped. The files read (the source and its members) are added to sources; the tokens
// point into them. files, diags and sources must outlive the tokens.
class ExpandedTokens : public TokenSource {
public:
    ExpandedTokens(const std::string& path, std::string text, const FileReader& files,
                   CopyOptions options, Diagnostics& diags,
                   std::vector<std::shared_ptr<const SourceFile>>& sources);
    ~ExpandedTokens() override;
    bool read(TokenQueue& out, std::size_t count) override;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace vorq::cobol
