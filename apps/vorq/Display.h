#pragma once

#include <string>

namespace vorq::app {

// Whether windows can be shown: QT_QPA_PLATFORM names a platform, or the X or Wayland display
// that the environment names accepts a connection. Asked before Qt starts, since Qt ends the
// process when it cannot reach its display.
bool displayAvailable();

// Refuses (status 2) a command that shows windows when there is no display.
void requireDisplay(const std::string& command);

} // namespace vorq::app
