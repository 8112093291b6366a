#pragma once

#include "cobol/Token.h"

#include <vector>

namespace vorq::cobol {

// A position in a token list, for the parsers.
class TokenCursor {
public:
    explicit TokenCursor(const std::vector<Token>& tokens) : tokens_(tokens) {}

    bool atEnd() const { return pos_ >= tokens_.size(); }
    const Token& peek(std::size_t ahead = 0) const {
        const std::size_t at = pos_ + ahead;
        return at < tokens_.size() ? tokens_[at] : end();
    }
    const Token& next() { return atEnd() ? end() : tokens_[pos_++]; }
    bool accept(std::string_view keyword) {
        if (!peek().is(keyword))
            return false;
        ++pos_;
        return true;
    }
    std::size_t position() const { return pos_; }
    void seek(std::size_t pos) { pos_ = pos; }
    // Where the last token was, for "expected ..." at the end of the source.
    const Token& last() const { return tokens_.empty() ? end() : tokens_.back(); }

private:
    const Token& end() const {
        static const Token none;
        return none;
    }

    const std::vector<Token>& tokens_;
    std::size_t pos_ = 0;
};

} // namespace vorq::cobol
