#pragma once

#include "resources/StringId.h"

#include <string>

namespace vorq {

// Interface languages of the string table, by their Windows language ids.
enum class Language { English = 1033, Japanese = 1041, Korean = 1042 };

// The running user's language: the first of LC_ALL, LC_MESSAGES and LANG that is set and not
// empty decides; "ja..." is Japanese, "ko..." Korean, anything else English.
Language UserLanguage();

// The text in the user's language.
std::string LoadResString(StringId id);
std::string LoadResString(StringId id, Language language);

} // namespace vorq
