' The start-up file: the calculator runs it at every start and reset when
' it stands in the current directory. Copy it there and adapt it.

' A few functions at hand.
FUNCTION HYPOT(A, B) = SQR(A * A + B * B)
FUNCTION DEGREES(R) = R / DEG
FUNCTION RADIANS(D) = D * DEG

' The function buttons: a template waits in the input line with the caret
' on its "?"; a command with 1 at the end runs at once.
SETFUNCTIONBUTTON 1, "PRINT SQR(?)", "Root", 0
SETFUNCTIONBUTTON 2, "PRINT DEGREES(?)", "Degrees", 0
SETFUNCTIONBUTTON 3, "CLS", "Clear", 1
SETFUNCTIONBUTTON 4, "SETNUMBERFORMAT NF_GENERAL", "General", 1

' Two decimals are enough for most everyday sums.
SETNUMBERFORMAT NF_FIXED
