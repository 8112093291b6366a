#pragma once

namespace vorq::app {

// For verify of large sources (half a megabyte or more in the files named): starts this program
// again, once, with glibc's malloc asking the kernel for transparent huge pages. Parsing a large
// source touches much fresh memory, and where huge pages are given on request (the usual "madvise"
// setting) the page faults were half of verify's time: a 200,000-item copybook took 0.85 s, with
// huge pages 0.35-0.6 s. glibc reads the setting only when a program starts, hence the restart.
// Returns (and the command runs as before) for other commands and small sources, when the
// setting is there already, or when the program cannot be started again.
void restartWithHugePages(int argc, char** argv);

} // namespace vorq::app
