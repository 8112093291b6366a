#pragma once

#include <string>

namespace vorq::app {

// The exit statuses of vorq.
constexpr int kExitDone = 0;
constexpr int kExitFailed = 1; // the work failed: bad input, a refused import, a locked file
constexpr int kExitUsage = 2;  // the command line was wrong

// The word that names the command: the first argument that is neither an option nor the value
// of a global option; "" when there is none.
std::string commandWord(int argc, char** argv);

// Runs vorq with the arguments of main and returns its exit status. Every failure ends here as
// one message on stderr; nothing escapes as an exception.
int runVorq(int argc, char** argv);

} // namespace vorq::app
