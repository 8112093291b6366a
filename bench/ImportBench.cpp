// The whole batch import of a generated copybook of about 100,000 elementary items (groups,
// OCCURS spread in place and moved to child tables), from the press of OK to the commit,
// against a raw prepared INSERT of as many column rows in the same run; and peak memory.

#include "BenchWorkspace.h"
#include "component/Globals.h"
#include "component/VorqImpCpyEng.h"
#include "dialog/frmImport.h"
#include "toolkit/headless/HeadlessButton.h"
#include "toolkit/headless/HeadlessTreeView.h"
#include "toolkit/headless/HeadlessWindow.h"

#include <chrono>
#include <fmt/core.h>
#include <sys/resource.h>

using namespace vorq;
using Clock = std::chrono::steady_clock;

int main() {
    bench::BenchWorkspace w("import", 122'000);
    w.platform->optionsFile().set("ArrayFields", {"True"});
    w.platform->optionsFile().set("Threshold", {"5"});
    auto& toolkit = w.toolkit;
    auto& db = w.db;
    auto& host = w.host;

    double importSeconds = 0;
    toolkit.setUser([&](headless::HeadlessWindow& window) {
        window.treeView("tvData").pressKey('A', 2);
        const auto start = Clock::now();
        window.button("cmdOK").click();
        importSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    });
    std::shared_ptr<OskWS> osk = w.wb;
    std::shared_ptr<VorqWS> vorq = host;
    std::string param;
    VorqImpCpyEng().Run(osk, vorq, param);
    if (host->returnCode != 0) {
        fmt::print(stderr, "the import failed\n");
        return 1;
    }
    auto counted = db->connection().prepare("SELECT count(*) FROM Columns");
    counted.step();
    const std::int64_t columns = counted.integer(0);

    db->BeginTrans();
    std::string name = "RAW";
    std::int32_t raw = 0;
    std::string key;
    host->TableAdd(name, raw, key, {}, "bench", "");
    const auto start = Clock::now();
    auto insert = db->connection().prepare(
        "INSERT INTO Columns (TabID, ColumnName, Position, TypeID, Precision, Scale, Nullable, "
        "Description, Origin, SourceReference, CreatedAt) VALUES (?1, ?2, ?3, 20, 9, 2, 1, '', "
        "'DataStructImport', 'xr:1?2', '2026-01-01T00:00:00Z')");
    for (std::int64_t i = 0; i < columns; ++i) {
        insert.bind(1, static_cast<std::int64_t>(raw))
            .bind(2, fmt::format("RAW_{:07}", i))
            .bind(3, i + 1);
        insert.run();
    }
    db->CommitTrans();
    const double rawSeconds = std::chrono::duration<double>(Clock::now() - start).count();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    fmt::print("import_columns: {}\n", columns);
    fmt::print("import_s: {:.3f}\nimport_raw_insert_s: {:.3f}\n", importSeconds, rawSeconds);
    fmt::print("import_vs_raw_insert: {:.2f}\n", importSeconds / rawSeconds);
    fmt::print("import_peak_mb: {:.0f}\n", usage.ru_maxrss / 1024.0);
    Globals::current().dialog.reset();
}
