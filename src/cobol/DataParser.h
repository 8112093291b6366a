#pragma once

#include "cobol/DataItem.h"
#include "cobol/TokenCursor.h"

#include <functional>
#include <memory>
#include <vector>

namespace vorq::cobol {

// Reads data description entries (levels 01-49, 66, 77, 88) into records: each top-level
// entry with its subordinate items. Stops before a token that begins no entry and that
// stop() accepts (a section or division header); other stray tokens are errors. Errors resume
// at the next period or level number, so that one run reports all of them.
std::vector<std::unique_ptr<DataItem>>
parseDataEntries(TokenCursor& cursor, Diagnostics& diags,
                 const std::function<bool(const TokenCursor&)>& stop);

// True for a token that can be a level number: 1-49, 66, 77, 88 written as a whole number.
bool isLevelNumber(const Token& token);

} // namespace vorq::cobol
