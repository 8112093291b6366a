#pragma once

#include "host/ui/Picture.h"

#include <filesystem>
#include <string>

namespace vorq::workbench {

// The picture as a PNG file (RGBA, stored without compression: icons are tiny).
std::string encodePng(const Picture& picture);
void writePng(const Picture& picture, const std::filesystem::path& path);

} // namespace vorq::workbench
