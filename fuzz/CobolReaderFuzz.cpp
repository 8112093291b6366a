// Feeds the COBOL reader a source and its COPY members, all in memory, then lays out and prints
// what it read. The input is the main source, then members, each after a line "@@ NAME"; a
// member of odd name length lies in the source's folder, the others in the copy path.
#include "cobol/CobolReader.h"
#include "cobol/LayoutText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kMemberMark = "\n@@ ";
constexpr std::string_view kSource = "/src/MAIN.cbl";

void fileMembers(std::string_view input, vorq::cobol::MemoryFileReader& files) {
    std::string path(kSource);
    for (;;) {
        const auto mark = input.find(kMemberMark);
        files.add(path, std::string(input.substr(0, mark)));
        if (mark == std::string_view::npos)
            return;
        input.remove_prefix(mark + kMemberMark.size());
        const auto end = input.find('\n');
        const auto name = input.substr(0, end);
        path = (name.size() % 2 ? "/src/" : "/copy/") + std::string(name);
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vorq::cobol::MemoryFileReader files;
    fileMembers(std::string_view(reinterpret_cast<const char*>(data), size), files);
    vorq::cobol::CopyOptions options;
    options.copyPaths = {"/copy"};
    const auto result = vorq::cobol::readSource(std::string(kSource), files, options);
    (void)result.diagnostics.format();
    if (result.model)
        (void)vorq::cobol::layoutText(vorq::cobol::layoutRows(*result.model));
    return 0;
}
