#pragma once

#include "builder/BuildOptions.h"

#include <string>

namespace vorq {
class OptionsProject;
} // namespace vorq

namespace vorq::import {

// The six import options, read from the host's options project at the start of every run.
struct ImportOptions {
    builder::BuildOptions build; // Strip and Prefixes, Patterns, ArrayFields and Threshold
    bool AutoKey = false;
};

// The options of the node at OptionsPath. A missing setting takes its default: False, no list,
// Threshold 0; a Threshold with a fraction is rounded half to even. A value that is no Boolean
// or no number raises vorq::Error naming the option.
ImportOptions ReadOptions(OptionsProject& project, const std::string& OptionsPath);

// The path of the import options node in the host's options project.
std::string importOptionsPath();

} // namespace vorq::import
