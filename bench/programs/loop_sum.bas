' loop_sum: the sum of I*I for I = 1 to 2,000,000 in a block FOR loop.
DIM S
DIM I
FOR I = 1 TO 2000000
    S = S + I * I
NEXT I
PRINT S
