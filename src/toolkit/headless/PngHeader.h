#pragma once

#include "host/ui/Picture.h"

#include <string>

namespace vorq::headless {

// A picture with the size that a PNG file's header gives, without its pixels; raises
// vorq::Error when the file cannot be read or is not a PNG image.
Picture readPngHeader(const std::string& path);

} // namespace vorq::headless
