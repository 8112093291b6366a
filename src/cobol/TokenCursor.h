#pragma once

#include "cobol/Token.h"
#include "cobol/TokenQueue.h"

#include <cstddef>
#include <vector>

namespace vorq::cobol {

// Where a cursor's tokens come from when they are read as the parsers look ahead.
class TokenSource {
public:
    virtual ~TokenSource() = default;
    // Appends the next tokens to out, at least count of them unless the source ends first;
    // false once it has ended.
    virtual bool read(TokenQueue& out, std::size_t count) = 0;
};

// A position in a source's tokens, for the parsers. Tokens are read from the source as the
// parsers look ahead, and those before a point that release() marks are dropped: a copybook
// of 200,000 items lexes to a million tokens, a big program to as many, and none of them needs
// more than the entry or statement at hand. A reference to a token stays valid until the next
// release().
class TokenCursor {
public:
    explicit TokenCursor(std::vector<Token> tokens);
    explicit TokenCursor(TokenSource& source);
    TokenCursor(const TokenCursor&) = delete;
    TokenCursor& operator=(const TokenCursor&) = delete;

    // Whether a token lies that far ahead of the position.
    bool has(std::size_t ahead) const {
        return pos_ - base_ + ahead < tokens_.size() || readUpTo(pos_ - base_ + ahead + 1);
    }
    bool atEnd() const { return !has(0); }
    const Token& peek(std::size_t ahead = 0) const {
        return has(ahead) ? tokens_[pos_ - base_ + ahead] : end();
    }
    const Token& next() { return atEnd() ? end() : tokens_[pos_++ - base_]; }
    bool accept(std::string_view keyword) {
        if (!peek().is(keyword))
            return false;
        ++pos_;
        return true;
    }
    std::size_t position() const { return pos_; }
    // Back to a position since the last release(), or on.
    void seek(std::size_t pos);
    // The parser holds no token before the position any more: they may go.
    void release();
    // Where the last token of the source was, for "expected ..." at its end. Reads to the end.
    const Token& last() const;

private:
    static const Token& end();
    // Reads from the source until the window holds count tokens; false when it ends first.
    bool readUpTo(std::size_t count) const;

    TokenSource* source_ = nullptr;
    // Lazily filled as the parsers look: the window, and the last token the source gave.
    mutable TokenQueue tokens_;
    mutable Token last_;
    mutable bool ended_ = false;
    std::size_t base_ = 0; // the position of tokens_.front()
    std::size_t pos_ = 0;
};

} // namespace vorq::cobol
