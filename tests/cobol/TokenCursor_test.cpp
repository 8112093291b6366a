#include "cobol/TokenCursor.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace vorq::cobol {
namespace {

Token word(std::size_t n) {
    Token t;
    t.kind = TokenKind::Word;
    t.text = "T" + std::to_string(n);
    return t;
}

// Words T0, T1, ... given a few at a time, as a lexer gives a stretch of lines.
class CountingSource : public TokenSource {
public:
    explicit CountingSource(std::size_t total) : total_(total) {}
    bool read(TokenQueue& out, std::size_t count) override {
        ++reads;
        for (std::size_t i = 0; i < count && given_ < total_; ++i, ++given_)
            out.push_back(word(given_));
        return given_ < total_;
    }
    int reads = 0;

private:
    std::size_t total_;
    std::size_t given_ = 0;
};

TEST(TokenCursor, ReadsAsThePeekGoesAndTokensHeldStayValid) {
    CountingSource source(20'000);
    TokenCursor cursor(source);
    EXPECT_EQ(source.reads, 0) << "nothing is read before it is looked at";
    const Token& first = cursor.peek();
    EXPECT_EQ(cursor.peek(9'999).text, "T9999");
    EXPECT_GT(source.reads, 1);
    EXPECT_EQ(first.text, "T0") << "a token held while more are read is still there";
    EXPECT_TRUE(cursor.has(19'999));
    EXPECT_FALSE(cursor.has(20'000));
    EXPECT_EQ(cursor.peek(20'000).text, "") << "past the end: no token";
}

TEST(TokenCursor, ReleasedTokensGoButThePositionAndTheLastTokenRemain) {
    CountingSource source(10'000);
    TokenCursor cursor(source);
    for (int i = 0; i < 5'000; ++i)
        cursor.next();
    cursor.release();
    EXPECT_EQ(cursor.position(), 5'000u);
    EXPECT_EQ(cursor.next().text, "T5000");
    cursor.seek(cursor.position() - 1);
    EXPECT_EQ(cursor.peek().text, "T5000") << "a step back within what is held";
    EXPECT_THROW(cursor.seek(4'999), std::logic_error) << "a released token cannot come back";
    EXPECT_EQ(cursor.last().text, "T9999");
    EXPECT_EQ(cursor.peek().text, "T5000") << "finding the last token does not move";
    while (!cursor.atEnd())
        cursor.next();
    EXPECT_EQ(cursor.position(), 10'000u);
}

TEST(TokenQueue, DroppingFromTheFrontKeepsTheOthersInTheirPlacesAcrossBlocks) {
    TokenQueue queue;
    for (std::size_t n = 0; n < 2'500; ++n)
        queue.push_back(word(n));
    const Token& held = queue[2'000];
    queue.dropFront(1'500); // the first block whole, half of the second
    EXPECT_EQ(queue.size(), 1'000u);
    EXPECT_EQ(queue[0].text, "T1500");
    EXPECT_EQ(&queue[500], &held) << "a token after those dropped did not move";
    for (std::size_t n = 2'500; n < 4'000; ++n)
        queue.push_back(word(n));
    EXPECT_EQ(held.text, "T2000");
    EXPECT_EQ(queue.back().text, "T3999");

    queue.dropFront(queue.size());
    EXPECT_TRUE(queue.empty());
    queue.push_back(word(7));
    EXPECT_EQ(queue.size(), 1u);
    EXPECT_EQ(queue[0].text, "T7") << "an emptied queue takes tokens again";
}

TEST(TokenCursor, GivenTokensAndAnEmptySource) {
    Token word;
    word.kind = TokenKind::Word;
    word.text = "ONLY";
    TokenCursor given(std::vector<Token>{word});
    EXPECT_TRUE(given.accept("ONLY"));
    EXPECT_TRUE(given.atEnd());
    EXPECT_EQ(given.last().text, "ONLY");

    CountingSource none(0);
    TokenCursor empty(none);
    EXPECT_TRUE(empty.atEnd());
    EXPECT_EQ(empty.last().at.file, nullptr);
}

} // namespace
} // namespace vorq::cobol
