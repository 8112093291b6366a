// The command line as a user meets it: the real program, its output, messages and status.

#include "projectdb/ProjectCatalog.h"
#include "projectdb/SqlProjectDatabase.h"
#include "support/BrowseSources.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>

namespace vorq {
namespace {

using testing::ProgramResult;

constexpr const char* kCopybook = "       01  CUST-REC.\n"
                                  "           05  CUST-ID     PIC 9(6).\n"
                                  "           05  CUST-NAME   PIC X(20).\n"
                                  "           05  ORDERS      OCCURS 12 TIMES.\n"
                                  "               10  ORD-NO  PIC 9(8).\n";

// A folder of its own for each test, with a private component registry and no workspace from
// the environment.
struct Cli : ::testing::Test {
    testing::TempDir dir;
    std::map<std::string, std::string> environment{
        {"XDG_CONFIG_HOME", (dir / "config").string()}, {"VORQ_WORKSPACE", ""}, {"LC_ALL", "C"}};

    ProgramResult vorq(const std::vector<std::string>& args, const std::string& input = "") {
        return testing::runProgram(VORQ_PROGRAM, args, dir.path().string(), environment, input);
    }
    void write(const std::string& file, const std::string& text) {
        std::ofstream(dir / file) << text;
    }
    // A workspace with the copybook verified and the options that make a child table.
    void prepare() {
        write("CUST.cpy", kCopybook);
        ASSERT_EQ(vorq({"verify", "CUST.cpy"}).status, 0);
        ASSERT_EQ(vorq({"options", "set", "ArrayFields", "True"}).status, 0);
        ASSERT_EQ(vorq({"options", "set", "Threshold", "5"}).status, 0);
        ASSERT_EQ(vorq({"options", "set", "AutoKey", "True"}).status, 0);
        ASSERT_EQ(vorq({"options", "set", "Patterns", "*-ID"}).status, 0);
    }
};

TEST_F(Cli, UsageErrorsEndWithStatusTwoAndSayWhatIsWrong) {
    const auto none = vorq({});
    EXPECT_EQ(none.status, 2);
    EXPECT_NE(none.err.find("Usage: vorq"), std::string::npos);

    const auto unknown = vorq({"frob"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err.rfind("vorq: 'frob' is not a vorq command (the commands are: verify,", 0),
              0u)
        << unknown.err;

    const auto badOption = vorq({"ddl", "--dialect", "oracle"});
    EXPECT_EQ(badOption.status, 2);
    EXPECT_NE(badOption.err.find("Run 'vorq help ddl' for its usage."), std::string::npos);

    for (const std::string command : {"import", "gui"}) {
        const auto noDisplay = vorq({command});
        EXPECT_EQ(noDisplay.status, 2) << command;
        EXPECT_NE(noDisplay.err.find("there is no display"), std::string::npos) << noDisplay.err;
        EXPECT_NE(noDisplay.err.find("--batch"), std::string::npos);
    }
    EXPECT_EQ(vorq({"import", "--batch", "--source", "CUST"}).status, 2) << "nothing to check";
    EXPECT_EQ(vorq({"help", "frob"}).status, 2);

    // A mistyped name gets the nearest names; a named file that is not there is the command
    // line's fault too.
    const std::pair<std::vector<std::string>, std::string> mistakes[] = {
        {{"lod"}, "'lod' is not a vorq command; did you mean log or load?"},
        {{"tables", "--jsn"}, "--jsn is not an option of tables; did you mean --json?"},
        {{"load", "--tabel", "X"}, "--tabel is not an option of load; did you mean --table?"},
        {{"--workspce", "w", "tables"},
         "--workspce is not an option of vorq; did you mean --workspace?"},
        {{"verify", "MISSING.cpy"}, "there is no file or folder MISSING.cpy"},
    };
    for (const auto& [args, said] : mistakes) {
        const auto result = vorq(args);
        EXPECT_EQ(result.status, 2) << args.front();
        EXPECT_NE(result.err.find(said), std::string::npos) << result.err;
    }
    EXPECT_EQ(vorq({"-V"}).out, std::string("vorq ") + VORQ_VERSION + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "vorq-workspace")) << "no usage error writes";
}

TEST_F(Cli, VersionAndHelpOfEachCommand) {
    const auto version = vorq({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("vorq ") + VORQ_VERSION + "\n");

    EXPECT_NE(vorq({"--help"}).out.find("Exit status: 0 done, 1 the work failed, 2 the command"),
              std::string::npos);
}

// Every example that the help prints runs, in a copy of the bundled examples that the demo
// has prepared; every command takes -q and -v. (gui's example opens a window: it is left out.)
TEST_F(Cli, EveryHelpExampleRunsInTheDemoFolder) {
    namespace fs = std::filesystem;
    const fs::path base = dir / "base";
    fs::copy(fs::path(VORQ_SOURCE_DIR) / "examples", base, fs::copy_options::recursive);
    const auto demo =
        testing::runProgram(VORQ_PROGRAM, {"demo", "--examples", "."}, base.string(), environment);
    ASSERT_EQ(demo.status, 0) << demo.err;
    std::vector<std::string> examples;
    for (const std::string command :
         {"", "verify", "sources", "layout", "log", "tables", "ddl", "options", "import", "load",
          "encodings", "register", "unregister", "components", "demo", "drop", "export"}) {
        const auto help = command.empty() ? vorq({"--help"}) : vorq({"help", command});
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_NE(help.out.find("-q,--quiet"), std::string::npos) << command;
        EXPECT_NE(help.out.find("-v,--verbose"), std::string::npos) << command;
        std::istringstream lines(help.out);
        bool inExamples = false;
        for (std::string line; std::getline(lines, line);) {
            if (line.starts_with("Example") || line.starts_with("A day's work")) {
                inExamples = true;
            } else if (!line.starts_with("  ")) {
                inExamples = false;
            } else if (inExamples && !examples.empty() && examples.back().ends_with("\\")) {
                examples.back().back() = ' ';
                examples.back() += line;
            } else if (inExamples) {
                examples.push_back(line.substr(2));
            }
        }
    }
    ASSERT_GT(examples.size(), 20u);
    for (std::size_t i = 0; i < examples.size(); ++i) {
        const fs::path folder = dir / ("example-" + std::to_string(i));
        fs::copy(base, folder, fs::copy_options::recursive);
        std::string script = examples[i];
        for (std::size_t at = 0; (at = script.find("vorq ", at)) != std::string::npos;)
            if (at == 0 || script[at - 1] == ' ') {
                script.replace(at, 4, VORQ_PROGRAM);
                at += std::string(VORQ_PROGRAM).size();
            } else {
                at += 5;
            }
        const auto run =
            testing::runProgram("/bin/sh", {"-c", script}, folder.string(), environment);
        EXPECT_EQ(run.status, 0) << examples[i] << "\n" << run.err;
    }
}

TEST_F(Cli, ReadingCommandsNeverMakeAWorkspace) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"tables"},
                                                 {"sources"},
                                                 {"log"},
                                                 {"ddl"},
                                                 {"layout", "CUST"},
                                                 {"options", "show"}}) {
        const auto r = vorq(args);
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_EQ(r.err, "vorq: There is no workspace at vorq-workspace: run `vorq verify "
                         "FILE...` to make one, or name one with --workspace DIR or "
                         "VORQ_WORKSPACE\n")
            << args[0];
        EXPECT_EQ(r.out, "") << args[0];
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "vorq-workspace"));
}

TEST_F(Cli, AWorkspaceThatIsAFileIsRefusedWithoutAnAbort) {
    write("plain", "x");
    write("CUST.cpy", kCopybook);
    for (const std::string command : {"tables", "verify"}) {
        const auto r = vorq({command, "--workspace", "plain", "CUST.cpy"});
        EXPECT_EQ(r.status, command == "tables" ? 2 : 1) << r.err;
    }
    const auto r = vorq({"--workspace", "plain", "tables"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "vorq: The workspace plain is not a folder: name another one with --workspace DIR\n");
}

TEST_F(Cli, VerifyReadsFilesAndStandardInputAndReportsErrorsWithTheirPlace) {
    std::filesystem::create_directories(dir / "copy");
    write("copy/PARTS.cpy", "           05  PART-NO  PIC X(4).\n");
    write("A.cpy", "       01  A-REC.\n           COPY PARTS.\n");
    write("B.cpy", kCopybook);
    const auto both = vorq({"verify", "--copy-path", "copy", "A.cpy", "B.cpy"});
    EXPECT_EQ(both.status, 0) << both.err;
    EXPECT_EQ(both.out, "[1/2] verified copybook A (2 items)\n"
                        "[2/2] verified copybook B (5 items)\n")
        << "--copy-path takes one folder and leaves the files";

    const auto piped = vorq({"verify", "--stdin-name", "PIPED", "-"}, kCopybook);
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, "[1/1] verified copybook PIPED (5 items)\n");

    write("BAD.cpy", "       01  BAD-REC.\n           05  X PIC Q(3).\n");
    const auto bad = vorq({"verify", "BAD.cpy"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("BAD.cpy:2:"), std::string::npos) << bad.err;
    EXPECT_NE(bad.err.find("vorq: 1 of 1 sources failed to verify"), std::string::npos);

    EXPECT_EQ(vorq({"verify", "--max-copy-mb", "0", "B.cpy"}).status, 2) << "1 to 4096";
    EXPECT_EQ(vorq({"verify", "--max-copy-mb", "1", "--copy-path", "copy", "A.cpy"}).status, 0);

    // A source large enough that verify has its heap advised for huge pages.
    std::string large = "       01  BIG-REC.\n";
    for (int i = 0; i < 2000; ++i)
        large += "           05  FIELD-" + std::to_string(i) + "  PIC S9(7)V99 COMP-3.\n";
    write("LARGE.cpy", large);
    const auto big = vorq({"verify", "LARGE.cpy"});
    EXPECT_EQ(big.status, 0) << big.err;
    EXPECT_EQ(big.out, "[1/1] verified copybook LARGE (2001 items)\n");
}

TEST_F(Cli, ImportSummarisesWhatItsOwnRunMade) {
    prepare();
    const auto r = vorq({"import", "--batch", "--source", "CUST", "--all"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find("key", r.out.find('\n'))),
              "created CUST_REC: 2 columns, primary key CUST_ID\n"
              "created CUST_REC_ORDERS: 3 columns, primary ")
        << r.out;
    EXPECT_TRUE(r.out.ends_with("; references CUST_REC\n")) << r.out;
    EXPECT_EQ(r.err, "") << "using the library beside vorq is the usual case: no notice";
    EXPECT_FALSE(std::filesystem::exists(dir / "config" / "vorq" / "components.xml"))
        << "the user's registry is not written unasked";

    const auto quiet = vorq({"import", "--batch", "--source", "CUST", "--all", "-q"});
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.out, "");

    const auto json = vorq({"import", "--batch", "--source", "CUST", "--all", "--json"});
    ASSERT_EQ(json.status, 0);
    const auto document = nlohmann::json::parse(json.out);
    ASSERT_EQ(document["tables"].size(), 2u) << "only this run's tables";
    EXPECT_EQ(document["tables"][0]["name"], "CUST_REC_3");
    EXPECT_EQ(document["columns"], 3);

    const auto verbose = vorq({"import", "--batch", "--source", "CUST", "--all", "--verbose"});
    EXPECT_NE(verbose.out.find("  CUST_NAME                      CHAR(20)"), std::string::npos)
        << verbose.out;
    EXPECT_NE(verbose.err.find("is not registered"), std::string::npos) << "told when asked";
}

TEST_F(Cli, AFailedImportSaysWhyInTheUsersLanguageAlone) {
    prepare();
    const auto missing = vorq({"import", "--batch", "--source", "NOPE", "--all"});
    EXPECT_EQ(missing.status, 2) << "a name that is not there: the command line is wrong";
    EXPECT_NE(missing.err.find("vorq: The copybooks tab offers no NOPE (it offers: CUST)"),
              std::string::npos)
        << missing.err;

    std::filesystem::remove(dir / "vorq-workspace" / "repository" / "CUST.copybook.xrdb");
    const auto gone = vorq({"import", "--batch", "--source", "CUST", "--all"});
    EXPECT_EQ(gone.status, 1);
    EXPECT_NE(gone.err.find("CUST.copybook.xrdb"), std::string::npos) << "names the file";
    EXPECT_NE(gone.err.find("vorq: The dialog cannot import from CUST: its repository database "
                            "cannot be read (the dialog shows \"Source was not verified"),
              std::string::npos)
        << gone.err;
    ASSERT_EQ(vorq({"verify", "CUST.cpy"}).status, 0);

    environment["LC_ALL"] = "ja_JP.UTF-8";
    const auto leaf = vorq({"import", "--batch", "--source", "CUST", "--check", "CUST-ID"});
    EXPECT_EQ(leaf.status, 1);
    EXPECT_NE(leaf.err.find("\nvorq: 追加するデータ項目を検査してください。\n"), std::string::npos)
        << leaf.err;
    EXPECT_EQ(vorq({"tables"}).out, "the project has no tables\n");
}

TEST_F(Cli, GlobalOptionsGoBeforeOrAfterTheCommandOrInTheEnvironment) {
    write("CUST.cpy", kCopybook);
    ASSERT_EQ(vorq({"verify", "--workspace", "ws", "CUST.cpy"}).status, 0);
    EXPECT_NE(vorq({"--workspace", "ws", "sources"}).out.find("CUST"), std::string::npos);
    environment["VORQ_WORKSPACE"] = "ws";
    EXPECT_NE(vorq({"sources"}).out.find("CUST"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "vorq-workspace"));
}

TEST_F(Cli, MachineReadableOutputIsOneJsonDocument) {
    prepare();
    ASSERT_EQ(vorq({"import", "--batch", "--source", "CUST", "--all"}).status, 0);
    const auto tables = nlohmann::json::parse(vorq({"tables", "--json"}).out);
    ASSERT_EQ(tables["tables"].size(), 2u);
    EXPECT_EQ(tables["tables"][1]["foreignKeys"][0]["references"], "CUST_REC");
    const auto key = tables["tables"][1]["primaryKey"];
    EXPECT_EQ(key.size(), 2u);
    EXPECT_NE(std::find(key.begin(), key.end(), "CUST_ID"), key.end()) << key;
    EXPECT_NE(std::find(key.begin(), key.end(), "idx"), key.end()) << key;

    const auto sources = nlohmann::json::parse(vorq({"sources", "--json"}).out);
    EXPECT_EQ(sources["copybooks"][0]["name"], "CUST");

    const auto log = nlohmann::json::parse(vorq({"log", "--json"}).out);
    ASSERT_FALSE(log["entries"].empty());
    EXPECT_EQ(log["entries"].back()["error"], false);

    write("P.cbl", "       IDENTIFICATION DIVISION.\n       PROGRAM-ID. PROG1.\n"
                   "       DATA DIVISION.\n       WORKING-STORAGE SECTION.\n"
                   "       01  W-REC.\n           05  W-A PIC X(3).\n");
    const auto layout = nlohmann::json::parse(vorq({"layout", "--json", "P.cbl"}).out);
    ASSERT_EQ(layout.size(), 2u);
    EXPECT_EQ(layout[1]["name"], "W-A");
    EXPECT_EQ(layout[1]["length"], 3);
    EXPECT_EQ(layout[1]["program"], "PROG1") << "each record keeps its program";
}

TEST_F(Cli, DdlGoesToAFileOrToStandardOutput) {
    prepare();
    ASSERT_EQ(vorq({"import", "--batch", "--source", "CUST", "--all", "-q"}).status, 0);
    const auto toStdout = vorq({"ddl", "--output", "-", "--dialect", "postgresql"});
    EXPECT_EQ(toStdout.status, 0);
    EXPECT_NE(toStdout.out.find("FOREIGN KEY"), std::string::npos) << toStdout.out;
    EXPECT_EQ(vorq({"ddl", "--dialect", "postgresql", "--output", "schema.sql"}).out, "");
    std::ifstream file(dir / "schema.sql");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), toStdout.out);
}

TEST_F(Cli, OptionsRefuseABadValueAndKeepTheGoodOnes) {
    ASSERT_EQ(vorq({"options", "set", "Threshold", "7"}).status, 0);
    const auto bad = vorq({"options", "set", "AutoKey", "perhaps"});
    EXPECT_EQ(bad.status, 2) << "a bad value of the command line";
    EXPECT_NE(bad.err.find("AutoKey"), std::string::npos) << bad.err;
    const auto several = vorq({"options", "set", "ArrayFields=True", "Threshold=lots"});
    EXPECT_EQ(several.status, 2);
    const auto shown = vorq({"options"}).out;
    EXPECT_NE(shown.find("Threshold       7"), std::string::npos);
    EXPECT_NE(shown.find("ArrayFields     False"), std::string::npos) << "all or none are set";
    EXPECT_EQ(vorq({"options", "set", "ArrayFields=True", "Patterns=*-ID,KEY-*"}).status, 0);
    EXPECT_NE(vorq({"options"}).out.find("Patterns        *-ID, KEY-*"), std::string::npos);
}

// A contained program is imported from its own records, and its parent from its own.
TEST_F(Cli, NestedProgramsImportTheirOwnRecords) {
    write("N.cbl", "       IDENTIFICATION DIVISION.\n       PROGRAM-ID. OUTER.\n"
                   "       DATA DIVISION.\n       WORKING-STORAGE SECTION.\n"
                   "       01  OUT-REC.\n           05  O1      PIC X(2).\n"
                   "       PROCEDURE DIVISION.\n           CALL 'INNER'.\n"
                   "       IDENTIFICATION DIVISION.\n       PROGRAM-ID. INNER IS COMMON.\n"
                   "       DATA DIVISION.\n       WORKING-STORAGE SECTION.\n"
                   "       01  IN-REC.\n           05  I1      PIC X(3).\n"
                   "       PROCEDURE DIVISION.\n           EXIT PROGRAM.\n"
                   "       END PROGRAM INNER.\n       END PROGRAM OUTER.\n");
    ASSERT_EQ(vorq({"verify", "N.cbl"}).status, 0);
    EXPECT_EQ(vorq({"import", "--batch", "--tab", "programs", "--source", "INNER", "--all"}).out,
              "created IN_REC: 1 columns\n");
    EXPECT_EQ(vorq({"import", "--batch", "--tab", "programs", "--source", "OUTER", "--all"}).out,
              "created OUT_REC: 1 columns\n");
}

// `vorq sources` lists what the dialog offers: a port that two programs use once, under the
// first of them (the dialog's Ports tab for this file is READER, MASTFILE, RPTFILE, LISTER).
TEST_F(Cli, SourcesListAPortSharedByTwoProgramsOnce) {
    write("PORTS.cbl", testing::kBrowsePrograms);
    ASSERT_EQ(vorq({"verify", "PORTS.cbl"}).status, 0);
    const std::string out = vorq({"sources"}).out;
    EXPECT_EQ(out.substr(out.find("Ports:")), "Ports:\n  READER\n    MASTFILE\n    RPTFILE\n"
                                              "  LISTER\n");
}

// The everyday loop: import again replacing what the last import made, drop what is not
// wanted, and nothing half-done when either is refused.
TEST_F(Cli, ReplaceAndDropUndoWhatAnImportMade) {
    prepare();
    write("OTHER.cpy", "       01  OTHER-REC.\n           05  OTHER-ID PIC 9(6).\n");
    ASSERT_EQ(vorq({"verify", "OTHER.cpy"}).status, 0);
    ASSERT_EQ(vorq({"import", "--batch", "--source", "CUST", "--all"}).status, 0);
    ASSERT_EQ(vorq({"import", "--batch", "--source", "OTHER", "--all"}).status, 0);
    const auto tables = [&] {
        std::vector<std::string> names;
        for (const auto& t :
             projectdb::readCatalog(
                 *projectdb::openProjectDatabase((dir / "vorq-workspace" / "project.db").string(),
                                                 projectdb::OpenMode::ReadOnly))
                 .tables)
            names.push_back(t.name);
        std::sort(names.begin(), names.end());
        return names;
    };
    const std::vector<std::string> all{"CUST_REC", "CUST_REC_ORDERS", "OTHER_REC"};

    const auto again = vorq({"import", "--batch", "--source", "cust", "--all", "--replace"});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(
        again.out.rfind("replaced 2 table(s) of earlier imports: CUST_REC, CUST_REC_ORDERS\n", 0),
        0u)
        << again.out;
    EXPECT_EQ(tables(), all) << "the same names again, no _2";

    { // a key of another source's table that refers to CUST_REC
        auto db = projectdb::openProjectDatabase((dir / "vorq-workspace" / "project.db").string(),
                                                 projectdb::OpenMode::ReadWrite);
        db->BeginTrans();
        db->Execute("INSERT INTO ForeignKeys (KeyName, TabID, RefTabID) SELECT 'FK_OTHER', "
                    "o.TabID, c.TabID FROM Tables o, Tables c WHERE o.TableName = 'OTHER_REC' "
                    "AND c.TableName = 'CUST_REC'");
        db->CommitTrans();
    }
    const auto refusedReplace =
        vorq({"import", "--batch", "--source", "CUST", "--all", "--replace"});
    EXPECT_EQ(refusedReplace.status, 1);
    EXPECT_NE(refusedReplace.err.find("OTHER_REC (key FK_OTHER)"), std::string::npos)
        << refusedReplace.err;
    EXPECT_EQ(refusedReplace.err.find("--force"), std::string::npos)
        << "import has no --force to offer: " << refusedReplace.err;
    const auto refusedDrop = vorq({"drop", "cust_rec"});
    EXPECT_EQ(refusedDrop.status, 1);
    EXPECT_NE(refusedDrop.err.find("--force"), std::string::npos) << refusedDrop.err;
    EXPECT_EQ(tables(), all) << "a refused replace or drop changes nothing";

    const auto dropped = vorq({"drop", "cust_rec", "--force"});
    EXPECT_EQ(dropped.status, 0) << dropped.err;
    EXPECT_EQ(dropped.out, "dropped 2 table(s): CUST_REC, CUST_REC_ORDERS\n"
                           "  the key FK_OTHER of OTHER_REC went with them\n");
    EXPECT_EQ(tables(), std::vector<std::string>{"OTHER_REC"});
    const auto unknown = vorq({"drop", "OTHER"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("did you mean OTHER_REC?"), std::string::npos) << unknown.err;
}

// A copybook cut out of a record, without level 01, imports as one record named after the file.
TEST_F(Cli, ACopybookWithoutLevelOneIsOneRecordNamedAfterItsFile) {
    write("parts.cpy", "       05  PART-NO     PIC X(8).\n"
                       "       05  BINS OCCURS 3 TIMES.\n"
                       "           10  BIN-ID  PIC X(4).\n"
                       "       01  TRAILER-REC.\n"
                       "           05  COUNT-OF PIC 9(6).\n");
    const auto verified = vorq({"verify", "parts.cpy"});
    EXPECT_EQ(verified.status, 0);
    EXPECT_NE(verified.err.find("parts.cpy:1:8: warning: the copybook has no level 01: its items "
                                "up to the first 01 are read as the record PARTS"),
              std::string::npos)
        << verified.err;
    const auto layout = vorq({"layout", "--json", "parts"});
    const auto rows = nlohmann::json::parse(layout.out);
    ASSERT_GE(rows.size(), 5u) << layout.out;
    EXPECT_EQ(rows[0]["name"], "PARTS");
    EXPECT_EQ(rows[0]["length"], 20);
    EXPECT_EQ(rows[4]["name"], "TRAILER-REC") << "a later 01 stays a record of its own";
    const auto imported = vorq({"import", "--batch", "--source", "PARTS", "--all"});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out, "created PARTS: 4 columns\ncreated TRAILER_REC: 1 columns\n");
}

// Loaded rows go out as JSON lines, child rows nested, or as CSV, one file per table.
TEST_F(Cli, LoadedRowsExportAsJsonLinesAndCsv) {
    ASSERT_EQ(vorq({"demo"}).status, 0);
    const auto lines = vorq({"export", "--table", "customer_master"});
    ASSERT_EQ(lines.status, 0) << lines.err;
    std::istringstream in(lines.out);
    std::vector<nlohmann::json> rows;
    for (std::string line; std::getline(in, line);)
        rows.push_back(nlohmann::json::parse(line));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0]["CUST_ID"], 10000001);
    EXPECT_EQ(rows[0]["BALANCE"], -125.5);
    ASSERT_EQ(rows[0]["CUSTOMER_MASTER_ORDERS"].size(), 20u) << "the OCCURS nested";
    EXPECT_EQ(rows[0]["CUSTOMER_MASTER_ORDERS"][0]["ORD_AMT"], 199.99);

    EXPECT_EQ(vorq({"export", "--table", "CUSTOMER_MASTER", "--format", "csv"}).status, 2)
        << "two tables do not fit one standard output";
    const auto csv =
        vorq({"export", "--table", "CUSTOMER_MASTER", "--format", "csv", "--output", "out"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    std::ifstream orders(dir / "out" / "CUSTOMER_MASTER_ORDERS.csv");
    std::string header, first;
    std::getline(orders, header);
    std::getline(orders, first);
    EXPECT_EQ(header, "idx,ORD_NO,ORD_DATE,ORD_AMT,CUST_ID\r");
    EXPECT_EQ(first, "1,4711,20250102,199.99,10000001\r");
    EXPECT_TRUE(std::filesystem::exists(dir / "out" / "CUSTOMER_MASTER.csv"));

    const auto data = (dir / "vorq-workspace" / "data.db").string();
    const auto before = std::filesystem::file_size(data);
    const auto intoInput = vorq({"export", "--table", "CUSTOMER_MASTER", "--output", data});
    EXPECT_EQ(intoInput.status, 2);
    EXPECT_EQ(std::filesystem::file_size(data), before) << "the input is never written";
}

// The README's road for a user's own copybook runs as written, command by command.
TEST_F(Cli, TheReadmesFirstHourRunsAsWritten) {
    namespace fs = std::filesystem;
    std::ifstream readme(fs::path(VORQ_SOURCE_DIR) / "README.md");
    std::vector<std::string> commands;
    bool inRoad = false, inBlock = false;
    for (std::string line; std::getline(readme, line);) {
        if (line.starts_with("## "))
            inRoad = line == "## Your copybook in three commands" ||
                     line == "## Your data in one more" || line == "## Query the result" ||
                     line == "## Change and run again";
        else if (inRoad && line.starts_with("```"))
            inBlock = !inBlock && line == "```sh";
        else if (inRoad && inBlock && !line.empty())
            commands.push_back(line);
    }
    ASSERT_GE(commands.size(), 9u);
    // The user's files: a copybook, its COPY folder, and records as the mainframe wrote them.
    write("CUSTREC.cpy", "       01  CUST-REC.\n           05  CUST-ID     PIC 9(6).\n"
                         "           05  CUST-NAME   PIC X(10).\n"
                         "           05  ORDERS      OCCURS 12 TIMES.\n"
                         "               10  ORD-NO  PIC 9(4).\n");
    fs::create_directory(dir / "copy");
    const auto ebcdic = [](const std::string& text) {
        std::string out;
        for (const char c : text)
            out += static_cast<char>(c == ' '               ? 0x40
                                     : c >= '0' && c <= '9' ? 0xF0 + (c - '0')
                                     : c <= 'I'             ? 0xC1 + (c - 'A')
                                     : c <= 'R'             ? 0xD1 + (c - 'J')
                                                            : 0xE2 + (c - 'S'));
        return out;
    };
    write("CUSTREC.dat", ebcdic("000001MUELLER   " + std::string(48, '0')) +
                             ebcdic("000002SMITH     " + std::string(44, '0') + "0042"));
    for (const auto& command : commands) {
        std::string script = command;
        if (script.starts_with("vorq "))
            script.replace(0, 4, VORQ_PROGRAM);
        const auto run =
            testing::runProgram("/bin/sh", {"-c", script}, dir.path().string(), environment);
        EXPECT_EQ(run.status, 0) << command << "\n" << run.err;
    }
    std::ifstream exported(dir / "cust.jsonl");
    std::string first;
    std::getline(exported, first);
    EXPECT_EQ(nlohmann::json::parse(first)["CUST_NAME"], "MUELLER") << "decoded from EBCDIC";
}

} // namespace
} // namespace vorq
