#pragma once

#include "host/OskWS.h"
#include "host/RepositoryDatabase.h"
#include "workbench/Catalog.h"
#include "workbench/CatalogSession.h"
#include "workbench/RepositoryFolder.h"

#include <filesystem>
#include <memory>

namespace vorq::workbench {

// The name of the one repository a workbench holds, which every query names.
constexpr const char* kRepositoryName = "VORQ";

// The repository workbench of a workspace: <workspace>/repository with its catalog, the
// repository databases of the verified sources and the class icons.
class Workbench : public OskWS, private DatabaseOpener {
public:
    explicit Workbench(const std::filesystem::path& workspace);

    std::string GetBrevanName(std::int32_t which) override;
    std::shared_ptr<WorkbenchLog> Log() override;
    RepositoryGlobal& Repository() override { return *session_; }
    DatabaseOpener& Opener() override { return *this; }

    const RepositoryFolder& folder() const { return folder_; }
    Catalog& catalog() { return *catalog_; }
    CatalogSession& session() { return *session_; }

private:
    std::shared_ptr<RepositoryDatabase> OpenDatabase(const std::string& path,
                                                     const std::string& typeName) override;

    RepositoryFolder folder_;
    std::shared_ptr<Catalog> catalog_;
    std::shared_ptr<CatalogSession> session_;
};

} // namespace vorq::workbench
