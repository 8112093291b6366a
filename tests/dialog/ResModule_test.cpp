#include "dialog/ResModule.h"
#include "dialog/StringTable.h"
#include "host/Error.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace vorq {
namespace {

std::string fromHex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

TEST(StringTable, EveryTextMatchesTheReferenceByteForByte) {
    std::ifstream in(VORQ_TEST_DATA "/strings.tsv");
    ASSERT_TRUE(in) << "missing fixture strings.tsv";
    std::string line;
    std::set<int> ids;
    int checked = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        int id = 0, language = 0;
        std::string hex;
        fields >> id >> language >> hex;
        EXPECT_EQ(LoadResString(id, static_cast<Language>(language)), fromHex(hex))
            << "string " << id << " in language " << language;
        ids.insert(id);
        ++checked;
    }
    EXPECT_EQ(checked, 3 * static_cast<int>(kStringTableSize));
    EXPECT_EQ(ids.size(), kStringTableSize);
    EXPECT_EQ(*ids.begin(), 100);
    EXPECT_EQ(*ids.rbegin(), 513);
}

TEST(StringTable, KeepsTrailingBlanksOfKoreanMessages) {
    EXPECT_EQ(LoadResString(510, Language::Korean), "사용자에 의해 중단되었습니다. ");
    EXPECT_EQ(LoadResString(510, Language::English), "Interrupted by the user.");
}

TEST(StringTable, UnknownIdIsAnErrorNamingIt) {
    for (int id : {99, 109, 499, 514}) {
        try {
            LoadResString(id, Language::English);
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
    EXPECT_EQ(LoadResString(100), "Op&tions");
    setenv("LC_ALL", "ja_JP.UTF-8", 1);
    EXPECT_EQ(LoadResString(100), "オプション(&T)");
    setenv("LC_ALL", "C", 1);
}

} // namespace
} // namespace vorq
