// Our own examples against what GnuCOBOL computed for them (tests/data/examples-layout, made by
// that folder's regenerate script).

#include "cobol/CobolReader.h"
#include "support/OracleLayout.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace vorq::cobol {
namespace {

TEST(Examples, LengthsAndOffsetsAgreeWithCobc) {
    const std::filesystem::path layouts = VORQ_TEST_DATA "/examples-layout";
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VORQ_EXAMPLES "/copybooks")) {
        if (entry.path().extension() != ".cpy")
            continue;
        std::ifstream jsonl(layouts / (entry.path().filename().string() + ".jsonl"));
        ASSERT_TRUE(jsonl) << "no layout of " << entry.path() << ": run " << layouts
                           << "/regenerate";
        const auto expected = testing::oracleItems(jsonl);
        static const DiskFileReader disk;
        const auto result = readSource(entry.path().string(), disk, {});
        ASSERT_FALSE(result.diagnostics.hasErrors()) << result.diagnostics.format();
        const auto ours = testing::flattened(*result.model);
        ASSERT_EQ(ours.size(), expected.size()) << entry.path();
        for (std::size_t i = 0; i < ours.size(); ++i) {
            if (!expected[i].measured || expected[i].offset < 0)
                continue;
            EXPECT_EQ(ours[i]->offset, expected[i].offset)
                << entry.path() << " " << expected[i].name;
            EXPECT_EQ(ours[i]->length, expected[i].length)
                << entry.path() << " " << expected[i].name;
            ++compared;
        }
    }
    EXPECT_GT(compared, 50);
}

} // namespace
} // namespace vorq::cobol
