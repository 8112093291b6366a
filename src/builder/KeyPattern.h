#pragma once

#include <string_view>

namespace vorq::builder {

// A whole name against a pattern, case-sensitively: "?" any one character, "*" any run of
// characters (none included), "#" one digit, "[...]" one character of the list (ranges such as
// A-Z allowed), "[!...]" one character not in it; every other character itself.
bool matchesPattern(std::string_view name, std::string_view pattern);

} // namespace vorq::builder
