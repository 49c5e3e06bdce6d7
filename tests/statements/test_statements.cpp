#include "enginetest.h"
#include "linerunner.h"

#include <string>

namespace {

// Each session has a calculator of its own, gone before the counters are
// checked.
class LanguageSession : public EngineTest {
protected:
    std::string Session(std::initializer_list<const char*> lines) {
        CRecordingInterface ui;
        return RunLines(ui, lines);
    }
};

TEST_F(LanguageSession, PrintForms) {
    EXPECT_EQ(Session({"print 1+2", "? 2*3", "7", "PRINT 1;", "PRINT 2"}), "3\n6\n7\n12\n");
    EXPECT_EQ(Session({"PRINT \"Abc\"", "PRINT \"\"", "PRINT \"x\";", "PRINT \"a\"b\""}),
              "Abc\n\nxa\"B\n");
    EXPECT_EQ(Session({"PRINT \"abc", "PRINT abc\""}),
              "ERROR! Expected string literal (= character sequence enclosed in double "
              "quotes).\nERROR! Unknown symbol: \"ABC\"\".\n");
    EXPECT_EQ(Session({"PRINT ;", "?"}),
              "ERROR! Expression is empty.\nERROR! Expression missing in PRINT statement.\n");
    EXPECT_EQ(Session({"", "   ", "REM note", "' note", "// note"}),
              "Executed null statement.\nExecuted null statement.\nExecuted null "
              "statement.\nExecuted null statement.\nExecuted null statement.\n");
}

TEST_F(LanguageSession, DeclarationsEchoInDirectMode) {
    EXPECT_EQ(
        Session({"CONST A = 2", "DIM B", "STATIC C = A*3", "DIM D(1 TO 10)", "DIM X = SIN(0)"}),
        "Declared constant A = 2\nDeclared variable B = 0\nDeclared variable C = 6\n"
        "Declared array D(1 To 10)\nDeclared variable X = 0\n");
    EXPECT_EQ(Session({"CONST K", "CONST A = 1", "CONST A = 3", "CONST = 1", "DIM ACOS = 1",
                       "DIM TRUE = 1", "CONST IF = 1", "CONST 1A = 1", "DIM sin"}),
              "ERROR! Constant must be initialized on declaration.\n"
              "Declared constant A = 1\n"
              "ERROR! Duplicate symbol name: \"A\".\n"
              "ERROR! Illegal symbol name: \"\".\n"
              "ERROR! Duplicate symbol name: \"ACOS\".\n"
              "ERROR! Duplicate symbol name: \"TRUE\".\n"
              "ERROR! Cannot use reserved word as symbol name: \"IF\".\n"
              "ERROR! Illegal symbol name: \"1A\".\n"
              "ERROR! Duplicate symbol name: \"SIN\".\n");
    EXPECT_EQ(Session({"DIM X(1 TO 0)", "DIM Y(0.5 TO 2.5)", "STATIC Z = SIN(1)", "DIM W(1 5)",
                       "DIM V(1 TO 3"}),
              "ERROR! Illegal array dimension.\nDeclared array Y(1 To 3)\n"
              "ERROR! Error in array declaration.\nERROR! Error in array declaration.\n"
              "ERROR! Expected right bracket \")\".\n");
}

TEST_F(LanguageSession, Assignments) {
    EXPECT_EQ(Session({"DIM X", "X = 5", "LET X = X*2", "X=X+1", "X=X-1", "PRINT X", "Y = 1",
                       "CONST C = 1", "C = 2", "X=", "=5"}),
              "Declared variable X = 0\nAssigned X = 5\nAssigned X = 10\nAssigned X = 11\n"
              "Assigned X = 10\n10\nERROR! Unknown symbol: \"Y\".\nDeclared constant C = 1\n"
              "ERROR! Unknown symbol: \"C\".\nERROR! Expression is missing in assignment.\n"
              "ERROR! Variable name is missing in assignment.\n");
    EXPECT_EQ(Session({"DIM A(1 TO 10)", "A(1) = 3", "A(2) = A(1) + 1", "PRINT A(2)", "A(11) = 0",
                       "A(1.5) = 9", "PRINT A(2)", "DIM X", "X = A(2)", "A)1( = 2"}),
              "Declared array A(1 To 10)\n4\nERROR! Illegal parameter value in function "
              "call.\n9\nDeclared variable X = 0\nAssigned X = 9\nERROR! Syntax error.\n");
}

TEST_F(LanguageSession, ConditionsAndLoops) {
    EXPECT_EQ(Session({"IF 0 THEN PRINT 1", "IF 0 THEN PRINT 1 ELSE PRINT 2", "IF X THEN",
                       "IF 1 PRINT 2"}),
              "Executing conditional\nExecuting conditional\n2\n"
              "ERROR! Syntax error in IF structure.\nERROR! Expected \"THEN\".\n");
    EXPECT_EQ(
        Session({"DIM I", "FOR I=1 TO 3 DO PRINT I", "FOR I = 1 TO 2 DO PRINT I*10",
                 "FOR I=5 TO 4 DO PRINT I", "PRINT I", "FOR I=1 TO 5", "PRINT I", "FOR I=1 3",
                 "FOR X TO 5 DO PRINT 1", "FOR =1 TO 3 DO PRINT 1", "FOR  = 1 TO 3 DO PRINT 1"}),
        "Declared variable I = 0\n1\n2\n3\n10\n20\n5\n6\nERROR! Expected \"TO\".\n"
        "ERROR! Syntax error in FOR structure.\nERROR! Syntax error in FOR structure.\n"
        "ERROR! Syntax error in FOR structure.\n");
}

TEST_F(LanguageSession, FunctionsAndSubroutines) {
    EXPECT_EQ(Session({"FUNCTION F(X) = X*X", "F(3)", "F(1,2)", "F()", "FUNCTION G(PI) = PI*2",
                       "G(5)", "FUNCTION H(A, A) = 1", "FUNCTION K(K) = 1", "FUNCTION M(X)",
                       "FUNCTION (X) = 1", "FUNCTION N(X = 1"}),
              "Declared function F\n9\nERROR! Expected right bracket \")\".\n"
              "ERROR! Expected right bracket \")\".\nDeclared function G\n6.28318530717958648\n"
              "ERROR! Duplicate symbol name: \"A\".\nERROR! Duplicate symbol name: \"K\".\n"
              "ERROR! Function must return a value.\nERROR! Expected left bracket \"(\".\n"
              "ERROR! Expected right bracket \")\".\n");
    EXPECT_EQ(Session({"PRINT 1", "CLS", "DIM V", "FUNCTION V(X) = 1", "DIM A(1 TO 2)",
                       "FUNCTION A(X) = X", "SETNUMBERFORMAT 2", "PRINT 1/3", "SETNUMBERFORMAT 4",
                       "SETNUMBERFORMAT(4)", "V = CLS()", "PRINT 1 + CLS()",
                       "CALL SETNUMBERFORMAT(1)", "PRINT 1/4"}),
              "Declared variable V = 0\nERROR! Duplicate symbol name: \"V\".\n"
              "Declared array A(1 To 2)\nDeclared function A\n0.33\n"
              "ERROR! Illegal parameter value in function call.\n"
              "ERROR! A subroutine doesn't return a value.\n"
              "ERROR! A subroutine doesn't return a value.\n"
              "ERROR! Can't call subroutines inside expressions.\n0.25\n");
}

TEST_F(LanguageSession, DeleteInDirectModeOnly) {
    EXPECT_EQ(Session({"CONST C = 1", "DELETE C", "DELETE ACOS", "DELETE PI", "DELETE Q",
                       "FUNCTION F(X) = X", "FUNCTION G(X) = F(X)", "DELETE F", "DELETE G",
                       "DELETE F", "IF 1 THEN DELETE F"}),
              "Declared constant C = 1\nDeleted variable C\nCannot delete built-in function "
              "ACOS\nCannot delete built-in constant PI\nUnrecognized function, variable or "
              "constant Q\nDeclared function F\nDeclared function G\n"
              "ERROR! Cannot delete symbol because external references to it exist.\n"
              "Deleted function G\nDeleted function F\nExecuting conditional\n"
              "ERROR! Statement DELETE can be used in direct mode only.\n");
}

TEST_F(LanguageSession, ExitSignalsDoNothingOnTheirOwn) {
    EXPECT_EQ(Session({"EXIT LOOP", "EXIT FUNCTION", "EXIT SUB", "PRINT 1"}), "1\n");
}

TEST_F(LanguageSession, TypedLinesCannotNestWithoutEnd) {
    std::string line;
    for (int i = 0; i < 300; ++i) {
        line += "IF 1 THEN ";
    }
    line += "PRINT 1";
    EXPECT_EQ(Session({line.c_str()}), "ERROR! Input text is too long.\n");
}

} // namespace
