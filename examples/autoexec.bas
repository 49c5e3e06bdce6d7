' The start-up file: the calculator runs it at every start and reset when
' it stands in the current directory. Copy it there and adapt it.

' A few functions at hand.
FUNCTION HYPOT(A, B) = SQR(A * A + B * B)
FUNCTION DEGREES(R) = R / DEG
FUNCTION RADIANS(D) = D * DEG

' Two decimals are enough for most everyday sums.
SETNUMBERFORMAT NF_FIXED
