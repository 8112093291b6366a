#include "support/ImportHarness.h"

#include <gtest/gtest.h>

namespace vorq {
namespace {

// The progress total counted before the walk equals the column steps the walk makes.
TEST(CountColumns, EqualsTheColumnStepsOnEveryExample) {
    for (const char* threshold : {"0", "2", "10", "-1"}) {
        testing::ImportHarness h;
        cobol::DiskFileReader disk;
        workbench::Verifier verifier(*h.wb, disk, {{VORQ_EXAMPLES "/copybooks"}});
        for (const auto& source : workbench::collectSources({VORQ_EXAMPLES "/copybooks"}))
            ASSERT_TRUE(verifier.verify(source).verified) << source;
        h.option("ArrayFields", {"True"});
        h.option("Threshold", {threshold});
        for (const auto& copybook : h.wb->catalog().objectsOfClass("COPYBOOK")) {
            ASSERT_EQ(h.run(testing::all(copybook.name)), 0) << copybook.name << h.userFailure;
            EXPECT_GT(h.ws->progress().total(), 0);
            EXPECT_EQ(h.ws->progress().done(), h.ws->progress().total())
                << copybook.name << " with Threshold " << threshold;
        }
    }
}

} // namespace
} // namespace vorq
