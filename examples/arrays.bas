' Arrays: declared with their bounds, sorted in place, summed up.

DIM V(1 TO 6)
V(1) = 5
V(2) = 3
V(3) = 8
V(4) = 1
V(5) = 9
V(6) = 2

' A bubble sort.
DIM I
DIM J
DIM T
FOR I = 1 TO 5
    FOR J = 1 TO 6 - I
        IF V(J) > V(J + 1) THEN
            T = V(J)
            V(J) = V(J + 1)
            V(J + 1) = T
        END IF
    NEXT J
NEXT I

DIM SUM
PRINT "Sorted:"
FOR I = 1 TO 6
    PRINT V(I);
    PRINT " ";
    SUM = SUM + V(I)
NEXT I
PRINT ""
PRINT "Mean:"
PRINT SUM / 6

' Bounds may be negative; an index is rounded to the nearest element.
DIM W(-2 TO 2)
FOR I = -2 TO 2
    W(I) = I * I
NEXT I
PRINT W(-1.6)
