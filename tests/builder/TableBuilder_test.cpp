#include "builder/BuildMonitor.h"
#include "builder/ProjectStatements.h"
#include "builder/TableBuilder.h"
#include "host/ProjectQueries.h"
#include "projectdb/SqlText.h"
#include "support/ProjectFixture.h"
#include "support/VerifiedWorkspace.h"
#include "workbench/StoredRepository.h"

#include <gtest/gtest.h>
#include <optional>

namespace vorq::builder {
namespace {

// Counts the column steps of a build; Importing turns false after stopAfter steps.
struct StepCounter : BuildMonitor {
    int started = 0, finished = 0, stopAfter = -1;
    bool Importing() override { return stopAfter < 0 || finished < stopAfter; }
    void DoEvents() override {}
    void StartStep() override { ++started; }
    void FinishStep() override { ++finished; }
};

// The builder driven directly: the examples' records into tables of a real project database.
struct BuilderTest : testing::EngineTest {
    testing::VerifiedWorkspace examples;
    std::optional<testing::ProjectFixture> project; // made once the engine is known to be there

    void SetUp() override {
        EngineTest::SetUp();
        if (!IsSkipped())
            project.emplace(GetParam());
    }
    StepCounter monitor;
    BuildOptions options;

    std::shared_ptr<RepositoryDatabase> repository(const std::string& copybook) {
        for (const auto& o : examples.wb->catalog().objectsOfClass("COPYBOOK"))
            if (o.name == copybook)
                return workbench::StoredRepository::load(examples.wb->folder().database(o.xandrel));
        throw std::runtime_error("no copybook " + copybook);
    }
    // The first record of the copybook, made into a table as the new-table import makes it.
    bool build(testing::ProjectFixture& into, TableBuilder& builder, RepositoryDatabase& db,
               std::int64_t& counted) {
        auto records = db.ObjectsOfClass("", "DECL");
        const auto record = records->Current();
        const std::string name = into.ws->SQLID(record->Attribute("Name"));
        std::int32_t tabId = into.addTable(name);
        counted = 0;
        for (auto children = record->Children(); !children->AtEnd(); children->MoveNext())
            counted += builder.CountColumns(*children->Current(), true);
        std::vector<std::int32_t> keys;
        for (auto children = record->Children(); !children->AtEnd(); children->MoveNext())
            if (!builder.ImportItem(*children->Current(), name, tabId, "", true, false, keys))
                return false;
        builder.AddPrimaryKey(tabId, name, builder.sourceReference(record->ObjectId()), true, keys);
        return true;
    }
};

INSTANTIATE_TEST_SUITE_P(Engines, BuilderTest, testing::allEngines(), testing::engineName);

// A PostgreSQL project answers these two questions for the run's own tables by their text with
// the number taken out, as its engine takes it out.
TEST(ProjectStatements, TheKeyQuestionsAreTheTextsThatTheProjectAnswersFromTheRunsRows) {
    for (const std::string& asked : {referencingKeysQuery(12), keyColumnQuery(12)}) {
        std::vector<Value> numbers;
        const std::string question = projectdb::numbersAsParameters(asked, numbers);
        EXPECT_TRUE(question == projectQueries::kReferencingKeys ||
                    question == projectQueries::kKeyColumns)
            << question;
        EXPECT_EQ(numbers, std::vector<Value>{Value(12)});
    }
}

// The progress total counted before the walk equals the column steps the walk makes.
TEST_P(BuilderTest, CountColumnsEqualsTheColumnStepsOnEveryExample) {
    for (const std::int32_t threshold : {0, 2, 10, -1}) {
        options.Threshold = threshold;
        for (const auto& copybook : examples.wb->catalog().objectsOfClass("COPYBOOK")) {
            testing::ProjectFixture fresh(GetParam());
            TableBuilder builder(*fresh.ws, *fresh.db, options, monitor);
            auto db = repository(copybook.name);
            auto record = db->ObjectsOfClass("", "DECL")->Current();
            std::int64_t counted = 0;
            for (auto children = record->Children(); !children->AtEnd(); children->MoveNext())
                counted += builder.CountColumns(*children->Current(), true);
            monitor = {};
            fresh.db->BeginTrans();
            std::int32_t tabId = fresh.addTable("T");
            std::vector<std::int32_t> keys;
            for (auto children = record->Children(); !children->AtEnd(); children->MoveNext())
                ASSERT_TRUE(
                    builder.ImportItem(*children->Current(), "T", tabId, "", true, false, keys));
            EXPECT_GT(counted, 0) << copybook.name;
            EXPECT_EQ(monitor.finished, counted)
                << copybook.name << " with Threshold " << threshold;
            EXPECT_EQ(monitor.started, monitor.finished);
            fresh.db->CommitTrans();
        }
    }
}

TEST_P(BuilderTest, ChildTablesGetTheParentsKeyAndIdxAndStopWhenInterrupted) {
    options.Threshold = 2;
    options.Patterns = {"*-ID", "*-NO"};
    TableBuilder builder(*project->ws, *project->db, options, monitor);
    builder.SourceKey = "7";
    auto db = repository("CUSTMAST");
    std::int64_t counted = 0;
    project->db->BeginTrans();
    ASSERT_TRUE(build(*project, builder, *db, counted));
    project->db->CommitTrans();
    EXPECT_EQ(monitor.finished, counted);
    EXPECT_GT(project->count("SELECT count(*) FROM Tables"), 1) << "OCCURS over 2 made a child";
    EXPECT_EQ(project->count("SELECT count(*) FROM Columns WHERE ColumnName = 'idx'"),
              project->count("SELECT count(*) FROM ForeignKeys"));
    EXPECT_EQ(project->count("SELECT count(*) FROM Columns WHERE SourceReference NOT LIKE "
                             "'xr:7?%'"),
              0)
        << "every column refers to the source";
    EXPECT_EQ(project->count("SELECT count(*) FROM Columns WHERE ColumnName = 'CUST_ID'"),
              project->count("SELECT count(*) FROM Tables"))
        << "the key is copied into each child table";

    testing::ProjectFixture other(GetParam());
    TableBuilder stopped(*other.ws, *other.db, options, monitor);
    monitor = {};
    monitor.stopAfter = 1;
    other.db->BeginTrans();
    EXPECT_FALSE(build(other, stopped, *db, counted)) << "an interrupted walk says so";
    EXPECT_EQ(monitor.finished, 1);
    other.db->Rollback();
}

} // namespace
} // namespace vorq::builder
