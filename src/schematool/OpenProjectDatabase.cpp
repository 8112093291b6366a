#include "postgres/Postgres.h"
#include "schematool/PostgresProjectDatabase.h"
#include "schematool/SqliteProjectDatabase.h"

namespace vorq::schematool {

std::shared_ptr<SqlProjectDatabase> openProjectDatabase(const std::string& project, OpenMode mode) {
    if (postgres::isConnectionString(project))
        return std::make_shared<PostgresProjectDatabase>(project, mode);
    return std::make_shared<SqliteProjectDatabase>(project, mode);
}

} // namespace vorq::schematool
