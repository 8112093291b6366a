// The entry point of VorqPostgres.so, which the project database loads for a project on a
// PostgreSQL server.

#include "schematool/PostgresProjectDatabase.h"

extern "C" __attribute__((visibility("default"))) void
vorqOpenPostgresProject(const std::string& conninfo, vorq::schematool::OpenMode mode,
                        std::shared_ptr<vorq::schematool::SqlProjectDatabase>& db) {
    db = std::make_shared<vorq::schematool::PostgresProjectDatabase>(conninfo, mode);
}
