#pragma once

#include <CLI/CLI.hpp>
#include <memory>

namespace vorq {
class ComponentInstance;
}

namespace vorq::app {

struct AppContext;

// vorq register, unregister, components
void addRegistryCommands(CLI::App& app, AppContext& context);

// The import component that the registry names. Without an entry, or with one whose library is
// gone, the plug-in installed beside this program serves, and stderr says so; the registry is
// never written here (`vorq register` does that).
std::unique_ptr<ComponentInstance> openComponent(const AppContext& context);

} // namespace vorq::app
