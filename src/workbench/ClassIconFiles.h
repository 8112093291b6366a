#pragma once

#include <filesystem>

namespace vorq::workbench {

// Writes the icons of the repository classes (16x16 PNG) into folder, where missing.
void ensureClassIcons(const std::filesystem::path& folder);

} // namespace vorq::workbench
