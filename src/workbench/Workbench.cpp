#include "workbench/Workbench.h"

#include "host/Error.h"
#include "workbench/ClassIconFiles.h"
#include "workbench/RepositorySchema.h"
#include "workbench/StoredRepository.h"

namespace vorq::workbench {
namespace {

// The run log, kept in the catalog.
class CatalogLog : public WorkbenchLog {
public:
    explicit CatalogLog(std::shared_ptr<Catalog> catalog) : catalog_(std::move(catalog)) {}

    void BeginLog(const std::string& category) override { run_ = catalog_->beginLog(category); }
    void AddLogEntry(const std::string& title, bool isError, const std::string& objectId,
                     const std::string& text, std::int32_t) override {
        catalog_->addLogEntry(current(), title, isError, objectId, text);
    }
    void EndLog(bool isError) override {
        catalog_->endLog(current(), isError);
        run_ = 0;
    }

private:
    std::int64_t current() const {
        if (run_ == 0)
            throw Error("The run log was not begun");
        return run_;
    }

    std::shared_ptr<Catalog> catalog_;
    std::int64_t run_ = 0;
};

// The database kind that holds the declarations of a workbench object of that type.
std::string kindFor(const std::string& typeName) {
    if (typeName == "COPYBOOK")
        return kKindCopybook;
    if (typeName == "COBOL" || typeName == "PROGRAM" || typeName == "DATAPORT")
        return kKindCobol;
    throw Error("There is no repository database for objects of type '" + typeName + "'");
}

} // namespace

Workbench::Workbench(const std::filesystem::path& workspace) : folder_(workspace / "repository") {
    std::filesystem::create_directories(folder_.root());
    ensureClassIcons(folder_.icons());
    catalog_ = std::make_shared<Catalog>(folder_.catalog());
    session_ = std::make_shared<CatalogSession>(catalog_, kRepositoryName);
}

std::string Workbench::GetBrevanName(std::int32_t which) {
    switch (which) {
    case 2:
    case 4:
        return folder_.root().string();
    case 15:
        return kRepositoryName;
    default:
        throw Error("The workbench has no name number " + std::to_string(which));
    }
}

std::shared_ptr<WorkbenchLog> Workbench::Log() {
    return std::make_shared<CatalogLog>(catalog_);
}

std::shared_ptr<RepositoryDatabase> Workbench::OpenDatabase(const std::string& path,
                                                            const std::string& typeName) {
    const std::string wanted = kindFor(typeName);
    // Only databases of this workbench's folder are opened.
    const auto file = std::filesystem::weakly_canonical(path);
    if (file.parent_path() != std::filesystem::weakly_canonical(folder_.root()))
        throw Error("Cannot open " + path + ": it is not in the repository folder " +
                    folder_.root().string());
    auto db = StoredRepository::load(file);
    if (db->kind() != wanted)
        throw Error("Cannot open " + path + " for a " + typeName + ": it holds a " + db->kind() +
                    " source");
    return db;
}

} // namespace vorq::workbench
