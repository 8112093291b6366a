#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vorq::schematool {

// The longest identifier every supported database takes (DB2 for z/OS 13, SQLite).
constexpr int kDefaultIdentifierLimit = 128;

// A COBOL name made a portable SQL identifier: hyphens and other characters become
// underscores, a leading digit gets a letter before it, a word reserved in SQLite, PostgreSQL
// or DB2 gets an underscore after it, and the result is fitted to limit characters.
std::string sqlIdentifier(std::string_view name, int limit);

// A name cut to limit characters without losing what it ends in: the part after its last '_'
// (KEY, OCCURS, an item's name) stays and the stem before it is shortened. A last part longer
// than half the limit is cut with the rest.
std::string fitIdentifier(const std::string& name, int limit);

// The identifier of a child table named after its parent table and its item: the parent's
// part is shortened first, so that the item's name, which tells siblings apart, stays whole
// where it fits.
std::string childIdentifier(const std::string& parent, std::string_view item, int limit);

// True for a word reserved in SQLite, PostgreSQL or DB2 (compared without regard to case).
bool isReservedWord(std::string_view word);

// name when isTaken says it is free, else name_2, name_3, ... with name shortened so that the
// result stays within limit characters.
std::string uniqueIdentifier(const std::string& name, int limit,
                             const std::function<bool(const std::string&)>& isTaken);

} // namespace vorq::schematool
