#pragma once

namespace vorq::app {

// For the commands that parse sources (verify, demo): starts this program again, once, with
// glibc's malloc asking the kernel for transparent huge pages. Parsing a large source touches
// much fresh memory, and where huge pages are given on request (the usual "madvise" setting)
// the page faults were half of verify's time: a 200,000-item copybook took 0.85 s, with huge
// pages 0.35-0.6 s. glibc reads the setting only when a program starts, hence the restart.
// Returns (and the command runs as before) when the setting is there already, or the program
// cannot be started again.
void restartWithHugePages(int argc, char** argv);

} // namespace vorq::app
