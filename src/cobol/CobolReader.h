#pragma once

#include "cobol/CopyExpander.h"
#include "cobol/Diagnostics.h"
#include "cobol/SourceModel.h"

#include <memory>
#include <string>

namespace vorq::cobol {

struct ReadResult {
    std::unique_ptr<SourceModel> model; // what could be read, even when there are errors
    Diagnostics diagnostics;
};

// Reads one COBOL source: a program when it has an IDENTIFICATION DIVISION, else a copybook.
// COPY members are read through files, searched in the source's folder and options.copyPaths.
ReadResult readSource(const std::string& path, const FileReader& files, const CopyOptions& options);

// The name of a copybook: its file name without extension, in upper case.
std::string copybookName(const std::string& path);

} // namespace vorq::cobol
