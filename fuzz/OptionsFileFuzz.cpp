// Reads an options file and every setting in it, as `vorq options show` and the import do.
#include "ScratchFile.h"
#include "host/Error.h"
#include "import/ImportOptions.h"
#include "schematool/OptionsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        vorq::schematool::OptionsFile options(vorq::fuzz::scratchFile("options.xml", data, size));
        for (const auto& name : vorq::schematool::OptionsFile::settingNames()) {
            (void)options.show(name);
            (void)options.values(name);
        }
        (void)options.identifierLimit();
        (void)vorq::import::ReadOptions(options, vorq::import::importOptionsPath());
    } catch (const vorq::Error&) {
        // A refused file is an answer; anything else escapes and is a finding.
    }
    return 0;
}
