#include "support/CobolText.h"

#include <gtest/gtest.h>

namespace vorq::cobol {
namespace {

using testing::fixed;

std::string uses(const Program& p) {
    std::string out;
    for (const auto& u : p.uses)
        out += (out.empty() ? "" : ", ") + std::string(verbName(u.verb)) + " " + u.file +
               (u.record.empty() ? "" : " " + u.record) + (u.other.empty() ? "" : " / " + u.other);
    return out;
}

TEST(Programs, FilesRecordsAndFileStatementsOfSeveralPrograms) {
    const auto result =
        testing::readOne("two.cbl", fixed({"PROCESS SQL,NODYNAM",
                                           "IDENTIFICATION DIVISION.",
                                           "PROGRAM-ID. FIRST-PGM.",
                                           "AUTHOR. Someone. Anything at all.",
                                           "ENVIRONMENT DIVISION.",
                                           "INPUT-OUTPUT SECTION.",
                                           "FILE-CONTROL.",
                                           "    SELECT OPTIONAL IN-FILE ASSIGN TO INDD",
                                           "        ORGANIZATION SEQUENTIAL.",
                                           "    SELECT OUT-FILE ASSIGN 'out.dat'.",
                                           "DATA DIVISION.",
                                           "FILE SECTION.",
                                           "FD IN-FILE RECORDING MODE F.",
                                           "01 IN-REC PIC X(80).",
                                           "FD OUT-FILE.",
                                           "01 OUT-REC.",
                                           "   05 OUT-KEY PIC 9(5).",
                                           "WORKING-STORAGE SECTION.",
                                           "01 WS-REC PIC X(80).",
                                           "LINKAGE SECTION.",
                                           "01 LK-AREA PIC X(10).",
                                           "PROCEDURE DIVISION USING LK-AREA.",
                                           "    READ IN-FILE NEXT RECORD INTO WS-REC",
                                           "        AT END CONTINUE END-READ",
                                           "    WRITE OUT-REC FROM WS-REC",
                                           "    REWRITE OUT-REC",
                                           "    EXEC SQL DELETE FROM T END-EXEC",
                                           "    DELETE IN-FILE RECORD",
                                           "    GOBACK.",
                                           "IDENTIFICATION DIVISION.",
                                           "PROGRAM-ID. SECOND-PGM.",
                                           "PROCEDURE DIVISION.",
                                           "    STOP RUN."}));
    ASSERT_FALSE(result.diagnostics.hasErrors()) << result.diagnostics.format();
    const SourceModel& m = *result.model;
    EXPECT_EQ(m.kind, SourceModel::Kind::Program);
    ASSERT_EQ(m.programs.size(), 2u);
    const Program& first = *m.programs[0];
    EXPECT_EQ(first.name, "FIRST-PGM");
    EXPECT_EQ(m.programs[1]->name, "SECOND-PGM");
    ASSERT_EQ(first.files.size(), 2u);
    EXPECT_EQ(first.files[0].assignTo, "INDD");
    EXPECT_EQ(first.files[1].assignTo, "out.dat");
    ASSERT_EQ(first.records.size(), 4u);
    EXPECT_EQ(first.records[1].file, "OUT-FILE");
    EXPECT_EQ(first.records[3].section, Section::Linkage);
    EXPECT_EQ(uses(first), "READ IN-FILE / WS-REC, WRITE OUT-FILE OUT-REC / WS-REC, "
                           "REWRITE OUT-FILE OUT-REC, DELETE IN-FILE");
}

TEST(Programs, NestedProgramsFollowEndProgram) {
    const auto result = testing::readOne(
        "nest.cbl",
        fixed({"ID DIVISION.", "PROGRAM-ID. OUTER.", "PROCEDURE DIVISION.", "    CALL 'INNER'.",
               "ID DIVISION.", "PROGRAM-ID. INNER IS COMMON.", "DATA DIVISION.",
               "WORKING-STORAGE SECTION.", "01 X PIC X.", "PROCEDURE DIVISION.",
               "    EXIT PROGRAM.", "END PROGRAM INNER.", "END PROGRAM OUTER."}));
    ASSERT_FALSE(result.diagnostics.hasErrors()) << result.diagnostics.format();
    ASSERT_EQ(result.model->programs.size(), 1u);
    ASSERT_EQ(result.model->programs[0]->nested.size(), 1u);
    EXPECT_EQ(result.model->programs[0]->nested[0]->name, "INNER");
    EXPECT_EQ(result.model->programs[0]->nested[0]->records.size(), 1u);
}

// What GnuCOBOL accepts: no IDENTIFICATION DIVISION header, constants of level 78 and
// CONSTANT, literals joined with &, programs in lower case with END PROGRAM.
TEST(Programs, GnuCobolFormsReadWithTheirLayout) {
    const auto result = testing::readOne(
        "gnu.cbl",
        fixed({"program-id. consts.", "data division.", "working-storage section.",
               "78  max-items   value 10.", "01  limit-x     constant as 20.", "01  rec.",
               "    05  a       pic x(4).", "    05  cat     pic x(6) value \"AB\" & \"CD\".",
               "    05  hexv    pic x(2) value x\"4142\".", "procedure division.", "    stop run.",
               "end program consts."}));
    ASSERT_FALSE(result.diagnostics.hasErrors()) << result.diagnostics.format();
    ASSERT_EQ(result.model->programs.size(), 1u);
    const Program& p = *result.model->programs[0];
    EXPECT_EQ(p.name, "CONSTS");
    ASSERT_EQ(p.records.size(), 1u) << "constants take no storage";
    const DataItem& rec = *p.records[0].item;
    EXPECT_EQ(rec.length, 12);
    ASSERT_EQ(rec.children.size(), 3u);
    EXPECT_EQ(rec.children[1]->offset, 4);
    EXPECT_EQ(rec.children[1]->rare().value, "'ABCD'");
    EXPECT_EQ(rec.children[2]->offset, 10);
}

TEST(Programs, AWriteOfAnUnknownRecordIsAWarningNotAUse) {
    const auto result = testing::readOne(
        "w.cbl", fixed({"IDENTIFICATION DIVISION.", "PROGRAM-ID. W.", "DATA DIVISION.",
                        "WORKING-STORAGE SECTION.", "01 LINE-OUT PIC X.", "PROCEDURE DIVISION.",
                        "    WRITE LINE-OUT.", "    READ NO-SUCH-FILE."}));
    EXPECT_FALSE(result.diagnostics.hasErrors());
    EXPECT_EQ(result.diagnostics.all().size(), 2u);
    EXPECT_EQ(uses(*result.model->programs[0]), "");
}

// A user-defined function reads as a program; whole-number constants give later counts.
TEST(Programs, FunctionsAndTheClausesOfOtherCompilersRead) {
    const auto result = testing::readOne(
        "f.cbl",
        fixed({"IDENTIFICATION DIVISION.", "FUNCTION-ID. TWICE AS \"twice\".", "DATA DIVISION.",
               "WORKING-STORAGE SECTION.", "78 MAX-SUB VALUE 3.", "01 N CONSTANT AS 4.", "01 T.",
               "05 E PIC X(2) OCCURS MAX-SUB.", "05 P PIC 9(N).",
               "01 X PIC X(5) EXTERNAL AS \"EXT-X\".", "01 S PIC 9(4) IS SPECIAL-NAMES CRT STATUS.",
               "01 F PIC 9.", "88 EOF VALUE 1 FALSE 0.", "01 D USAGE DOUBLE.",
               "PROCEDURE DIVISION.", "END FUNCTION TWICE."}));
    ASSERT_FALSE(result.diagnostics.hasErrors()) << result.diagnostics.format();
    const auto& program = *result.model->programs[0];
    EXPECT_EQ(program.name, "TWICE");
    std::string layout;
    for (const auto& record : program.records)
        layout += record.item->name + "+" + std::to_string(record.item->length) + " ";
    EXPECT_EQ(layout, "T+10 X+5 S+4 F+1 D+8 ");
    EXPECT_EQ(program.records[0].item->children[0]->occurs, 3);
}

// Forms that GnuCOBOL's own test suite compiles: comment paragraphs anywhere with quotes in
// them, a program's currency symbol in pictures (inherited by a nested program), redundant
// periods, VALUE ALL, GLOBAL constants, RENAMES of a record and of a RENAMES, leading zeros
// in a count, and an END PROGRAM literal matched without its blanks.
TEST(Programs, FormsOfTheCompilersOwnTestsRead) {
    const auto result = testing::readOne("forms.cbl", fixed({"ID DIVISION.",
                                                             "AUTHOR. Joe's \"first\" program.",
                                                             "   it goes on 'here.",
                                                             "PROGRAM-ID. \"OUTER \".",
                                                             "DATE-WRITTEN. today's.",
                                                             "ENVIRONMENT DIVISION.",
                                                             "CONFIGURATION SECTION.",
                                                             "SPECIAL-NAMES.",
                                                             "    CURRENCY SIGN IS 'Y'",
                                                             "    DECIMAL-POINT IS COMMA.",
                                                             "DATA DIVISION.",
                                                             "WORKING-STORAGE SECTION.",
                                                             "78 K GLOBAL VALUE 'K'.",
                                                             "01 C2 CONSTANT GLOBAL 'C2'.",
                                                             "01 A PIC X.",
                                                             ".",
                                                             "66 RA RENAMES A.",
                                                             "66 RA2 RENAMES RA.",
                                                             "01 T.",
                                                             "   05 ROW OCCURS 3 VALUE ALL 'AB'.",
                                                             "      10 CELL PIC XX.",
                                                             "01 BIG PIC X(00000100000).",
                                                             "PROCEDURE DIVISION.",
                                                             "PROGRAM-ID. INNER.",
                                                             "DATA DIVISION.",
                                                             "WORKING-STORAGE SECTION.",
                                                             "77 AMOUNT PIC 9.999,99Y.",
                                                             "PROCEDURE DIVISION.",
                                                             "END PROGRAM INNER.",
                                                             "END PROGRAM \" OUTER\"."}));
    ASSERT_FALSE(result.diagnostics.hasErrors()) << result.diagnostics.format();
    const Program& outer = *result.model->programs[0];
    std::string layout;
    for (const auto& record : outer.records)
        layout += record.item->name + "+" + std::to_string(record.item->length) + " ";
    EXPECT_EQ(layout, "A+1 T+6 BIG+100000 ");
    const DataItem& a = *outer.records[0].item;
    ASSERT_EQ(a.children.size(), 2u);
    EXPECT_EQ(a.children[1]->length, 1) << "RA2 renames RA, which renames A";
    ASSERT_EQ(outer.nested.size(), 1u);
    const DataItem& amount = *outer.nested[0]->records[0].item;
    EXPECT_EQ(amount.picture, "9.999,99$") << "the program's currency symbol, stored as $";
    EXPECT_EQ(amount.length, 9);
}

TEST(Programs, FeaturesWithoutAByteLayoutAreRefusedByName) {
    for (const auto& [entry, said] :
         {std::pair<std::string, std::string>{"05 R PIC X OCCURS 0 TO UNBOUNDED DEPENDING ON N.",
                                              "OCCURS UNBOUNDED is not supported"},
          {"05 R USAGE BIT PIC 1.", "USAGE BIT is not supported"}}) {
        const auto result =
            testing::readOne("u.cbl", fixed({"PROGRAM-ID. U.", "DATA DIVISION.", "LINKAGE SECTION.",
                                             "01 N PIC 9.", "01 G.", entry}));
        EXPECT_NE(result.diagnostics.format().find(said), std::string::npos)
            << result.diagnostics.format();
    }
}

TEST(Programs, AHeaderOutOfPlaceInTheDataDivisionIsAnErrorAndReadingGoesOn) {
    const auto result = testing::readOne(
        "h.cbl", fixed({"IDENTIFICATION DIVISION.", "PROGRAM-ID. H.", "DATA DIVISION.",
                        "WORKING-STORAGE SECTION.", "01 A PIC X.", "ENVIRONMENT DIVISION.",
                        "DATA DIVISION.", "01 B PIC X(2).", "PROCEDURE DIVISION."}));
    ASSERT_EQ(result.diagnostics.errorCount(), 2);
    EXPECT_EQ(result.diagnostics.all()[0].line, 6);
    EXPECT_NE(result.diagnostics.all()[0].message.find("out of place"), std::string::npos);
    ASSERT_EQ(result.model->programs[0]->records.size(), 2u);
    EXPECT_EQ(result.model->programs[0]->records[1].item->length, 2);
}

} // namespace
} // namespace vorq::cobol
