#include "RegistryCommands.h"

#include "AppContext.h"
#include "component/ComponentIdentity.h"
#include "component/ComponentLoader.h"
#include "component/ComponentRegistry.h"

#include <fmt/core.h>
#include <utility>

namespace vorq::app {
namespace {

std::optional<RegistryEntry> registeredEntry(const ComponentRegistry& registry) {
    if (!registry.exists())
        return std::nullopt;
    for (auto& entry : registry.entries())
        if (entry.progId == kProgId)
            return entry;
    return std::nullopt;
}

void addLibraryOption(CLI::App& command, AppContext& context) {
    command
        .add_option("--library", context.library,
                    "The plug-in library (default: the one installed beside vorq)")
        ->check(CLI::ExistingFile);
}

} // namespace

std::unique_ptr<ComponentInstance> openComponent(const AppContext& context) {
    const ComponentRegistry registry(ComponentRegistry::defaultFile());
    const auto entry = registeredEntry(registry);
    if (entry && std::filesystem::exists(entry->library))
        return std::make_unique<ComponentInstance>(*entry);
    const std::string beside = context.pluginPath();
    // A missing registered library is worth a word always; using the one beside vorq is the
    // usual case, told when asked (-v). Once per run of vorq, however many imports it makes.
    static bool told = false;
    if ((entry || context.verbose) && !std::exchange(told, true))
        fmt::print(stderr, "vorq: {} {} in {}; using {} (`vorq register` records it)\n", kProgId,
                   entry ? "is registered with the missing library " + entry->library
                         : std::string("is not registered"),
                   registry.file().string(), beside);
    return std::make_unique<ComponentInstance>(
        RegistryEntry{kProgId, kClassId, kLibraryId, kInterfaceId, beside});
}

void addRegistryCommands(CLI::App& app, AppContext& context) {
    auto* reg = app.add_subcommand(
        "register", "Record the import component in the per-user component registry, so that "
                    "hosts find it by its name");
    addLibraryOption(*reg, context);
    reg->footer("Example:\n  vorq register");
    reg->callback([&context] {
        PluginLibrary(context.pluginPath()).registerServer();
        fmt::print("registered {} ({}) in {}\n", kProgId, context.pluginPath(),
                   ComponentRegistry::defaultFile().string());
    });

    auto* unreg = app.add_subcommand(
        "unregister", "Remove the import component's entry from the component registry");
    addLibraryOption(*unreg, context);
    unreg->footer("Example:\n  vorq unregister");
    unreg->callback([&context] {
        PluginLibrary(context.pluginPath()).unregisterServer();
        fmt::print("unregistered {}\n", kProgId);
    });

    auto* list = app.add_subcommand(
        "components", "List the registered components, their identifiers and libraries");
    list->footer("Example:\n  vorq components");
    list->callback([] {
        const ComponentRegistry registry(ComponentRegistry::defaultFile());
        const auto entries = registry.exists() ? registry.entries() : std::vector<RegistryEntry>{};
        if (entries.empty())
            fmt::print("no components are registered in {}\n", registry.file().string());
        for (const auto& e : entries)
            fmt::print("{}\n  type library {}\n  class        {}\n  interface    {}\n"
                       "  library      {}{}\n",
                       e.progId, e.libraryId, e.classId, e.interfaceId, e.library,
                       std::filesystem::exists(e.library) ? "" : " (missing: `vorq register`)");
    });
}

} // namespace vorq::app
