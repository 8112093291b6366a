#pragma once

#include "resources/ResModule.h"

namespace vorq::app {

// Shows the windows' texts, and Qt's own (the buttons of message boxes, file dialogs), in the
// language: the one the import dialog's string table uses, so that no window mixes two. English
// removes any translation; a language whose Qt texts are not installed keeps those in English
// and says so once on stderr.
void useLanguage(Language language);

} // namespace vorq::app
