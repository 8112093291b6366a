#pragma once

#include "cobol/SourceModel.h"

#include <string>

namespace vorq::cobol {

// The record layout of a source as `vorq layout` prints it: a table, or with json one object
// per item (keys level, name, picture, usage, offset, length, occurs, redefines, group).
std::string layoutText(const SourceModel& model, bool json);

} // namespace vorq::cobol
