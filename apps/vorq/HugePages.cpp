#include "HugePages.h"

#include "Cli.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

namespace vorq::app {
namespace {

constexpr std::string_view kTunable = "glibc.malloc.hugetlb";

// Below this, huge pages cost more than they save: clearing a 2 MB page for a small source
// and starting again took 7 ms where its whole verify took 15.
constexpr std::uintmax_t kLargeSources = 512 * 1024;

// The bytes of the files that the arguments name (directories and options count nothing).
std::uintmax_t namedFileBytes(int argc, char** argv) {
    std::uintmax_t total = 0;
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        if (argv[i][0] != '-' && std::filesystem::is_regular_file(argv[i], error)) {
            const auto size = std::filesystem::file_size(argv[i], error);
            total += error ? 0 : size;
        }
    }
    return total;
}

} // namespace

void restartWithHugePages(int argc, char** argv) {
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    const std::string current = tunables ? tunables : "";
    const std::string command = commandWord(argc, argv);
    if (current.find(kTunable) != std::string::npos || command != "verify" ||
        namedFileBytes(argc, argv) < kLargeSources)
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
