// vorq as a careless or unlucky user drives it: outputs named after inputs, a copybook changed
// after the import, endless or cut input, links out of the copy paths, full disks and two
// programs at once. Each case through the real program.

#include "support/LoadFolder.h"
#include "support/TestEngines.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace vorq {
namespace {

namespace fs = std::filesystem;
using testing::LoadFolder;

constexpr const char* kCustomer = R"(       01 CUST-REC.
          05 CUST-ID       PIC 9(3).
          05 CUST-NAME     PIC X(5).
          05 CUST-AMT      PIC 9(3)V99.
)";

const std::vector<std::pair<std::string, std::string>> kKeyed = {{"AutoKey", "True"},
                                                                 {"Patterns", "CUST-ID"}};

struct LoadSafety : ::testing::Test, LoadFolder {
    std::vector<std::string> loadArgs(std::vector<std::string> more = {}) {
        std::vector<std::string> args{"load",     "--table", "CUST_REC",   "--data", "cust.txt",
                                      "--format", "text",    "--encoding", "ascii"};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }
};

TEST_F(LoadSafety, NoOutputOverwritesAnInputOrAFileThatVorqDidNotWrite) {
    imported("CUST", kCustomer, kKeyed);
    write("cust.txt", "001ALICE12345\n002BOB  00100\n");
    write("notes.txt", "my own notes\n");
    const std::string data = file("cust.txt");
    const std::string project = file("vorq-workspace/project.db");
    const struct {
        std::vector<std::string> options;
        std::string message;
    } cases[] = {
        {{"--rejects", "cust.txt"}, "The reject file cust.txt is the data file of this run"},
        {{"--rejects", "vorq-workspace/project.db"},
         "The reject file vorq-workspace/project.db is the project database of this run"},
        {{"--rejects", "notes.txt"},
         "The reject file notes.txt exists and is not one that vorq wrote"},
        {{"--target", "vorq-workspace/project.db"},
         "The target vorq-workspace/project.db is the project database of this run"},
        {{"--target", "cust.txt"}, "The target cust.txt is the data file of this run"},
        {{"--target", "same.db", "--rejects", "same.db"},
         "The reject file same.db is the target of this run"},
        {{"--target", "vorq-workspace/repository/catalog.db"},
         "lies in the workspace's repository, which only vorq verify writes"},
    };
    for (const auto& c : cases) {
        const auto run = vorq(loadArgs(c.options));
        EXPECT_EQ(run.status, 1) << c.options[1];
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_EQ(file("cust.txt"), data);
    EXPECT_EQ(file("vorq-workspace/project.db"), project);
    EXPECT_EQ(file("notes.txt"), "my own notes\n");
    EXPECT_FALSE(fs::exists(dir / "vorq-workspace/data.db"));

    // An SQLite file of another kind, reached by another name: refused by what it is.
    fs::copy_file(dir / "vorq-workspace/project.db", dir / "copy.db");
    const auto copy = vorq(loadArgs({"--target", "copy.db"}));
    EXPECT_EQ(copy.status, 1);
    EXPECT_NE(copy.err.find("copy.db is a vorq project database, not a database for the loaded "
                            "rows"),
              std::string::npos)
        << copy.err;

    // A reject file of an earlier load may be written again.
    ASSERT_EQ(vorq(loadArgs({"--rejects", "rejects.tsv"})).status, 0);
    EXPECT_EQ(vorq(loadArgs({"--rejects", "rejects.tsv", "--replace"})).status, 0);
}

TEST_F(LoadSafety, ACopybookChangedAfterTheImportIsNotLoadedByItsNewLayout) {
    imported("CUST", kCustomer, kKeyed);
    write("cust.txt", "001ALICE12345\n");
    ASSERT_EQ(vorq(loadArgs()).status, 0);
    write("CUST.cpy", std::string(kCustomer).insert(std::string(kCustomer).find("          05 "
                                                                                "CUST-NAME"),
                                                    "          05 CUST-NEW      PIC XX.\n"));
    ASSERT_EQ(vorq({"verify", "CUST.cpy"}).status, 0);
    const auto stale = vorq(loadArgs({"--replace"}));
    EXPECT_EQ(stale.status, 1);
    EXPECT_NE(stale.err.find("The source CUST changed since the table CUST_REC was imported: the "
                             "record CUST-REC is not laid out as it was then"),
              std::string::npos)
        << stale.err;
    EXPECT_EQ(rows("CUST_REC"), (std::vector<std::string>{"1|ALICE|123.45"})) << "kept as it was";

    // Verified again unchanged: the layout is the imported one.
    write("CUST.cpy", kCustomer);
    ASSERT_EQ(vorq({"verify", "CUST.cpy"}).status, 0);
    EXPECT_EQ(vorq(loadArgs({"--replace"})).status, 0);
}

TEST_F(LoadSafety, EndlessOrHugeInputIsBoundedAndCutFilesAreDamage) {
    const auto zeros = vorq({"verify", "-"}, std::string(200'000, '\0'));
    EXPECT_EQ(zeros.status, 1);
    EXPECT_NE(zeros.err.find("STDIN:1:1: error: the line is 65537 bytes long"), std::string::npos)
        << zeros.err.substr(0, 300);

    imported("CUST", kCustomer, kKeyed);
    write("cust.txt", "001ALICE12345\n");
    const auto huge = vorq(loadArgs({"--record-length", "2000000000"}));
    EXPECT_EQ(huge.status, 2);
    EXPECT_NE(huge.err.find("--record-length: Value 2000000000 not in range 1 to 999999999"),
              std::string::npos)
        << huge.err;
    const auto negative = vorq(loadArgs({"--record-length", "-5"}));
    EXPECT_EQ(negative.status, 2);
    EXPECT_LT(negative.err.size(), 200u) << negative.err;

    // A block descriptor that claims more than the file holds.
    std::string block = std::string("\x00\x1C\x00\x00", 4);
    for (const char* record : {"001ALICE12345", "002BOB  00100"})
        block += std::string("\x00\x11\x00\x00", 4) + record;
    block[1] = '\x40'; // the block claims 64 bytes, the file gives 38
    write("cut.vb", block);
    const auto cut = vorq({"load", "--table", "CUST_REC", "--data", "cut.vb", "--format", "rdw",
                           "--bdw", "--encoding", "ascii"});
    EXPECT_EQ(cut.status, 1);
    EXPECT_NE(cut.err.find("the file ends 26 bytes before the end of the block that its block "
                           "descriptor word gives"),
              std::string::npos)
        << cut.err;
    EXPECT_FALSE(fs::exists(dir / "vorq-workspace/data.db"));

    // A record longer than the layout loads, and says so.
    write("long.vb", std::string("\x00\x15\x00\x00", 4) + "001ALICE12345XXXX");
    const auto longer = vorq({"load", "--table", "CUST_REC", "--data", "long.vb", "--format", "rdw",
                              "--encoding", "ascii"});
    ASSERT_EQ(longer.status, 0) << longer.err;
    EXPECT_NE(longer.out.find("warning: 1 records are longer than the layout's 13 bytes"),
              std::string::npos)
        << longer.out;
}

TEST_F(LoadSafety, RecordsComeFromStandardInputAndFifos) {
    imported("CUST", kCustomer, kKeyed);
    const auto piped = vorq(
        {"load", "--table", "CUST_REC", "--data", "-", "--format", "text", "--encoding", "ascii"},
        "001ALICE12345\n002BOB  00100\n");
    ASSERT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(rows("CUST_REC").size(), 2u);

    const auto cutStream = vorq({"load", "--table", "CUST_REC", "--data", "-", "--format", "fixed",
                                 "--encoding", "ascii", "--replace"},
                                "001ALICE12345002BOB");
    EXPECT_EQ(cutStream.status, 1);
    EXPECT_NE(cutStream.err.find("is damaged at record 2 (byte offset 13): the file ends 6 bytes "
                                 "into a 13-byte record"),
              std::string::npos)
        << cutStream.err;

    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
    std::thread writer([&] { std::ofstream(dir / "fifo") << "003CAROL00001\n"; });
    const auto fifo = vorq({"load", "--table", "CUST_REC", "--data", "fifo", "--format", "text",
                            "--encoding", "ascii", "--append"});
    writer.join();
    ASSERT_EQ(fifo.status, 0) << fifo.err;
    EXPECT_EQ(rows("CUST_REC").size(), 3u);
}

TEST_F(LoadSafety, ACopyMemberReachedThroughALinkOutOfTheFoldersIsNotRead) {
    fs::create_directories(dir / "secret");
    write("secret/PASSWD", "root:x:0:0:root:/root:/bin/bash\n");
    fs::create_directories(dir / "src");
    fs::create_directory_symlink(dir / "secret", dir / "src/up");
    fs::create_symlink(dir / "secret/PASSWD", dir / "src/MEMBER.cpy");
    write("src/A.cpy", "       01 A-REC.\n           COPY \"up/PASSWD\".\n");
    write("src/B.cpy", "       01 B-REC.\n           COPY MEMBER.\n");
    for (const char* source : {"src/A.cpy", "src/B.cpy"}) {
        const auto run = vorq({"verify", source});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("a symbolic link to a file outside the source's folder and the "
                               "copy paths"),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(run.err.find("root:x"), std::string::npos) << "the file is not shown";
    }
    // A link that stays inside the copy paths is followed.
    fs::create_directories(dir / "lib");
    write("lib/FIELD.cpy", "           05 F PIC X.\n");
    fs::create_symlink(dir / "lib/FIELD.cpy", dir / "src/FIELD.cpy");
    write("src/C.cpy", "       01 C-REC.\n           COPY FIELD.\n");
    EXPECT_EQ(vorq({"verify", "--copy-path", "lib", "src/C.cpy"}).status, 0);
}

TEST_F(LoadSafety, OutputThatCannotBeWrittenIsAFailureAndSaysWhatWasDone) {
    imported("CUST", kCustomer, kKeyed);
    const auto shell = [&](const std::string& command) {
        return testing::runProgram("/bin/sh", {"-c", command}, dir.path().string(), environment);
    };
    const std::string vorq = VORQ_PROGRAM;
    for (const char* command : {"ddl", "tables", "sources", "layout CUST", "log"}) {
        const auto full = shell("exec " + vorq + " " + command + " >/dev/full");
        EXPECT_EQ(full.status, 1) << command;
        EXPECT_NE(full.err.find("cannot write to standard output"), std::string::npos) << full.err;
    }
    const auto import = shell("exec " + vorq + " import --batch --source CUST --all >/dev/full");
    EXPECT_EQ(import.status, 1);
    EXPECT_NE(import.err.find("the import was committed (1 tables)"), std::string::npos)
        << import.err;
}

TEST_F(LoadSafety, AServerThatIsNeverToAnswerIsRefusedUpFront) {
    imported("CUST", kCustomer, kKeyed);
    write("cust.txt", "001ALICE12345\n");
    const auto endless =
        vorq(loadArgs({"--target", "postgresql://vorq@127.0.0.1:9/none?connect_timeout=0"}));
    EXPECT_EQ(endless.status, 1);
    EXPECT_NE(endless.err.find("connect_timeout=0 would wait for ever"), std::string::npos)
        << endless.err;
}

TEST_F(LoadSafety, ErrorsNameTheFileAndTheCauseAndLeaveNothingHalfMade) {
    write("CUST.cpy", kCustomer);
    ASSERT_EQ(vorq({"verify", "CUST.cpy"}).status, 0);
    const auto device =
        vorq({"--project", "/dev/null", "import", "--batch", "--source", "CUST", "--all"});
    EXPECT_EQ(device.status, 1);
    EXPECT_NE(device.err.find("The project database /dev/null is no regular file"),
              std::string::npos)
        << device.err;

    fs::path deep = dir.path();
    for (int i = 0; i < 10; ++i)
        deep /= std::string(60, 'd');
    const auto longPath = vorq({"--workspace", deep.string(), "verify", "CUST.cpy"});
    EXPECT_EQ(longPath.status, 1);
    EXPECT_NE(longPath.err.find("characters: its databases need paths of at most 500"),
              std::string::npos)
        << longPath.err;
    EXPECT_FALSE(fs::exists(dir / std::string(60, 'd'))) << "no half-made workspace";

    write("text.db", "this is a text file, not a database, long enough to be read as one");
    imported("CUST", kCustomer, kKeyed);
    write("cust.txt", "001ALICE12345\n");
    const auto notADatabase = vorq(loadArgs({"--target", "text.db"}));
    EXPECT_EQ(notADatabase.status, 1);
    EXPECT_NE(notADatabase.err.find("text.db is not a database or is damaged"), std::string::npos)
        << notADatabase.err;
}

TEST_F(LoadSafety, APostgresqlTargetWithoutASchemaToHoldTheTablesSaysSo) {
    ASSERT_FALSE(testing::testServer().empty())
        << "needs the PostgreSQL test server that scripts/test starts (scripts/pg-test-server "
           "run CMD)";
    imported("CUST", kCustomer, kKeyed);
    write("cust.txt", "001ALICE12345\n");
    const auto run =
        vorq(loadArgs({"--target", testing::withParameter(testing::testServer(), "options",
                                                          "-csearch_path%3Dno_such_schema")}));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("its search_path names no schema that exists, so there is none to "
                           "hold the tables"),
              std::string::npos)
        << run.err;
}

TEST_F(LoadSafety, ImportsIntoOneSqliteProjectTakeTurns) {
    write("CUST.cpy", kCustomer);
    ASSERT_EQ(vorq({"verify", "CUST.cpy"}).status, 0);
    std::vector<std::thread> imports;
    std::vector<testing::ProgramResult> results(8);
    for (std::size_t i = 0; i < results.size(); ++i)
        imports.emplace_back([&, i] {
            results[i] = vorq({"import", "--batch", "--source", "CUST", "--all"});
        });
    for (auto& t : imports)
        t.join();
    for (const auto& r : results)
        EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(vorq({"tables"}).out.find("CUST_REC_8"), std::string::npos);
}

// Two loads of one file at once into a target that does not exist yet, on either engine.
struct TwoLoads : testing::EngineTest {
    LoadFolder files;
    std::optional<testing::ScratchSchema> schema;
};
INSTANTIATE_TEST_SUITE_P(Engines, TwoLoads, testing::allEngines(), testing::engineName);

TEST_P(TwoLoads, AtOnceIntoAMissingTargetBothLand) {
    if (GetParam() == testing::Engine::PostgreSQL)
        schema.emplace();
    files.imported("CUST", kCustomer, {});
    std::string data;
    for (int i = 0; i < 2000; ++i)
        data += "001ALICE12345\n";
    files.write("cust.txt", data);
    for (int round = 0; round < 3; ++round) {
        const std::string target =
            schema ? schema->conninfo() : "round" + std::to_string(round) + ".db";
        std::vector<testing::ProgramResult> results(2);
        std::vector<std::thread> loads;
        for (auto& result : results)
            loads.emplace_back([&] {
                result =
                    files.vorq({"load", "--table", "CUST_REC", "--data", "cust.txt", "--format",
                                "text", "--encoding", "ascii", "--target", target, "--append"});
            });
        for (auto& t : loads)
            t.join();
        for (const auto& r : results)
            EXPECT_EQ(r.status, 0) << r.err;
    }
    if (schema) {
        postgres::Connection c(schema->conninfo());
        EXPECT_EQ(c.query("SELECT count(*) FROM cust_rec").text(0, 0), "12000");
    } else {
        EXPECT_EQ(files.rows("CUST_REC", "../round0.db").size(), 4000u);
    }
}

} // namespace
} // namespace vorq
