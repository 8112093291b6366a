      *================================================================*
      * CUSTMAST - customer master record                              *
      *   one record per customer, keyed by CUST-ID                    *
      *================================================================*
       01  CUSTOMER-MASTER.
           05  CUST-ID                 PIC 9(8).
           05  CUST-STATUS             PIC X.
               88  CUST-ACTIVE         VALUE 'A'.
               88  CUST-CLOSED         VALUE 'C'.
           05  CUST-NAME.
               10  CUST-LAST-NAME      PIC X(25).
               10  CUST-FIRST-NAME     PIC X(15).
               10  CUST-INITIAL        PIC X.
           05  HOME-ADDRESS.
               10  STREET              PIC X(30).
               10  CITY                PIC X(20).
               10  POST-CODE           PIC X(10).
           05  WORK-ADDRESS.
               10  STREET              PIC X(30).
               10  CITY                PIC X(20).
               10  POST-CODE           PIC X(10).
           05  PHONES                  OCCURS 3 TIMES.
               10  PHONE-TYPE          PIC X.
               10  PHONE               PIC X(15).
           05  CREDIT-LIMIT            PIC S9(7)V99 COMP-3.
           05  BALANCE                 PIC S9(7)V99 COMP-3.
           05  OPENED-DATE             PIC 9(8).
           05  OPENED-DATE-X REDEFINES OPENED-DATE.
               10  OPENED-YEAR         PIC 9(4).
               10  OPENED-MONTH        PIC 99.
               10  OPENED-DAY          PIC 99.
           05  ORDER-COUNT             PIC S9(4) COMP.
           05  ORDERS                  OCCURS 20 TIMES.
               10  ORD-NO              PIC 9(10).
               10  ORD-DATE            PIC 9(8).
               10  ORD-AMT             PIC S9(9)V99 COMP-3.
           05  FILLER                  PIC X(20).
