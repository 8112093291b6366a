      * INVOICE - an invoice with lines and their taxes
       01  INVOICE-RECORD.
           05  INV-NO                  PIC 9(10).
           05  INV-DATE.
               10  INV-YEAR            PIC 9(4).
               10  INV-MONTH           PIC 99.
               10  INV-DAY             PIC 99.
           05  INV-CUST-ID             PIC 9(8).
           05  INV-CUST-NAME           PIC N(20).
           05  INV-LINES               OCCURS 2 TIMES.
               10  LINE-PRODUCT        PIC X(12).
               10  LINE-QTY            PIC S9(5) COMP-3.
               10  LINE-PRICE          PIC S9(7)V99 COMP-3.
               10  LINE-TAXES          OCCURS 3 TIMES.
                   15  TAX-CODE        PIC XX.
                   15  TAX-AMOUNT      PIC S9(7)V99 COMP-3.
           05  INV-TOTAL       PIC S9(9)V99 SIGN LEADING SEPARATE.
           05  INV-PRINTED-TOTAL       PIC $$$,$$$,$$9.99CR.
           05  INV-COMMENT             PIC X(40).
