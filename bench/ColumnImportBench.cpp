// Makes 100,000 columns through ColumnImport (SQLID and the uniqueness rule included) inside
// one transaction, and the same number of column rows through a raw prepared INSERT, each into
// a new project, and prints the ratio of the two times.

#include "projectdb/SqliteProjectDatabase.h"
#include "schematool/SchemaToolPlatform.h"
#include "schematool/SchemaWorkspace.h"
#include "toolkit/headless/HeadlessToolkit.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fmt/core.h>
#include <limits>

using namespace vorq;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kColumns = 100'000;

double seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

std::string itemName(int i) {
    // Every tenth name repeats an earlier one, as CITY under two groups does.
    return i % 10 == 9 ? fmt::format("WS-FIELD-{:06}", i - 1) : fmt::format("WS-FIELD-{:06}", i);
}

// A project database of its own for each run, so that no run finds pages another grew.
struct Project {
    Project()
        : platform(toolkit, dir() / "options.xml"),
          db(std::make_shared<projectdb::SqliteProjectDatabase>(
              dir() / "project.db", projectdb::OpenMode::CreateIfMissing)),
          ws(platform, db) {}
    ~Project() { std::filesystem::remove_all(dir()); }
    static std::filesystem::path dir() {
        static const auto path = [] {
            auto p = std::filesystem::temp_directory_path() / "vorq-bench-columns";
            std::filesystem::remove_all(p);
            return p;
        }();
        std::filesystem::create_directories(path);
        return path;
    }
    std::int32_t addTable(std::string name) {
        std::string key = "K";
        std::int32_t tab = 0;
        ws.TableAdd(name, tab, key, {}, "DataStructImport", "");
        return tab;
    }
    headless::HeadlessToolkit toolkit;
    schematool::SchemaToolPlatform platform;
    std::shared_ptr<projectdb::SqliteProjectDatabase> db;
    schematool::SchemaWorkspace ws;
};

double importSeconds() {
    Project p;
    p.db->BeginTrans();
    std::int32_t tab = p.addTable("BENCH");
    const auto start = Clock::now();
    for (int i = 0; i < kColumns; ++i) {
        std::int32_t type = 20, precision = 9, scale = 2;
        std::string message;
        p.ws.ColumnImport(tab, p.ws.SQLID(itemName(i)), type, precision, scale,
                          std::chrono::system_clock::now(), "DataStructImport", "xr:K?1", message);
    }
    p.db->CommitTrans();
    return seconds(start);
}

double rawInsertSeconds() {
    Project p;
    p.db->BeginTrans();
    const std::int32_t tab = p.addTable("RAW");
    const auto start = Clock::now();
    auto insert = p.db->connection().prepare(
        "INSERT INTO Columns (TabID, ColumnName, Position, TypeID, Precision, Scale, Nullable, "
        "Description, Origin, SourceReference, CreatedAt) "
        "VALUES (?1, ?2, ?3, 20, 9, 2, 1, '', 'DataStructImport', 'xr:K?1', "
        "'2026-01-01T00:00:00Z')");
    for (int i = 0; i < kColumns; ++i) {
        insert.bind(1, static_cast<std::int64_t>(tab))
            .bind(2, fmt::format("RAW_{:06}", i))
            .bind(3, static_cast<std::int64_t>(i) + 1);
        insert.run();
    }
    p.db->CommitTrans();
    return seconds(start);
}

} // namespace

int main() {
    // The fastest of a few rounds of each, taken in turn: a single run on a shared machine
    // moves by half its time.
    constexpr int kRounds = 3;
    double importTime = std::numeric_limits<double>::max();
    double rawTime = std::numeric_limits<double>::max();
    for (int round = 0; round < kRounds; ++round) {
        importTime = std::min(importTime, importSeconds());
        rawTime = std::min(rawTime, rawInsertSeconds());
    }
    fmt::print("column_import_s: {:.3f}\n", importTime);
    fmt::print("column_raw_insert_s: {:.3f}\n", rawTime);
    fmt::print("column_import_vs_raw_insert: {:.2f}\n", importTime / rawTime);
}
