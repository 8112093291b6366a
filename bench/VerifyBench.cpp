// verify (parse and store) of a 200,000-item copybook, and our time against cobc's
// -fsyntax-only on a 20,000-item program, measured side by side.

#include "SyntheticCopybook.h"
#include "workbench/Verifier.h"
#include "workbench/Workbench.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fmt/core.h>
#include <fstream>
#include <sys/resource.h>

using namespace vorq;
using Clock = std::chrono::steady_clock;

namespace {

double seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

void write(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

double verifySeconds(const std::filesystem::path& workspace, const std::filesystem::path& source) {
    workbench::Workbench wb(workspace);
    cobol::DiskFileReader disk;
    workbench::Verifier verifier(wb, disk, {});
    const auto start = Clock::now();
    const auto outcome = verifier.verify(source.string());
    const double elapsed = seconds(start);
    if (!outcome.verified) {
        fmt::print(stderr, "{}", outcome.diagnostics.format());
        std::exit(1);
    }
    return elapsed;
}

} // namespace

int main() {
    const auto dir = std::filesystem::temp_directory_path() / "vorq-bench-verify";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);

    write(dir / "BIG.cpy", bench::syntheticCopybook(200'000));
    fmt::print("verify_200k_s: {:.3f}\n", verifySeconds(dir / "ws", dir / "BIG.cpy"));
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    fmt::print("verify_200k_peak_mb: {:.0f}\n", usage.ru_maxrss / 1024.0);

    // Side by side, best of three each: both timings vary with the load of the machine.
    write(dir / "SYNTH.cbl", bench::syntheticProgram(20'000));
    double ours = 1e9;
    for (int run = 0; run < 3; ++run)
        ours = std::min(ours, verifySeconds(dir / "ws", dir / "SYNTH.cbl"));
    if (std::system("command -v cobc >/dev/null 2>&1") != 0) {
        fmt::print(stderr, "cobc is not installed: verify_vs_cobc skipped\n");
        fmt::print("verify_20k_s: {:.3f}\n", ours);
    } else {
        // Both programs run as a user starts them, without the malloc setting that scripts/bench
        // gives this process.
        unsetenv("GLIBC_TUNABLES");
        const std::string command =
            "cobc -fsyntax-only -std=ibm " + (dir / "SYNTH.cbl").string() + " >/dev/null 2>&1";
        // As a user feels it: the whole vorq process, started as cobc is, into a workspace
        // that exists (as after the first file of a batch).
        const std::string verify = "cd " + dir.string() + " && " + VORQ_PROGRAM +
                                   " --workspace ws verify SYNTH.cbl >/dev/null 2>&1";
        const auto timed = [](const std::string& shell, const char* program) {
            const auto start = Clock::now();
            if (std::system(shell.c_str()) != 0)
                fmt::print(stderr, "{} rejected the synthetic program\n", program);
            return seconds(start);
        };
        // In turns, best of five each: a busy moment of the machine then slows both, not one.
        double cobc = 1e9, process = 1e9;
        for (int run = 0; run < 5; ++run) {
            cobc = std::min(cobc, timed(command, "cobc"));
            process = std::min(process, timed(verify, "vorq"));
        }
        fmt::print("verify_20k_s: {:.3f}\ncobc_20k_s: {:.3f}\nverify_in_process_vs_cobc: {:.4f}\n"
                   "verify_process_20k_s: {:.3f}\nverify_vs_cobc: {:.4f}\n",
                   ours, cobc, ours / cobc, process, process / cobc);
    }
    std::filesystem::remove_all(dir);
}
