#include "AppContext.h"

#include <unistd.h>

namespace vorq::app {

std::string AppContext::pluginPath() const {
    if (!library.empty())
        return library;
    // Beside the program: bin/vorq and lib/VorqImportCopybook.so.
    const auto self = std::filesystem::read_symlink("/proc/self/exe");
    return (self.parent_path().parent_path() / "lib" / "VorqImportCopybook.so").string();
}

std::filesystem::path AppContext::ensureWorkspace() const {
    std::filesystem::create_directories(workspace);
    return workspace;
}

} // namespace vorq::app
