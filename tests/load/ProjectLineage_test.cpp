#include "load/ProjectLineage.h"
#include "support/ProjectFixture.h"

#include <gtest/gtest.h>

namespace vorq::load {
namespace {

struct ProjectLineageReading : testing::EngineTest {};
INSTANTIATE_TEST_SUITE_P(Engines, ProjectLineageReading, testing::allEngines(),
                         testing::engineName);

// A load only reads the project: an older one is read as it was left, lineage and all.
TEST_P(ProjectLineageReading, EveryVersionOfTheProjectIsReadAsItWasLeft) {
    for (const int version : {1, 2, 3}) {
        testing::ProjectFixture p(GetParam());
        p.db->BeginTrans();
        const std::int32_t tab = p.addTable("RECORD");
        const std::int32_t column = p.addColumn(tab, "AMOUNT");
        p.db->CommitTrans();
        if (version < 3)
            p.makeOlderSchema(version);
        const auto db = projectdb::openProjectDatabase(p.location(), projectdb::OpenMode::ReadOnly);
        const ProjectLineage lineage = readLineage(*db);
        if (version == 1) {
            EXPECT_TRUE(lineage.tables.empty());
            EXPECT_TRUE(lineage.columns.empty());
            continue;
        }
        ASSERT_EQ(lineage.tables.count(tab), 1u) << "version " << version;
        EXPECT_EQ(lineage.tables.at(tab).role, "table");
        EXPECT_EQ(lineage.tables.at(tab).sourceReference, "xr:K?1");
        ASSERT_EQ(lineage.columns.count(column), 1u) << "version " << version;
        EXPECT_EQ(lineage.columns.at(column).role, "item");
        EXPECT_EQ(lineage.columns.at(column).occurrence, 1);
        EXPECT_EQ(lineage.columns.at(column).sourceReference, "xr:K?2");
    }
}

} // namespace
} // namespace vorq::load
