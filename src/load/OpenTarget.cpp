#include "load/OpenTarget.h"

#include "host/InstalledLibrary.h"
#include "load/SqliteTarget.h"
#include "schematool/SqlProjectDatabase.h"

namespace vorq::load {

std::unique_ptr<RowTarget> openTarget(const std::string& target,
                                      const schematool::ProjectCatalog& catalog) {
    if (!schematool::isConnectionString(target))
        return std::make_unique<SqliteTarget>(target, catalog);
    using OpenPostgres = void (*)(const std::string&, const schematool::ProjectCatalog&,
                                  std::unique_ptr<RowTarget>&);
    std::unique_ptr<RowTarget> opened;
    reinterpret_cast<OpenPostgres>(
        installedLibraryEntry("VorqLoadPostgres.so", "vorqOpenPostgresTarget",
                              "the PostgreSQL target of vorq load"))(target, catalog, opened);
    return opened;
}

} // namespace vorq::load
