#include "cobol/TokenCursor.h"

#include <algorithm>
#include <stdexcept>

namespace vorq::cobol {
namespace {

// Tokens asked of the source at a time: enough that reading is a small part of parsing, few
// enough that a window stays in the cache.
constexpr std::size_t kReadAhead = 4096;

} // namespace

TokenCursor::TokenCursor(std::vector<Token> tokens) : ended_(true) {
    for (Token& token : tokens)
        tokens_.push_back(std::move(token));
    if (!tokens_.empty())
        last_ = tokens_.back();
}

TokenCursor::TokenCursor(TokenSource& source) : source_(&source) {}

const Token& TokenCursor::end() {
    static const Token none;
    return none;
}

bool TokenCursor::readUpTo(std::size_t count) const {
    while (tokens_.size() < count && !ended_) {
        const std::size_t before = tokens_.size();
        ended_ = !source_->read(tokens_, std::max(count - tokens_.size(), kReadAhead));
        if (tokens_.size() > before)
            last_ = tokens_.back();
    }
    return tokens_.size() >= count;
}

void TokenCursor::seek(std::size_t pos) {
    if (pos < base_)
        throw std::logic_error("token cursor: seek before the released tokens");
    pos_ = pos;
}

void TokenCursor::release() {
    const std::size_t gone = std::min(pos_ - base_, tokens_.size());
    tokens_.dropFront(gone);
    base_ += gone;
}

const Token& TokenCursor::last() const {
    readUpTo(static_cast<std::size_t>(-1));
    return last_;
}

} // namespace vorq::cobol
