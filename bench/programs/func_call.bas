' func_call: a one-line user function called 1,000,000 times.
FUNCTION F(X) = X * X + 1
DIM S
DIM I
FOR I = 1 TO 1000000
    S = S + F(I)
NEXT I
PRINT S
