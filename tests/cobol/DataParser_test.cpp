#include "cobol/DataParser.h"
#include "cobol/Lexer.h"
#include "cobol/SourceFormat.h"
#include "cobol/TokenCursor.h"
#include "support/CobolText.h"

#include <gtest/gtest.h>

namespace vorq::cobol {
namespace {

struct Parsed {
    std::vector<std::unique_ptr<DataItem>> records;
    Diagnostics diags;
    std::size_t stoppedAt = 0; // tokens read
};

// Parses free-format entries, stopping at a PROCEDURE word.
Parsed parse(const std::string& code) {
    Parsed out;
    const auto file = SourceFile::fromText("t.cpy", ">>SOURCE FORMAT IS FREE\n" + code);
    const auto tokens = testing::tokenize(*file, splitSource(*file, out.diags), out.diags);
    TokenCursor cursor(tokens);
    out.records = parseDataEntries(cursor, out.diags,
                                   [](const TokenCursor& c) { return c.peek().is("PROCEDURE"); });
    out.stoppedAt = cursor.position();
    return out;
}

TEST(DataParser, LevelsNestByNumberAndClausesComeInAnyOrder) {
    const auto p = parse("01 rec. 05 a OCCURS 2 TO 9 DEPENDING ON n PIC X(3) VALUE 'x'. "
                         "05 b. 10 c COMP-3 PIC S9(4) SIGN LEADING SEPARATE. "
                         "05 d REDEFINES b PIC X(3). 66 all-of RENAMES a THRU d. "
                         "77 n PIC 9 COMP.");
    ASSERT_FALSE(p.diags.hasErrors()) << p.diags.format();
    ASSERT_EQ(p.records.size(), 2u) << "rec and the 77";
    const DataItem& rec = *p.records[0];
    ASSERT_EQ(rec.children.size(), 4u) << "a, b, d and the 66 under rec";
    EXPECT_EQ(rec.children[0]->occursMin, 2);
    EXPECT_EQ(rec.children[0]->occurs, 9);
    EXPECT_EQ(rec.children[0]->rare().dependingOn, "N");
    EXPECT_EQ(rec.children[0]->rare().value, "'x'");
    EXPECT_EQ(rec.children[1]->children[0]->picture, "S9(4)");
    EXPECT_TRUE(rec.children[1]->children[0]->signLeading);
    EXPECT_EQ(rec.children[2]->rare().redefines, "B");
    EXPECT_EQ(rec.children[3]->rare().renamesFrom, "A");
    EXPECT_EQ(rec.children[3]->rare().renamesThru, "D");
}

TEST(DataParser, ConditionNamesAttachToTheItemBeforeThem) {
    const auto p = parse("01 flag PIC X. 88 is-on VALUE 'Y' 'y'. 88 is-off VALUE 'N'.");
    ASSERT_FALSE(p.diags.hasErrors()) << p.diags.format();
    ASSERT_EQ(p.records.size(), 1u);
    EXPECT_EQ(p.records[0]->rare().conditions.size(), 2u);
    EXPECT_TRUE(p.records[0]->children.empty());
}

TEST(DataParser, ErrorsResumeAtTheNextEntryAndTheParserStopsAtAHeader) {
    const auto p = parse("01 r. 05 a PIC X BOGUS. 05 b PIC X(2). stray. 05 c PIC X. PROCEDURE");
    EXPECT_EQ(p.diags.errorCount(), 2) << p.diags.format();
    ASSERT_EQ(p.records.size(), 1u);
    EXPECT_EQ(p.records[0]->children.size(), 3u) << "a, b and c are all read";
    EXPECT_EQ(p.records[0]->children[1]->picture, "X(2)");
    const auto header = parse("01 r PIC X. PROCEDURE DIVISION.");
    EXPECT_FALSE(header.diags.hasErrors());
    EXPECT_EQ(header.stoppedAt, 5u) << "stops before PROCEDURE";
}

} // namespace
} // namespace vorq::cobol
