// The entry point of VorqPostgres.so, which the project database loads for a project on a
// PostgreSQL server.

#include "projectdb/PostgresProjectDatabase.h"

extern "C" __attribute__((visibility("default"))) void
vorqOpenPostgresProject(const std::string& conninfo, vorq::projectdb::OpenMode mode,
                        std::shared_ptr<vorq::projectdb::SqlProjectDatabase>& db) {
    db = std::make_shared<vorq::projectdb::PostgresProjectDatabase>(conninfo, mode);
}
