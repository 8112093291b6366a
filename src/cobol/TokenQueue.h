#pragma once

#include "cobol/Token.h"

#include <cstddef>
#include <vector>

namespace vorq::cobol {

// Tokens added at the back and dropped from the front, where each token stays in its place
// until it is dropped: the parsers hold references to tokens while more are read. A deque
// gives the same, in blocks of nine tokens that were allocated and freed a hundred thousand
// times for a big source; these blocks hold a thousand. A token dropped waits for the rest of
// its block.
class TokenQueue {
public:
    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }

    Token& operator[](std::size_t i) {
        const std::size_t at = head_ + i;
        return blocks_[at / kBlock][at % kBlock];
    }
    const Token& operator[](std::size_t i) const {
        const std::size_t at = head_ + i;
        return blocks_[at / kBlock][at % kBlock];
    }
    Token& back() { return (*this)[count_ - 1]; }

    void push_back(Token&& token) {
        lastBlock().push_back(std::move(token));
        ++count_;
    }
    void push_back(const Token& token) {
        lastBlock().push_back(token);
        ++count_;
    }

    // Drops the first n tokens (at most size()).
    void dropFront(std::size_t n) {
        head_ += n;
        count_ -= n;
        const std::size_t spent = head_ / kBlock;
        blocks_.erase(blocks_.begin(), blocks_.begin() + static_cast<std::ptrdiff_t>(spent));
        head_ -= spent * kBlock;
    }

private:
    static constexpr std::size_t kBlock = 1024;

    // The block the next token goes into.
    std::vector<Token>& lastBlock() {
        if ((head_ + count_) / kBlock == blocks_.size()) {
            blocks_.emplace_back();
            blocks_.back().reserve(kBlock); // never grows past this: its tokens stay in place
        }
        return blocks_.back();
    }

    std::vector<std::vector<Token>> blocks_;
    std::size_t head_ = 0; // the first token's place in blocks_.front()
    std::size_t count_ = 0;
};

} // namespace vorq::cobol
