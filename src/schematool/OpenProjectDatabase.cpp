#include "host/Error.h"
#include "schematool/SqlProjectDatabase.h"
#include "schematool/SqliteProjectDatabase.h"

#include <array>
#include <cctype>
#include <dlfcn.h>
#include <filesystem>

namespace vorq::schematool {
namespace {

// The PostgreSQL engine lives in VorqPostgres.so beside the plug-in, loaded only for a
// project on a server: the programs that use SQLite start without libpq and its libraries.
std::filesystem::path postgresLibrary() {
    // Installed: <prefix>/<libdir>/vorq/; built: lib/ beside bin/ (and tests/, bench/).
    const std::filesystem::path prefix =
        std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path();
    const std::filesystem::path installed =
        prefix / VORQ_INSTALL_LIBDIR / "vorq" / "VorqPostgres.so";
    return std::filesystem::exists(installed) ? installed : prefix / "lib" / "VorqPostgres.so";
}

using OpenPostgres = void (*)(const std::string&, OpenMode, std::shared_ptr<SqlProjectDatabase>&);

OpenPostgres postgresEntry() {
    static OpenPostgres entry = nullptr;
    if (entry)
        return entry;
    const std::string path = postgresLibrary().string();
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        throw Error("Cannot load the PostgreSQL engine of vorq from " + path + ": " + dlerror());
    entry = reinterpret_cast<OpenPostgres>(dlsym(library, "vorqOpenPostgresProject"));
    if (!entry)
        throw Error(path +
                    " has no vorqOpenPostgresProject: it belongs to another version of vorq");
    return entry;
}

} // namespace

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
    std::shared_ptr<SqlProjectDatabase> db;
    postgresEntry()(project, mode, db);
    return db;
}

} // namespace vorq::schematool
