#include "cobol/Lexer.h"
#include "cobol/SourceFormat.h"
#include "support/CobolText.h"

#include <gtest/gtest.h>

namespace vorq::cobol {
namespace {

std::string words(const std::string& text, Diagnostics& diags) {
    auto file = SourceFile::fromText("t.cpy", text);
    std::string out;
    for (const Token& t : testing::tokenize(*file, splitSource(*file, diags), diags))
        out +=
            (out.empty() ? "" : " ") + (t.kind == TokenKind::Literal ? "'" + t.text + "'" : t.text);
    return out;
}

std::string words(const std::string& text) {
    Diagnostics diags;
    auto result = words(text, diags);
    EXPECT_FALSE(diags.hasErrors()) << diags.format();
    return result;
}

TEST(SourceFormat, FixedFormatKeepsColumnsEightToSeventyTwo) {
    const std::string first = "000100 01  REC.";
    const std::string text = first + std::string(72 - first.size(), ' ') +
                             "SEQ00100\n"
                             "000200*    a comment line\n"
                             "000300/    a page eject\n"
                             "000400D    DISPLAY 'DEBUG'\n"
                             "000500     05  A PIC X(3).\n";
    EXPECT_EQ(words(text), "01 REC . 05 A PIC X(3) .");
}

TEST(SourceFormat, TabsExpandAndContinuationJoinsLiteralsAndWords) {
    EXPECT_EQ(words("\t05 A PIC X.\n"), "05 A PIC X .");
    // The literal runs to column 72, trailing blanks included, and goes on after the quote.
    const std::string open = "       05 A PIC X(70) VALUE 'ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const std::string continued = open + std::string(72 - open.size() - 2, '.') +
                                  "  \n"
                                  "      -    'OPQ'.\n"
                                  "       05 LONG-NA\n"
                                  "      -    ME PIC X.\n";
    EXPECT_EQ(words(continued), "05 A PIC X(70) VALUE 'ABCDEFGHIJKLMNOPQRSTUVWXYZ" +
                                    std::string(72 - open.size() - 2, '.') +
                                    "  OPQ' . 05 LONG-NAME PIC X .");
}

TEST(SourceFormat, FreeFormatIsDetectedFromItsDirectiveOrFromCodeInTheSequenceArea) {
    EXPECT_EQ(words(">>SOURCE FORMAT IS FREE\n01 REC. *> the record\n  05 A PIC X.\n"),
              "01 REC . 05 A PIC X .");
    EXPECT_EQ(words("01 REC.\n* a comment in free form\n   05 A PIC X(80).\n"),
              "01 REC . 05 A PIC X(80) .");
    // As other tools extract copybooks: banners, a level number in column 1 with blanks after
    // it, words that run across column 72.
    const std::string name(50, 'N');
    EXPECT_EQ(words(std::string(60, '*') + "\n01  GRP_01.\n    05 " + name + std::string(14, ' ') +
                    "PIC X(10).\n" + std::string(60, '*') + "\n"),
              "01 GRP_01 . 05 " + name + " PIC X(10) .");
    // Fixed format with text in columns 73-80 stays fixed: the text never reaches the parser.
    EXPECT_EQ(words("000100 01  REC.                                                         "
                    "CUSTREC1\n000200     05 A PIC X.                                          "
                    "         CUSTREC1\n"),
              "01 REC . 05 A PIC X .");
}

TEST(SourceFormat, CodeInColumnSevenIsReadWithAWarningNamingTheRule) {
    Diagnostics diags;
    EXPECT_EQ(words("      01  REC.\n        05 A PIC X.\n", diags), "01 REC . 05 A PIC X .");
    EXPECT_EQ(diags.format(),
              "t.cpy:1:7: warning: code starts in column 7; read as if the fixed-format code area "
              "began there (later lines like this are read the same way)\n"
              "          01  REC.\n"
              "          ^\n");
}

TEST(SourceFormat, PictureStringsKeepTheirPeriodsAndCommas) {
    EXPECT_EQ(words("       05 A PIC ZZ,ZZ9.99. 05 B PICTURE IS $$9.\n"),
              "05 A PIC ZZ,ZZ9.99 . 05 B PICTURE IS $$9 .");
}

TEST(SourceFormat, ColumnsCountCharactersNotBytes) {
    EXPECT_EQ(
        words(testing::fixed({"05 RUSSIAN PIC X(50) VALUE 'когда мир'.                     "})),
        "05 RUSSIAN PIC X(50) VALUE 'когда мир' .");
    // "é" is two bytes: counted as bytes, column 72 would fall one character early and cut
    // off the closing quote, and the sequence area would begin inside the code.
    const std::string open = "       05 A PIC X(40) VALUE 'é";
    const std::string dashes(71 - (open.size() - 1), '-'); // to column 71: the quote is in 72
    EXPECT_EQ(words(open + dashes + "'SEQ00100\n"), "05 A PIC X(40) VALUE 'é" + dashes + "'");
}

// Conditional compilation chooses the items as GnuCOBOL does (layouts checked with cobc).
TEST(SourceFormat, DetectionWeighsTheIndicatorColumnNotTheTextBeforeIt) {
    // Change marks and code-like text in columns 1-6 of fixed-format lines.
    EXPECT_EQ(words("01     01  REC.\n05 AB      05  A PIC X.\n"), "01 REC . 05 A PIC X .");
    EXPECT_EQ(words("01 A  *  a comment\n01 B  *  another\n       01  REC.\n"), "01 REC .");
    // Banners of asterisks from column 1 count for neither format; the code decides.
    EXPECT_EQ(words(" *****************\n * note\n *****************\n   01 REC.\n"
                    "      03 A Pic X.\n"),
              "01 REC . 03 A Pic X .");
    EXPECT_EQ(words(std::string(72, '*') + "\n       01  REC.\n" + std::string(72, '*') + "\n"),
              "01 REC .");
    // The directive wins over any evidence.
    EXPECT_EQ(words(">>SOURCE FORMAT IS FIXED\n01     01  REC.\n"), "01 REC .");
    EXPECT_EQ(words(">>SOURCE FORMAT IS FREE\n       01  REC.\n"), "01 REC .");
}

TEST(SourceFormat, UnreadableFilesAreRefusedWholeWithTheirCause) {
    Diagnostics utf16;
    EXPECT_EQ(words(std::string{'\xFF', '\xFE', ' ', '\0', '0', '\0', '1', '\0'}, utf16), "");
    ASSERT_EQ(utf16.errorCount(), 1);
    EXPECT_NE(utf16.all()[0].message.find("UTF-16"), std::string::npos);

    Diagnostics longLine;
    const std::string text = "       01  A PIC X.\n" + std::string(kMaxLineLength + 1, 'X') + "\n";
    EXPECT_EQ(words(text, longLine), "");
    ASSERT_EQ(longLine.errorCount(), 1);
    EXPECT_EQ(longLine.all()[0].line, 2);
    EXPECT_NE(longLine.all()[0].message.find("65537 bytes long"), std::string::npos);

    EXPECT_EQ(words(">>SOURCE FORMAT IS FREE\n" + std::string(kMaxLineLength - 5, ' ') + "01 A."),
              "01 A .")
        << "a line of the limit itself is read";
}

TEST(Directives, DefineAndIfChooseTheLinesThatAreRead) {
    const auto layoutWith = [](const std::vector<std::string>& directives) {
        std::vector<std::string> lines = directives;
        for (const char* line :
             {"01 REC.", ">>IF MODE = 1", "05 ONE PIC X(1).", ">>ELIF MODE = 2", "05 TWO PIC X(2).",
              ">>ELSE", "05 OTHER PIC X(3).", ">>END-IF", ">>IF DEBUG DEFINED", "05 DBG PIC X(7).",
              ">>END-IF", ">>IF DEBUG NOT DEFINED", "05 NODBG PIC X(5).", ">>END-IF"})
            lines.emplace_back(line);
        const auto result = testing::readOne("d.cpy", testing::fixed(lines));
        EXPECT_FALSE(result.diagnostics.hasErrors()) << result.diagnostics.format();
        return testing::layoutOf(*result.model);
    };
    EXPECT_EQ(layoutWith({}), "REC@0+8 OTHER@0+3 NODBG@3+5") << "undefined names compare false";
    EXPECT_EQ(layoutWith({">>DEFINE MODE AS 2"}), "REC@0+7 TWO@0+2 NODBG@2+5");
    EXPECT_EQ(layoutWith({">>DEFINE MODE AS 1", ">>DEFINE DEBUG"}), "REC@0+8 ONE@0+1 DBG@1+7");
    EXPECT_EQ(layoutWith({">>SET CONSTANT MODE AS 1", ">>DEFINE DEBUG", ">>DEFINE DEBUG OFF"}),
              "REC@0+6 ONE@0+1 NODBG@1+5");
}

// Other compilers' option lines: $SET SOURCEFORMAT switches the format, $SET CONSTANT defines
// a name, the others are read past.
TEST(Directives, OptionLinesOfOtherCompilersAreReadOrPassed) {
    const auto result = testing::readOne("d.cpy", "      $SET CONSTANT SIZE \"2\"\n"
                                                  "      $DISPLAY compiling\n"
                                                  "000100 @OPTIONS NOMAIN\n"
                                                  "      $SET SOURCEFORMAT\"FREE\"\n"
                                                  "01 R.\n"
                                                  ">>IF SIZE = 2\n"
                                                  "  05 TWO PIC X(2).\n"
                                                  ">>END-IF\n");
    EXPECT_FALSE(result.diagnostics.hasErrors()) << result.diagnostics.format();
    EXPECT_EQ(testing::layoutOf(*result.model), "R@0+2 TWO@0+2");
}

// The long forms that cobc evaluates as the short ones.
TEST(Directives, ConditionsInWordsReadAsTheirShortForms) {
    const auto taken = [](const std::string& condition) {
        const auto result = testing::readOne(
            "d.cpy", testing::fixed({">>DEFINE MODE AS 2", ">>DEFINE NAME AS 'ABC'", "01 R.",
                                     ">>IF " + condition, "05 YES PIC X.", ">>ELSE", "05 NO PIC X.",
                                     ">>END-IF"}));
        EXPECT_FALSE(result.diagnostics.hasErrors()) << condition << "\n"
                                                     << result.diagnostics.format();
        return testing::layoutOf(*result.model) == "R@0+1 YES@0+1";
    };
    EXPECT_TRUE(taken("MODE IS DEFINED"));
    EXPECT_FALSE(taken("MODE IS NOT DEFINED"));
    EXPECT_TRUE(taken("OTHER IS NOT SET"));
    EXPECT_TRUE(taken("MODE IS EQUAL TO 2 *> a comment"));
    EXPECT_TRUE(taken("NAME EQUAL 'ABC'"));
    EXPECT_TRUE(taken("MODE IS GREATER THAN 1"));
    EXPECT_FALSE(taken("MODE LESS THAN 2"));
    EXPECT_TRUE(taken("MODE IS LESS THAN OR EQUAL TO 2"));
    EXPECT_TRUE(taken("MODE NOT GREATER OR EQUAL 3"));
}

TEST(Directives, AnOpenIfAndAnUnknownConditionAreErrors) {
    const auto errors = [](const std::vector<std::string>& lines) {
        return testing::readOne("d.cpy", testing::fixed(lines)).diagnostics.format();
    };
    EXPECT_NE(errors({"01 R.", ">>IF X DEFINED", "05 A PIC X."}).find("not closed by >>END-IF"),
              std::string::npos);
    EXPECT_NE(errors({"01 R.", ">>IF X AND Y", "05 A PIC X.", ">>END-IF"})
                  .find("the >>IF condition 'X AND Y' is not supported"),
              std::string::npos);
    EXPECT_NE(errors({"01 R.", ">>END-IF", "05 A PIC X."}).find(">>END-IF without an >>IF"),
              std::string::npos);
}

} // namespace
} // namespace vorq::cobol
