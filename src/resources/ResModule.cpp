#include "resources/ResModule.h"

#include "host/Error.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace vorq {

Language UserLanguage() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (!value || !*value)
            continue;
        const std::string_view locale(value);
        if (locale.starts_with("ja"))
            return Language::Japanese;
        if (locale.starts_with("ko"))
            return Language::Korean;
        return Language::English;
    }
    return Language::English;
}

std::string LoadResString(StringId id) {
    return LoadResString(id, UserLanguage());
}

std::string LoadResString(StringId id, Language language) {
    const int number = static_cast<int>(id);
    const auto& table = stringTable();
    const auto it = std::lower_bound(table.begin(), table.end(), number,
                                     [](const StringTableEntry& e, int key) { return e.id < key; });
    if (it == table.end() || it->id != number)
        throw Error("Resource with identifier '" + std::to_string(number) + "' not found", 326);
    switch (language) {
    case Language::Japanese:
        return it->japanese;
    case Language::Korean:
        return it->korean;
    case Language::English:
        break;
    }
    return it->english;
}

} // namespace vorq
