#include "cobol/CopyExpander.h"

#include "cobol/Lexer.h"
#include "cobol/SourceFormat.h"
#include "host/Text.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace vorq::cobol {
namespace {

// "As many tokens as there are", for reading a member whole.
constexpr std::size_t kWhole = static_cast<std::size_t>(-1);

struct Replacement {
    enum class Mode { Whole, Leading, Trailing } mode = Mode::Whole;
    std::vector<Token> pattern;
    std::vector<Token> by;
};

bool same(const Token& a, const Token& b) {
    if (a.kind == TokenKind::Literal || b.kind == TokenKind::Literal)
        return a.kind == b.kind && a.text == b.text;
    return sameName(a.text, b.text);
}

// Whether the tokens of tokens from at on begin with pattern.
bool matches(const std::vector<Token>& pattern, const TokenQueue& tokens, std::size_t at) {
    if (at + pattern.size() > tokens.size())
        return false;
    for (std::size_t i = 0; i < pattern.size(); ++i)
        if (!same(pattern[i], tokens[at + i]))
            return false;
    return true;
}

// A pseudo-text pattern such as ==:TAG:== replaces that text inside words too.
bool isPartialTag(const std::string& upper) {
    return upper.size() > 2 && ((upper.front() == ':' && upper.back() == ':') ||
                                (upper.front() == '(' && upper.back() == ')'));
}

std::string replaceAll(const std::string& text, const std::string& upperText,
                       const std::string& from, const std::string& to) {
    std::string result;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = upperText.find(from, pos)) != std::string::npos;
         pos = hit + from.size())
        result += text.substr(pos, hit - pos) + to;
    return result + text.substr(pos);
}

class Expander {
public:
    Expander(const FileReader& files, const CopyOptions& options, Diagnostics& diags,
             std::vector<std::shared_ptr<const SourceFile>>& sources)
        : files_(files), options_(options), diags_(diags), sources_(sources) {}

    // A member's tokens, expanded.
    TokenQueue file(const std::string& path, std::string text);

    // A file that begins to be expanded, and its lines to lex; it is expanded until close().
    const SourceFile& open(const std::string& path, std::string text) {
        stack_.push_back(path);
        sources_.push_back(SourceFile::fromText(path, std::move(text)));
        return *sources_.back();
    }
    void close() { stack_.pop_back(); }
    Diagnostics& diags() { return diags_; }

    // EXEC ... END-EXEC: dropped, except EXEC SQL INCLUDE member, which is a COPY.
    std::size_t execBlock(const std::vector<Token>& in, std::size_t i, const std::string& path,
                          TokenQueue& out) {
        std::size_t end = i + 1;
        while (end < in.size() && !in[end].is("END-EXEC"))
            ++end;
        if (end == in.size()) {
            diags_.error(in[i].at, "EXEC block is not closed: expected END-EXEC");
            return end;
        }
        if (i + 3 < end && in[i + 1].is("SQL") && in[i + 2].is("INCLUDE")) {
            const Token& name = in[i + 3];
            if (!name.is("SQLCA") && !name.is("SQLDA"))
                include(name, {}, path, out);
        }
        return end + 1 < in.size() && in[end + 1].kind == TokenKind::Period ? end + 1 : end;
    }

    std::size_t copyStatement(const std::vector<Token>& in, std::size_t i, const std::string& path,
                              TokenQueue& out) {
        const Token& copy = in[i];
        std::size_t j = i + 1;
        if (j >= in.size() || (in[j].kind != TokenKind::Word && in[j].kind != TokenKind::Literal)) {
            diags_.error(copy.at, "expected a member name after COPY");
            return j;
        }
        const Token& name = in[j++];
        std::string library;
        if (j + 1 < in.size() && (in[j].is("OF") || in[j].is("IN"))) {
            library = in[j + 1].text;
            j += 2;
        }
        if (j < in.size() && in[j].is("SUPPRESS"))
            ++j;
        std::vector<Replacement> replacing;
        if (j < in.size() && in[j].is("REPLACING")) {
            ++j;
            while (j < in.size() && in[j].kind != TokenKind::Period) {
                Replacement r;
                if (in[j].is("LEADING") || in[j].is("TRAILING")) {
                    r.mode = in[j].is("LEADING") ? Replacement::Mode::Leading
                                                 : Replacement::Mode::Trailing;
                    ++j;
                }
                if (j >= in.size())
                    break;
                r.pattern = operand(in[j++]);
                if (j >= in.size() || !in[j].is("BY")) {
                    diags_.error(j < in.size() ? in[j].at : copy.at,
                                 "expected BY in the REPLACING phrase of COPY");
                    break;
                }
                ++j;
                if (j >= in.size())
                    break;
                r.by = operand(in[j++]);
                replacing.push_back(std::move(r));
            }
        }
        if (j >= in.size() || in[j].kind != TokenKind::Period)
            diags_.error(j < in.size() ? in[j].at : copy.at,
                         "expected a period to end the COPY statement");
        TokenQueue member;
        include(name, library, path, member);
        applyReplacing(member, replacing, out);
        return j < in.size() && in[j].kind == TokenKind::Period ? j : j - 1;
    }

    // "REPLACE ==a== BY ==b== ... ." or "REPLACE OFF.", from its first token; the rules hold
    // for the source's tokens after it, copied ones too. Returns the index of its last token.
    std::size_t replaceStatement(const std::vector<Token>& in, std::size_t i) {
        std::size_t j = i + 1;
        replace_.clear();
        if (j < in.size() && in[j].is("OFF"))
            ++j;
        while (j < in.size() && in[j].kind != TokenKind::Period) {
            Replacement r;
            r.pattern = operand(in[j++]);
            if (j >= in.size() || !in[j].is("BY")) {
                diags_.error(j < in.size() ? in[j].at : in[i].at,
                             "expected BY in the REPLACE statement");
                break;
            }
            if (++j >= in.size())
                break;
            r.by = operand(in[j++]);
            if (r.pattern.size() != 1)
                diags_.error(in[i].at, "REPLACE of text of more than one word is not supported");
            else
                replace_.push_back(std::move(r));
        }
        return j < in.size() ? j : in.size() - 1;
    }
    bool replacing() const { return !replace_.empty(); }
    // Appends the token to out as the REPLACE statement in force has it.
    void emit(Token t, TokenQueue& out) {
        if (replace_.empty()) {
            out.push_back(std::move(t));
            return;
        }
        TokenQueue one;
        one.push_back(std::move(t));
        applyReplacing(one, replace_, out);
    }

    std::vector<Token> operand(const Token& t) {
        if (t.kind == TokenKind::PseudoText)
            return tokenizeText(t.text, t.at, diags_);
        return {t};
    }

private:
    void include(const Token& name, const std::string& library, const std::string& path,
                 TokenQueue& out) {
        if (leavesFolder(name.text) || leavesFolder(library)) {
            diags_.error(name.at, "COPY " + name.text +
                                      " names a file outside the source's folder and the copy "
                                      "paths; a member is looked for only inside them");
            return;
        }
        std::vector<std::string> searched;
        std::string text;
        if (stack_.size() >= kMaxCopyDepth) {
            diags_.error(name.at, "COPY " + name.text + " nests members deeper than " +
                                      std::to_string(kMaxCopyDepth));
            return;
        }
        const std::string found = resolve(name.text, library, path, searched, text);
        if (!found.empty() && ((expanded_ += text.size()) > options_.maxExpandedBytes ||
                               ++inclusions_ > kMaxCopyInclusions)) {
            if (!tooLarge_)
                diags_.error(name.at, "COPY " + name.text + " includes more than " +
                                          std::to_string(options_.maxExpandedBytes) +
                                          " bytes of members (" + options_.maxExpandedSetting +
                                          ") or " + std::to_string(kMaxCopyInclusions) +
                                          " members included (are members copied again and "
                                          "again?)");
            tooLarge_ = true;
            return;
        }
        if (found.empty()) {
            std::string folders;
            for (const auto& s : searched)
                folders += (folders.empty() ? "" : ", ") + s;
            diags_.error(name.at, "copy member " + name.text + " not found (searched " + folders +
                                      "; " + options_.addFolder + ")");
            return;
        }
        if (!files_.liesIn(found, searchFolders(path))) {
            // A symbolic link on the way leads out: its text is neither read nor shown.
            diags_.error(name.at, "COPY " + name.text + " finds " + found +
                                      ", a symbolic link to a file outside the source's folder "
                                      "and the copy paths; a member is read only inside them");
            return;
        }
        if (std::find(stack_.begin(), stack_.end(), found) != stack_.end()) {
            std::string chain;
            for (const auto& s : stack_)
                chain += std::filesystem::path(s).filename().string() + " -> ";
            diags_.error(name.at, "COPY " + name.text + " is recursive: " + chain +
                                      std::filesystem::path(found).filename().string());
            return;
        }
        TokenQueue member = file(found, std::move(text));
        for (std::size_t i = 0; i < member.size(); ++i)
            out.push_back(std::move(member[i]));
    }

    // An absolute name, or one that climbs out with "..", would read any file of the machine.
    static bool leavesFolder(const std::string& name) {
        if (name.starts_with("/") || name.starts_with("\\"))
            return true;
        for (const auto& part : std::filesystem::path(name))
            if (part == "..")
                return true;
        return false;
    }

    // The folders that members are looked for in: the including file's, then the copy paths.
    std::vector<std::string> searchFolders(const std::string& including) const {
        std::vector<std::string> folders{std::filesystem::path(including).parent_path().string()};
        folders.insert(folders.end(), options_.copyPaths.begin(), options_.copyPaths.end());
        return folders;
    }

    // The path of the member (and its text), or "" when no folder holds it.
    std::string resolve(const std::string& name, const std::string& library,
                        const std::string& including, std::vector<std::string>& searched,
                        std::string& text) {
        const std::vector<std::string> folders = searchFolders(including);
        const std::string lower = lowerCase(name), upper = upperCase(name);
        static const char* extensions[] = {"",     ".cpy", ".CPY", ".cbl",
                                           ".CBL", ".cob", ".COB", ".copy"};
        for (const auto& folder : folders) {
            searched.push_back(folder.empty() ? "." : folder);
            const std::string prefix = folder.empty() ? "" : folder + "/";
            std::vector<std::string> dirs{prefix};
            if (!library.empty()) // COPY name OF lib: also the library's own folder
                dirs.push_back(prefix + library + "/");
            for (const std::string& dir : dirs)
                for (const auto& stem : {name, upper, lower})
                    for (const char* ext : extensions) {
                        const std::string candidate = dir + stem + ext;
                        if (auto read = files_.read(candidate)) {
                            text = std::move(*read);
                            return candidate;
                        }
                    }
        }
        return "";
    }

    void applyReplacing(const TokenQueue& member, const std::vector<Replacement>& rules,
                        TokenQueue& out) {
        for (std::size_t i = 0; i < member.size();) {
            bool replaced = false;
            for (const auto& r : rules) {
                if (r.pattern.empty())
                    continue;
                if (r.mode == Replacement::Mode::Whole && matches(r.pattern, member, i)) {
                    for (Token t : r.by) {
                        t.at = member[i].at;
                        t.lineStart = member[i].lineStart;
                        out.push_back(std::move(t));
                    }
                    i += r.pattern.size();
                    replaced = true;
                    break;
                }
                if (r.pattern.size() == 1 && member[i].kind == TokenKind::Word) {
                    const std::string from = r.pattern[0].upper();
                    const std::string to = r.by.empty() ? "" : r.by[0].text;
                    const Token& t = member[i];
                    const std::string upper = t.upper();
                    std::string text;
                    if (r.mode == Replacement::Mode::Leading && upper.starts_with(from))
                        text = to + t.text.substr(from.size());
                    else if (r.mode == Replacement::Mode::Trailing && upper.ends_with(from))
                        text = t.text.substr(0, t.text.size() - from.size()) + to;
                    else if (r.mode == Replacement::Mode::Whole && isPartialTag(from) &&
                             upper.find(from) != std::string::npos)
                        text = replaceAll(t.text, upper, from, to);
                    else
                        continue;
                    Token changed = t;
                    changed.text = text;
                    out.push_back(std::move(changed));
                    ++i;
                    replaced = true;
                    break;
                }
            }
            if (!replaced)
                out.push_back(member[i++]);
        }
    }

    const FileReader& files_;
    const CopyOptions& options_;
    Diagnostics& diags_;
    std::vector<std::shared_ptr<const SourceFile>>& sources_;
    std::vector<std::string> stack_;
    std::vector<Replacement> replace_; // of the REPLACE statement in force
    std::size_t expanded_ = 0; // bytes of the members included so far, each inclusion counted
    std::size_t inclusions_ = 0;
    bool tooLarge_ = false;
};

// One file's tokens with its COPY and EXEC statements expanded, lexed a stretch of lines at a
// time as they are asked for.
class FileTokens {
public:
    // top: the source itself, whose REPLACE statements this applies (a member's tokens pass
    // through the source's COPY).
    FileTokens(Expander& expander, const std::string& path, std::string text, bool top = false)
        : expander_(expander), path_(path), top_(top),
          source_(expander.open(path, std::move(text))),
          lines_(splitSource(source_, expander.diags())),
          lexer_(source_, lines_, expander.diags()) {}
    ~FileTokens() { expander_.close(); }
    FileTokens(const FileTokens&) = delete;
    FileTokens& operator=(const FileTokens&) = delete;

    // Appends at least count tokens to out unless the file ends first; false once it has.
    bool read(TokenQueue& out, std::size_t count) {
        const std::size_t wanted = out.size() + std::min(count, kWhole - out.size());
        std::vector<Token>& lexed = lexer_.tokens();
        while (out.size() < wanted) {
            // The last token waits for the next line: a continuation line may extend its word.
            if (next_ + 1 >= lexed.size() && more_) {
                lexed.erase(lexed.begin(), lexed.begin() + static_cast<std::ptrdiff_t>(next_));
                next_ = 0;
                more_ = lexer_.fill(lexed.size() + kLexAhead);
                continue;
            }
            if (next_ >= lexed.size())
                return false;
            if (lexed[next_].is("COPY")) {
                lexThrough([](const std::vector<Token>& t, std::size_t i) {
                    return t[i].kind == TokenKind::Period;
                });
                TokenQueue& copied = top_ && expander_.replacing() ? held_ : out;
                next_ = std::min(expander_.copyStatement(lexed, next_, path_, copied) + 1,
                                 lexed.size());
                for (std::size_t i = 0; &copied == &held_ && i < held_.size(); ++i)
                    expander_.emit(std::move(held_[i]), out);
                held_.dropFront(held_.size());
            } else if (top_ && lexed[next_].is("REPLACE") && next_ + 1 < lexed.size() &&
                       (lexed[next_ + 1].kind == TokenKind::PseudoText ||
                        lexed[next_ + 1].is("OFF"))) {
                lexThrough([](const std::vector<Token>& t, std::size_t i) {
                    return t[i].kind == TokenKind::Period;
                });
                next_ = std::min(expander_.replaceStatement(lexed, next_) + 1, lexed.size());
            } else if (lexed[next_].is("EXEC") || lexed[next_].is("EXECUTE")) {
                // Through END-EXEC and the token after it, which may be its period.
                lexThrough([](const std::vector<Token>& t, std::size_t i) {
                    return i > 0 && t[i - 1].is("END-EXEC");
                });
                next_ = std::min(expander_.execBlock(lexed, next_, path_, out) + 1, lexed.size());
            } else if (top_) {
                expander_.emit(std::move(lexed[next_++]), out);
            } else {
                out.push_back(std::move(lexed[next_++]));
            }
        }
        return more_ || next_ < lexed.size();
    }

private:
    // Tokens lexed at a time: a few pages of lines.
    static constexpr std::size_t kLexAhead = 1024;

    // Lexes on until a token after the next one to give is one where done(tokens, index)
    // holds, or the lines end: a statement is expanded once all of it is at hand.
    template <class Done> void lexThrough(Done done) {
        std::vector<Token>& lexed = lexer_.tokens();
        for (std::size_t i = next_ + 1;; ++i) {
            while (i >= lexed.size() && more_)
                more_ = lexer_.fill(lexed.size() + kLexAhead);
            if (i >= lexed.size() || done(lexed, i))
                return;
        }
    }

    Expander& expander_;
    const std::string path_;
    const bool top_;
    TokenQueue held_; // a COPY's tokens on their way through the REPLACE in force
    const SourceFile& source_;
    const SourceLines lines_;
    LineLexer lexer_;
    std::size_t next_ = 0; // the first lexed token not yet given
    bool more_ = true;     // lines are left to lex
};

TokenQueue Expander::file(const std::string& path, std::string text) {
    TokenQueue out;
    FileTokens tokens(*this, path, std::move(text));
    while (tokens.read(out, kWhole)) {
    }
    return out;
}

} // namespace

struct ExpandedTokens::State {
    State(const std::string& path, std::string text, const FileReader& files,
          CopyOptions copyOptions, Diagnostics& diags,
          std::vector<std::shared_ptr<const SourceFile>>& sources)
        : options(std::move(copyOptions)), expander(files, options, diags, sources),
          tokens(expander, path, std::move(text), true) {}
    const CopyOptions options;
    Expander expander;
    FileTokens tokens;
};

ExpandedTokens::ExpandedTokens(const std::string& path, std::string text, const FileReader& files,
                               CopyOptions options, Diagnostics& diags,
                               std::vector<std::shared_ptr<const SourceFile>>& sources)
    : state_(std::make_unique<State>(path, std::move(text), files, std::move(options), diags,
                                     sources)) {}

ExpandedTokens::~ExpandedTokens() = default;

bool ExpandedTokens::read(TokenQueue& out, std::size_t count) {
    return state_->tokens.read(out, count);
}

} // namespace vorq::cobol
