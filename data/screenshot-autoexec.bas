' The start-up file of the README's screenshot.
CONST G = 9.81
