#pragma once

#include "workbench/Verifier.h"
#include "workbench/Workbench.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace vorq::testing {

// Writes the text as <folder>/src/<file> and verifies it into the workbench; COPY members are
// looked for in the same folder. A source that does not verify throws its diagnostics.
inline void verifyText(workbench::Workbench& wb, const std::filesystem::path& folder,
                       const std::string& file, const std::string& text) {
    std::filesystem::create_directories(folder / "src");
    std::ofstream(folder / "src" / file) << text;
    cobol::DiskFileReader disk;
    workbench::Verifier verifier(wb, disk, {});
    const auto outcome = verifier.verify((folder / "src" / file).string());
    if (!outcome.verified)
        throw std::runtime_error(outcome.diagnostics.format());
}

} // namespace vorq::testing
