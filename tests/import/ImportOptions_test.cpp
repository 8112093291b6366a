#include "import/ImportOptions.h"
#include "support/ImportHarness.h"

#include <gtest/gtest.h>

namespace vorq::import {
namespace {

// The options as a press of OK reads them from the workspace's options file.
struct OptionsTest : ::testing::Test {
    ImportOptions read() { return ReadOptions(h.platform.optionsFile(), importOptionsPath()); }
    testing::ImportHarness h;
};

TEST_F(OptionsTest, PatternsNeedAutoKeyAndThresholdNeedsArrayFields) {
    h.option("Patterns", {" *-ID ", "KEY-*"});
    h.option("Threshold", {"5"});
    EXPECT_TRUE(read().build.Patterns.empty()) << "AutoKey False";
    EXPECT_EQ(read().build.Threshold, 0) << "ArrayFields False";
    h.option("AutoKey", {"True"});
    h.option("ArrayFields", {"1"});
    EXPECT_EQ(read().build.Patterns, (std::vector<std::string>{"*-ID", "KEY-*"}));
    EXPECT_EQ(read().build.Threshold, 5);
    EXPECT_TRUE(read().AutoKey);
}

TEST_F(OptionsTest, MissingElementsTakeSoundDefaultsAndNumbersRoundHalfToEven) {
    auto root = h.platform.optionsFile().OptionsXml();
    auto copybooks = root.select_node("//CASE[@NAME='Copybooks']").node();
    copybooks.remove_child(copybooks.find_child_by_attribute("BOOL", "NAME", "AutoKey"));
    copybooks.find_child_by_attribute("BOOL", "NAME", "ArrayFields").attribute("VALUE") = "TRUE";
    copybooks.find_child_by_attribute("NUMBER", "NAME", "Threshold").attribute("VALUE") = "2.5";
    EXPECT_EQ(read().build.Threshold, 2);
    EXPECT_TRUE(read().build.Patterns.empty());
    EXPECT_FALSE(read().AutoKey);
    copybooks.find_child_by_attribute("NUMBER", "NAME", "Threshold").attribute("VALUE") = "3.5";
    copybooks.remove_child(copybooks.find_child_by_attribute("BOOL", "NAME", "Strip"));
    EXPECT_EQ(read().build.Threshold, 4);
    EXPECT_TRUE(read().build.Prefixes.empty());
}

TEST_F(OptionsTest, AValueThatIsNoNumberIsAnErrorNamingTheOptionNotAZero) {
    auto root = h.platform.optionsFile().OptionsXml();
    auto copybooks = root.select_node("//CASE[@NAME='Copybooks']").node();
    copybooks.find_child_by_attribute("BOOL", "NAME", "ArrayFields").attribute("VALUE") = "True";
    copybooks.find_child_by_attribute("NUMBER", "NAME", "Threshold").attribute("VALUE") = "ten";
    try {
        read();
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.description(),
                  "The import option Threshold is 'ten', which is no 32-bit whole number");
    }
    copybooks.find_child_by_attribute("BOOL", "NAME", "Strip").attribute("VALUE") = "maybe";
    EXPECT_THROW(read(), Error);
}

TEST_F(OptionsTest, AnEmptyChoiceReadsTheOptionsAndImportsNothing) {
    h.verify("X.cpy", "       01  X.\n           05  Y PIC X.\n");
    EXPECT_EQ(h.run([](frmImport&, headless::HeadlessWindow& w) { w.button("cmdOK").click(); }),
              -3);
    EXPECT_EQ(h.toolkit.messages().back().prompt, "Please check data item(s) to be added.");
}

} // namespace
} // namespace vorq::import
