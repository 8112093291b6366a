#pragma once

// COBOL sources for the browsing tests: a copybook with the cases the tree must show, and a
// program file whose two programs share a data port.

namespace vorq::testing {

constexpr const char* kBrowseCopybook = R"(
       01  CUSTOMER.
           05  CUST-ID             PIC 9(5).
           05  FILLER              PIC X(2).
           05  CUST-NAME           PIC X(10).
           05  NAME-PARTS REDEFINES CUST-NAME.
               10  FIRST-PART      PIC X(5).
               10  LAST-PART       PIC X(5).
           05  PHONES              OCCURS 3.
               10  PHONE           PIC X(12).
           05  DFHEIBLK.
               10  EIBTIME         PIC S9(7) COMP-3.
               10  EIBDATE         PIC S9(7) COMP-3.
           05  CUST-TYPE           PIC X.
           66  ID-AND-NAME RENAMES CUST-ID THRU CUST-NAME.
)";

constexpr const char* kBrowsePrograms = R"(
       IDENTIFICATION DIVISION.
       PROGRAM-ID. READER.
       ENVIRONMENT DIVISION.
       INPUT-OUTPUT SECTION.
       FILE-CONTROL.
           SELECT MASTER ASSIGN TO MASTFILE.
           SELECT REPORT-FILE ASSIGN TO RPTFILE.
       DATA DIVISION.
       FILE SECTION.
       FD  MASTER.
       01  MASTER-REC.
           05  M-KEY               PIC X(4).
           05  M-DATA              PIC X(20).
       FD  REPORT-FILE.
       01  REPORT-LINE             PIC X(80).
       WORKING-STORAGE SECTION.
       01  WS-COPY                 PIC X(24).
       PROCEDURE DIVISION.
           READ MASTER INTO WS-COPY
           REWRITE MASTER-REC
           WRITE REPORT-LINE
           GOBACK.
       END PROGRAM READER.
       IDENTIFICATION DIVISION.
       PROGRAM-ID. LISTER.
       ENVIRONMENT DIVISION.
       INPUT-OUTPUT SECTION.
       FILE-CONTROL.
           SELECT MASTER-IN ASSIGN TO MASTFILE.
       DATA DIVISION.
       FILE SECTION.
       FD  MASTER-IN.
       01  IN-REC                  PIC X(24).
       PROCEDURE DIVISION.
           READ MASTER-IN
           GOBACK.
       END PROGRAM LISTER.
)";

// Verifies both sources into a harness's workbench.
template <class Harness> void verifyBrowseSources(Harness& host) {
    host.verify("BROWSE.cpy", kBrowseCopybook);
    host.verify("PORTS.cbl", kBrowsePrograms);
}

} // namespace vorq::testing
