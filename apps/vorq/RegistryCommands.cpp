#include "RegistryCommands.h"

#include "AppContext.h"
#include "component/ComponentIdentity.h"
#include "component/ComponentLoader.h"
#include "component/ComponentRegistry.h"

#include <fmt/core.h>

namespace vorq::app {

void registerComponent(const AppContext& context) {
    PluginLibrary(context.pluginPath()).registerServer();
    fmt::print("registered {} ({}) in {}\n", kProgId, context.pluginPath(),
               ComponentRegistry::defaultFile().string());
}

void addRegistryCommands(CLI::App& app, AppContext& context) {
    auto* reg = app.add_subcommand(
        "register", "Record the import component in the per-user component registry");
    reg->add_option("--library", context.library,
                    "The plug-in library (default: the installed one)");
    reg->callback([&context] { registerComponent(context); });

    auto* unreg = app.add_subcommand(
        "unregister", "Remove the import component's entry from the component registry");
    unreg->add_option("--library", context.library,
                      "The plug-in library (default: the installed one)");
    unreg->callback([&context] {
        PluginLibrary(context.pluginPath()).unregisterServer();
        fmt::print("unregistered {}\n", kProgId);
    });

    app.add_subcommand("components", "List the registered components and their libraries")
        ->callback([] {
            const ComponentRegistry registry(ComponentRegistry::defaultFile());
            const auto entries = registry.entries();
            if (entries.empty())
                fmt::print("no components are registered in {}\n", registry.file().string());
            for (const auto& e : entries)
                fmt::print("{}\n  type library {}\n  class        {}\n  interface    {}\n"
                           "  library      {}\n",
                           e.progId, e.libraryId, e.classId, e.interfaceId, e.library);
        });
}

} // namespace vorq::app
