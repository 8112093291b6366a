#include "host/Error.h"
#include "resources/ResModule.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <gtest/gtest.h>

namespace vorq {
namespace {

// The translations keep what the dialog relies on: the same placeholders, the same access
// key in each caption, and text of their own script.
TEST(StringTable, TranslationsKeepPlaceholdersAndAccessKeys) {
    const auto accessKey = [](const std::string& text) {
        const auto at = text.find('&');
        return at == std::string::npos || at + 1 == text.size() ? '\0' : text[at + 1];
    };
    const auto nonAscii = [](const std::string& text) {
        return std::any_of(text.begin(), text.end(),
                           [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    };
    for (const StringTableEntry& entry : stringTable()) {
        const auto id = static_cast<StringId>(entry.id);
        const std::string english = LoadResString(id, Language::English);
        for (const Language language : {Language::Japanese, Language::Korean}) {
            const std::string text = LoadResString(id, language);
            EXPECT_EQ(text.find("%1") != std::string::npos, english.find("%1") != std::string::npos)
                << entry.id;
            EXPECT_EQ(std::toupper(accessKey(text)), std::toupper(accessKey(english))) << entry.id;
            EXPECT_TRUE(english == "OK" || nonAscii(text)) << entry.id << " is translated";
        }
    }
    EXPECT_EQ(LoadResString(StringId::InterruptedByUser, Language::Korean),
              "사용자에 의해 중단되었습니다. ")
        << "trailing blanks are part of the texts";
    EXPECT_EQ(LoadResString(StringId::ProgressCaption, Language::Japanese), "インポート中");
}

TEST(StringTable, AnIdOutsideTheTableIsAnErrorNamingIt) {
    for (int id : {99, 109, 499, 514}) {
        try {
            LoadResString(static_cast<StringId>(id), Language::English);
            FAIL() << id;
        } catch (const Error& e) {
            EXPECT_EQ(e.description(),
                      "Resource with identifier '" + std::to_string(id) + "' not found");
        }
    }
}

struct Locale {
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    Language expected;
};

TEST(UserLanguage, FirstSetVariableOfLcAllLcMessagesLangDecides) {
    const Locale cases[] = {
        {nullptr, nullptr, "ja_JP.UTF-8", Language::Japanese},
        {nullptr, nullptr, "ko_KR.UTF-8", Language::Korean},
        {nullptr, nullptr, "de_DE.UTF-8", Language::English},
        {nullptr, nullptr, nullptr, Language::English},
        {nullptr, "ko_KR", "ja_JP", Language::Korean},
        {"en_US", "ko_KR", "ja_JP", Language::English},
        {"", "ja", "ko", Language::Japanese}, // an empty variable does not count
        {"C", nullptr, "ja_JP", Language::English},
    };
    for (const Locale& c : cases) {
        for (auto [name, value] :
             {std::pair{"LC_ALL", c.lcAll}, {"LC_MESSAGES", c.lcMessages}, {"LANG", c.lang}})
            value ? setenv(name, value, 1) : unsetenv(name);
        EXPECT_EQ(UserLanguage(), c.expected)
            << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
            << (c.lang ? c.lang : "-");
    }
    unsetenv("LC_MESSAGES");
    unsetenv("LANG");
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    EXPECT_EQ(LoadResString(StringId::OptionsCaption), "Op&tions");
    setenv("LC_ALL", "ja_JP.UTF-8", 1);
    EXPECT_EQ(LoadResString(StringId::OptionsCaption), "オプション(&T)");
    setenv("LC_ALL", "C", 1);
}

} // namespace
} // namespace vorq
