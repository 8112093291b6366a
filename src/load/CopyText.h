#pragma once

#include "load/FieldDecoder.h"

#include <string>

namespace vorq::load {

// Appends a value as PostgreSQL's COPY text form writes it: \N for NULL, backslash escapes in
// text.
void appendCopyValue(const FieldValue& v, std::string& out);

} // namespace vorq::load
