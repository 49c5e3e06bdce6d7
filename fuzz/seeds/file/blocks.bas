' Every block structure, nested
DIM I
DIM S
FUNCTION F(N)
    DIM K
    FOR K = 1 TO N
        IF K MOD 2 = 0 THEN
            F = F + K
        ELSEIF K = 3 THEN
            EXIT LOOP
        ELSE
            F = F - 1
        END IF
    NEXT K
END FUNCTION
SUB P(X)
    PRINT X
    EXIT SUB
END SUB
DO WHILE I < 5
    I = I + 1
    DO
        S = S + F(I)
    LOOP UNTIL S > 0 OR I > 2
LOOP
CALL P(S)
PRINT "done";
