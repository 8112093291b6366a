// The entry point of VorqLoadPostgres.so, which vorq load opens for a target on a PostgreSQL
// server.

#include "load/PostgresTarget.h"

#include <memory>

extern "C" __attribute__((visibility("default"))) void
vorqOpenPostgresTarget(const std::string& conninfo, const vorq::projectdb::ProjectCatalog& catalog,
                       std::unique_ptr<vorq::load::RowTarget>& target) {
    target = std::make_unique<vorq::load::PostgresTarget>(conninfo, catalog);
}
