#pragma once

#include "component/PluginAbi.h"

#include <memory>
#include <string>

namespace vorq {

class ComponentRegistry;
struct RegistryEntry;

// A plug-in library opened with dlopen, closed when it says it can be unloaded.
class PluginLibrary {
public:
    // Opens the library; raises vorq::Error naming the file when it cannot.
    explicit PluginLibrary(const std::string& path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    // Calls DllRegisterServer / DllUnregisterServer; a failure raises vorq::Error with its text.
    void registerServer();
    void unregisterServer();
    // True when DllCanUnloadNow says no object of the library is alive.
    bool canUnloadNow();
    // The class factory of a class id; raises vorq::Error when the library has no such class.
    ClassFactory& classFactory(const std::string& classId);

private:
    template <class Fn> Fn symbol(const char* name);

    std::string path_;
    void* handle_ = nullptr;
};

// An instance of the registered component, created through its library's class factory.
class ComponentInstance {
public:
    // Finds the class by its programmatic name, opens its library and creates an object.
    ComponentInstance(const ComponentRegistry& registry, const std::string& progId);
    // Opens the library that the entry names and creates an object of its class.
    explicit ComponentInstance(const RegistryEntry& entry);
    ~ComponentInstance();
    ComponentInstance(const ComponentInstance&) = delete;
    ComponentInstance& operator=(const ComponentInstance&) = delete;

    // Calls Run by its dispatch id; an error raised inside comes back as vorq::Error.
    void Run(std::shared_ptr<OskWS>& OskWS, std::shared_ptr<VorqWS>& VorqWS, std::string& Param);

    PluginLibrary& library() { return *library_; }

private:
    std::shared_ptr<PluginLibrary> library_;
    VorqImpCpyEngDispatch* object_ = nullptr;
};

} // namespace vorq
