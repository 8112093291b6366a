#include "component/ComponentLoader.h"

#include "component/ComponentRegistry.h"
#include "host/Error.h"

#include <dlfcn.h>
#include <sstream>

namespace vorq {
namespace {

std::string hex(HResult code) {
    std::ostringstream out;
    out << "0x" << std::hex << static_cast<std::uint32_t>(code);
    return out.str();
}

} // namespace

PluginLibrary::PluginLibrary(const std::string& path) : path_(path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
        throw Error("Cannot load the component library " + path + ": " + dlerror());
}

PluginLibrary::~PluginLibrary() {
    // A library that is no component has nothing alive to keep it; a component says whether
    // its objects are gone.
    auto* canUnload = reinterpret_cast<DllCanUnloadNowFn>(dlsym(handle_, "DllCanUnloadNow"));
    if (!canUnload || canUnload() == kOk)
        dlclose(handle_);
}

template <class Fn> Fn PluginLibrary::symbol(const char* name) {
    void* address = dlsym(handle_, name);
    if (!address)
        throw Error("The library " + path_ + " is not a component library: it lacks " + name);
    return reinterpret_cast<Fn>(address);
}

void PluginLibrary::registerServer() {
    if (symbol<DllRegisterServerFn>("DllRegisterServer")() != kOk)
        throw Error(std::string("Registration failed: ") +
                    symbol<VorqLastErrorTextFn>("VorqLastErrorText")());
}

void PluginLibrary::unregisterServer() {
    if (symbol<DllUnregisterServerFn>("DllUnregisterServer")() != kOk)
        throw Error(std::string("Unregistration failed: ") +
                    symbol<VorqLastErrorTextFn>("VorqLastErrorText")());
}

bool PluginLibrary::canUnloadNow() {
    return symbol<DllCanUnloadNowFn>("DllCanUnloadNow")() == kOk;
}

ClassFactory& PluginLibrary::classFactory(const std::string& classId) {
    void* factory = nullptr;
    const HResult hr =
        symbol<DllGetClassObjectFn>("DllGetClassObject")(classId.c_str(), "", &factory);
    if (hr != kOk || !factory)
        throw Error("The library " + path_ + " has no class " + classId + " (" + hex(hr) + ")", hr);
    return *static_cast<ClassFactory*>(factory);
}

ComponentInstance::ComponentInstance(const ComponentRegistry& registry, const std::string& progId)
    : ComponentInstance(registry.find(progId)) {}

ComponentInstance::ComponentInstance(const RegistryEntry& entry) {
    library_ = std::make_shared<PluginLibrary>(entry.library);
    void* object = nullptr;
    const HResult hr =
        library_->classFactory(entry.classId).CreateInstance(entry.interfaceId.c_str(), &object);
    if (hr != kOk || !object)
        throw Error("Cannot create " + entry.progId + " (" + hex(hr) + ")", hr);
    object_ = static_cast<VorqImpCpyEngDispatch*>(object);
}

ComponentInstance::~ComponentInstance() {
    if (object_)
        object_->Release();
}

void ComponentInstance::Run(std::shared_ptr<OskWS>& OskWS, std::shared_ptr<VorqWS>& VorqWS,
                            std::string& Param) {
    std::int32_t dispId = 0;
    if (object_->GetIDsOfNames("Run", dispId) != kOk)
        throw Error("The component has no member Run", kMemberNotFound);
    RunArguments args{&OskWS, &VorqWS, &Param};
    ExcepInfo excep;
    if (object_->Invoke(dispId, args, excep) != kOk)
        throw Error(excep.description, excep.number);
}

} // namespace vorq
