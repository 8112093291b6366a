#include "OutputGuard.h"

#include "host/Error.h"

#include <algorithm>
#include <fstream>

namespace vorq::app {
namespace {

namespace fs = std::filesystem;

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    if (fs::exists(a, error) && fs::exists(b, error))
        return fs::equivalent(a, b, error);
    return fs::weakly_canonical(a, error) == fs::weakly_canonical(b, error);
}

// "the reject file" as a sentence begins.
std::string capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

bool inside(const fs::path& file, const fs::path& folder) {
    std::error_code error;
    const fs::path f = fs::weakly_canonical(file, error);
    const fs::path d = fs::weakly_canonical(folder, error);
    const auto [end, ignored] = std::mismatch(d.begin(), d.end(), f.begin(), f.end());
    return end == d.end();
}

} // namespace

void refuseOverwrite(const NamedFile& output, const std::vector<NamedFile>& others,
                     const fs::path& workspace) {
    if (output.path.empty() || output.path == "-")
        return;
    for (const NamedFile& other : others)
        if (!other.path.empty() && other.path != "-" && sameFile(output.path, other.path))
            throw Error(capitalised(output.role) + " " + output.path.string() + " is " +
                        other.role + " of this run: name another file");
    const std::pair<const char*, const char*> own[] = {
        {"project.db", "the workspace's project database"},
        {"options.xml", "the workspace's import options"}};
    for (const auto& [name, role] : own)
        if (sameFile(output.path, workspace / name))
            throw Error(capitalised(output.role) + " " + output.path.string() + " is " + role +
                        ": name another file");
    if (inside(output.path, workspace / "repository"))
        throw Error(capitalised(output.role) + " " + output.path.string() +
                    " lies in the workspace's repository, which only vorq verify writes: name "
                    "another file");
}

void refuseForeignFile(const NamedFile& output, const std::string& header) {
    std::error_code error;
    if (output.path.empty() || output.path == "-" || !fs::exists(output.path, error) ||
        (fs::is_regular_file(output.path, error) && fs::file_size(output.path, error) == 0))
        return;
    std::ifstream in(output.path, std::ios::binary);
    std::string start(header.size(), '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    if (!fs::is_regular_file(output.path, error) || !in || start != header)
        throw Error(capitalised(output.role) + " " + output.path.string() +
                    " exists and is not one that vorq wrote: remove it or name another file");
}

} // namespace vorq::app
