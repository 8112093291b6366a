// Our own examples against GnuCOBOL, computed afresh (where cobc is installed).

#include "cobol/CobolReader.h"
#include "support/OracleLayout.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace vorq::cobol {
namespace {

TEST(Examples, LengthsAndOffsetsAgreeWithCobc) {
    const std::filesystem::path tool = VORQ_CORPUS "/../tools/cobc-layout/layout.sh";
    if (std::system("command -v cobc >/dev/null 2>&1") != 0 || !std::filesystem::exists(tool))
        GTEST_SKIP() << "cobc or the cobc-layout tool is absent; skipped";
    testing::TempDir dir;
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VORQ_EXAMPLES "/copybooks")) {
        const auto out = dir / (entry.path().filename().string() + ".jsonl");
        const std::string command = "bash " + tool.string() + " " + entry.path().string() + " > " +
                                    out.string() + " 2>/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << "cobc rejected " << entry.path();
        std::ifstream jsonl(out);
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
