#include "dialog/ResModule.h"

#include "dialog/StringTable.h"
#include "host/Error.h"

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

std::string LoadResString(int id) {
    return LoadResString(id, UserLanguage());
}

std::string LoadResString(int id, Language language) {
    const auto& table = stringTable();
    const auto it = std::lower_bound(table.begin(), table.end(), id,
                                     [](const StringTableEntry& e, int key) { return e.id < key; });
    if (it == table.end() || it->id != id)
        throw Error("Resource with identifier '" + std::to_string(id) + "' not found", 326);
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
