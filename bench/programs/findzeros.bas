' findzeros: the zero points of the sine on [0, 3000].
FINDZEROS SIN,0,3000
