// Reads a component registry and looks up the component in it, as `vorq import` does.
#include "ScratchFile.h"
#include "component/ComponentIdentity.h"
#include "component/ComponentRegistry.h"
#include "host/Error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const vorq::ComponentRegistry registry(
            vorq::fuzz::scratchFile("components.xml", data, size));
        (void)registry.entries();
        (void)registry.find(vorq::kProgId);
    } catch (const vorq::Error&) {
        // A refused file is an answer; anything else escapes and is a finding.
    }
    return 0;
}
