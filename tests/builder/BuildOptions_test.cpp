#include "builder/BuildOptions.h"
#include "builder/KeyPattern.h"

#include <gtest/gtest.h>

namespace vorq::builder {
namespace {

TEST(KeyPatterns, WholeNameCaseSensitiveWithWildcardsAndLists) {
    EXPECT_TRUE(matchesPattern("CUST-ID", "*-ID"));
    EXPECT_FALSE(matchesPattern("cust-id", "*-ID"));
    EXPECT_TRUE(matchesPattern("ID7", "ID#"));
    EXPECT_FALSE(matchesPattern("IDX", "ID#"));
    EXPECT_TRUE(matchesPattern("KEY-A", "KEY-[A-C]"));
    EXPECT_FALSE(matchesPattern("KEY-D", "KEY-[A-C]"));
    EXPECT_TRUE(matchesPattern("KEY-D", "KEY-[!A-C]"));
    EXPECT_TRUE(matchesPattern("AB", "?B"));
    EXPECT_FALSE(matchesPattern("CUST-ID-2", "*-ID"));
    EXPECT_TRUE(matchesPattern("", "*"));
    EXPECT_TRUE(matchesPattern("A-B-ID", "*-*-ID"));
    EXPECT_TRUE(matchesPattern("[X", "[X")) << "an unclosed bracket stands for itself";
    EXPECT_FALSE(matchesPattern("AB", "A*C*"));
}

// Many stars against a long name that fails at its end must not take exponential time: this
// pattern took minutes with a matcher that tried every split.
TEST(KeyPatterns, ManyStarsStayLinear) {
    const std::string name(200, 'A');
    std::string pattern;
    for (int i = 0; i < 30; ++i)
        pattern += "*A";
    EXPECT_FALSE(matchesPattern(name, pattern + "B"));
    EXPECT_TRUE(matchesPattern(name, pattern + "*"));
}

TEST(StripPrefix, TheFirstMatchingEntryWithItsHyphenGoes) {
    BuildOptions options;
    options.Prefixes = {"WS"};
    EXPECT_EQ(options.StripPrefix("ws-cust-name"), "cust-name");
    EXPECT_EQ(options.StripPrefix("WS-"), "");
    EXPECT_EQ(options.StripPrefix("WSDATE"), "WSDATE");
    options.Prefixes = {"WS-", "LK"};
    EXPECT_EQ(options.StripPrefix("LK-AREA"), "AREA");
    options.Prefixes = {"", "WS"};
    EXPECT_EQ(options.StripPrefix("WS-DATE"), "WS-DATE") << "an empty entry ends the search";
}

TEST(MatchesKeyPatterns, AnyPatternOfTheList) {
    BuildOptions options;
    EXPECT_FALSE(options.MatchesKeyPatterns("CUST-ID")) << "no patterns, no keys";
    options.Patterns = {"KEY-*", "*-ID"};
    EXPECT_TRUE(options.MatchesKeyPatterns("CUST-ID"));
    EXPECT_TRUE(options.MatchesKeyPatterns("KEY-1"));
    EXPECT_FALSE(options.MatchesKeyPatterns("CUST-NAME"));
}

} // namespace
} // namespace vorq::builder
