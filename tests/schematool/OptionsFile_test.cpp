#include "host/Error.h"
#include "schematool/OptionsFile.h"
#include "schematool/ProgressDisplay.h"
#include "schematool/SchemaToolPlatform.h"
#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace vorq::schematool {
namespace {

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(OptionsFile, IsCreatedWithDefaultsThatTheImportQueriesFind) {
    testing::TempDir dir;
    OptionsFile options(dir / "options.xml");
    ASSERT_TRUE(std::filesystem::exists(dir / "options.xml"));
    const pugi::xml_node node =
        options.OptionsXml()
            .select_node("//LIST[@NAME='VorqOptions']/CASE[@NAME='ImportOptions']"
                         "/LIST[@NAME='Import']/CASE[@NAME='Copybooks']")
            .node();
    ASSERT_TRUE(node);
    EXPECT_STREQ(node.select_node("./BOOL[@NAME='Strip']").node().attribute("VALUE").value(),
                 "False");
    EXPECT_EQ(node.select_node("./NUMBER[@NAME='Threshold']").node().attribute("VALUE").as_int(-1),
              0);
    EXPECT_FALSE(node.select_node("./STRINGS[@NAME='Patterns']").node().first_child());
    EXPECT_EQ(options.identifierLimit(), 128);
}

TEST(OptionsFile, SettingValidatesAndABadValueChangesNothing) {
    testing::TempDir dir;
    OptionsFile options(dir / "options.xml");
    options.set("Strip", {"1"});
    options.set("Prefixes", {"WS", "LK-"});
    options.set("Threshold", {"-5"});
    options.save();
    const std::string saved = fileText(dir / "options.xml");

    OptionsFile again(dir / "options.xml");
    EXPECT_EQ(again.show("Strip"), "True");
    EXPECT_EQ(again.show("Prefixes"), "WS, LK-");
    EXPECT_EQ(again.show("Threshold"), "-5");
    EXPECT_THROW(again.set("Threshold", {"99999999999"}), Error);
    EXPECT_THROW(again.set("Threshold", {"ten"}), Error);
    EXPECT_THROW(again.set("AutoKey", {"maybe"}), Error);
    EXPECT_THROW(again.set("Strip", {"True", "False"}), Error);
    EXPECT_THROW(again.set("Colour", {"blue"}), Error);
    EXPECT_THROW(again.set("IdentifierLimit", {"5"}), Error);
    EXPECT_EQ(again.show("Threshold"), "-5");
    EXPECT_EQ(fileText(dir / "options.xml"), saved);
    again.set("Prefixes", {});
    EXPECT_EQ(again.show("Prefixes"), "");
    again.set("Threshold", {"2.5"});
    EXPECT_EQ(again.show("Threshold"), "2") << "the import's rule: halves go to the even number";
}

// The file is read by the rules the import reads it with: what the import could not read is
// named with its line when the file is opened, never taken as a default.
TEST(OptionsFile, AValueTheImportCannotReadIsNamedWithItsLine) {
    testing::TempDir dir;
    {
        OptionsFile options(dir / "options.xml");
        options.save();
    }
    std::string text = fileText(dir / "options.xml");
    const auto at = text.find("\"Threshold\" VALUE=\"0\"");
    text.replace(at, std::string("\"Threshold\" VALUE=\"0\"").size(),
                 "\"Threshold\" VALUE=\"lots\"");
    std::ofstream(dir / "options.xml") << text;
    const auto line = std::count(text.begin(), text.begin() + static_cast<long>(at), '\n') + 1;
    try {
        OptionsFile options(dir / "options.xml");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.description(), (dir / "options.xml").string() + ":" + std::to_string(line) +
                                       ": Threshold takes a whole number, not lots");
    }
}

TEST(OptionsFile, UnreadableXmlIsAnErrorNamingTheFile) {
    testing::TempDir dir;
    std::ofstream(dir / "options.xml") << "<OPTIONS><LIST";
    try {
        OptionsFile options(dir / "options.xml");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.description().rfind((dir / "options.xml").string() + ":1: the options file is "
                                                                         "not readable XML",
                                        0),
                  0u)
            << e.description();
    }
}

TEST(FormatMessage, ReplacesNumberedPlaceholders) {
    EXPECT_EQ(formatMessage("Item %1 has no subitems.", {"CUST-NO PICTURE 9(5)"}),
              "Item CUST-NO PICTURE 9(5) has no subitems.");
    EXPECT_EQ(formatMessage("%1から%2", {"A", "B"}), "AからB");
    EXPECT_EQ(formatMessage("100% of %1 and %3", {"x"}), "100% of x and %3");
}

TEST(ProgressDisplay, IsSilentWhenStderrIsNoTerminal) {
    std::FILE* file = std::tmpfile();
    ProgressDisplay progress(file);
    progress.start("Importing", 3);
    progress.finishStep(1);
    progress.finishStep(2);
    progress.finish();
    EXPECT_EQ(progress.done(), 3);
    EXPECT_EQ(std::ftell(file), 0);
    std::fclose(file);
}

TEST(OptionsFile, ADoctypeIsRefusedAndNoEntityIsExpanded) {
    vorq::testing::TempDir dir;
    std::ofstream(dir / "options.xml")
        << "<?xml version=\"1.0\"?>\n<!DOCTYPE OPTIONS [<!ENTITY big \"aaaaaaaaaa\">]>\n"
           "<OPTIONS>&big;</OPTIONS>\n";
    try {
        OptionsFile options(dir / "options.xml");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.description(), (dir / "options.xml").string() +
                                       ":2: the options file has a DOCTYPE declaration, which it "
                                       "may not");
    }
}

TEST(OptionsFile, AFolderInItsPlaceIsNamed) {
    vorq::testing::TempDir dir;
    std::filesystem::create_directories(dir / "options.xml");
    try {
        OptionsFile options(dir / "options.xml");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.description(), "The options file " + (dir / "options.xml").string() +
                                       " is a folder, not a file");
    }
}

} // namespace
} // namespace vorq::schematool
