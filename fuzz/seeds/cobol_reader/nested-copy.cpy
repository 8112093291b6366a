       01  OUTER.
           COPY INNER1.
           05 TAIL PIC X.
@@ INNER1
           05 MID.
           COPY INNER02.
@@ INNER02
              10 DEEP PIC 9(4) COMP OCCURS 3.
