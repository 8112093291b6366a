#include "support/CobolText.h"

#include <gtest/gtest.h>

namespace vorq::cobol {
namespace {

using testing::fixed;
using testing::layoutOf;

TEST(Copy, ReplacingPseudoTextWordsAndLeadingParts) {
    MemoryFileReader files;
    files.add("lib/ADDR.cpy", fixed({"10 :P:-STREET PIC X(30).", "10 :P:-CITY   PIC X(20).",
                                     "10 WS-ZIP PIC 9(5)."}));
    files.add("src/REC.cpy",
              fixed({"01 REC.", "05 HOME.", "COPY ADDR REPLACING ==:P:== BY ==HOME==",
                     "     LEADING ==WS-== BY ==H-==.", "05 WORK.",
                     "COPY ADDR OF LIB REPLACING ==:P:== BY ==WORK== WS-ZIP BY W-ZIP."}));
    const auto result = testing::readText(files, "src/REC.cpy", {"lib"});
    ASSERT_FALSE(result.diagnostics.hasErrors()) << result.diagnostics.format();
    EXPECT_EQ(layoutOf(*result.model),
              "REC@0+110 HOME@0+55 HOME-STREET@0+30 HOME-CITY@30+20 H-ZIP@50+5 WORK@55+55 "
              "WORK-STREET@55+30 WORK-CITY@85+20 W-ZIP@105+5");
}

// REPLACE holds from its statement to the next or to REPLACE OFF, for copied text too.
TEST(Copy, ReplaceStatementsChangeTheTextAfterThem) {
    MemoryFileReader files;
    files.add("PART.cpy", fixed({"05 :T:-CODE PIC X(2)."}));
    files.add("REC.cpy", fixed({"REPLACE ==:T:== BY ==ITEM== ==WIDE== BY ==COMP-2==.", "01 REC.",
                                "05 A WIDE.", "COPY PART.", "REPLACE OFF.", "05 B PIC X(1).",
                                "REPLACE ==B== BY ==C==.", "05 B PIC X(3)."}));
    const auto result = testing::readText(files, "REC.cpy");
    ASSERT_FALSE(result.diagnostics.hasErrors()) << result.diagnostics.format();
    EXPECT_EQ(layoutOf(*result.model), "REC@0+14 A@0+8 ITEM-CODE@8+2 B@10+1 C@11+3");
    files.add("TWO.cpy", fixed({"REPLACE ==PIC X== BY ==PIC 9==.", "01 R PIC X."}));
    EXPECT_NE(testing::readText(files, "TWO.cpy")
                  .diagnostics.format()
                  .find("REPLACE of text of more than one word is not supported"),
              std::string::npos);
}

TEST(Copy, MissingAndRecursiveMembersAreErrorsAtTheirCopy) {
    MemoryFileReader files;
    files.add("A.cpy", fixed({"01 A.", "COPY B."}));
    files.add("B.cpy", fixed({"05 B PIC X.", "COPY A."}));
    files.add("C.cpy", fixed({"01 C.", "   COPY NOWHERE.", "05 D PIC X."}));
    const auto recursive = testing::readText(files, "A.cpy");
    EXPECT_EQ(recursive.diagnostics.format(),
              "B.cpy:2:13: error: COPY A is recursive: A.cpy -> B.cpy -> A.cpy\n"
              "           COPY A.\n"
              "                ^\n");
    const auto missing = testing::readText(files, "C.cpy", {"more"});
    EXPECT_EQ(missing.diagnostics.format(),
              "C.cpy:2:16: error: copy member NOWHERE not found (searched ., more; add its "
              "folder to the folders searched)\n"
              "              COPY NOWHERE.\n"
              "                   ^\n");
    EXPECT_EQ(layoutOf(*missing.model), "C@0+1 D@0+1") << "reading goes on after the error";
}

TEST(Copy, AMemberNameThatLeavesTheFoldersIsRefusedUnread) {
    MemoryFileReader files;
    files.add("/etc/passwd", "root:x:0:0:root:/root:/bin/bash\n");
    files.add("src/up/../../etc/passwd", "root:x:0:0:root:/root:/bin/bash\n");
    files.add("src/A.cpy", fixed({"01 A.", "COPY '../../etc/passwd'.", "COPY '/etc/passwd'.",
                                  "COPY X OF '..'.", "05 B PIC X."}));
    const auto result = testing::readText(files, "src/A.cpy", {});
    ASSERT_EQ(result.diagnostics.errorCount(), 3) << result.diagnostics.format();
    for (const auto& d : result.diagnostics.all()) {
        EXPECT_NE(d.message.find("outside the source's folder and the copy paths"),
                  std::string::npos)
            << d.message;
        EXPECT_EQ(result.diagnostics.format().find("root:"), std::string::npos)
            << "nothing of the file is shown";
    }
}

// Thirty members, each copying the next twice, would expand to a billion copies.
TEST(Copy, ExpansionThatDoublesAtEachLevelStopsAtItsBound) {
    MemoryFileReader files;
    files.add("M0.cpy", fixed({"01 R.", "COPY M1.", "COPY M1."}));
    for (int i = 1; i < 30; ++i)
        files.add("M" + std::to_string(i) + ".cpy",
                  fixed({"05 F" + std::to_string(i) + " PIC X(100) VALUE 'filler filler'.",
                         "COPY M" + std::to_string(i + 1) + ".",
                         "COPY M" + std::to_string(i + 1) + "."}));
    files.add("M30.cpy", fixed({"05 LAST PIC X."}));
    const auto result = testing::readText(files, "M0.cpy", {});
    ASSERT_TRUE(result.diagnostics.hasErrors());
    EXPECT_NE(result.diagnostics.format().find("includes more than 33554432 bytes of members "
                                               "(the bound on member text) or 10000 members"),
              std::string::npos)
        << result.diagnostics.format().substr(0, 400);
}

TEST(Copy, TheBoundOnMemberTextIsTheOneTheUserSet) {
    MemoryFileReader files;
    files.add("R.cpy", fixed({"01 R.", "COPY BIG.", "COPY BIG."}));
    const std::string member = fixed({"05 F PIC X(100)."});
    files.add("BIG.cpy", member);
    CopyOptions room;
    EXPECT_FALSE(cobol::readSource("R.cpy", files, room).diagnostics.hasErrors());
    CopyOptions tight;
    tight.maxExpandedBytes = member.size() * 3 / 2; // one inclusion fits, the second does not
    const auto result = cobol::readSource("R.cpy", files, tight);
    ASSERT_EQ(result.diagnostics.errorCount(), 1);
    EXPECT_EQ(result.diagnostics.all()[0].line, 3);
    EXPECT_NE(result.diagnostics.all()[0].message.find(
                  "more than " + std::to_string(tight.maxExpandedBytes) + " bytes"),
              std::string::npos);
}

TEST(Copy, MembersNestedTooDeepAreAnError) {
    MemoryFileReader files;
    files.add("D0.cpy", fixed({"01 R.", "COPY D1."}));
    for (int i = 1; i < 60; ++i)
        files.add("D" + std::to_string(i) + ".cpy",
                  fixed({"05 F" + std::to_string(i) + " PIC X.",
                         "COPY D" + std::to_string(i + 1) + "."}));
    files.add("D60.cpy", fixed({"05 LAST PIC X."}));
    const auto result = testing::readText(files, "D0.cpy", {});
    EXPECT_NE(result.diagnostics.format().find("nests members deeper than 50"), std::string::npos)
        << result.diagnostics.format().substr(0, 400);
}

TEST(Copy, ExecSqlBlocksOfDclgenMembersAreSkipped) {
    const auto result = testing::readOne(
        "DCL.cpy", fixed({"EXEC SQL DECLARE T TABLE", "  ( C CHAR(6) NOT NULL ) END-EXEC.",
                          "01 DCLT.", "   10 C PIC X(6)."}));
    ASSERT_FALSE(result.diagnostics.hasErrors()) << result.diagnostics.format();
    EXPECT_EQ(layoutOf(*result.model), "DCLT@0+6 C@0+6");
}

// A long source is lexed a stretch of lines at a time: statements and continued words that
// run across the ends of stretches read as they do in a short one.
TEST(Copy, StatementsAndContinuedWordsAcrossTheStretchesLexed) {
    MemoryFileReader files;
    files.add("ADDR.cpy", fixed({"10 :P:-STREET PIC X(30).", "10 :P:-CITY PIC X(20)."}));
    std::string text = fixed({"01 R."});
    constexpr int kGroups = 400;
    for (int g = 0; g < kGroups; ++g) {
        const std::string n = std::to_string(g);
        text += fixed({"05 G" + n + ".", "COPY ADDR REPLACING", "    ==:P:== BY ==G" + n + "==",
                       "    ==:Q:== BY ==Q==  ==:R:== BY ==R==  ==:S:== BY ==S==.",
                       "EXEC SQL DECLARE T" + n + " TABLE", "  ( C1 CHAR(6), C2 CHAR(6),",
                       "    C3 CHAR(6), C4 CHAR(6) ) END-EXEC.", "05 LONG-NA"}) +
                "      -    ME-" + n + " PIC X.\n";
    }
    files.add("R.cpy", text);
    const auto result = testing::readText(files, "R.cpy");
    ASSERT_FALSE(result.diagnostics.hasErrors()) << result.diagnostics.format().substr(0, 400);
    const auto items = testing::flattened(*result.model);
    ASSERT_EQ(items.size(), 1u + 4u * kGroups);
    EXPECT_EQ(items.front()->length, 51 * kGroups);
    for (int g = 0; g < kGroups; ++g) {
        const std::string n = std::to_string(g);
        const std::size_t at = 1 + 4 * static_cast<std::size_t>(g);
        EXPECT_EQ(items[at]->name, "G" + n);
        EXPECT_EQ(items[at + 1]->name, "G" + n + "-STREET");
        EXPECT_EQ(items[at + 2]->name, "G" + n + "-CITY");
        EXPECT_EQ(items[at + 3]->name, "LONG-NAME-" + n);
    }
}

} // namespace
} // namespace vorq::cobol
