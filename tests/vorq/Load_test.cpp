// vorq load as a user runs it: a copybook verified and imported, a data file written by a
// COBOL program (GnuCOBOL is the oracle for the PC side) or built from known values by the
// EBCDIC rules, loaded, and every row of every table compared.

#include "support/LoadFolder.h"
#include "support/TestEngines.h"

#include <algorithm>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>

namespace vorq {
namespace {

using testing::ebcdic;
using testing::LoadFolder;

// Every field kind that PC compilers write, a spread OCCURS and a variable one in a child
// table.
constexpr const char* kMixed = R"(       01 MIXED-REC.
          05 REC-ID        PIC 9(4).
          05 NAME          PIC X(10).
          05 ZONED-S       PIC S9(5)V99.
          05 ZONED-LEAD    PIC S9(3) SIGN LEADING.
          05 ZONED-SEP     PIC S9(3) SIGN TRAILING SEPARATE.
          05 PACKED        PIC S9(7)V99 COMP-3.
          05 PACKED-U      PIC 9(4) COMP-3.
          05 BIN-S         PIC S9(4) COMP.
          05 BIN-L         PIC S9(9) BINARY.
          05 BIN-5         PIC S9(4) COMP-5.
          05 BIN-LONG      BINARY-LONG.
          05 FLT           COMP-2.
          05 SCALED        PIC 9(3)PP.
          05 AMOUNTS OCCURS 3.
             10 AMT        PIC S9(3)V9 COMP-3.
          05 N-LINES       PIC 9.
          05 LINE-T OCCURS 0 TO 4 DEPENDING ON N-LINES.
             10 LINE-NO    PIC 99.
             10 LINE-TXT   PIC X(5).
)";

// Writes three records into mixed.dat, moving known values into every field.
constexpr const char* kWriter = R"(       IDENTIFICATION DIVISION.
       PROGRAM-ID. WRITER.
       ENVIRONMENT DIVISION.
       INPUT-OUTPUT SECTION.
       FILE-CONTROL.
           SELECT F ASSIGN TO "mixed.dat" ORGANIZATION SEQUENTIAL.
       DATA DIVISION.
       FILE SECTION.
       FD F.
       COPY "MIXED.cpy".
       PROCEDURE DIVISION.
           OPEN OUTPUT F.
           MOVE 1 TO REC-ID. MOVE "ALICE" TO NAME.
           MOVE 12345.67 TO ZONED-S. MOVE -12 TO ZONED-LEAD.
           MOVE -345 TO ZONED-SEP. MOVE -1234567.89 TO PACKED.
           MOVE 9876 TO PACKED-U. MOVE -32 TO BIN-S.
           MOVE 123456789 TO BIN-L. MOVE -2 TO BIN-5.
           MOVE -100000 TO BIN-LONG. MOVE 1.5 TO FLT.
           MOVE 12300 TO SCALED.
           MOVE 1.5 TO AMT(1). MOVE -2.5 TO AMT(2). MOVE 0 TO AMT(3).
           MOVE 2 TO N-LINES.
           MOVE 1 TO LINE-NO(1). MOVE "FIRST" TO LINE-TXT(1).
           MOVE 2 TO LINE-NO(2). MOVE "TWO" TO LINE-TXT(2).
           WRITE MIXED-REC.
           INITIALIZE MIXED-REC.
           MOVE 2 TO REC-ID. MOVE "BOB" TO NAME. MOVE -0.01 TO ZONED-S.
           MOVE 0 TO N-LINES.
           WRITE MIXED-REC.
           MOVE 3 TO REC-ID. MOVE "CAROL" TO NAME. MOVE 4 TO N-LINES.
           MOVE 1 TO LINE-NO(1). MOVE 2 TO LINE-NO(2).
           MOVE 3 TO LINE-NO(3). MOVE 4 TO LINE-NO(4).
           MOVE SPACES TO LINE-TXT(1) LINE-TXT(2) LINE-TXT(3).
           MOVE "D" TO LINE-TXT(4).
           WRITE MIXED-REC.
           CLOSE F.
           STOP RUN.
)";

struct Load : ::testing::Test, LoadFolder {};

const std::vector<std::pair<std::string, std::string>> kChildTables = {
    {"ArrayFields", "True"}, {"Threshold", "3"}, {"AutoKey", "True"}, {"Patterns", "REC-ID"}};

TEST_F(Load, GnuCobolRecordsGiveTheValuesTheProgramMovedIntoEveryTable) {
    imported("MIXED", kMixed, kChildTables);
    runCobol(kWriter);
    // GnuCOBOL writes records of variable length after a word with the length of their data:
    // the load finds that from the words.
    const auto load = vorq({"load", "--table", "MIXED_REC", "--data", "mixed.dat", "--encoding",
                            "ascii", "--format", "rdw"});
    ASSERT_EQ(load.status, 0) << load.err;
    EXPECT_NE(load.out.find("its descriptor words hold big-endian lengths of the data alone"),
              std::string::npos)
        << load.out;
    EXPECT_NE(load.out.find("loaded 3 records"), std::string::npos) << load.out;
    EXPECT_NE(load.out.find("MIXED_REC_LINE_T: 6 rows"), std::string::npos) << load.out;
    EXPECT_EQ(rows("MIXED_REC"),
              (std::vector<std::string>{
                  "1|ALICE|12345.67|-12|-345|-1234567.89|9876|-32|123456789|-2|-100000|1.5|"
                  "12300|1.5|-2.5|0|2",
                  "2|BOB|-0.01|0|0|0|0|0|0|0|0|0.0|0|0|0|0|0",
                  "3|CAROL|-0.01|0|0|0|0|0|0|0|0|0.0|0|0|0|0|4"}));
    EXPECT_EQ(rows("MIXED_REC_LINE_T"),
              (std::vector<std::string>{"1|1|FIRST|1", "2|2|TWO|1", "1|1||3", "2|2||3", "3|3||3",
                                        "4|4|D|3"}));
}

// Two record types in one line-sequential file, told apart by their first byte.
constexpr const char* kJournal = R"(       01 HDR-REC.
          05 HDR-TYPE      PIC X.
          05 HDR-DATE      PIC 9(8).
          05 HDR-NOTE      PIC X(10).
       01 DTL-REC.
          05 DTL-TYPE      PIC X.
          05 DTL-QTY       PIC S9(4) SIGN LEADING SEPARATE.
          05 DTL-TEXT      PIC X(12).
)";

constexpr const char* kJournalWriter = R"(       IDENTIFICATION DIVISION.
       PROGRAM-ID. WRITER.
       ENVIRONMENT DIVISION.
       INPUT-OUTPUT SECTION.
       FILE-CONTROL.
           SELECT F ASSIGN TO "journal.txt"
               ORGANIZATION LINE SEQUENTIAL.
       DATA DIVISION.
       FILE SECTION.
       FD F.
       COPY "JOURNAL.cpy".
       PROCEDURE DIVISION.
           OPEN OUTPUT F.
           MOVE "H" TO HDR-TYPE. MOVE 20261206 TO HDR-DATE.
           MOVE "HELLO" TO HDR-NOTE. WRITE HDR-REC.
           MOVE "D" TO DTL-TYPE. MOVE -12 TO DTL-QTY.
           MOVE "WIDGET" TO DTL-TEXT. WRITE DTL-REC.
           MOVE "D" TO DTL-TYPE. MOVE 3 TO DTL-QTY.
           MOVE SPACES TO DTL-TEXT. WRITE DTL-REC.
           CLOSE F.
           STOP RUN.
)";

// A table wider than a dialect takes is still written, with a warning that says what splits it.
TEST_F(Load, DdlWarnsOfATableWiderThanTheDialectTakes) {
    imported("WIDE", "       01 WIDE-REC.\n          05 F OCCURS 800 PIC X.\n", {});
    const auto db2 = vorq({"ddl", "--dialect", "db2"});
    ASSERT_EQ(db2.status, 0) << db2.err;
    EXPECT_NE(db2.err.find("warning: the table WIDE_REC has 800 columns, more than the 750 that "
                           "db2 takes; import it again with a lower Threshold"),
              std::string::npos)
        << db2.err;
    EXPECT_NE(db2.out.find("CREATE TABLE WIDE_REC"), std::string::npos);
    EXPECT_EQ(vorq({"ddl", "--dialect", "postgresql"}).err.find("warning"), std::string::npos);
}

TEST_F(Load, LineSequentialRecordsOfTwoTypesGoToTheirTables) {
    imported("JOURNAL", kJournal, {});
    runCobol(kJournalWriter);
    const auto headers = vorq({"load", "--table", "HDR_REC", "--data", "journal.txt", "--format",
                               "text", "--encoding", "ascii", "--when", "hdr-type=H"});
    ASSERT_EQ(headers.status, 0) << headers.err;
    EXPECT_NE(headers.out.find("2 records of another type (--when) skipped"), std::string::npos)
        << headers.out;
    const auto details = vorq({"load", "--table", "DTL_REC", "--data", "journal.txt", "--format",
                               "text", "--encoding", "ascii", "--when", "DTL-TYPE=D"});
    ASSERT_EQ(details.status, 0) << details.err;
    EXPECT_EQ(rows("HDR_REC"), (std::vector<std::string>{"H|20261206|HELLO"}));
    EXPECT_EQ(rows("DTL_REC"), (std::vector<std::string>{"D|-12|WIDGET", "D|3|"}))
        << "the blanks that the file left out are put back";
}

TEST_F(Load, RecordsOfSeveralTypesGoToTheirTablesInOnePass) {
    imported("JOURNAL", kJournal, {});
    runCobol(kJournalWriter);
    write("journal.txt", file("journal.txt") + "X unknown record\n");
    const auto load =
        vorq({"load", "--data", "journal.txt", "--format", "text", "--encoding", "ascii", "--type",
              "hdr_rec:hdr-type=H", "--type", "DTL_REC:DTL-TYPE=D", "--rejects", "rejects.tsv"});
    ASSERT_EQ(load.status, 0) << load.err;
    EXPECT_NE(load.out.find("loaded 4 records"), std::string::npos) << load.out;
    EXPECT_NE(load.out.find("1 records of none of the types given (--type) were not loaded"),
              std::string::npos)
        << load.out;
    EXPECT_EQ(rows("HDR_REC"), (std::vector<std::string>{"H|20261206|HELLO"}));
    EXPECT_EQ(rows("DTL_REC"), (std::vector<std::string>{"D|-12|WIDGET", "D|3|"}));
    EXPECT_NE(file("rejects.tsv").find("4\t35\t\t"), std::string::npos) << file("rejects.tsv");
    EXPECT_NE(file("rejects.tsv").find("a record of none of the types given"), std::string::npos);

    const auto both = vorq(
        {"load", "--data", "journal.txt", "--table", "HDR_REC", "--type", "DTL_REC:DTL-TYPE=D"});
    EXPECT_EQ(both.status, 2);
    EXPECT_NE(both.err.find("give either --table NAME or --type TABLE:FIELD=VALUE"),
              std::string::npos)
        << both.err;
}

// A record whose first field gives its length, its text as long as it needs.
constexpr const char* kVariableLength = R"(       01 VL-REC.
          05 VL-LEN        PIC 9(2).
          05 VL-ID         PIC 9(2).
          05 VL-TEXT       PIC X(6).
)";

TEST_F(Load, RecordsWithoutDescriptorWordsAreAsLongAsAFieldOrTheirTypeSays) {
    imported("VL", kVariableLength, {});
    write("vl.dat", "1001abcdef0802abcd1003xyz   ");
    const auto field = vorq({"load", "--table", "VL_REC", "--data", "vl.dat", "--format",
                             "measured", "--length-field", "vl-len", "--encoding", "ascii"});
    ASSERT_EQ(field.status, 0) << field.err;
    EXPECT_EQ(rows("VL_REC"), (std::vector<std::string>{"10|1|abcdef", "8|2|NULL", "10|3|xyz"}))
        << "a record shorter than its text field leaves it NULL, as a short RDW record does";
    write("vl2.dat", "0601abcd0202");
    const auto adjusted = vorq({"load", "--table", "VL_REC", "--data", "vl2.dat", "--format",
                                "measured", "--length-field", "VL-LEN", "--length-adjust", "2",
                                "--encoding", "ascii", "--append"});
    ASSERT_EQ(adjusted.status, 0) << adjusted.err;
    EXPECT_EQ(rows("VL_REC").size(), 5u);
    write("bad.dat", "1001abcdef99");
    const auto bad = vorq({"load", "--table", "VL_REC", "--data", "bad.dat", "--format", "measured",
                           "--length-field", "VL-LEN", "--encoding", "ascii", "--append"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("is damaged at record 2 (byte offset 10): the record of 99 bytes runs "
                           "past the end of the file"),
              std::string::npos)
        << bad.err;

    // Records of two types back to back, each its own length.
    imported("JOURNAL", kJournal, {});
    write("journal.dat", "H20261206HELLO     D-0012WIDGET      D+0003BOLT        ");
    const auto typed =
        vorq({"load", "--data", "journal.dat", "--format", "measured", "--encoding", "ascii",
              "--type", "HDR_REC:HDR-TYPE=H", "--type", "DTL_REC:DTL-TYPE=D"});
    ASSERT_EQ(typed.status, 0) << typed.err;
    EXPECT_EQ(rows("HDR_REC"), (std::vector<std::string>{"H|20261206|HELLO"}));
    EXPECT_EQ(rows("DTL_REC"), (std::vector<std::string>{"D|-12|WIDGET", "D|3|BOLT"}));
}

TEST_F(Load, EveryNameThatAUserTypesMatchesInAnyCase) {
    write("JOURNAL.cpy", kJournal);
    ASSERT_EQ(vorq({"verify", "JOURNAL.cpy"}).status, 0);
    const auto import = vorq({"import", "--batch", "--source", "journal", "--check", "hdr-rec"});
    ASSERT_EQ(import.status, 0) << import.err;
    ASSERT_EQ(vorq({"import", "--batch", "--source", "JOURNAL", "--check", "DTL-REC"}).status, 0);
    const auto addTo = vorq({"import", "--batch", "--source", "Journal", "--check",
                             "dtl-rec/dtl-text", "--add-to", "hdr_rec"});
    ASSERT_EQ(addTo.status, 0) << addTo.err;
    EXPECT_EQ(vorq({"layout", "journal"}).status, 0);
    write("journal.txt", "H20261206HELLO\nD-0012WIDGET\n");
    const auto load = vorq({"load", "--table", "hdr_rec", "--data", "journal.txt", "--format",
                            "text", "--encoding", "ascii", "--when", "hdr-type=H"});
    ASSERT_EQ(load.status, 0) << load.err;
    const auto typed =
        vorq({"load", "--data", "journal.txt", "--format", "text", "--encoding", "ascii", "--type",
              "Hdr_Rec:Hdr-Type=H", "--type", "dtl_rec:dtl-type=D", "--replace"});
    ASSERT_EQ(typed.status, 0) << typed.err;
    EXPECT_EQ(rows("HDR_REC").size(), 1u);
}

// A company record followed by its contacts' records, as hierarchical files hold them.
constexpr const char* kCompanies = R"(       01 COMPANY-REC.
          05 CO-TYPE       PIC X.
          05 CO-ID         PIC 9(4).
          05 CO-NAME       PIC X(10).
       01 CONTACT-REC.
          05 CT-TYPE       PIC X.
          05 CT-NAME       PIC X(10).
          05 CT-PHONE      PIC X(4).
)";

TEST_F(Load, ChildSegmentsTakeTheKeyOfTheParentRecordBeforeThem) {
    imported("COMPANIES", kCompanies, {{"AutoKey", "True"}, {"Patterns", "CO-ID"}});
    // The parent's key becomes a column of the child's table: that declares the parent.
    ASSERT_EQ(vorq({"import", "--batch", "--source", "COMPANIES", "--check", "CO-ID", "--add-to",
                    "CONTACT_REC"})
                  .status,
              0);
    write("companies.txt", "PORPHAN    0000\nC0001ACME\nPALICE     1234\nPBOB       5678\n"
                           "C0002GLOBEX\nPCAROL     9999\n");
    const auto load =
        vorq({"load", "--data", "companies.txt", "--format", "text", "--encoding", "ascii",
              "--type", "COMPANY_REC:CO-TYPE=C", "--type", "CONTACT_REC:CT-TYPE=P"});
    ASSERT_EQ(load.status, 0) << load.err;
    EXPECT_EQ(load.out.find("NULL in"), std::string::npos) << load.out;
    EXPECT_EQ(rows("COMPANY_REC"), (std::vector<std::string>{"C|1|ACME", "C|2|GLOBEX"}));
    EXPECT_EQ(rows("CONTACT_REC"), (std::vector<std::string>{"P|ORPHAN|0000|NULL", "P|ALICE|1234|1",
                                                             "P|BOB|5678|1", "P|CAROL|9999|2"}))
        << "a contact before any company has no company";

    const auto alone =
        vorq({"load", "--data", "companies.txt", "--format", "text", "--encoding", "ascii",
              "--table", "CONTACT_REC", "--when", "CT-TYPE=P", "--replace"});
    ASSERT_EQ(alone.status, 0) << alone.err;
    EXPECT_NE(alone.out.find("NULL in CONTACT_REC.CO_ID: no source: it comes from another source "
                             "or record than the table (a record type that the load is given "
                             "too fills it)"),
              std::string::npos)
        << alone.out;
}

// OCCURS in OCCURS: the outer two spread over numbered columns, the inner child table made
// once for each outer occurrence.
constexpr const char* kNested = R"(       01 GRID.
          05 GRID-ID       PIC 99.
          05 ROW-T OCCURS 2.
             10 LABEL-T    PIC X.
             10 PAIR OCCURS 2.
                15 P       PIC 9.
             10 CELL OCCURS 4.
                15 V       PIC 9.
)";

TEST_F(Load, NestedOccurrencesFindTheirBytes) {
    imported("NESTED", kNested,
             {{"ArrayFields", "True"},
              {"Threshold", "3"},
              {"AutoKey", "True"},
              {"Patterns", "GRID-ID"}});
    write("grid.txt", "07a121234b345678\n08c000000d999999\n");
    const auto load = vorq({"load", "--table", "GRID", "--data", "grid.txt", "--format", "text",
                            "--encoding", "utf-8"});
    ASSERT_EQ(load.status, 0) << load.err;
    EXPECT_EQ(rows("GRID"), (std::vector<std::string>{"7|a|1|2|b|3|4", "8|c|0|0|d|9|9"}));
    EXPECT_EQ(rows("GRID_CELL1"), (std::vector<std::string>{"1|1|7", "2|2|7", "3|3|7", "4|4|7",
                                                            "1|0|8", "2|0|8", "3|0|8", "4|0|8"}));
    EXPECT_EQ(rows("GRID_CELL2")[3], "4|8|7");
}

// A mainframe record: a name, a packed amount and three zoned quantities (a child table).
constexpr const char* kStock = R"(       01 STOCK-REC.
          05 ITEM-NAME     PIC X(6).
          05 PRICE         PIC S9(3)V99 COMP-3.
          05 QTY OCCURS 3  PIC S9(2).
)";

std::string stockRecord(const std::string& name, const std::string& packedPrice,
                        const std::string& quantities) {
    return ebcdic(name + std::string(6 - name.size(), ' ')) + packedPrice + quantities;
}

TEST_F(Load, EbcdicFixedRecordsNumberTheSurrogateKeyAcrossLoads) {
    imported("STOCK", kStock, {{"ArrayFields", "True"}, {"Threshold", "2"}, {"AutoKey", "True"}});
    write("stock.dat",
          stockRecord("BOLT", std::string("\x01\x23\x4C", 3), "\xF0\xF1\xF0\xF2\xF3\xD0") +
              stockRecord("NUT", std::string("\x00\x05\x0D", 3), "\xF9\xF9\xF0\xF0\xF0\xC1"));
    ASSERT_EQ(vorq({"load", "--table", "stock_rec", "--data", "stock.dat"}).status, 0);
    const auto again = vorq({"load", "--table", "STOCK_REC", "--data", "stock.dat"});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("The table STOCK_REC in vorq-workspace/data.db already holds 2 rows"),
              std::string::npos)
        << again.err;
    ASSERT_EQ(vorq({"load", "--table", "STOCK_REC", "--data", "stock.dat", "--append"}).status, 0);
    EXPECT_EQ(rows("STOCK_REC"), (std::vector<std::string>{"BOLT|12.34|1", "NUT|-0.5|2",
                                                           "BOLT|12.34|3", "NUT|-0.5|4"}))
        << "a second load continues the key after the largest";
    EXPECT_EQ(rows("STOCK_REC_QTY").size(), 12u);
    EXPECT_EQ(rows("STOCK_REC_QTY")[2], "3|-30|1");
    EXPECT_EQ(rows("STOCK_REC_QTY")[5], "3|1|2");
}

TEST_F(Load, BadFieldsAreListedAndLeftNullOrTheirRecordsLeftOut) {
    imported("STOCK", kStock, {{"ArrayFields", "True"}, {"Threshold", "2"}, {"AutoKey", "True"}});
    const std::string good =
        stockRecord("BOLT", std::string("\x01\x23\x4C", 3), "\xF0\xF1\xF0\xF2\xF0\xF3");
    const std::string badPacked =
        stockRecord("NUT", std::string("\x00\x05\x07", 3), "\xF0\xF1\xF0\xF2\xF0\xF3");
    const std::string blankQty =
        stockRecord("PIN", std::string("\x00\x00\x5C", 3), "\xF0\xF1\x40\x40\xF0\xF3");
    write("stock.dat", good + badPacked + blankQty);

    const auto nulls =
        vorq({"load", "--table", "STOCK_REC", "--data", "stock.dat", "--rejects", "rejects.tsv"});
    ASSERT_EQ(nulls.status, 0) << nulls.err;
    EXPECT_NE(nulls.out.find("2 records with errors, 0 of them left out"), std::string::npos)
        << nulls.out;
    EXPECT_EQ(rows("STOCK_REC"),
              (std::vector<std::string>{"BOLT|12.34|1", "NUT|NULL|2", "PIN|0.05|3"}));
    EXPECT_EQ(rows("STOCK_REC_QTY")[7], "2|NULL|3");
    EXPECT_EQ(file("rejects.tsv"), "record\toffset\tcolumn\tbytes\treason\n"
                                   "2\t21\tPRICE\t000507\ta sign half-byte that is not C, D or F\n"
                                   "3\t41\tQTY\t4040\tblanks in a numeric field\n");

    std::filesystem::remove(dir / "vorq-workspace" / "data.db");
    const auto leftOut = vorq({"load", "--table", "STOCK_REC", "--data", "stock.dat",
                               "--reject-records", "--rejects", "rejects.tsv"});
    ASSERT_EQ(leftOut.status, 0) << leftOut.err;
    EXPECT_EQ(rows("STOCK_REC"), (std::vector<std::string>{"BOLT|12.34|1"}));
    EXPECT_EQ(rows("STOCK_REC_QTY").size(), 3u);
    EXPECT_NE(file("rejects.tsv").find("2\t15\t\t"), std::string::npos)
        << "the left-out record has its own line";

    const auto tooMany = vorq(
        {"load", "--table", "STOCK_REC", "--data", "stock.dat", "--max-errors", "1", "--append"});
    EXPECT_EQ(tooMany.status, 1);
    EXPECT_NE(tooMany.err.find("More than 1 records have errors (the last is record 3"),
              std::string::npos)
        << tooMany.err;
    EXPECT_NE(tooMany.err.find("undone (--rejects FILE lists the errors)"), std::string::npos)
        << tooMany.err;
    EXPECT_EQ(rows("STOCK_REC").size(), 1u) << "the failed load was undone";
}

TEST_F(Load, AShortRecordLoadsWhatItHolds) {
    imported("STOCK", kStock, {{"ArrayFields", "True"}, {"Threshold", "2"}, {"AutoKey", "True"}});
    const std::string whole =
        stockRecord("BOLT", std::string("\x01\x23\x4C", 3), "\xF0\xF1\xF0\xF2\xF0\xF3");
    write("short.vb", std::string("\x00\x13\x00\x00", 4) + whole +
                          std::string("\x00\x0F\x00\x00", 4) + whole.substr(0, 11));
    const auto load = vorq({"load", "--table", "STOCK_REC", "--data", "short.vb", "--format", "rdw",
                            "--rejects", "rejects.tsv"});
    ASSERT_EQ(load.status, 0) << load.err;
    EXPECT_EQ(rows("STOCK_REC"), (std::vector<std::string>{"BOLT|12.34|1", "BOLT|12.34|2"}));
    EXPECT_EQ(rows("STOCK_REC_QTY")[4], "2|NULL|2");
    EXPECT_EQ(file("rejects.tsv"), "record\toffset\tcolumn\tbytes\treason\n"
                                   "2\t34\tQTY\t\tthe record ends before the field\n"
                                   "2\t36\tQTY\t\tthe record ends before the field\n");
}

TEST_F(Load, DamagedFilesStopTheLoadBeforeAnythingStays) {
    imported("STOCK", kStock, {{"ArrayFields", "True"}, {"Threshold", "2"}, {"AutoKey", "True"}});
    write("short.dat", std::string(20, '\xF0'));
    const auto size = vorq({"load", "--table", "STOCK_REC", "--data", "short.dat"});
    EXPECT_EQ(size.status, 1);
    EXPECT_NE(
        size.err.find("holds 20 bytes of records, which is no whole number of 15-byte records"),
        std::string::npos)
        << size.err;
    EXPECT_NE(size.err.find("(--record-length, --format rdw or text, --header, --footer)"),
              std::string::npos)
        << "the command line names its own options: " << size.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "vorq-workspace" / "data.db"));

    const std::string record =
        stockRecord("BOLT", std::string("\x01\x23\x4C", 3), "\xF0\xF1\xF0\xF2\xF0\xF3");
    write("cut.vb", std::string("\x00\x13\x00\x00", 4) + record +
                        std::string("\x00\x13\x00\x00", 4) + record.substr(0, 5));
    const auto cut = vorq({"load", "--table", "STOCK_REC", "--data", "cut.vb", "--format", "rdw"});
    EXPECT_EQ(cut.status, 1);
    EXPECT_NE(cut.err.find("is damaged at record 2 (byte offset 19): the record of 15 bytes runs "
                           "past the end of the file"),
              std::string::npos)
        << cut.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "vorq-workspace" / "data.db"))
        << "a target that the load made goes again";

    const auto noTable = vorq({"load", "--table", "NOPE", "--data", "cut.vb"});
    EXPECT_EQ(noTable.status, 2);
    EXPECT_NE(noTable.err.find("The project has no table named NOPE; its tables: STOCK_REC"),
              std::string::npos)
        << noTable.err;
    const auto nearName = vorq({"load", "--table", "stock", "--data", "cut.vb"});
    EXPECT_NE(nearName.err.find("no table named stock; did you mean STOCK_REC or STOCK_REC_QTY?"),
              std::string::npos)
        << nearName.err;
    const auto noData = vorq({"load", "--table", "STOCK_REC"});
    EXPECT_EQ(noData.status, 2);
    EXPECT_NE(noData.err.find("--data is required"), std::string::npos) << noData.err;
    const auto badPage =
        vorq({"load", "--table", "STOCK_REC", "--data", "cut.vb", "--encoding", "klingon"});
    EXPECT_EQ(badPage.status, 2) << "a bad value is the command line's, as a bad --dialect";
    EXPECT_NE(badPage.err.find("'klingon' is no encoding that vorq knows"), std::string::npos);
}

// The same load into either engine: keys from the record's own field, repeated and missing.
struct LoadInto : testing::EngineTest {
    LoadFolder files;
    std::optional<testing::ScratchSchema> schema;

    void SetUp() override {
        EngineTest::SetUp();
        if (!IsSkipped() && GetParam() == testing::Engine::PostgreSQL)
            schema.emplace();
    }
    std::string target() const { return schema ? schema->conninfo() : "vorq-workspace/data.db"; }
    std::vector<std::string> rows(const std::string& table) {
        return schema ? rowsIn(schema->conninfo(), table) : files.rows(table);
    }
    static std::vector<std::string> rowsIn(const std::string& conninfo, const std::string& table) {
        postgres::Connection c(conninfo);
        const auto result = c.query("SELECT * FROM " + table + " ORDER BY ctid");
        std::vector<std::string> out;
        for (int r = 0; r < result.rows(); ++r) {
            std::string row;
            for (int i = 0; i < result.columns(); ++i) {
                std::string field(result.text(r, i));
                while (!field.empty() && field.back() == ' ') // CHAR(n) pads
                    field.pop_back();
                row += (i ? "|" : "") + (result.isNull(r, i) ? std::string("NULL") : field);
            }
            out.push_back(row);
        }
        return out;
    }
};
INSTANTIATE_TEST_SUITE_P(Engines, LoadInto, testing::allEngines(), testing::engineName);

constexpr const char* kParts = R"(       01 PART-REC.
          05 PART-ID       PIC 9(3).
          05 BIN OCCURS 2  PIC 9.
)";

TEST_P(LoadInto, RecordsWithARepeatedOrMissingKeyAreLeftOut) {
    files.imported("PARTS", kParts,
                   {{"ArrayFields", "True"},
                    {"Threshold", "1"},
                    {"AutoKey", "True"},
                    {"Patterns", "PART-ID"}});
    files.write("parts.txt", "00112\n00234\n00156\n   78\n");
    const std::vector<std::string> load{
        "load",       "--table", "PART_REC", "--data", "parts.txt", "--format",   "text",
        "--encoding", "ascii",   "--target", target(), "--rejects", "rejects.tsv"};
    const auto unasked = files.vorq(load);
    EXPECT_EQ(unasked.status, 1);
    EXPECT_NE(unasked.err.find("Record 3 of parts.txt cannot be stored (its key is taken"),
              std::string::npos)
        << unasked.err;
    EXPECT_TRUE(schema || !std::filesystem::exists(files.dir / "vorq-workspace/data.db"))
        << "nothing of the undone load stays";

    auto allowed = load;
    allowed.insert(allowed.end(), {"--max-errors", "2"});
    const auto loaded = files.vorq(allowed);
    ASSERT_EQ(loaded.status, 0) << loaded.err;
    EXPECT_NE(loaded.out.find("2 records with errors, 2 of them left out"), std::string::npos)
        << loaded.out;
    EXPECT_NE(loaded.out.find("left out, no value for the key column PART_ID: 1"),
              std::string::npos)
        << loaded.out;

    auto asJson = allowed;
    asJson.insert(asJson.end(), {"--replace", "--json"});
    const auto json = files.vorq(asJson);
    ASSERT_EQ(json.status, 0) << json.err;
    const auto summary = nlohmann::json::parse(json.out);
    EXPECT_EQ(summary["records"], 4);
    EXPECT_EQ(summary["leftOut"], 2);
    EXPECT_EQ(summary["leftOutBy"].size(), 2u);
    EXPECT_EQ(summary["replaced"], 6);
    EXPECT_EQ(summary["tables"][1]["name"], "PART_REC_BIN");
    EXPECT_EQ(summary["tables"][1]["rows"], 4);
    EXPECT_EQ(rows("PART_REC"), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(rows("PART_REC_BIN"), (std::vector<std::string>{"1|1|1", "2|2|1", "1|3|2", "2|4|2"}));
    const std::string rejects = files.file("rejects.tsv");
    EXPECT_NE(rejects.find("3\t12\t\t3030313536\trecord left out: "), std::string::npos) << rejects;
    EXPECT_NE(rejects.find("4\t18\tPART_ID\t202020\tblanks in a numeric field"), std::string::npos)
        << rejects;
}

// Both engines leave out the same records for the same reasons: a key that the table held
// before an append, one that came before in the file.
TEST_P(LoadInto, AnAppendLeavesOutTheKeysThatTheTableHeld) {
    files.imported("PARTS", kParts, {{"AutoKey", "True"}, {"Patterns", "PART-ID"}});
    files.write("first.txt", "00112\n00234\n");
    files.write("more.txt", "00256\n00378\n00390\n");
    const std::vector<std::string> load{
        "load",     "--table", "PART_REC",  "--format",    "text",         "--encoding", "ascii",
        "--target", target(),  "--rejects", "rejects.tsv", "--max-errors", "5"};
    auto first = load;
    first.insert(first.end(), {"--data", "first.txt"});
    ASSERT_EQ(files.vorq(first).status, 0);
    auto more = load;
    more.insert(more.end(), {"--data", "more.txt", "--append"});
    const auto appended = files.vorq(more);
    ASSERT_EQ(appended.status, 0) << appended.err;
    EXPECT_NE(appended.out.find("left out, its key is taken (PART_REC.PART_ID): 2"),
              std::string::npos)
        << appended.out;
    EXPECT_EQ(rows("PART_REC"), (std::vector<std::string>{"1|1|2", "2|3|4", "3|7|8"}));
    const std::string rejects = files.file("rejects.tsv");
    EXPECT_NE(rejects.find("1\t0\t\t3030323536\trecord left out: its key is taken "
                           "(PART_REC.PART_ID)"),
              std::string::npos)
        << rejects;
    EXPECT_NE(rejects.find("3\t12\t\t3030333930\trecord left out: its key is taken "
                           "(PART_REC.PART_ID)"),
              std::string::npos)
        << rejects;
}

// The rows of a table with the made-up key of each (its last column) replaced by its record's
// PART_ID, sorted: what any order of loads of the same records gives.
std::vector<std::string> keyedByPart(const std::vector<std::string>& parents,
                                     const std::vector<std::string>& rows) {
    std::map<std::string, std::string> partOfKey;
    for (const std::string& p : parents)
        partOfKey[p.substr(p.rfind('|') + 1)] = p.substr(0, p.find('|'));
    std::vector<std::string> out;
    for (const std::string& r : rows)
        out.push_back(r.substr(0, r.rfind('|') + 1) + partOfKey.at(r.substr(r.rfind('|') + 1)));
    std::sort(out.begin(), out.end());
    return out;
}

// Three loads of a part each, run at once, give the rows of one load of the whole file, with
// made-up keys that none of them repeats.
TEST_P(LoadInto, PartsLoadedAtOnceGiveTheRowsOfTheWholeFile) {
    files.imported("PARTS", kParts,
                   {{"ArrayFields", "True"}, {"Threshold", "1"}, {"AutoKey", "True"}});
    files.write("parts.dat", "00112002340035600478005900061200713008140091500016");
    const auto loadInto = [&](const std::string& target, const std::string& part) {
        std::vector<std::string> args{"load",       "--table", "PART_REC", "--data", "parts.dat",
                                      "--encoding", "ascii",   "--target", target};
        if (!part.empty())
            args.insert(args.end(), {"--part", part});
        return files.vorq(args);
    };
    std::vector<std::future<testing::ProgramResult>> parts;
    for (const char* part : {"1/3", "2/3", "3/3"})
        parts.push_back(std::async(std::launch::async, loadInto, target(), part));
    for (auto& part : parts) {
        const auto result = part.get();
        EXPECT_EQ(result.status, 0) << result.err;
    }
    const auto partRows = rows("PART_REC"), partBins = rows("PART_REC_BIN");

    std::optional<testing::ScratchSchema> other;
    if (schema)
        other.emplace();
    ASSERT_EQ(loadInto(other ? other->conninfo() : "vorq-workspace/whole.db", "").status, 0);
    const auto wholeRows =
        other ? rowsIn(other->conninfo(), "PART_REC") : files.rows("PART_REC", "whole.db");
    const auto wholeBins =
        other ? rowsIn(other->conninfo(), "PART_REC_BIN") : files.rows("PART_REC_BIN", "whole.db");

    ASSERT_EQ(partRows.size(), 10u);
    EXPECT_EQ(keyedByPart(partRows, partRows), keyedByPart(wholeRows, wholeRows));
    EXPECT_EQ(keyedByPart(partRows, partBins), keyedByPart(wholeRows, wholeBins));
    std::set<std::string> keys;
    for (const std::string& r : partRows)
        keys.insert(r.substr(r.rfind('|') + 1));
    EXPECT_EQ(keys.size(), 10u) << "made-up keys are unique";

    const auto tooMany = loadInto(target(), "11/11");
    EXPECT_EQ(tooMany.status, 1);
    EXPECT_NE(tooMany.err.find("holds no records: the file has fewer records than parts"),
              std::string::npos)
        << tooMany.err;
}

// Parts of one file add their rows side by side: a part that the server holds open keeps no
// other part waiting, the made-up keys stay unique, and a part that fails takes back only its
// own rows.
TEST(PartsSideBySide, OnPostgresqlNoPartWaitsForAnother) {
    ASSERT_FALSE(testing::testServer().empty())
        << "needs the PostgreSQL test server that scripts/test starts (scripts/pg-test-server "
           "run CMD)";
    LoadFolder files;
    const testing::ScratchSchema schema;
    files.imported("PARTS", kParts,
                   {{"ArrayFields", "True"}, {"Threshold", "1"}, {"AutoKey", "True"}});
    std::string big;
    for (int i = 0; i < 300'000; ++i)
        big += "00112";
    files.write("big.dat", big);
    files.write("small.dat", "00234003560047800590");
    files.write("bad.dat", "0061200713008x4009150001600112");
    const auto part = [&](const std::string& data, std::vector<std::string> more = {}) {
        std::vector<std::string> args{
            "load",       "--table", "PART_REC", "--data",         data, "--part", "1/2",
            "--encoding", "ascii",   "--target", schema.conninfo()};
        args.insert(args.end(), more.begin(), more.end());
        return files.vorq(args);
    };
    auto bigPart = std::async(std::launch::async, part, "big.dat", std::vector<std::string>{});
    postgres::Connection watch(schema.conninfo());
    while (watch.query("SELECT to_regclass('part_rec') IS NULL").text(0, 0) == "t")
        ASSERT_NE(bigPart.wait_for(std::chrono::milliseconds(20)), std::future_status::ready)
            << bigPart.get().err;

    const auto small = part("small.dat");
    EXPECT_EQ(small.status, 0) << small.err;
    const auto failed = part("bad.dat", {"--max-errors", "0"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("the load was undone"), std::string::npos) << failed.err;
    EXPECT_EQ(bigPart.wait_for(std::chrono::seconds(0)), std::future_status::timeout)
        << "the small parts ended while the big one was loading";
    const auto whole = bigPart.get();
    ASSERT_EQ(whole.status, 0) << whole.err;

    const auto counts = watch.query(
        "SELECT count(*), count(DISTINCT part_rec_key), (SELECT count(*) FROM part_rec_bin), "
        "count(*) FILTER (WHERE part_id <> 1) FROM part_rec");
    EXPECT_EQ(counts.text(0, 0), "150002");
    EXPECT_EQ(counts.text(0, 1), "150002") << "made-up keys are unique";
    EXPECT_EQ(counts.text(0, 2), "300004");
    EXPECT_EQ(counts.text(0, 3), "2") << "the failed part left none of its rows";
}

// Decimals of 15, 18, 19, 31 and 38 digits, packed as a mainframe writes them.
constexpr const char* kWide = R"(       01 WIDE-REC.
          05 W-ID          PIC 9(2).
          05 D15           PIC S9(13)V99 COMP-3.
          05 D18           PIC S9(16)V99 COMP-3.
          05 D19           PIC S9(19) COMP-3.
          05 D31           PIC S9(29)V99 COMP-3.
          05 D38           PIC S9(36)V99 COMP-3.
)";

// The packed bytes of a signed number of that many digits (an odd count fills the bytes).
std::string packed(const std::string& digits, std::size_t count, bool negative) {
    std::string nibbles = std::string((count | 1) - digits.size(), '0') + digits;
    nibbles.push_back(negative ? 'D' : 'C');
    std::string bytes;
    for (std::size_t i = 0; i < nibbles.size(); i += 2)
        bytes.push_back(static_cast<char>(std::stoi(nibbles.substr(i, 2), nullptr, 16)));
    return bytes;
}

TEST_P(LoadInto, DecimalsOfEveryWidthArriveDigitForDigit) {
    files.imported("WIDE", kWide, {{"AutoKey", "True"}, {"Patterns", "W-ID"}});
    const std::string nines(38, '9');
    files.write("wide.dat", ebcdic("01") + packed("123456789012345", 15, true) +
                                packed("123456789012345678", 18, false) +
                                packed(nines.substr(0, 19), 19, true) +
                                packed("1234567890123456789012345678901", 31, false) +
                                packed("12345678901234567890123456789012345678", 38, true) +
                                ebcdic("02") + packed("1", 15, false) + packed("1", 18, true) +
                                packed("0", 19, false) + packed("10", 31, true) +
                                packed(nines, 38, false));
    const auto load =
        files.vorq({"load", "--table", "WIDE_REC", "--data", "wide.dat", "--target", target()});
    ASSERT_EQ(load.status, 0) << load.err;
    EXPECT_EQ(rows("WIDE_REC"),
              (std::vector<std::string>{
                  "1|-1234567890123.45|1234567890123456.78|-9999999999999999999|"
                  "12345678901234567890123456789.01|-123456789012345678901234567890123456.78",
                  "2|0.01|-0.01|0|-0.10|999999999999999999999999999999999999.99"}));
    if (schema) {
        postgres::Connection c(schema->conninfo());
        EXPECT_EQ(c.query("SELECT sum(d18), sum(d38) FROM wide_rec").text(0, 1),
                  "876543210987654321098765432109876543.21");
        return;
    }
    // The target's columns are those that the DDL declares, and each holds the exact text.
    const std::string ddl = files.vorq({"ddl", "--dialect", "sqlite"}).out;
    sqlite::Connection data(files.dir / "vorq-workspace/data.db",
                            sqlite::Connection::Mode::ReadOnly);
    auto types = data.prepare("SELECT name || ' ' || type FROM pragma_table_info('WIDE_REC')");
    while (types.step())
        EXPECT_NE(ddl.find("    " + types.text(0)), std::string::npos) << types.text(0);
    EXPECT_NE(ddl.find("D18 DECIMAL_TEXT(18,2)"), std::string::npos) << ddl;
    EXPECT_NE(ddl.find("D15 DECIMAL(15,2)"), std::string::npos) << ddl;
}

// OCCURS n DEPENDING ON without TO: the count may be anything from 0 up to n.
constexpr const char* kVariable = R"(       01 VAR-REC.
          05 V-ID          PIC 9(2).
          05 V-CNT         PIC 9.
          05 V-ITEM OCCURS 3 TIMES DEPENDING ON V-CNT.
             10 V-VAL      PIC XX.
          05 V-TAIL        PIC XX.
)";

TEST_P(LoadInto, EveryRecordOfAVariableTableLoadsWhateverItsCount) {
    files.imported(
        "VAR", kVariable,
        {{"ArrayFields", "True"}, {"Threshold", "1"}, {"AutoKey", "True"}, {"Patterns", "V-ID"}});
    // Counts 3, 1, 0 (below the minimum of 1), 9 (above the maximum) and a letter.
    files.write("var.txt", "013AABBCCT1\n021AAT2\n030T3\n049AABBCCT4\n05xAAT5\n");
    const auto load =
        files.vorq({"load", "--table", "VAR_REC", "--data", "var.txt", "--format", "text",
                    "--encoding", "ascii", "--target", target(), "--rejects", "rejects.tsv"});
    ASSERT_EQ(load.status, 0) << load.err;
    EXPECT_NE(load.out.find("loaded 5 records"), std::string::npos) << load.out;
    EXPECT_EQ(rows("VAR_REC"),
              (std::vector<std::string>{"1|3|T1", "2|1|T2", "3|0|T3", "4|9|NULL", "5|NULL|NULL"}))
        << "the tail moves with the count; an unknown count leaves it NULL";
    EXPECT_EQ(rows("VAR_REC_V_ITEM"),
              (std::vector<std::string>{"1|AA|1", "2|BB|1", "3|CC|1", "1|AA|2"}));
    const std::string rejects = files.file("rejects.tsv");
    EXPECT_NE(rejects.find("the count of V-ITEM is below its minimum (1 to 3)"), std::string::npos)
        << rejects;
    EXPECT_NE(rejects.find("the count of V-ITEM is outside 1 to 3: the fields that it places are "
                           "NULL"),
              std::string::npos)
        << rejects;
}

} // namespace
} // namespace vorq
