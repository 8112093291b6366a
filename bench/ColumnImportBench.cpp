// Makes 100,000 columns through ColumnImport (SQLID and the uniqueness rule included) inside
// one transaction, and the same number of column rows through a raw prepared INSERT, and
// prints the ratio of the two times.

#include "projectdb/SqliteProjectDatabase.h"
#include "schematool/SchemaToolPlatform.h"
#include "schematool/SchemaWorkspace.h"
#include "toolkit/headless/HeadlessToolkit.h"

#include <chrono>
#include <filesystem>
#include <fmt/core.h>

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

} // namespace

int main() {
    const auto dir = std::filesystem::temp_directory_path() / "vorq-bench-columns";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    headless::HeadlessToolkit toolkit;
    schematool::SchemaToolPlatform platform(toolkit, dir / "options.xml");
    auto db = std::make_shared<projectdb::SqliteProjectDatabase>(
        dir / "project.db", projectdb::OpenMode::CreateIfMissing);
    schematool::SchemaWorkspace ws(platform, db);

    std::string name = "BENCH";
    std::string key = "K";
    std::int32_t tab = 0;
    db->BeginTrans();
    ws.TableAdd(name, tab, key, {}, "DataStructImport", "");
    const auto importStart = Clock::now();
    for (int i = 0; i < kColumns; ++i) {
        std::int32_t type = 20, precision = 9, scale = 2;
        std::string message;
        ws.ColumnImport(tab, ws.SQLID(itemName(i)), type, precision, scale,
                        std::chrono::system_clock::now(), "DataStructImport", "xr:K?1", message);
    }
    db->CommitTrans();
    const double importTime = seconds(importStart);

    name = "RAW";
    std::int32_t rawTab = 0;
    db->BeginTrans();
    ws.TableAdd(name, rawTab, key, {}, "DataStructImport", "");
    const auto rawStart = Clock::now();
    auto insert = db->connection().prepare(
        "INSERT INTO Columns (TabID, ColumnName, Position, TypeID, Precision, Scale, Nullable, "
        "Description, Origin, SourceReference, CreatedAt) "
        "VALUES (?1, ?2, ?3, 20, 9, 2, 1, '', 'DataStructImport', 'xr:K?1', "
        "'2026-01-01T00:00:00Z')");
    for (int i = 0; i < kColumns; ++i) {
        insert.bind(1, static_cast<std::int64_t>(rawTab))
            .bind(2, fmt::format("RAW_{:06}", i))
            .bind(3, static_cast<std::int64_t>(i + 1));
        insert.run();
    }
    db->CommitTrans();
    const double rawTime = seconds(rawStart);

    fmt::print("column_import_s: {:.3f}\n", importTime);
    fmt::print("column_raw_insert_s: {:.3f}\n", rawTime);
    fmt::print("column_import_vs_raw_insert: {:.2f}\n", importTime / rawTime);
    std::filesystem::remove_all(dir);
}
