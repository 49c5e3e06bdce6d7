' The start-up file of the README's screenshot.
CONST G = 9.81
SETFUNCTIONBUTTON 1, "PRINT SQR(?)", "Root", 0
SETFUNCTIONBUTTON 2, "CLS", "Clear", 1
SETFUNCTIONBUTTON 3, "FINDZEROS F, -10, 10", "Zeros of F", 1
