#include "support/DatabaseDump.h"
#include "support/FaultPoints.h"
#include "support/StatementFaults.h"
#include "support/TempDir.h"
#include "support/VerifyText.h"
#include "workbench/RepositoryFolder.h"
#include "workbench/Workbench.h"

#include <gtest/gtest.h>
#include <iostream>

namespace vorq::workbench {
namespace {

using testing::dumpDatabase;

constexpr const char* kBefore = R"(
       IDENTIFICATION DIVISION.
       PROGRAM-ID. BILL.
       ENVIRONMENT DIVISION.
       INPUT-OUTPUT SECTION.
       FILE-CONTROL.
           SELECT IN-FILE ASSIGN TO INDD.
       DATA DIVISION.
       FILE SECTION.
       FD  IN-FILE.
       01  IN-REC.
           05  IN-ID     PIC 9(6).
           05  IN-AMT    PIC S9(7)V99 COMP-3.
       PROCEDURE DIVISION.
           READ IN-FILE.
)";

// The same file with another record, another program and another port.
constexpr const char* kAfter = R"(
       IDENTIFICATION DIVISION.
       PROGRAM-ID. BILL.
       ENVIRONMENT DIVISION.
       INPUT-OUTPUT SECTION.
       FILE-CONTROL.
           SELECT OUT-FILE ASSIGN TO OUTDD.
       DATA DIVISION.
       FILE SECTION.
       FD  OUT-FILE.
       01  OUT-REC.
           05  OUT-ID    PIC 9(6).
           05  OUT-LINES OCCURS 3.
               10  OUT-TEXT PIC X(20).
       PROCEDURE DIVISION.
           WRITE OUT-REC.
       END PROGRAM BILL.
       IDENTIFICATION DIVISION.
       PROGRAM-ID. FIX.
       PROCEDURE DIVISION.
           STOP RUN.
)";

struct Snapshot {
    std::string repository, catalog;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(Workbench& wb, const std::filesystem::path& repository) {
    return {dumpDatabase(sqlite::Connection(repository, sqlite::Connection::Mode::ReadOnly)),
            dumpDatabase(wb.catalog().connection())};
}

bool temporaryFilesLeft(const std::filesystem::path& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().string().find(".tmp") != std::string::npos)
            return true;
    return false;
}

// Verifies kBefore, then kAfter with the n-th statement failing on the new repository database
// or on the catalog (n = 0: none). Returns the statements counted.
int verifyWithFault(bool onCatalog, int n) {
    testing::TempDir dir;
    Workbench wb(dir.path());
    testing::verifyText(wb, dir.path(), "BILL.cbl", kBefore);
    const auto repository = wb.folder().database(xandrelFor("cobol", "BILL.cbl"));
    const Snapshot before = snapshot(wb, repository);
    testing::NewConnectionFaults newConnections;
    testing::StatementFaults catalog(wb.catalog().connection().handle());
    onCatalog ? catalog.arm(n) : newConnections.arm(n);
    if (n == 0) {
        testing::verifyText(wb, dir.path(), "BILL.cbl", kAfter);
        return onCatalog ? catalog.started() : newConnections.started();
    }
    EXPECT_THROW(testing::verifyText(wb, dir.path(), "BILL.cbl", kAfter), std::exception);
    EXPECT_TRUE(onCatalog ? catalog.fired() : newConnections.fired());
    EXPECT_TRUE(snapshot(wb, repository) == before) << "the previous database and catalog stay";
    EXPECT_FALSE(temporaryFilesLeft(repository.parent_path()));
    catalog.arm(0);
    newConnections.arm(0);
    testing::verifyText(wb, dir.path(), "BILL.cbl", kAfter);
    EXPECT_EQ(wb.catalog().objectsOfClass("PROGRAM").size(), 2u) << "a second verify succeeds";
    return n;
}

void expectEveryFaultKeepsTheBefore(bool onCatalog) {
    const int total = verifyWithFault(onCatalog, 0);
    ASSERT_GT(total, 5);
    const auto points = testing::faultPoints(total);
    for (const int n : points) {
        SCOPED_TRACE("fault at statement " + std::to_string(n) + " of " + std::to_string(total));
        verifyWithFault(onCatalog, n);
    }
    std::cout << "faults tried: " << points.size() << " of " << total << " statements on the "
              << (onCatalog ? "catalog" : "repository database") << "\n";
}

TEST(VerifyFaults, AFailingStatementOfTheNewRepositoryDatabaseKeepsThePreviousOne) {
    expectEveryFaultKeepsTheBefore(false);
}

TEST(VerifyFaults, AFailingStatementOfTheCatalogKeepsThePreviousDatabaseAndCatalog) {
    expectEveryFaultKeepsTheBefore(true);
}

} // namespace
} // namespace vorq::workbench
