      * ACCTREC - account record with its history of statements
       01  ACCOUNT-RECORD.
           05  ACCT-KEY.
               10  ACCT-BRANCH         PIC 9(4).
               10  ACCT-NUMBER         PIC 9(10).
           05  ACCT-TYPE               PIC XX.
               88  ACCT-CHECKING       VALUE 'CK'.
               88  ACCT-SAVINGS        VALUE 'SV'.
           05  ACCT-OWNER-ID           PIC 9(8).
           05  ACCT-BALANCE            PIC S9(11)V99 COMP-3.
           05  ACCT-RATE               PIC SV9(5) COMP-3.
           05  ACCT-LIMITS             COMP.
               10  DAILY-LIMIT         PIC S9(7).
               10  MONTHLY-LIMIT       PIC S9(9).
           05  LAST-STATEMENT          PIC X(8).
           05  STATEMENTS              OCCURS 12 TIMES.
               10  STMT-DATE           PIC 9(8).
               10  STMT-OPENING        PIC S9(11)V99 COMP-3.
               10  STMT-CLOSING        PIC S9(11)V99 COMP-3.
           05  ACCT-FLAGS              PIC X(4).
           66  ACCT-IDENTITY RENAMES ACCT-KEY THRU ACCT-TYPE.
