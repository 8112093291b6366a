       IDENTIFICATION DIVISION.
       PROGRAM-ID. BILLRUN.
      * Monthly billing: reads accounts, writes one invoice each.
       ENVIRONMENT DIVISION.
       INPUT-OUTPUT SECTION.
       FILE-CONTROL.
           SELECT ACCOUNT-FILE ASSIGN TO ACCTFILE.
           SELECT INVOICE-FILE ASSIGN TO INVOICES.
       DATA DIVISION.
       FILE SECTION.
       FD  ACCOUNT-FILE.
           COPY ACCTREC.
       FD  INVOICE-FILE.
           COPY INVOICE.
       WORKING-STORAGE SECTION.
       01  WS-DONE                     PIC X VALUE 'N'.
       PROCEDURE DIVISION.
           OPEN INPUT ACCOUNT-FILE OUTPUT INVOICE-FILE
           PERFORM UNTIL WS-DONE = 'Y'
               READ ACCOUNT-FILE NEXT RECORD
                   AT END MOVE 'Y' TO WS-DONE
               END-READ
               IF WS-DONE = 'N'
                   MOVE ACCT-OWNER-ID TO INV-CUST-ID
                   WRITE INVOICE-RECORD
               END-IF
           END-PERFORM
           CLOSE ACCOUNT-FILE INVOICE-FILE
           GOBACK.
       END PROGRAM BILLRUN.

       IDENTIFICATION DIVISION.
       PROGRAM-ID. BILLFIX.
      * Corrections: reads accounts and rewrites their balances.
       ENVIRONMENT DIVISION.
       INPUT-OUTPUT SECTION.
       FILE-CONTROL.
           SELECT ACCOUNT-FILE ASSIGN TO ACCTFILE.
       DATA DIVISION.
       FILE SECTION.
       FD  ACCOUNT-FILE.
           COPY ACCTREC.
       WORKING-STORAGE SECTION.
       01  WS-ACCOUNT-COPY.
           05  WS-COPY-KEY             PIC X(14).
           05  WS-COPY-REST            PIC X(366).
       PROCEDURE DIVISION.
           OPEN I-O ACCOUNT-FILE
           READ ACCOUNT-FILE INTO WS-ACCOUNT-COPY
           ADD 1 TO ACCT-BALANCE
           REWRITE ACCOUNT-RECORD
           CLOSE ACCOUNT-FILE
           GOBACK.
       END PROGRAM BILLFIX.
