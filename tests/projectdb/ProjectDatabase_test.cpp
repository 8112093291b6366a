#include "host/Error.h"
#include "postgres/Postgres.h"
#include "projectdb/ProjectSchema.h"
#include "projectdb/SqliteProjectDatabase.h"
#include "support/ProjectFixture.h"

#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

namespace vorq::projectdb {
namespace {

using testing::ProjectFixture;
using Mode = sqlite::Connection::Mode;

// The behaviour that the component relies on, on every engine.
struct ProjectDatabase : testing::EngineTest {};
INSTANTIATE_TEST_SUITE_P(Engines, ProjectDatabase, testing::allEngines(), testing::engineName);

std::string openError(const std::filesystem::path& path, OpenMode mode = OpenMode::ReadWrite) {
    try {
        SqliteProjectDatabase db(path, mode);
    } catch (const Error& e) {
        return e.description();
    }
    return "opened";
}

TEST(SqliteProject, RefusesMissingCorruptForeignAndNewerFilesWithoutChangingThem) {
    testing::TempDir dir;
    EXPECT_EQ(openError(dir / "none.db"), (dir / "none.db").string() + " does not exist");
    EXPECT_FALSE(std::filesystem::exists(dir / "none.db"));

    std::ofstream(dir / "text.db") << "this is a text file, not a database, long enough to check";
    EXPECT_EQ(openError(dir / "text.db"),
              "Cannot open the project database " + (dir / "text.db").string() + ": " +
                  (dir / "text.db").string() +
                  " is not a database or is damaged (file is not a database)");

    {
        sqlite::Connection other(dir / "other.db", Mode::CreateIfMissing);
        other.exec("CREATE TABLE T (x)");
    }
    EXPECT_EQ(openError(dir / "other.db"),
              (dir / "other.db").string() +
                  " is not a vorq project database (it is another SQLite database)");

    { SqliteProjectDatabase fresh(dir / "new.db", OpenMode::CreateIfMissing); }
    sqlite::Connection(dir / "new.db", Mode::ReadWrite).exec("PRAGMA user_version = 9");
    EXPECT_EQ(openError(dir / "new.db"),
              (dir / "new.db").string() +
                  " was written by a newer vorq (schema version 9; this program reads up to " +
                  std::to_string(kSchemaVersion) + ")");
}

TEST_P(ProjectDatabase, AnOlderProjectGetsItsLineageIntoItsRowsWhenOpenedForWriting) {
    for (const int version : {1, 2}) {
        ProjectFixture p(GetParam());
        p.db->BeginTrans();
        p.addColumn(p.addTable("OLD"), "AMOUNT");
        p.db->CommitTrans();
        p.makeOlderSchema(version);
        {
            auto reading = openProjectDatabase(p.location(), OpenMode::ReadOnly);
            EXPECT_EQ(reading->hasTable("Lineage"), version == 2) << "reading changes nothing";
        }
        auto writing = openProjectDatabase(p.location(), OpenMode::ReadWrite);
        EXPECT_FALSE(writing->hasTable("Lineage"));
        const auto lineage = [&](const std::string& table) {
            auto row = writing->prepare("SELECT coalesce(LineageRole, '-') || ':' || "
                                        "coalesce(LineageOccurrence, 0) FROM " +
                                        table);
            return row->step() ? row->text(0) : "";
        };
        EXPECT_EQ(lineage("Tables"), version == 2 ? "table:1" : "-:0") << "version " << version;
        EXPECT_EQ(lineage("Columns"), version == 2 ? "item:1" : "-:0") << "version " << version;
    }
}

TEST(SqliteProject, ALockedDatabaseIsAClearErrorAndChangesNothing) {
    ProjectFixture p;
    sqlite::Connection other(p.dir / "project.db", Mode::ReadWrite);
    other.exec("BEGIN IMMEDIATE");
    dynamic_cast<SqliteProjectDatabase&>(*p.db).setWriterWait(std::chrono::seconds(1));
    try {
        p.db->BeginTrans();
        FAIL() << "BeginTrans should wait and then fail";
    } catch (const Error& e) {
        EXPECT_EQ(e.description(), "The project " + (p.dir / "project.db").string() +
                                       " is busy: another program's run held it for 1 s; try "
                                       "again when it has ended");
    }
    other.exec("ROLLBACK");
    EXPECT_FALSE(p.db->inTransaction());
}

TEST_P(ProjectDatabase, AddNewGivesTheIdBeforeUpdateAndLinksAreCheckedAtCommit) {
    ProjectFixture p(GetParam());
    std::int32_t tab = p.addTable("CUSTOMER");
    const std::int32_t index = p.ws->PrimaryAdd(tab);
    p.db->BeginTrans();
    auto columns = p.db->OpenRecordset("Columns");
    auto indexColumns = p.db->OpenRecordset("IndexColumns");
    columns->AddNew();
    columns->Fields("TabID") = tab;
    columns->Fields("columnname") = "CUST_ID";
    columns->Fields("Position") = 1;
    const std::int64_t newId = columns->Fields("ColumnId").value().toInt64();
    EXPECT_GT(newId, 0);
    // The key row names the column before the column row is saved.
    indexColumns->AddNew();
    indexColumns->Fields("IndexID") = index;
    indexColumns->Fields("ColumnId") = newId;
    indexColumns->Fields("Direction") = "A";
    indexColumns->Update();
    columns->Update();
    const std::int32_t other = p.addColumn(tab, "OTHER");
    EXPECT_GT(other, newId) << "an automatic id never reuses a reserved one";
    p.db->CommitTrans();

    auto key = p.db->OpenRecordset(
        std::string("select C.*, IC.Position as IPosition ") +
        "from Tables T, IndexColumns IC, Columns C " + "where T.PrimaryIndexID = IC.IndexID " +
        "and IC.ColumnID = C.ColumnID " + "and T.TabID = " + std::to_string(tab) + " " +
        "order by IC.Position");
    ASSERT_FALSE(key->Eof());
    EXPECT_EQ(key->Fields("ColumnName").value().toString(), "CUST_ID");
    EXPECT_EQ(key->Fields("ColumnId").value().toInt64(), newId);
    EXPECT_EQ(key->Fields("IPosition").value().toInt64(), 1)
        << "a key column added without a position takes the next of its index";
    key->MoveNext();
    EXPECT_TRUE(key->Eof());
    EXPECT_THROW(key->Fields("ColumnName").value(), Error) << "no current record";

    p.db->BeginTrans();
    p.db->Execute("insert into ForeignKeyColumns(KeyID,ColumnID, RefColumnID) values (999,1,1)");
    EXPECT_THROW(p.db->CommitTrans(), Error) << "a dangling link fails the commit";
    p.db->Rollback();
    EXPECT_EQ(p.count("SELECT count(*) FROM ForeignKeyColumns"), 0);
}

TEST_P(ProjectDatabase, TheFixedStatementTextsRunUnchanged) {
    ProjectFixture p(GetParam());
    const std::int32_t parent = p.addTable("PARENT");
    std::int32_t child = p.addTable("CHILD");
    std::int32_t keyId = 0;
    std::int32_t parentRef = parent;
    ASSERT_TRUE(p.ws->ForeignAdd(child, parentRef, "CHILD_OCCURS", keyId));
    const std::int32_t pk = p.addColumn(parent, "ID");
    const std::int32_t fk = p.addColumn(child, "ID");
    const std::int32_t index = p.ws->PrimaryAdd(child);

    p.db->BeginTrans();
    p.db->Execute("insert into IndexColumns(IndexID,ColumnID, Direction, Position) values (" +
                  std::to_string(index) + "," + std::to_string(fk) + ",'A',-1)");
    p.db->Execute("insert into ForeignKeyColumns(KeyID,ColumnID, RefColumnID) values (" +
                  std::to_string(keyId) + "," + std::to_string(fk) + "," + std::to_string(pk) +
                  ")");
    p.db->CommitTrans();

    auto refs =
        p.db->OpenRecordset("select * from ForeignKeys where RefTabID = " + std::to_string(parent));
    ASSERT_FALSE(refs->Eof());
    EXPECT_EQ(refs->Fields("TabID").value().toLong(), child);
    EXPECT_EQ(refs->Fields("KeyID").value().toLong(), keyId);
    EXPECT_TRUE(p.db->OpenRecordset("select * from ForeignKeys where RefTabID = -1")->Eof());
    // Numbers that are not compared (here a function's arguments) stay as written.
    EXPECT_EQ(p.db->OpenRecordset("select substr(TableName, 1, 3) as Head from Tables where "
                                  "TabID = " +
                                  std::to_string(parent))
                  ->Fields("Head")
                  .value()
                  .toString(),
              "PAR");
    EXPECT_THROW(p.db->OpenRecordset("NoSuchTable"), Error);
}

// Rows that nothing answers may travel in batches; every value arrives as it was written.
TEST_P(ProjectDatabase, RowsAddedWithoutAnAnswerKeepEveryValueExactly) {
    ProjectFixture p(GetParam());
    const std::int32_t tab = p.addTable("TEXTS");
    const std::vector<std::string> texts = {
        "", "NULL", "a,b", "{x}", "say \"hi\"", "back\\slash", "  blanks  ", "Müller\tTab"};
    p.db->BeginTrans();
    auto columns = p.db->OpenRecordset("Columns");
    for (std::size_t i = 0; i < texts.size(); ++i) {
        columns->AddNew();
        columns->Fields("TabID") = tab;
        columns->Fields("ColumnName") = "C" + std::to_string(i);
        columns->Fields("Position") = static_cast<std::int32_t>(i + 1);
        columns->Fields("Description") = texts[i];
        columns->Update();
    }
    columns->AddNew();
    columns->Fields("TabID") = tab;
    columns->Fields("ColumnName") = "NOTHING";
    columns->Fields("Position") = 99;
    columns->Fields("Description") = Value();
    columns->Update();
    p.db->CommitTrans();
    auto read = p.db->prepare("SELECT Description FROM Columns WHERE TabID = ?1 ORDER BY Position");
    read->bind(1, tab);
    for (const auto& text : texts) {
        ASSERT_TRUE(read->step());
        EXPECT_EQ(read->column(0).toString(), text);
    }
    ASSERT_TRUE(read->step());
    EXPECT_TRUE(read->column(0).isNull()) << "NULL stays NULL, unlike the text \"NULL\"";
}

TEST_P(ProjectDatabase, RollbackUndoesEveryRowOfTheTransaction) {
    ProjectFixture p(GetParam());
    p.db->BeginTrans();
    std::int32_t tab = p.addTable("GONE");
    p.addColumn(tab, "A");
    p.ws->PrimaryAdd(tab);
    p.db->Rollback();
    EXPECT_EQ(p.count("SELECT count(*) FROM Tables"), 0);
    EXPECT_EQ(p.count("SELECT count(*) FROM Columns"), 0);
    EXPECT_EQ(p.count("SELECT count(*) FROM Indexes"), 0);
}

TEST(SqliteProject, DamagedPagesAreFoundOnOpenAndTheFileIsLeftAlone) {
    testing::TempDir dir;
    {
        ProjectFixture project;
        for (int i = 0; i < 300; ++i)
            project.addColumn(project.addTable("T" + std::to_string(i)), "C");
        std::filesystem::copy_file(project.dir / "project.db", dir / "damaged.db");
    }
    {
        std::fstream file(dir / "damaged.db", std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(4096 * 3 + 200); // inside a page of rows, past the file header
        const std::string garbage(600, '\xA5');
        file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
    }
    const auto before = std::filesystem::file_size(dir / "damaged.db");
    const std::string error = openError(dir / "damaged.db");
    EXPECT_NE(error.find("is damaged"), std::string::npos) << error;
    EXPECT_NE(error.find((dir / "damaged.db").string()), std::string::npos) << error;
    EXPECT_EQ(std::filesystem::file_size(dir / "damaged.db"), before);
}

// Programs that open the same new project at once all find one schema: none sees another's
// half-made one.
TEST_P(ProjectDatabase, ProgramsCreatingOneNewProjectAtOnceAllSucceed) {
    for (int round = 0; round < 3; ++round) {
        testing::TempDir dir;
        std::optional<testing::ScratchSchema> schema;
        if (GetParam() == testing::Engine::PostgreSQL)
            schema.emplace();
        const std::string project = schema ? schema->conninfo() : (dir / "new.db").string();
        std::vector<pid_t> children;
        for (int i = 0; i < 4; ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                try {
                    openProjectDatabase(project, OpenMode::CreateIfMissing);
                    _exit(0);
                } catch (const std::exception&) {
                    _exit(1);
                }
            }
            children.push_back(pid);
        }
        for (const pid_t pid : children) {
            int status = 0;
            waitpid(pid, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
        }
        EXPECT_NO_THROW(openProjectDatabase(project, OpenMode::ReadOnly)) << "a whole schema";
    }
}

} // namespace
} // namespace vorq::projectdb
