#pragma once

#include "load/FieldDecoder.h"

#include <string>
#include <vector>

namespace vorq::load {

// Appends a value as PostgreSQL's COPY text form writes it: \N for NULL, backslash escapes in
// text.
void appendCopyValue(const FieldValue& v, std::string& out);

// Appends a row as a line of COPY's text form: the values separated by tabs.
void appendCopyRow(const std::vector<FieldValue>& row, std::string& out);

} // namespace vorq::load
