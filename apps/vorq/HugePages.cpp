#include "HugePages.h"

#include "Cli.h"

#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

namespace vorq::app {
namespace {

constexpr std::string_view kTunable = "glibc.malloc.hugetlb";

} // namespace

void restartWithHugePages(int argc, char** argv) {
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    const std::string current = tunables ? tunables : "";
    const std::string command = commandWord(argc, argv);
    if (current.find(kTunable) != std::string::npos || (command != "verify" && command != "demo"))
        return;
    const std::string wanted =
        (current.empty() ? "" : current + ":") + std::string(kTunable) + "=1";
    if (setenv("GLIBC_TUNABLES", wanted.c_str(), 1) != 0)
        return;
    execv("/proc/self/exe", argv);
    // Not started again (the file was replaced, or /proc is missing): run as we are.
    tunables ? setenv("GLIBC_TUNABLES", tunables, 1) : unsetenv("GLIBC_TUNABLES");
}

} // namespace vorq::app
