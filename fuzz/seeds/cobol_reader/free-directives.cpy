>>SOURCE FORMAT IS FREE
>>DEFINE WIDE AS 1
01 order-record.
   05 order-id        pic 9(10) binary.
>>IF WIDE IS DEFINED
   05 order-note      pic x(200).
>>ELSE
   05 order-note      pic x(20).
>>END-IF
   05 order-lines occurs 20 times indexed by ol-ix.
      10 line-qty     binary-short unsigned.
      10 line-price   float-long.
      10 line-code    pic x(4) value x"41424344".
   05 order-flag      pic x value 'Y'.
      88 order-open   value 'Y' 'O'
                      'P'.
   66 order-all renames order-id thru order-flag.
