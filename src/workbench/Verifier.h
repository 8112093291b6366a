#pragma once

#include "cobol/CopyExpander.h"
#include "cobol/Diagnostics.h"
#include "cobol/FileReader.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vorq::workbench {

class Workbench;

// What verifying one source gave.
struct VerifyOutcome {
    std::string path;
    bool verified = false;
    std::string kind; // "copybook" or "program file"
    std::string name;
    std::string xandrel;
    std::size_t items = 0;
    cobol::Diagnostics diagnostics;
};

// Parses sources into the workbench: each source's repository database is written to a
// temporary file and renamed into place, then the catalog is updated. A source with errors
// keeps its previous database and catalog entry.
class Verifier {
public:
    Verifier(Workbench& workbench, const cobol::FileReader& files, cobol::CopyOptions options);

    VerifyOutcome verify(const std::string& path);

private:
    Workbench& workbench_;
    const cobol::FileReader& files_;
    cobol::CopyOptions options_;
};

// The COBOL files named: files as they are, folders searched for .cpy, .cbl, .cob, .cobol and
// .copy files (any case), in name order; a path that does not exist raises vorq::Error.
std::vector<std::string> collectSources(const std::vector<std::string>& paths);

} // namespace vorq::workbench
