#include "BenchWorkspace.h"

#include "SyntheticCopybook.h"
#include "host/Error.h"
#include "workbench/Verifier.h"

#include <fstream>

namespace vorq::bench {

BenchWorkspace::BenchWorkspace(const std::string& name, std::size_t items,
                               const std::string& project)
    : dir(std::filesystem::temp_directory_path() / ("vorq-bench-" + name)) {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const auto source = dir / "SYNTHETIC.cpy";
    std::ofstream(source) << syntheticCopybook(items);
    wb = std::make_shared<workbench::Workbench>(dir);
    cobol::DiskFileReader disk;
    const auto outcome = workbench::Verifier(*wb, disk, {}).verify(source.string());
    if (!outcome.verified)
        throw Error(outcome.diagnostics.format());
    xandrel = outcome.xandrel;
    platform = std::make_unique<schematool::SchemaToolPlatform>(toolkit, dir / "options.xml");
    db = projectdb::openProjectDatabase(project.empty() ? (dir / "project.db").string() : project,
                                        projectdb::OpenMode::CreateIfMissing);
    host = std::make_shared<schematool::SchemaWorkspace>(*platform, db);
}

BenchWorkspace::~BenchWorkspace() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}

} // namespace vorq::bench
