#include "HugePages.h"

#include "Cli.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

namespace vorq::app {
namespace {

// Below this the few pages a source needs cost less than clearing one huge page.
constexpr std::uintmax_t kLargeSources = std::uintmax_t{32} * 1024;
constexpr std::uintptr_t kHugePage = std::uintptr_t{2} * 1024 * 1024;
constexpr int kDefaultTopPad = 128 * 1024;
// Two block headers of glibc malloc: the kept block's and the next one's.
constexpr std::uintptr_t kHeaderRoom = 32;

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

void adviseHugePages(int argc, char** argv) {
    if (commandWord(argc, argv) != "verify")
        return;
    const std::uintmax_t bytes = namedFileBytes(argc, argv);
    if (bytes < kLargeSources)
        return;
    // Parsing takes about ten times the source's size; the heap grows by that at once (address
    // space only, nothing is touched), takes large blocks too and never shrinks, so that all
    // of it lies in the part advised below.
    const auto reserve =
        static_cast<int>(std::clamp<std::uintmax_t>(bytes * 16, 64u << 20, 1u << 30));
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
    mallopt(M_TOP_PAD, reserve);
    // The kernel gives a huge page only where none of its 2 MB was touched before the advice,
    // and malloc writes a header where each block ends. So the growth is one block from the
    // free end of the heap (its start known from the main arena's top size, without a touch)
    // to just below the first boundary past the break: the only headers written lie below
    // that boundary, and every later block begins above it. The block is kept and never used:
    // its pages are address space only.
    const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const std::uintptr_t top = end - mallinfo2().keepcost;
    const std::uintptr_t from = (end + 2 * kHeaderRoom + kHugePage - 1) & ~(kHugePage - 1);
    static void* const skipped = std::malloc(from - top - kHeaderRoom);
    const auto after = reinterpret_cast<std::uintptr_t>(sbrk(0));
    // Later growth asks for what it needs again (glibc's default pad), also where the heap
    // could not grow this much and malloc went on elsewhere.
    mallopt(M_TOP_PAD, kDefaultTopPad);
    const std::uintptr_t to = after & ~(kHugePage - 1);
    // Only a hint: where the kernel refuses it, pages are small and verify is as before.
    if (skipped && to > from)
        madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}

} // namespace vorq::app
