// The C entry points of the plug-in library VorqImportCopybook.

#include "component/ComponentIdentity.h"
#include "component/ComponentRegistry.h"
#include "component/PluginAbi.h"
#include "component/VorqImpCpyEng.h"
#include "host/Error.h"

#include <atomic>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>

namespace vorq {
namespace {

std::atomic<int> liveObjects{0};
thread_local std::string lastErrorText;

class DispatchObject final : public VorqImpCpyEngDispatch {
public:
    DispatchObject() { ++liveObjects; }
    ~DispatchObject() { --liveObjects; }

    HResult GetIDsOfNames(const char* name, std::int32_t& dispId) override {
        if (std::strcmp(name, "Run") != 0)
            return kMemberNotFound;
        dispId = kRunDispId;
        return kOk;
    }

    HResult Invoke(std::int32_t dispId, RunArguments& args, ExcepInfo& excep) override {
        if (dispId != kRunDispId)
            return kMemberNotFound;
        try {
            engine_.Run(*args.OskWS, *args.VorqWS, *args.Param);
            return kOk;
        } catch (const Error& e) {
            excep = {e.number(), e.description()};
        } catch (const std::exception& e) {
            excep = {Error::kGenericFailure, e.what()};
        }
        return kDispatchException;
    }

    void Release() override {
        if (--references_ == 0)
            delete this;
    }

private:
    VorqImpCpyEng engine_;
    std::atomic<int> references_{1};
};

class Factory final : public ClassFactory {
public:
    HResult CreateInstance(const char* iid, void** object) override {
        if (!object)
            return kNoInterface;
        *object = nullptr;
        if (!iid || std::strcmp(iid, kInterfaceId) != 0)
            return kNoInterface;
        *object = static_cast<VorqImpCpyEngDispatch*>(new DispatchObject);
        return kOk;
    }
};

std::string thisLibraryPath() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&thisLibraryPath), &info) || !info.dli_fname)
        throw Error("Cannot tell where the plug-in library was loaded from");
    return std::filesystem::canonical(info.dli_fname).string();
}

template <class F> HResult registering(F&& action) {
    try {
        action(ComponentRegistry(ComponentRegistry::defaultFile()));
        lastErrorText.clear();
        return kOk;
    } catch (const std::exception& e) {
        lastErrorText = e.what();
        return kSelfRegClassError;
    }
}

} // namespace
} // namespace vorq

extern "C" {

__attribute__((visibility("default"))) vorq::HResult DllRegisterServer() {
    return vorq::registering([](vorq::ComponentRegistry registry) {
        registry.add({vorq::kProgId, vorq::kClassId, vorq::kLibraryId, vorq::kInterfaceId,
                      vorq::thisLibraryPath()});
    });
}

__attribute__((visibility("default"))) vorq::HResult DllUnregisterServer() {
    return vorq::registering([](vorq::ComponentRegistry registry) {
        if (!registry.remove(vorq::kProgId))
            throw vorq::Error(std::string(vorq::kProgId) + " is not registered in " +
                              registry.file().string());
    });
}

__attribute__((visibility("default"))) vorq::HResult
DllGetClassObject(const char* clsid, const char* /*iid*/, void** factory) {
    static vorq::Factory theFactory;
    if (!factory)
        return vorq::kNoInterface;
    *factory = nullptr;
    if (!clsid || std::strcmp(clsid, vorq::kClassId) != 0)
        return vorq::kClassNotAvailable;
    *factory = static_cast<vorq::ClassFactory*>(&theFactory);
    return vorq::kOk;
}

__attribute__((visibility("default"))) vorq::HResult DllCanUnloadNow() {
    return vorq::liveObjects.load() == 0 ? vorq::kOk : vorq::kFalse;
}

__attribute__((visibility("default"))) const char* VorqLastErrorText() {
    return vorq::lastErrorText.c_str();
}
}
