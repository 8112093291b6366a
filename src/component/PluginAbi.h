#pragma once

// What crosses the boundary between a host and the dlopen-ed plug-in: four C entry points, a
// class factory and the component's dispatch interface, with automation-style result codes.

#include <cstdint>
#include <memory>
#include <string>

namespace vorq {

class OskWS;
class VorqWS;

using HResult = std::int32_t;
constexpr HResult kOk = 0;
constexpr HResult kFalse = 1;
constexpr HResult kNoInterface = static_cast<HResult>(0x80004002);
constexpr HResult kClassNotAvailable = static_cast<HResult>(0x80040111);
constexpr HResult kSelfRegClassError = static_cast<HResult>(0x80040201);
constexpr HResult kMemberNotFound = static_cast<HResult>(0x80020003);
constexpr HResult kDispatchException = static_cast<HResult>(0x80020009);

// The arguments of Run, all by reference.
struct RunArguments {
    std::shared_ptr<vorq::OskWS>* OskWS;
    std::shared_ptr<vorq::VorqWS>* VorqWS;
    std::string* Param;
};

// An error raised inside a call: its number and description.
struct ExcepInfo {
    std::int32_t number = 0;
    std::string description;
};

// The component's default interface (named "_VorqImpCpyEng" in its type information).
class VorqImpCpyEngDispatch {
public:
    // The dispatch id of a member name; kMemberNotFound for an unknown name.
    virtual HResult GetIDsOfNames(const char* name, std::int32_t& dispId) = 0;
    // Calls member dispId; an error raised by it gives kDispatchException and fills excep.
    virtual HResult Invoke(std::int32_t dispId, RunArguments& args, ExcepInfo& excep) = 0;
    // Drops the caller's reference; the object is gone after the last one.
    virtual void Release() = 0;

protected:
    ~VorqImpCpyEngDispatch() = default;
};

// Creates instances of the component's class.
class ClassFactory {
public:
    // A new object offering the interface iid, or kNoInterface.
    virtual HResult CreateInstance(const char* iid, void** object) = 0;

protected:
    ~ClassFactory() = default;
};

extern "C" {
using DllRegisterServerFn = HResult (*)();
using DllUnregisterServerFn = HResult (*)();
using DllGetClassObjectFn = HResult (*)(const char* clsid, const char* iid, void** factory);
using DllCanUnloadNowFn = HResult (*)();
// Text of the last failure of DllRegisterServer or DllUnregisterServer in this thread.
using VorqLastErrorTextFn = const char* (*)();
}

} // namespace vorq
