#include "WindowsModule.h"

#include "AppContext.h"
#include "host/Error.h"

#include <dlfcn.h>
#include <filesystem>

namespace vorq::app {
namespace {

std::filesystem::path windowsLibrary() {
    // Installed: <prefix>/<libdir>/vorq/; built: lib/ beside bin/.
    const std::filesystem::path prefix = programFolder().parent_path();
    const std::filesystem::path installed =
        prefix / VORQ_INSTALL_LIBDIR / "vorq" / "VorqWindows.so";
    return std::filesystem::exists(installed) ? installed : prefix / "lib" / "VorqWindows.so";
}

// The named entry point of the windows library, which stays loaded until the program ends.
void* entryPoint(const char* name) {
    static void* library = nullptr;
    if (!library) {
        const std::string path = windowsLibrary().string();
        library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!library)
            throw Error("Cannot load the windows of vorq from " + path + ": " + dlerror() +
                        " (`vorq import --batch` needs no windows)");
    }
    void* entry = dlsym(library, name);
    if (!entry)
        throw Error(std::string("The windows library of vorq has no ") + name +
                    ": it belongs to another version of vorq");
    return entry;
}

} // namespace

void showMainWindow(const AppContext& context) {
    using Entry = void (*)(const AppContext&);
    reinterpret_cast<Entry>(entryPoint("vorqShowMainWindow"))(context);
}

BatchOutcome showImportDialog(const AppContext& context) {
    using Entry = void (*)(const AppContext&, BatchOutcome&);
    BatchOutcome outcome;
    reinterpret_cast<Entry>(entryPoint("vorqShowImportDialog"))(context, outcome);
    return outcome;
}

} // namespace vorq::app
