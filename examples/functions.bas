' Functions: one-line definitions, bodies with local variables, and a
' subroutine. Run it with:  RUNFILE "functions.bas"

FUNCTION SQUARE(X) = X * X

' The greatest common divisor by Euclid's algorithm. Inside the body the
' function's own name is its result. Local declarations come first; they
' run once, when the function is defined, and every call starts from their
' declared values.
FUNCTION GCD(A, B)
    DIM X
    DIM Y
    DIM T
    X = A
    Y = B
    DO WHILE Y <> 0
        T = X MOD Y
        X = Y
        Y = T
    LOOP
    GCD = X
END FUNCTION

' Factorial with a FOR loop.
FUNCTION FACT(N)
    DIM I
    DIM P = 1
    FOR I = 2 TO N
        P = P * I
    NEXT I
    FACT = P
END FUNCTION

' A subroutine returns no value; it is called with CALL.
DIM TOTAL
SUB ADD(X)
    TOTAL = TOTAL + X
END SUB

PRINT "Squares:"
PRINT SQUARE(7)
PRINT SQUARE(1.5)
PRINT "GCD of 1071 and 462:"
PRINT GCD(1071, 462)
PRINT "10 factorial:"
PRINT FACT(10)
CALL ADD(5)
CALL ADD(37)
PRINT "Total:"
PRINT TOTAL
