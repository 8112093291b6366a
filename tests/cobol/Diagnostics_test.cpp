#include "cobol/Diagnostics.h"
#include "support/CobolText.h"

#include <gtest/gtest.h>
#include <random>

namespace vorq::cobol {
namespace {

Diagnostic at(int column, std::string message, std::string line) {
    return {Diagnostic::Severity::Error, "f.cpy", 3, column, std::move(message), std::move(line)};
}

TEST(SourceFile, LinesWithoutTheirEndsWithTabsExpanded) {
    const auto file = SourceFile::fromText("f.cpy", "A\r\n\tB\tC\n\nD \r\nlast");
    ASSERT_EQ(file->lineCount(), 5u);
    EXPECT_EQ(file->line(0), "A");
    EXPECT_EQ(file->line(1), "        B       C") << "tab stops every 8 columns, per line";
    EXPECT_EQ(file->line(2), "");
    EXPECT_EQ(file->line(3), "D ");
    EXPECT_EQ(file->line(4), "last");
    EXPECT_EQ(SourceFile::fromText("f.cpy", "A\n")->lineCount(), 1u)
        << "a final line end starts no line";
    EXPECT_EQ(SourceFile::fromText("f.cpy", "")->lineCount(), 0u);
}

TEST(Diagnostics, ControlBytesAreShownEscapedWithTheCaretStillUnderItsColumn) {
    EXPECT_EQ(at(4, "bad \x1b[31m", std::string("A\0B", 3) + "C").format(),
              "f.cpy:3:4: error: bad \\x1B[31m\n"
              "    A\\x00BC\n"
              "          ^\n");
}

TEST(Diagnostics, ALongLineIsShownAroundTheColumnOnly) {
    const std::string line = std::string(10'000, 'A') + "X" + std::string(10'000, 'B');
    const std::string text = at(10'001, "here", line).format();
    EXPECT_LT(text.size(), 400u);
    EXPECT_NE(text.find("...AAAA"), std::string::npos);
    EXPECT_NE(text.find("XBBB"), std::string::npos);
    const auto second = text.find('\n') + 1, third = text.find('\n', second) + 1;
    const std::string shownLine = text.substr(second, third - second);
    const std::string caretLine = text.substr(third);
    EXPECT_EQ(caretLine.find('^'), shownLine.find('X')) << "the caret points at the column";
}

// Random bytes are no COBOL: the reader says so in a bounded number of lines and never
// passes the bytes to the terminal.
TEST(Diagnostics, BinaryGarbageGivesABoundedEscapedReport) {
    std::mt19937 random(7);
    std::string garbage;
    for (int i = 0; i < 2'000'000; ++i)
        garbage.push_back(static_cast<char>(random() % 256));
    MemoryFileReader files;
    files.add("junk.cpy", garbage);
    const auto result = testing::readText(files, "junk.cpy", {});
    EXPECT_TRUE(result.diagnostics.hasErrors());
    EXPECT_LE(result.diagnostics.all().size(),
              static_cast<std::size_t>(Diagnostics::kMaxErrors) + 1 + 10 /* warnings */);
    const std::string shown = result.diagnostics.format();
    EXPECT_LT(shown.size(), 200'000u);
    for (const char c : shown)
        EXPECT_TRUE(c == '\n' || static_cast<unsigned char>(c) >= 0x20) << int(c);
}

} // namespace
} // namespace vorq::cobol
