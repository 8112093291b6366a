#pragma once

#include "projectdb/SqlProjectDatabase.h"
#include "schematool/SchemaToolPlatform.h"
#include "schematool/SchemaWorkspace.h"
#include "toolkit/headless/HeadlessToolkit.h"
#include "workbench/Workbench.h"

#include <filesystem>
#include <memory>
#include <string>

namespace vorq::bench {

// A fresh workspace under the temporary folder with a synthetic copybook verified into its
// workbench, and the schema tool on the headless toolkit beside it, over the project that
// project names ("" for an SQLite file in the workspace). Removed at the end.
struct BenchWorkspace {
    BenchWorkspace(const std::string& name, std::size_t items, const std::string& project = "");
    ~BenchWorkspace();

    std::filesystem::path dir;
    std::shared_ptr<workbench::Workbench> wb;
    std::string xandrel; // the copybook's repository database
    headless::HeadlessToolkit toolkit;
    std::unique_ptr<schematool::SchemaToolPlatform> platform;
    std::shared_ptr<projectdb::SqlProjectDatabase> db;
    std::shared_ptr<schematool::SchemaWorkspace> host;
};

} // namespace vorq::bench
