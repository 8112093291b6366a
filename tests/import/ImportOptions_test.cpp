#include "import/KeyPattern.h"
#include "support/ImportHarness.h"

#include <gtest/gtest.h>

namespace vorq {
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
}

// The options as a press of OK reads them (on an empty choice: nothing is imported).
struct OptionsTest : ::testing::Test {
    OptionsTest() { h.verify("X.cpy", "       01  X.\n           05  Y PIC X.\n"); }
    testing::ImportHarness h;
};

TEST_F(OptionsTest, PatternsNeedAutoKeyAndThresholdNeedsArrayFields) {
    h.option("Patterns", {" *-ID ", "KEY-*"});
    h.option("Threshold", {"5"});
    h.run([&](frmImport& form, headless::HeadlessWindow& w) {
        w.button("cmdOK").click();
        EXPECT_TRUE(form.Patterns.empty()) << "AutoKey False";
        EXPECT_EQ(form.Threshold, 0) << "ArrayFields False";
    });
    h.option("AutoKey", {"True"});
    h.option("ArrayFields", {"1"});
    h.run([&](frmImport& form, headless::HeadlessWindow& w) {
        w.button("cmdOK").click();
        EXPECT_EQ(form.Patterns, (std::vector<std::string>{"*-ID", "KEY-*"}));
        EXPECT_EQ(form.Threshold, 5);
    });
}

TEST_F(OptionsTest, MissingElementsTakeSoundDefaultsAndNumbersRoundHalfToEven) {
    auto root = h.platform.optionsFile().OptionsXml();
    auto copybooks = root.select_node("//CASE[@NAME='Copybooks']").node();
    copybooks.remove_child(copybooks.find_child_by_attribute("BOOL", "NAME", "AutoKey"));
    copybooks.find_child_by_attribute("BOOL", "NAME", "ArrayFields").attribute("VALUE") = "TRUE";
    copybooks.find_child_by_attribute("NUMBER", "NAME", "Threshold").attribute("VALUE") = "2.5";
    h.run([&](frmImport& form, headless::HeadlessWindow& w) {
        w.button("cmdOK").click();
        EXPECT_EQ(form.Threshold, 2);
        EXPECT_TRUE(form.Patterns.empty());
    });
    copybooks.find_child_by_attribute("NUMBER", "NAME", "Threshold").attribute("VALUE") = "3.5";
    copybooks.remove_child(copybooks.find_child_by_attribute("BOOL", "NAME", "Strip"));
    h.run([&](frmImport& form, headless::HeadlessWindow& w) {
        w.button("cmdOK").click();
        EXPECT_EQ(form.Threshold, 4);
    });
}

TEST(StripPrefix, TheFirstMatchingEntryWithItsHyphenGoes) {
    testing::ImportHarness h;
    h.verify("X.cpy", "       01  X.\n           05  Y PIC X.\n");
    h.run([](frmImport& form, headless::HeadlessWindow&) {
        form.Prefixes = {"WS"};
        EXPECT_EQ(form.StripPrefix("ws-cust-name"), "cust-name");
        EXPECT_EQ(form.StripPrefix("WS-"), "");
        EXPECT_EQ(form.StripPrefix("WSDATE"), "WSDATE");
        form.Prefixes = {"WS-", "LK"};
        EXPECT_EQ(form.StripPrefix("LK-AREA"), "AREA");
        form.Prefixes = {"", "WS"};
        EXPECT_EQ(form.StripPrefix("WS-DATE"), "WS-DATE") << "an empty entry ends the search";
    });
}

} // namespace
} // namespace vorq
