PRINT 1
RUNFILE "prog.bas"
