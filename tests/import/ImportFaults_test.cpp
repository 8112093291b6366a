#include "projectdb/SqliteProjectDatabase.h"
#include "support/DatabaseDump.h"
#include "support/FaultPoints.h"
#include "support/FaultyWorkspace.h"
#include "support/ImportHarness.h"
#include "support/StatementFaults.h"
#include "toolkit/headless/HeadlessComboBox.h"
#include "toolkit/headless/HeadlessOptionButton.h"

#include <gtest/gtest.h>
#include <iostream>

namespace vorq {
namespace {

using testing::dumpDatabase;
using testing::FaultyWorkspace;
using testing::ImportHarness;
using testing::StatementFaults;

// Keys, a child table with a grandchild, columns spread from a small OCCURS.
constexpr const char* kCustomer = R"(
       01  CUSTOMER.
           05  CUST-ID             PIC 9(8).
           05  CUST-NAME           PIC X(30).
           05  PHONE               PIC X(12) OCCURS 2.
           05  ORDERS OCCURS 12.
               10  ORDER-ID        PIC 9(6).
               10  ORDER-AMT       PIC S9(7)V99 COMP-3.
               10  ITEMS OCCURS 30.
                   15  ITEM-CODE   PIC X(5).
)";

enum class Mode { NewTables, AddToTable };
enum class Fault { Statement, HostCall };

// What each kind of fault says, in the message and the log.
const char* causeOf(Fault fault) {
    return fault == Fault::Statement ? "interrupted" : "the schema tool failed in";
}

// One import in which the n-th statement on the project database or the n-th call of the schema
// tool (counted from OK) fails, then a second OK with no fault. n = 0 runs with no fault and
// tells how many statements or calls there were.
struct FaultRun {
    int points = 0;
    bool fired = false;
    std::string failed; // the statement or the call
    std::string before, afterFailure, afterSecondOk;
    bool dialogStayed = false;
    int code = 0;
    std::vector<workbench::LogEntry> log;
    std::vector<std::string> messages;
};

FaultRun runWithFault(Mode mode, Fault fault, int n) {
    ImportHarness h;
    auto host = std::make_shared<FaultyWorkspace>(h.platform, h.db);
    h.ws = host;
    h.verify("CUST.cpy", kCustomer);
    h.option("AutoKey", {"True"});
    h.option("Patterns", {"*-ID"});
    h.option("ArrayFields", {"True"});
    h.option("Threshold", {"5"});
    if (mode == Mode::AddToTable)
        h.addTable("TARGET");
    // Statement faults are injected into SQLite, the engine whose statements can be counted.
    const auto& file = dynamic_cast<projectdb::SqliteProjectDatabase&>(*h.db).connection();
    StatementFaults faults(file.handle());
    FaultRun out;
    out.before = dumpDatabase(file);
    out.code = h.run([&](frmImport&, headless::HeadlessWindow& w) {
        auto& tree = w.treeView("tvData");
        if (mode == Mode::AddToTable) {
            tree.checkNode(tree.Node(1), true);
            w.optionButton("optCreateAdd(1)").click();
        } else {
            tree.pressKey('A', 2);
        }
        (fault == Fault::Statement ? faults.arm(n) : host->arm(n));
        w.button("cmdOK").click();
        out.points = fault == Fault::Statement ? faults.started() : host->calls();
        out.fired = fault == Fault::Statement ? faults.fired() : !host->failed().empty();
        out.failed = fault == Fault::Statement ? faults.failedSql() : host->failed();
        if (n == 0)
            return;
        out.dialogStayed = w.IsShown();
        out.afterFailure = dumpDatabase(file);
        faults.arm(0);
        host->arm(0);
        w.button("cmdOK").click();
    });
    out.afterSecondOk = dumpDatabase(file);
    out.log = h.wb->catalog().logEntries();
    for (const auto& m : h.toolkit.messages())
        out.messages.push_back(m.prompt);
    return out;
}

void expectEveryFaultRollsBack(Mode mode, Fault fault) {
    const FaultRun clean = runWithFault(mode, fault, 0);
    ASSERT_EQ(clean.code, 0);
    ASSERT_GT(clean.points, 20) << "the import should be representative";
    int unchanged = 0;
    const auto points = testing::faultPoints(clean.points);
    for (const int n : points) {
        SCOPED_TRACE("fault at " + std::to_string(n) + " of " + std::to_string(clean.points));
        const FaultRun run = runWithFault(mode, fault, n);
        SCOPED_TRACE(run.failed);
        ASSERT_TRUE(run.fired);
        EXPECT_TRUE(run.dialogStayed);
        EXPECT_EQ(run.afterFailure, run.before);
        unchanged += run.afterFailure == run.before;
        // The failed run's log comes before the second OK's (a failed commit follows the
        // success it had already logged).
        ASSERT_GE(run.log.size(), 2u);
        const auto& failed = run.log[run.log.size() - 2];
        EXPECT_TRUE(failed.isError);
        EXPECT_NE(failed.text.find(causeOf(fault)), std::string::npos) << failed.text;
        ASSERT_EQ(run.messages.size(), 1u) << "one message, with the cause";
        EXPECT_NE(run.messages[0].find(causeOf(fault)), std::string::npos) << run.messages[0];
        EXPECT_EQ(run.code, 0) << "the second OK succeeds";
        EXPECT_EQ(testing::withoutTimes(run.afterSecondOk),
                  testing::withoutTimes(clean.afterSecondOk));
    }
    // The evidence that docs/reliability.md quotes.
    std::cout << "faults tried: " << points.size() << " of " << clean.points
              << (fault == Fault::Statement ? " statements" : " host calls")
              << ", project unchanged after " << unchanged << "\n";
}

TEST(Faults, EveryFailingStatementOfANewTablesImportLeavesTheProjectAsItWas) {
    expectEveryFaultRollsBack(Mode::NewTables, Fault::Statement);
}

TEST(Faults, EveryFailingStatementOfAnAddToTableImportLeavesTheProjectAsItWas) {
    expectEveryFaultRollsBack(Mode::AddToTable, Fault::Statement);
}

TEST(Faults, EveryFailingHostCallOfANewTablesImportLeavesTheProjectAsItWas) {
    expectEveryFaultRollsBack(Mode::NewTables, Fault::HostCall);
}

TEST(Faults, EveryFailingHostCallOfAnAddToTableImportLeavesTheProjectAsItWas) {
    expectEveryFaultRollsBack(Mode::AddToTable, Fault::HostCall);
}

} // namespace
} // namespace vorq
