' math_sin: the library sine summed over 1,000,000 arguments.
DIM S
DIM I
FOR I = 1 TO 1000000
    S = S + SIN(I)
NEXT I
PRINT S
