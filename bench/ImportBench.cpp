// The whole batch import of a generated copybook of about 100,000 elementary items (groups,
// OCCURS spread in place and moved to child tables), from the press of OK to the commit,
// against a raw prepared INSERT of as many column rows into a new project; and peak memory.

#include "BenchWorkspace.h"
#include "PostgresScratch.h"
#include "component/Globals.h"
#include "component/VorqImpCpyEng.h"
#include "dialog/frmImport.h"
#include "host/Error.h"
#include "toolkit/headless/HeadlessButton.h"
#include "toolkit/headless/HeadlessTreeView.h"
#include "toolkit/headless/HeadlessWindow.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fmt/core.h>
#include <limits>
#include <sys/resource.h>

using namespace vorq;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::size_t kItems = 122'000;

// Presses OK on the dialog over every record of the workspace's copybook; the seconds from
// the press to the commit.
double timedImport(bench::BenchWorkspace& w) {
    w.platform->optionsFile().set("ArrayFields", {"True"});
    w.platform->optionsFile().set("Threshold", {"5"});
    double seconds = 0;
    w.toolkit.setUser([&](headless::HeadlessWindow& window) {
        window.treeView("tvData").pressKey('A', 2);
        const auto start = Clock::now();
        window.button("cmdOK").click();
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
    });
    std::shared_ptr<OskWS> osk = w.wb;
    std::shared_ptr<VorqWS> vorq = w.host;
    std::string param;
    VorqImpCpyEng().Run(osk, vorq, param);
    Globals::current().dialog.reset();
    if (w.host->returnCode != 0)
        throw Error("the import into " + w.db->name() + " failed");
    return seconds;
}

// Each figure is the fastest of a few rounds, each in a new workspace: one run on these shared
// cores moves by half its time.
constexpr int kRounds = 3;

std::int64_t columnCount(projectdb::SqlProjectDatabase& db) {
    auto counted = db.prepare("SELECT count(*) FROM Columns");
    counted->step();
    return counted->integer(0);
}

// A raw prepared INSERT of as many column rows into a new project.
double rawInsertSeconds(std::int64_t columns) {
    bench::BenchWorkspace w("import-raw", 10);
    w.db->BeginTrans();
    std::string name = "RAW";
    std::int32_t raw = 0;
    std::string key;
    w.host->TableAdd(name, raw, key, {}, "bench", "");
    const auto start = Clock::now();
    auto& insert = w.db->cached(
        "INSERT INTO Columns (TabID, ColumnName, Position, TypeID, Precision, Scale, Nullable, "
        "Description, Origin, SourceReference, CreatedAt) VALUES (?1, ?2, ?3, 20, 9, 2, 1, '', "
        "'DataStructImport', 'xr:1?2', '2026-01-01T00:00:00Z')");
    for (std::int64_t i = 0; i < columns; ++i) {
        insert.bind(1, raw).bind(2, fmt::format("RAW_{:07}", i)).bind(3, i + 1);
        insert.run();
        insert.reset();
    }
    w.db->CommitTrans();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The same import into a new scratch schema of the server that VORQ_TEST_PG names.
void comparePostgres(double sqliteSeconds) {
    double seconds = std::numeric_limits<double>::max();
    for (int round = 0; round < kRounds; ++round) {
        const auto scratch = bench::PostgresScratch::open("bench_import", "import_pg_vs_sqlite");
        if (!scratch)
            return;
        bench::BenchWorkspace w("import-pg", kItems, scratch->conninfo());
        seconds = std::min(seconds, timedImport(w));
    }
    fmt::print("import_pg_s: {:.3f}\nimport_pg_vs_sqlite: {:.2f}\n", seconds,
               seconds / sqliteSeconds);
}

} // namespace

int main() {
    std::int64_t columns = 0;
    double importSeconds = std::numeric_limits<double>::max();
    double rawSeconds = std::numeric_limits<double>::max();
    for (int round = 0; round < kRounds; ++round) {
        {
            bench::BenchWorkspace w("import", kItems);
            importSeconds = std::min(importSeconds, timedImport(w));
            columns = columnCount(*w.db);
        }
        rawSeconds = std::min(rawSeconds, rawInsertSeconds(columns));
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    fmt::print("import_columns: {}\n", columns);
    fmt::print("import_s: {:.3f}\nimport_raw_insert_s: {:.3f}\n", importSeconds, rawSeconds);
    fmt::print("import_vs_raw_insert: {:.2f}\n", importSeconds / rawSeconds);
    fmt::print("import_peak_mb: {:.0f}\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    comparePostgres(importSeconds);
}
