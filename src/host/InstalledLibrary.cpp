#include "host/InstalledLibrary.h"

#include "host/Error.h"

#include <dlfcn.h>
#include <map>

namespace vorq {

std::filesystem::path installedLibraryPath(const std::string& fileName) {
    const std::filesystem::path prefix =
        std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path();
    const std::filesystem::path installed = prefix / VORQ_INSTALL_LIBDIR / "vorq" / fileName;
    return std::filesystem::exists(installed) ? installed : prefix / "lib" / fileName;
}

void* installedLibraryEntry(const std::string& fileName, const char* entry,
                            const std::string& what) {
    static std::map<std::string, void*> loaded;
    void*& library = loaded[fileName];
    const std::string path = installedLibraryPath(fileName).string();
    if (!library)
        library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        throw Error("Cannot load " + what + " from " + path + ": " + dlerror());
    void* address = dlsym(library, entry);
    if (!address)
        throw Error(path + " has no " + entry + ": it belongs to another version of vorq");
    return address;
}

} // namespace vorq
