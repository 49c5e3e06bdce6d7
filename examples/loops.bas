' Loops and conditions: FOR ... NEXT, DO ... LOOP with WHILE and UNTIL,
' EXIT LOOP, and IF ... ELSEIF ... ELSE ... END IF.

DIM N
DIM K
DIM PRIME

PRINT "Primes below 30:"
FOR N = 2 TO 29
    PRIME = 1
    FOR K = 2 TO N - 1
        IF N MOD K = 0 THEN
            PRIME = 0
            EXIT LOOP
        END IF
    NEXT K
    IF PRIME THEN PRINT N;
    IF PRIME THEN PRINT " ";
NEXT N
PRINT ""

' The Collatz sequence of 6, with a loop tested at its end.
DIM X = 6
DIM STEPS
DO
    IF X MOD 2 = 0 THEN
        X = X / 2
    ELSE
        X = 3 * X + 1
    END IF
    STEPS = STEPS + 1
LOOP UNTIL X = 1
PRINT "Collatz steps from 6:"
PRINT STEPS

' Sorting into classes.
DIM T
FOR T = -1 TO 1
    IF T < 0 THEN
        PRINT "negative"
    ELSEIF T = 0 THEN
        PRINT "zero"
    ELSE
        PRINT "positive"
    END IF
NEXT T
