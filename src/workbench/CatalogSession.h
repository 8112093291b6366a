#pragma once

#include "host/Repository.h"
#include "workbench/Catalog.h"

#include <memory>

namespace vorq::workbench {

// The workbench session over the catalog: objects by id and kind, their relations, and the
// metamodel that gives each class its icon.
class CatalogSession : public RepositorySession,
                       public RepositoryGlobal,
                       public std::enable_shared_from_this<CatalogSession> {
public:
    CatalogSession(std::shared_ptr<Catalog> catalog, std::string repositoryName);

    Metamodel& GetMetamodel() override;
    std::shared_ptr<RepositoryComposite> ObjectById(const std::string& id) override;
    std::shared_ptr<ObjectList> ObjectsOfType(const std::string& kind,
                                              const std::string& repositoryName,
                                              const std::string& orderBy) override;

    std::shared_ptr<RepositorySession> GetRepositorySession() override;
    std::string ObjectType(const std::string& id) override;

    Catalog& catalog() { return *catalog_; }
    const std::string& repositoryName() const { return name_; }
    // Raises vorq::Error unless name is this repository's.
    void checkRepository(const std::string& name) const;
    std::shared_ptr<ObjectList> list(std::vector<std::int64_t> ids);

private:
    CatalogObject lookup(const std::string& id) const;

    std::shared_ptr<Catalog> catalog_;
    std::string name_;
    std::unique_ptr<Metamodel> metamodel_;
};

} // namespace vorq::workbench
