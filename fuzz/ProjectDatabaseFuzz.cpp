// Opens a (mutated) project database, reads its catalog and adds a keyed table with a column in
// a transaction that it rolls back: what `vorq tables` and an import do first.
#include "ScratchFile.h"
#include "host/Error.h"
#include "projectdb/ProjectCatalog.h"
#include "projectdb/SqliteProjectDatabase.h"
#include "schematool/SchemaToolPlatform.h"
#include "schematool/SchemaWorkspace.h"
#include "toolkit/headless/HeadlessToolkit.h"

#include <chrono>
#include <memory>

namespace {

void addKeyedTable(vorq::schematool::SchemaWorkspace& ws) {
    std::string name = "FUZZ_TABLE";
    std::string key = "K";
    std::int32_t tabId = -1;
    const auto now = std::chrono::system_clock::now();
    if (!ws.TableAdd(name, tabId, key, now, "DataStructImport", "xr:K?1"))
        return;
    std::int32_t type = 4, precision = 0, scale = 0;
    std::string message;
    ws.ColumnImport(tabId, "FUZZ_ID", type, precision, scale, now, "DataStructImport", "xr:K?2",
                    message);
    ws.PrimaryAdd(tabId);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto path = vorq::fuzz::scratchFile("project.db", data, size);
    try {
        vorq::headless::HeadlessToolkit toolkit;
        vorq::schematool::SchemaToolPlatform platform(toolkit, path.parent_path() / "options.xml");
        auto db = std::make_shared<vorq::projectdb::SqliteProjectDatabase>(
            path, vorq::projectdb::OpenMode::ReadWrite);
        (void)vorq::projectdb::readCatalog(*db);
        vorq::schematool::SchemaWorkspace ws(platform, db);
        db->BeginTrans();
        addKeyedTable(ws);
        db->Rollback();
    } catch (const vorq::Error&) {
        // A refused file is an answer; anything else escapes and is a finding.
    }
    return 0;
}
