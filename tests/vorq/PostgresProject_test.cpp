// A project on a PostgreSQL server as a team meets it: the real program, many at once, and a
// server that goes away.

#include "projectdb/ProjectCatalog.h"
#include "projectdb/SqlProjectDatabase.h"
#include "schematool/DdlWriter.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"
#include "support/TestEngines.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <map>
#include <thread>

namespace vorq {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCopybook = "       01  CUST-REC.\n"
                                  "           05  CUST-ID     PIC 9(6).\n"
                                  "           05  CUST-NAME   PIC X(20).\n"
                                  "           05  ORDERS      OCCURS 12 TIMES.\n"
                                  "               10  ORD-NO  PIC 9(8).\n"
                                  "               10  ORD-AMT PIC S9(7)V99 COMP-3.\n";

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// A column type as PostgreSQL's format_type() spells what the DDL declared.
std::string formatType(const std::string& declared) {
    std::string type = lower(declared);
    for (const auto& [from, to] :
         {std::pair<std::string, std::string>{"varchar(", "character varying("},
          {"char(", "character("},
          {"timestamp", "timestamp without time zone"},
          {"time", "time without time zone"}})
        if (type.starts_with(from) && !type.starts_with(to)) {
            type = to + type.substr(from.size());
            break;
        }
    return type;
}

struct PostgresCli : ::testing::Test {
    testing::TempDir dir;
    std::map<std::string, std::string> environment{
        {"XDG_CONFIG_HOME", (dir / "config").string()}, {"VORQ_WORKSPACE", ""}, {"LC_ALL", "C"}};
    std::optional<testing::ScratchSchema> schema;

    void SetUp() override {
        if (testing::testServer().empty())
            GTEST_SKIP() << "PostgreSQL skipped: VORQ_TEST_PG names no test server";
        schema.emplace();
    }
    testing::ProgramResult vorq(const fs::path& folder, std::vector<std::string> args,
                                const std::string& project) {
        args.insert(args.end(), {"--project", project});
        return testing::runProgram(VORQ_PROGRAM, args, folder.string(), environment);
    }
    // A folder with the copybook verified and the options that make a child table.
    fs::path prepared(const std::string& name, const std::string& copybook = kCopybook) {
        const fs::path folder = dir / name;
        fs::create_directories(folder);
        std::ofstream(folder / "CUST.cpy") << copybook;
        const auto run = [&](const std::vector<std::string>& args) {
            return testing::runProgram(VORQ_PROGRAM, args, folder.string(), environment);
        };
        EXPECT_EQ(run({"verify", "CUST.cpy"}).status, 0);
        for (const auto& [option, value] :
             std::map<std::string, std::string>{{"ArrayFields", "True"},
                                                {"Threshold", "5"},
                                                {"AutoKey", "True"},
                                                {"Patterns", "*-ID"}})
            EXPECT_EQ(run({"options", "set", option, value}).status, 0);
        return folder;
    }
    std::int64_t number(const std::string& sql) {
        return postgres::Connection(schema->conninfo()).query(sql).value(0, 0).toInt64();
    }
};

TEST_F(PostgresCli, ReplaceAndDropWorkOnTheServerToo) {
    const fs::path folder = prepared("drop");
    ASSERT_EQ(
        vorq(folder, {"import", "--batch", "--source", "CUST", "--all"}, schema->conninfo()).status,
        0);
    const auto again = vorq(folder, {"import", "--batch", "--source", "CUST", "--all", "--replace"},
                            schema->conninfo());
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.out.find("replaced 2 table(s)"), std::string::npos) << again.out;
    EXPECT_EQ(number("SELECT count(*) FROM Tables WHERE TableName LIKE 'CUST_REC%'"), 2);
    const auto dropped = vorq(folder, {"drop", "CUST_REC"}, schema->conninfo());
    EXPECT_EQ(dropped.status, 0) << dropped.err;
    for (const char* table :
         {"Tables", "Columns", "Indexes", "IndexColumns", "ForeignKeys", "ForeignKeyColumns"})
        EXPECT_EQ(number(std::string("SELECT count(*) FROM ") + table), 0) << table;
}

TEST_F(PostgresCli, TheDdlLoadsIntoAFreshDatabaseWhoseCatalogIsTheProjects) {
    const fs::path folder = prepared("ddl");
    ASSERT_EQ(
        vorq(folder, {"import", "--batch", "--source", "CUST", "--all"}, schema->conninfo()).status,
        0);
    const auto ddl = vorq(folder, {"ddl", "--dialect", "postgresql"}, schema->conninfo());
    ASSERT_EQ(ddl.status, 0) << ddl.err;

    const std::string database = "ddl_" + schema->name();
    postgres::Connection admin(testing::testServer());
    admin.exec("CREATE DATABASE " + database);
    const std::string server = testing::testServer();
    postgres::Connection fresh(server.substr(0, server.rfind('/') + 1) + database);
    fresh.exec(ddl.out);

    // Each table as "columns (name type [not null]) | pk columns | fk name -> col=table.col",
    // in lower case: the DDL leaves names unquoted, so the server folds them.
    std::map<std::string, std::string> expected, loaded;
    const auto project =
        projectdb::openProjectDatabase(schema->conninfo(), projectdb::OpenMode::ReadOnly);
    const auto catalog = projectdb::readCatalog(*project);
    const auto name = [&](std::int32_t column) { return lower(catalog.column(column)->name); };
    for (const auto& table : catalog.tables) {
        std::string& text = expected[lower(table.name)];
        for (const auto& c : table.columns)
            text += " " + lower(c.name) + " " +
                    formatType(schematool::columnType(c.type, c.precision, c.scale,
                                                      schematool::Dialect::PostgreSQL)) +
                    (c.nullable ? "" : " not null");
        text += " | pk";
        for (const auto id : table.primaryKey)
            text += " " + name(id);
        for (const auto& key : table.foreignKeys)
            for (const auto& [column, referenced] : key.columnPairs)
                text += " | " + lower(key.name) + " -> " + name(column) + "=" +
                        lower(catalog.table(key.refTabId)->name) + "." + name(referenced);
    }
    // The rows of a query about one table, each as its fields joined by separators.
    const auto rows = [&](const std::string& sql, const std::string& table,
                          const std::vector<std::string>& separators) {
        std::string text;
        const auto result = fresh.query(sql, {Value(table)});
        for (int r = 0; r < result.rows(); ++r)
            for (int f = 0; f < result.columns(); ++f)
                text +=
                    separators[static_cast<std::size_t>(f)] + lower(std::string(result.text(r, f)));
        return text;
    };
    const auto tables = fresh.query("SELECT table_name FROM information_schema.tables WHERE "
                                    "table_schema = 'public'");
    for (int t = 0; t < tables.rows(); ++t) {
        const std::string table(tables.text(t, 0));
        loaded[lower(table)] =
            rows("SELECT column_name, format_type(a.atttypid, a.atttypmod) || CASE "
                 "c.is_nullable WHEN 'NO' THEN ' not null' ELSE '' END FROM "
                 "information_schema.columns c JOIN pg_attribute a ON a.attrelid = "
                 "('public.\"' || c.table_name || '\"')::regclass AND a.attname = c.column_name "
                 "WHERE c.table_schema = 'public' AND c.table_name = $1 "
                 "ORDER BY c.ordinal_position",
                 table, {" ", " "}) +
            " | pk" +
            rows("SELECT k.column_name FROM information_schema.table_constraints t JOIN "
                 "information_schema.key_column_usage k USING (constraint_schema, "
                 "constraint_name) WHERE t.table_name = $1 AND t.constraint_type = 'PRIMARY "
                 "KEY' ORDER BY k.ordinal_position",
                 table, {" "}) +
            rows("SELECT t.constraint_name, k.column_name, u.table_name, u.column_name FROM "
                 "information_schema.table_constraints t JOIN "
                 "information_schema.key_column_usage k USING (constraint_schema, "
                 "constraint_name) JOIN information_schema.key_column_usage u ON "
                 "u.constraint_name = (SELECT unique_constraint_name FROM "
                 "information_schema.referential_constraints r WHERE r.constraint_name = "
                 "t.constraint_name) AND u.ordinal_position = k.position_in_unique_constraint "
                 "WHERE t.table_name = $1 AND t.constraint_type = 'FOREIGN KEY' "
                 "ORDER BY t.constraint_name, k.ordinal_position",
                 table, {" | ", " -> ", "=", "."});
    }
    admin.exec("DROP DATABASE " + database + " WITH (FORCE)");
    EXPECT_EQ(loaded, expected);
    ASSERT_EQ(expected.size(), 2u);
    const std::string& orders = expected["cust_rec_orders"];
    EXPECT_NE(orders.find("numeric(9,2)"), std::string::npos) << orders;
    EXPECT_NE(orders.find("->"), std::string::npos) << "a child table with its key: " << orders;
}

// Every run succeeds or fails cleanly; each made its own pair of tables, whole, under names
// that stay unique; each workspace's log holds its one run.
TEST_F(PostgresCli, ManyImportsAtOnceEachLandWholeUnderUniqueNames) {
    const fs::path pristine = prepared("pristine");
    int succeeded = 0;
    for (const int writers : {2, 8, 8}) {
        std::vector<std::future<testing::ProgramResult>> runs;
        std::vector<fs::path> folders;
        for (int w = 0; w < writers; ++w) {
            folders.push_back(dir / ("w" + std::to_string(succeeded) + "_" + std::to_string(w)));
            fs::copy(pristine, folders.back(), fs::copy_options::recursive);
        }
        for (const auto& folder : folders)
            runs.push_back(std::async(std::launch::async, [&, folder] {
                return vorq(folder, {"import", "--batch", "--source", "CUST", "--all"},
                            schema->conninfo());
            }));
        for (std::size_t w = 0; w < runs.size(); ++w) {
            const auto r = runs[w].get();
            ASSERT_EQ(r.status, 0) << r.err;
            ++succeeded;
            const auto log =
                testing::runProgram(VORQ_PROGRAM, {"log"}, folders[w].string(), environment);
            EXPECT_EQ(std::count(log.out.begin(), log.out.end(), '\n'), 1) << log.out;
        }
    }
    EXPECT_EQ(number("SELECT count(*) FROM Tables"), 2 * succeeded);
    EXPECT_EQ(number("SELECT count(DISTINCT lower(TableName)) FROM Tables"), 2 * succeeded);
    EXPECT_EQ(number("SELECT count(*) FROM ForeignKeys"), succeeded);
    // No mixed rows: each key pairs a column of its child with one of its parent.
    EXPECT_EQ(number("SELECT count(*) FROM ForeignKeyColumns P JOIN ForeignKeys K USING (KeyID) "
                     "JOIN Columns C ON C.ColumnID = P.ColumnID JOIN Columns R ON R.ColumnID = "
                     "P.RefColumnID WHERE C.TabID <> K.TabID OR R.TabID <> K.RefTabID"),
              0);
    EXPECT_EQ(number("SELECT count(*) FROM (SELECT TabID FROM Columns GROUP BY TabID HAVING "
                     "count(*) NOT IN (2, 4)) odd"),
              0)
        << "every table has the columns of one run";
}

// The server stops in the middle of an import: the run ends with the cause, names the project
// without its password, and the server holds nothing of it when it is back.
TEST_F(PostgresCli, AServerThatStopsDuringAnImportEndsTheRunCleanly) {
    const std::string script = std::string(VORQ_SOURCE_DIR) + "/scripts/pg-test-server";
    std::string server;
    {
        FILE* started = popen((script + " start 2>/dev/null").c_str(), "r");
        char line[512] = {};
        if (started && fgets(line, sizeof line, started))
            server = line;
        if (started)
            pclose(started);
    }
    if (!server.empty() && server.back() == '\n')
        server.pop_back();
    ASSERT_FALSE(server.empty()) << "a private server to stop";
    std::string conninfo;
    std::getline(std::ifstream(server + "/conninfo"), conninfo);

    // Long enough (24,000 columns) that the server stops while rows are still being written.
    std::string copybook;
    for (int r = 0; r < 400; ++r) {
        const std::string rec = "R" + std::to_string(r);
        copybook += "       01  " + rec + "-AREA.\n           05  " + rec + "-ID PIC 9(8).\n";
        for (int f = 0; f < 60; ++f)
            copybook += "           05  " + rec + "-F" + std::to_string(f) + " PIC X(9).\n";
    }
    const fs::path folder = prepared("stop", copybook);
    auto run = std::async(std::launch::async, [&] {
        return vorq(folder, {"import", "--batch", "--source", "CUST", "--all"}, conninfo);
    });
    {
        postgres::Connection watch(conninfo);
        for (int i = 0; i < 200; ++i) {
            if (watch
                    .query("SELECT count(*) FROM pg_stat_activity WHERE application_name = "
                           "'vorq' AND query LIKE 'INSERT INTO Columns%'")
                    .value(0, 0)
                    .toInt64() > 0)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    EXPECT_EQ(system((script + " pause " + server).c_str()), 0);
    ASSERT_EQ(run.wait_for(std::chrono::seconds(60)), std::future_status::ready) << "no hang";
    const auto r = run.get();
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("postgresql://vorq@127.0.0.1:"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find(":vorq-test@"), std::string::npos) << "no password: " << r.err;
    EXPECT_NE(r.err.find("was lost"), std::string::npos) << r.err;
    EXPECT_EQ(system((script + " resume " + server).c_str()), 0);
    EXPECT_EQ(
        postgres::Connection(conninfo).query("SELECT count(*) FROM Tables").value(0, 0).toInt64(),
        0);
    EXPECT_EQ(system((script + " stop " + server).c_str()), 0);
}

} // namespace
} // namespace vorq
