#pragma once

#include <cstdint>

namespace vorq {

// The automation identity of the component; fixed for all time, since hosts bind to it.
constexpr const char* kTypeLibraryName = "VorqImportCopybook";
constexpr const char* kProgId = "VorqImportCopybook.VorqImpCpyEng";
constexpr const char* kLibraryId = "{6f1d3c2a-8b4e-4a57-9c31-2e7d5b0a9f14}";
constexpr const char* kClassId = "{b83a7e95-1c64-4f0b-a2d8-5e9c3f71d026}";
constexpr const char* kInterfaceId = "{0c5e92d7-3fa1-4b86-8e4d-71a9c2b6e358}";
constexpr const char* kInterfaceName = "_VorqImpCpyEng";
constexpr std::int32_t kRunDispId = 0x60030000;

} // namespace vorq
