#include "WindowsModule.h"

#include "host/InstalledLibrary.h"

namespace vorq::app {
namespace {

void* windowsEntry(const char* name) {
    return installedLibraryEntry("VorqWindows.so", name,
                                 "the windows of vorq (`vorq import --batch` needs none)");
}

} // namespace

void showMainWindow(const AppContext& context) {
    using Entry = void (*)(const AppContext&);
    reinterpret_cast<Entry>(windowsEntry("vorqShowMainWindow"))(context);
}

BatchOutcome showImportDialog(const AppContext& context) {
    using Entry = void (*)(const AppContext&, BatchOutcome&);
    BatchOutcome outcome;
    reinterpret_cast<Entry>(windowsEntry("vorqShowImportDialog"))(context, outcome);
    return outcome;
}

} // namespace vorq::app
