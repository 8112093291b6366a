#include "host/InstalledLibrary.h"
#include "projectdb/SqlProjectDatabase.h"
#include "projectdb/SqliteProjectDatabase.h"

#include <array>
#include <cctype>

namespace vorq::projectdb {

bool isConnectionString(std::string_view text) {
    if (text.starts_with("postgresql://") || text.starts_with("postgres://"))
        return true;
    // libpq's key=value form starts with one of its keywords: "host=db1 dbname=sales".
    static constexpr std::array kKeywords = {"host",
                                             "hostaddr",
                                             "port",
                                             "dbname",
                                             "user",
                                             "password",
                                             "passfile",
                                             "service",
                                             "connect_timeout",
                                             "options",
                                             "application_name",
                                             "sslmode",
                                             "target_session_attrs",
                                             "client_encoding"};
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    const auto equals = text.find('=');
    if (equals == std::string_view::npos)
        return false;
    std::string_view keyword = text.substr(0, equals);
    while (!keyword.empty() && std::isspace(static_cast<unsigned char>(keyword.back())))
        keyword.remove_suffix(1);
    for (const char* k : kKeywords)
        if (keyword == k)
            return true;
    return false;
}

std::shared_ptr<SqlProjectDatabase> openProjectDatabase(const std::string& project, OpenMode mode) {
    if (!isConnectionString(project))
        return std::make_shared<SqliteProjectDatabase>(project, mode);
    // The PostgreSQL engine lives in VorqPostgres.so beside the plug-in, loaded only for a
    // project on a server: the programs that use SQLite start without libpq and its libraries.
    using OpenPostgres =
        void (*)(const std::string&, OpenMode, std::shared_ptr<SqlProjectDatabase>&);
    std::shared_ptr<SqlProjectDatabase> db;
    reinterpret_cast<OpenPostgres>(installedLibraryEntry(
        "VorqPostgres.so", "vorqOpenPostgresProject", "the PostgreSQL engine of vorq"))(project,
                                                                                        mode, db);
    return db;
}

} // namespace vorq::projectdb
