       IDENTIFICATION DIVISION.
       PROGRAM-ID. CUSTMNT.
      * Customer maintenance: reads the day's changes, rewrites or
      * deletes customer master records, logs every change.
       ENVIRONMENT DIVISION.
       INPUT-OUTPUT SECTION.
       FILE-CONTROL.
           SELECT CUSTOMER-FILE ASSIGN TO CUSTMAST
               ORGANIZATION IS INDEXED
               ACCESS MODE IS DYNAMIC
               RECORD KEY IS CUST-ID
               FILE STATUS IS WS-CUST-STATUS.
           SELECT CHANGE-FILE ASSIGN TO CHANGES.
           SELECT LOG-FILE ASSIGN TO CHGLOG.
       DATA DIVISION.
       FILE SECTION.
       FD  CUSTOMER-FILE.
           COPY CUSTMAST.
       FD  CHANGE-FILE
           RECORDING MODE IS F.
       01  CHANGE-RECORD.
           05  CHG-CUST-ID             PIC 9(8).
           05  CHG-ACTION              PIC X.
               88  CHG-UPDATE          VALUE 'U'.
               88  CHG-DELETE          VALUE 'D'.
           05  CHG-NEW-LIMIT           PIC S9(7)V99.
       FD  LOG-FILE.
       01  LOG-LINE                    PIC X(80).
       WORKING-STORAGE SECTION.
       01  WS-CUST-STATUS              PIC XX.
       01  WS-EOF                      PIC X VALUE 'N'.
           88  END-OF-CHANGES          VALUE 'Y'.
       01  WS-LOG-RECORD.
           05  LOG-CUST-ID             PIC 9(8).
           05  FILLER                  PIC X VALUE SPACE.
           05  LOG-ACTION              PIC X(10).
           05  FILLER                  PIC X(61) VALUE SPACES.
       PROCEDURE DIVISION.
       MAIN-LINE.
           OPEN INPUT CHANGE-FILE I-O CUSTOMER-FILE OUTPUT LOG-FILE
           PERFORM UNTIL END-OF-CHANGES
               READ CHANGE-FILE
                   AT END SET END-OF-CHANGES TO TRUE
                   NOT AT END PERFORM APPLY-CHANGE
               END-READ
           END-PERFORM
           CLOSE CHANGE-FILE CUSTOMER-FILE LOG-FILE
           GOBACK.
       APPLY-CHANGE.
           MOVE CHG-CUST-ID TO CUST-ID
           READ CUSTOMER-FILE
               INVALID KEY EXIT PARAGRAPH
           END-READ
           MOVE CUST-ID TO LOG-CUST-ID
           IF CHG-DELETE
               DELETE CUSTOMER-FILE RECORD
               MOVE 'DELETED' TO LOG-ACTION
           ELSE
               MOVE CHG-NEW-LIMIT TO CREDIT-LIMIT
               REWRITE CUSTOMER-MASTER
               MOVE 'UPDATED' TO LOG-ACTION
           END-IF
           WRITE LOG-LINE FROM WS-LOG-RECORD.
