#include "support/CobolText.h"

#include <gtest/gtest.h>

namespace vorq::cobol {
namespace {

using testing::fixed;

std::string layout(const std::vector<std::string>& lines) {
    const auto result = testing::readOne("t.cpy", fixed(lines));
    EXPECT_FALSE(result.diagnostics.hasErrors()) << result.diagnostics.format();
    return testing::layoutOf(*result.model);
}

TEST(StorageLayout, ElementaryLengthsFollowIbmRules) {
    EXPECT_EQ(layout({"01 R.", "05 B1 PIC S9(4) COMP.", "05 B2 PIC 9(5) BINARY.",
                      "05 B3 PIC S9(18) COMP-5.", "05 P1 PIC S9(7)V99 COMP-3.",
                      "05 P2 PIC 9(4) PACKED-DECIMAL.", "05 Z1 PIC S9(5) SIGN LEADING SEPARATE.",
                      "05 N1 PIC N(4).", "05 N2 PIC 9(3) USAGE NATIONAL.", "05 F1 COMP-1.",
                      "05 F2 COMP-2.", "05 X1 INDEX.", "05 X2 POINTER.", "05 E1 PIC ZZ,ZZ9.99CR.",
                      "05 E2 PIC 999PPP."}),
              "R@0+76 B1@0+2 B2@2+4 B3@6+8 P1@14+5 P2@19+3 Z1@22+6 N1@28+8 N2@36+6 F1@42+4 "
              "F2@46+8 X1@54+4 X2@58+4 E1@62+11 E2@73+3");
}

// Other compilers' usages, with the lengths GnuCOBOL gives them (default dialect): COMP-X and
// COMP-N take as few bytes as the picture needs, a PIC X(n) one n bytes.
TEST(StorageLayout, OtherCompilersUsagesHaveGnuCobolsLengths) {
    EXPECT_EQ(
        layout({"01 R.", "05 A1 USAGE BINARY-INT.", "05 A2 USAGE UNSIGNED-SHORT.",
                "05 A3 USAGE SIGNED-LONG.", "05 A4 USAGE PROGRAM-POINTER.", "05 A5 USAGE FLOAT.",
                "05 B1 PIC X(4) USAGE COMP-X.", "05 B2 PIC 9(2) COMP-X.", "05 B3 PIC 9(3) COMP-X.",
                "05 B4 PIC 9(5) COMP-X.", "05 B5 PIC S99V999 COMPUTATIONAL-X.",
                "05 B6 PIC 9(3) COMP-N.", "05 B7 PIC X(2) COMP-N."}),
        "R@0+43 A1@0+4 A2@4+2 A3@6+8 A4@14+8 A5@22+4 B1@26+4 B2@30+1 B3@31+2 B4@33+3 "
        "B5@36+3 B6@39+2 B7@41+2");
    EXPECT_EQ(layout({"01 R.", "05 A PIC X(6) VALUE DOGGY.", "05 B COMP-2 VALUE IS 3.97E+24.",
                      "05 C PIC X(3) VALUE H\"012345\".", "05 D COMP-2 VALUE -3.4e-038."}),
              "R@0+25 A@0+6 B@6+8 C@14+3 D@17+8")
        << "a constant's name, floating-point and hexadecimal literals as values";
}

TEST(StorageLayout, AGroupsSignClauseHoldsForItsSignedItemsOnly) {
    EXPECT_EQ(layout({"01 R.", "05 G SIGN IS LEADING SEPARATE.", "10 A PIC S99.", "10 B PIC 99.",
                      "10 H.", "15 C PIC S9(3).", "05 D PIC S99."}),
              "R@0+11 G@0+9 A@0+3 B@3+2 H@5+4 C@5+4 D@9+2");
}

// A long copybook is parsed as its tokens come and the tokens of parsed entries are dropped; a
// record that redefines one read long before is laid out as in a short copybook.
TEST(StorageLayout, ALongCopybookIsLaidOutAsAWhole) {
    std::vector<std::string> lines;
    for (int r = 1; r <= 4000; ++r) {
        const std::string n = std::to_string(r);
        lines.push_back("01 REC-" + n + ".");
        lines.push_back("05 A-" + n + " PIC X(3).");
        lines.push_back("05 B-" + n + " PIC S9(5) COMP-3 OCCURS 2.");
        lines.push_back("05 C-" + n + " PIC 9(4) VALUE 12.");
    }
    lines.push_back("01 LAST-REC REDEFINES REC-1.");
    lines.push_back("05 WHOLE PIC X(15).");
    const auto result = testing::readOne("t.cpy", fixed(lines));
    ASSERT_FALSE(result.diagnostics.hasErrors()) << result.diagnostics.format();
    ASSERT_EQ(result.model->items.size(), 4001u);
    const std::string layout = testing::layoutOf(*result.model);
    EXPECT_TRUE(layout.starts_with("REC-1@0+13 A-1@0+3 B-1@3+3 C-1@9+4 REC-2@0+13")) << layout;
    EXPECT_TRUE(layout.ends_with("REC-4000@0+13 A-4000@0+3 B-4000@3+3 C-4000@9+4 "
                                 "LAST-REC@0+15 WHOLE@0+15"))
        << layout.substr(layout.size() - 200);
    EXPECT_EQ(result.model->items.back()->redefined, result.model->items.front().get());
}

TEST(StorageLayout, GroupUsageOccursAndRedefines) {
    EXPECT_EQ(layout({"01 R.", "05 NUMS COMP-3.", "10 N1 PIC S9(5).", "10 N2 PIC S9(3).",
                      "05 T OCCURS 3 TIMES.", "10 T1 PIC X(2).", "10 T2 PIC 9 OCCURS 2.",
                      "05 D PIC 9(8).", "05 DX REDEFINES D.", "10 DY PIC 9(4).", "10 DM PIC 99.",
                      "05 LONGER REDEFINES D PIC X(10).", "05 AFTER PIC X."}),
              "R@0+28 NUMS@0+5 N1@0+3 N2@3+2 T@5+4 T1@5+2 T2@7+1 D@17+8 DX@17+6 DY@17+4 "
              "DM@21+2 LONGER@17+10 AFTER@27+1");
}

TEST(StorageLayout, DependingOnTakesTheMaximumAndRenamesSpansItsItems) {
    EXPECT_EQ(layout({"01 R.", "05 CNT PIC 99.", "05 ITEMS OCCURS 1 TO 5 DEPENDING ON CNT.",
                      "10 V PIC X(3).", "05 TAIL PIC X.", "66 SPAN RENAMES CNT THRU ITEMS.",
                      "66 ONE RENAMES TAIL."}),
              "R@0+18 CNT@0+2 ITEMS@2+3 V@2+3 TAIL@17+1 SPAN@0+17 ONE@17+1");
}

TEST(StorageLayout, SyncAlignsBinaryItemsWithinTheRecord) {
    EXPECT_EQ(layout({"01 R.", "05 A PIC X(3).", "05 B PIC S9(4) COMP SYNC.", "05 C PIC X.",
                      "05 D PIC S9(9) COMP SYNC.", "05 E COMP-2 SYNC."}),
              "R@0+24 A@0+3 B@4+2 C@6+1 D@8+4 E@16+8");
}

TEST(StorageLayout, ACopybookBelowLevelOneFillsOneRecordNamedAfterItsFile) {
    EXPECT_EQ(layout({"05 A PIC X(4).", "05 B.", "10 C PIC 9(3) COMP-3.", "05 D PIC X."}),
              "T@0+7 A@0+4 B@4+2 C@4+2 D@6+1");
}

TEST(DataEntries, ErrorsNameWhatWasExpectedAndReadingGoesOn) {
    const auto result = testing::readOne(
        "bad.cpy", fixed({"01 R.", "05 A PIC X(3) VALU 'X'.", "05 B OCCURS MANY.", "05 C PIC X",
                          "05 D PIC 9(2)Q.", "05 E PIC X GROUP-USAGE NATIONAL."}));
    EXPECT_EQ(result.diagnostics.format(),
              "bad.cpy:2:22: error: expected a clause (PIC, USAGE, OCCURS, REDEFINES, VALUE, ...) "
              "or a period, not 'VALU'\n"
              "           05 A PIC X(3) VALU 'X'.\n"
              "                         ^\n"
              "bad.cpy:3:20: error: expected a whole number after OCCURS\n"
              "           05 B OCCURS MANY.\n"
              "                       ^\n"
              "bad.cpy:5:8: error: expected a period to end the entry of C before the next level "
              "number\n"
              "           05 D PIC 9(2)Q.\n"
              "           ^\n"
              "bad.cpy:6:19: warning: the GROUP-USAGE clause is not supported and was skipped\n"
              "           05 E PIC X GROUP-USAGE NATIONAL.\n"
              "                      ^\n"
              "bad.cpy:5:8: error: expected a valid picture string for D, not '9(2)Q'\n"
              "           05 D PIC 9(2)Q.\n"
              "           ^\n");
    EXPECT_EQ(testing::layoutOf(*result.model), "R@0+7 A@0+3 B@3+0 C@3+1 D@4+2 E@6+1");
}

TEST(DataEntries, ConditionNamesAreKeptAndReservedWordsServeAsNames) {
    const auto result =
        testing::readOne("t.cpy", fixed({"01 R.", "05 TYPE PIC X.", "88 IS-A VALUE 'A' 'B'.",
                                         "88 IS-N VALUES 1 THRU 9.",
                                         "05 FILLER PIC X(2) VALUE SPACES.", "05 PIC X."}));
    ASSERT_FALSE(result.diagnostics.hasErrors()) << result.diagnostics.format();
    const DataItem& type = *result.model->items[0]->children[0];
    ASSERT_EQ(type.rare().conditions.size(), 2u);
    EXPECT_EQ(type.rare().conditions[0].values[0], "'A' 'B'");
    EXPECT_EQ(type.rare().conditions[1].values[0], "1 THRU 9");
    EXPECT_EQ(testing::layoutOf(*result.model), "R@0+4 TYPE@0+1 FILLER@1+2 FILLER@3+1");
}

// Lengths and counts that no compiler takes are errors naming the item, never wrapped or
// guessed lengths.
TEST(StorageLayout, OversizedPicturesOccursAndRecordsAreRefused) {
    const auto errors = [](const std::vector<std::string>& lines) {
        const auto result = testing::readOne("t.cpy", fixed(lines));
        std::string out;
        for (const auto& d : result.diagnostics.all())
            out += std::to_string(d.line) + ": " + d.message + "\n";
        return out;
    };
    EXPECT_EQ(errors({"01 R.", "05 A PIC X(999999999)X(999999999)X(999999999)."}),
              "2: the picture of A has more than 999999999 positions\n");
    EXPECT_EQ(errors({"01 R.", "05 A PIC X OCCURS 99999999999.", "05 B PIC X."}),
              "2: OCCURS 99999999999 is more than the 999999999 occurrences that a COBOL "
              "compiler takes\n");
    EXPECT_EQ(errors({"01 R.", "05 A PIC X OCCURS 0."}),
              "2: OCCURS 0: a table needs at least one occurrence (OCCURS 0 TO n DEPENDING ON "
              "for a table that may be empty)\n");
    EXPECT_EQ(errors({"01 R.", "05 N PIC 9.", "05 A PIC X OCCURS 5 TO 2 DEPENDING ON N."}),
              "3: OCCURS 5 TO 2: the maximum must be at least 1 and the minimum\n");
    EXPECT_EQ(errors({"01 R.", "05 N PIC 9.", "05 A PIC X OCCURS 0 TO 2 DEPENDING ON N."}), "");
    EXPECT_EQ(errors({"01 R.", "05 T OCCURS 40000.", "10 U OCCURS 40000.", "15 V PIC X(9)."}),
              "2: T makes its record longer than 999999999 bytes\n");
}

// An entry begins only after the previous one ended with its period: a VALUE list continued
// on a line that begins with a small number is still the list.
TEST(StorageLayout, AValueListContinuedOnANewLineStaysOneEntry) {
    const auto result = testing::readOne(
        "t.cpy", fixed({"01 R.", "05 N PIC 99.", "88 EVEN VALUES 2, 4, 6,", "   8, 10, 12.",
                        "05 M PIC X VALUE ALL 'A'.", "05 K PIC 9."}));
    ASSERT_FALSE(result.diagnostics.hasErrors()) << result.diagnostics.format();
    EXPECT_EQ(testing::layoutOf(*result.model), "R@0+4 N@0+2 M@2+1 K@3+1")
        << "8, 10, 12 are values, not an entry of level 08";
}

// GnuCOBOL's fixed-size usages, with the lengths cobc gives them.
TEST(StorageLayout, GnuCobolFixedSizeUsages) {
    EXPECT_EQ(
        layout({"01 G.", "05 B1 BINARY-CHAR.", "05 B2 BINARY-CHAR UNSIGNED.",
                "05 B3 BINARY-SHORT SIGNED.", "05 B4 BINARY-LONG UNSIGNED.", "05 B5 BINARY-DOUBLE.",
                "05 B6 BINARY-C-LONG.", "05 F1 FLOAT-SHORT.", "05 F2 FLOAT-LONG.",
                "05 F3 FLOAT-DECIMAL-16.", "05 F4 FLOAT-DECIMAL-34.", "05 X1 PIC X(3)."}),
        "G@0+63 B1@0+1 B2@1+1 B3@2+2 B4@4+4 B5@8+8 B6@16+8 F1@24+4 F2@28+8 F3@36+8 "
        "F4@44+16 X1@60+3");
}

} // namespace
} // namespace vorq::cobol
