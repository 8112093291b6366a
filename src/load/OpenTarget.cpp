#include "load/OpenTarget.h"

#include "host/InstalledLibrary.h"
#include "load/SqliteTarget.h"
#include "projectdb/SqlProjectDatabase.h"

namespace vorq::load {

std::unique_ptr<RowTarget> openTarget(const std::string& target,
                                      const projectdb::ProjectCatalog& catalog) {
    if (!projectdb::isConnectionString(target))
        return std::make_unique<SqliteTarget>(target, catalog);
    using OpenPostgres =
        void (*)(const std::string&, const projectdb::ProjectCatalog&, std::unique_ptr<RowTarget>&);
    std::unique_ptr<RowTarget> opened;
    reinterpret_cast<OpenPostgres>(
        installedLibraryEntry("VorqLoadPostgres.so", "vorqOpenPostgresTarget",
                              "the PostgreSQL target of vorq load"))(target, catalog, opened);
    return opened;
}

} // namespace vorq::load
