#include "enginetest.h"
#include "interpreter/cinterpreter.h"
#include "linerunner.h"

#include <string>

namespace {

class ProgramFileTest : public EngineTest {
protected:
    // Runs the text as a program file in a fresh calculator, then the typed
    // lines; returns everything printed.
    static std::string RunFile(const std::string& text,
                               std::initializer_list<const char*> after = {}) {
        const std::string path = WriteProgramFile("program.bas", text);
        const std::string line = "RUNFILE \"" + path + "\"";
        CRecordingInterface ui;
        std::string output = RunLines(ui, {line.c_str()});
        return output + RunLines(ui, after);
    }
};

TEST_F(ProgramFileTest, DeclarationsAreSilentAndLinkedInTurn) {
    EXPECT_EQ(RunFile("DIM X = 5\nPRINT X\n  const K = 2\n\t? K*X\n", {"PRINT K"}), "5\n10\n2\n");
    EXPECT_EQ(RunFile("PRINT \"Mixed Case\"\r\nprint 1\r\n"), "Mixed Case\n1\n");
}

TEST_F(ProgramFileTest, CommentsAndBlankLines) {
    EXPECT_EQ(RunFile("' comment\n// other\n\nREM note\nPRINT 1\n"), "1\n");
    EXPECT_EQ(RunFile("' only a comment\n\n"), "ERROR! File is empty.\n");
    EXPECT_EQ(RunFile(""), "ERROR! File is empty.\n");
}

TEST_F(ProgramFileTest, BlockStructures) {
    EXPECT_EQ(RunFile("DIM I\nDIM S\nFOR I=1 TO 4\nS=S+I\nPRINT S\nNEXT\n"), "1\n3\n6\n10\n");
    EXPECT_EQ(RunFile("DIM X = 3\nIF X > 2 THEN\nPRINT 1\nELSE\nPRINT 2\nEND IF\n"), "1\n");
    EXPECT_EQ(RunFile("DIM A\nDIM B\nDIM D = 1\nIF A THEN\nB=1\nELSEIF D THEN\nB=2\nELSE\n"
                      "B=3\nEND IF\nPRINT B\n"),
              "2\n");
    EXPECT_EQ(RunFile("DIM X\nDO UNTIL X > 5\nX = X + 2\nLOOP\nPRINT X\n"), "6\n");
    EXPECT_EQ(RunFile("DIM X = 10\nDO\nX = X + 1\nLOOP WHILE X < 5\nPRINT X\n"), "11\n");
    EXPECT_EQ(RunFile("DIM X\nDO\nX = X + 1\nIF X = 3 THEN EXIT LOOP\nLOOP\nPRINT X\n"), "3\n");
    EXPECT_EQ(RunFile("DIM I\nDIM J\nFOR I=1 TO 2\nFOR J=1 TO 2\nPRINT I*10+J\nNEXT J\nNEXT I\n"),
              "11\n12\n21\n22\n");
}

TEST_F(ProgramFileTest, StepLoopBlocks) {
    EXPECT_EQ(RunFile("DIM I\nFOR I=10 TO 0 STEP -5\nPRINT I\nNEXT\nPRINT I\n"), "10\n5\n0\n-5\n");
    EXPECT_EQ(RunFile("DIM I\nDIM J\nFOR I=1 TO 2 STEP 0.5\nFOR J=1 TO 0 STEP 1\nPRINT J\nNEXT\n"
                      "IF I > 1 THEN EXIT LOOP\nNEXT\nPRINT I\n"),
              "1.5\n");
    EXPECT_EQ(RunFile("DIM I\nDIM S\nFOR I=1 TO 2 STEP S\nPRINT I\nNEXT\n"),
              "ERROR! STEP must not be zero.\n");
    EXPECT_EQ(RunFile("DIM I\nFOR I=1 TO 2 STEP\nPRINT I\nNEXT\n"),
              "ERROR! Syntax error in FOR structure.\n");
}

TEST_F(ProgramFileTest, StructureErrorsRunNothing) {
    EXPECT_EQ(RunFile("PRINT 1\nFOR I=1 TO 3\nNEXT\n"), "ERROR! Error in control structure.\n");
    EXPECT_EQ(RunFile("NEXT\n"), "ERROR! Syntax error.\n");
    EXPECT_EQ(RunFile("PRINT 1\nFOR I=1 TO 3\nPRINT 2\n"), "ERROR! Unexpected error.\n");
    EXPECT_EQ(RunFile("PRINT 1\nPRINT 2\nFOR I 3 DO PRINT 3\n"), "ERROR! Expected \"TO\".\n");
    // Expression syntax is checked when each statement is linked, just
    // before it runs.
    EXPECT_EQ(RunFile("PRINT 1\nPRINT (\nPRINT 3\n"),
              "1\nERROR! Right bracket \")\" is missing.\n");
    EXPECT_EQ(RunFile("DIM X\nIF X THEN\nPRINT 1\nENDIF\n"), "ERROR! Unexpected error.\n");
    EXPECT_EQ(RunFile("FOR I=1 TO 2\nDIM X\nNEXT\n"),
              "ERROR! Variable and constant declarations are not allowed within control "
              "structures.\n");
    EXPECT_EQ(RunFile("IF 1 THEN\nIF 1 THEN\nFUNCTION F(X) = 1\nEND IF\nEND IF\n"),
              "ERROR! Function definitions are not allowed within function definitions or "
              "control structures.\n");
    EXPECT_EQ(RunFile("IF 1 THEN\nPRINT 1\nELSEIF 2 THEN\nPRINT 2\nNEXT\nEND IF\n"),
              "ERROR! Expected ELSE, ELSE IF or END IF.\n");
}

TEST_F(ProgramFileTest, RuntimeErrorStopsAtTheFailingStatement) {
    EXPECT_EQ(RunFile("DIM X = 1\nPRINT 1/0\nDIM Y\n", {"PRINT X", "PRINT Y"}),
              "ERROR! Division by zero.\n1\nERROR! Unknown symbol: \"Y\".\n");
    EXPECT_EQ(RunFile("EXIT LOOP\nPRINT 1\nDELETE X\n"),
              "1\nERROR! Statement DELETE can be used in direct mode only.\n");
}

TEST_F(ProgramFileTest, FunctionBodies) {
    EXPECT_EQ(RunFile("FUNCTION F(X)\nDIM T = 1\nSTATIC N\nN = N + 1\nT = T + X\nF = T*100+N\n"
                      "END FUNCTION\nPRINT F(1)\nPRINT F(2)\n"),
              "201\n302\n");
    EXPECT_EQ(RunFile("FUNCTION F(X)\nIF X > 0 THEN F = X\nEND FUNCTION\nPRINT F(5)\n"
                      "PRINT F(-1)\n"),
              "5\n5\n");
    // A file is recognised before it runs: its own SUB is called with CALL.
    EXPECT_EQ(RunFile("DIM S\nSUB ADD(X)\nS = S + X\nEND SUB\nCALL ADD(3)\nPRINT S\n",
                      {"ADD 2", "PRINT S", "PRINT ADD(1)"}),
              "3\n5\nERROR! A subroutine doesn't return a value.\n");
    EXPECT_EQ(RunFile("FUNCTION F(X)\nDIM I\nFOR I=1 TO 10\nIF I = X THEN EXIT FUNCTION\n"
                      "F = I\nNEXT\nEND FUNCTION\nPRINT F(4)\n"),
              "3\n");
    EXPECT_EQ(RunFile("FUNCTION F(X)\nPRINT X\nDIM Y\nEND FUNCTION\n"),
              "ERROR! Local constant and variable declarations must be at the start of the "
              "function body.\n");
    EXPECT_EQ(RunFile("FUNCTION F(X)\nDIM Y = X\nEND FUNCTION\nPRINT F(2)\n"), "0\n");
    EXPECT_EQ(RunFile("FUNCTION F(X)\nF = G(X)\nEND FUNCTION\nFUNCTION G(X)\nG = F(X)\n"
                      "END FUNCTION\n",
                      {"F(1)", "FUNCTION H(X) = 2*X", "H(4)"}),
              "ERROR! Unknown symbol: \"G\".\nERROR! Unknown symbol: \"F\".\n"
              "Declared function H\n8\n");
}

TEST_F(ProgramFileTest, VariablesAreReadBeforeTheCallsOfAnExpression) {
    // G changes V while V + G(1) is evaluated; the sum sees the old V.
    EXPECT_EQ(RunFile("DIM V = 1\nFUNCTION G(X)\nV = 100\nG = X\nEND FUNCTION\n"
                      "PRINT V + G(1)\nPRINT V + G(1)\nPRINT V*2+V\n"),
              "2\n101\n300\n");
}

TEST_F(ProgramFileTest, RecursionIsRefusedAndTheFunctionStaysUsable) {
    // Inside its body a function's name is its result; a call can come back
    // only through a file that the body runs.
    const std::string again = WriteProgramFile("again.bas", "PRINT F(0)\n");
    const std::string text =
        "FUNCTION F(X)\nIF X > 0 THEN RUNFILE \"" + again + "\"\nF = X\nEND FUNCTION\n";
    EXPECT_EQ(RunFile(text, {"F(0)", "F(2)", "F(3)", "F(0)"}),
              "0\nERROR! Recursion is not allowed.\nERROR! Recursion is not allowed.\n0\n");
    EXPECT_EQ(RunFile("FUNCTION F(X)\nF = F(X)\nEND FUNCTION\n"), "ERROR! Error in expression.\n");
}

TEST_F(ProgramFileTest, QuotingOfTheFileName) {
    CRecordingInterface ui;
    EXPECT_EQ(RunLines(ui, {"RUNFILE test.bas", "RUNFILE \"\"", "RUNFILE \" \"", "RUNFILE",
                            "RUNFILE \"no such file.bas\""}),
              "ERROR! Statement RUNFILE expects filename to be enclosed in double quotes.\n"
              "ERROR! File name is missing.\nERROR! File name is missing.\n"
              "ERROR! Unknown symbol: \"RUNFILE\".\n"
              "ERROR! Could not open file \"no such file.bas\".\n");
}

// Blocks nest as deep as the limit, each level running once; one level more
// refuses the file before anything runs.
std::string NestedLoops(int nDepth) {
    std::string text = "PRINT 0\n";
    for (int i = 0; i < nDepth; ++i) {
        text += "DO\n";
    }
    text += "PRINT 1\n";
    for (int i = 0; i < nDepth; ++i) {
        text += "EXIT LOOP\nLOOP\n";
    }
    return text;
}

TEST_F(ProgramFileTest, NestingIsBounded) {
    EXPECT_EQ(RunFile(NestedLoops(CInterpreter::MAX_BLOCK_NESTING)), "0\n1\n");
    EXPECT_EQ(RunFile(NestedLoops(CInterpreter::MAX_BLOCK_NESTING + 1)),
              "ERROR! Input text is too long.\n");
}

TEST_F(ProgramFileTest, LongElseIfChains) {
    std::string text = "DIM X = 300\nDIM Y\nIF X = 0 THEN\nY = 0\n";
    for (int i = 1; i < 500; ++i) {
        text += "ELSEIF X = " + std::to_string(i) + " THEN\nY = " + std::to_string(i) + "\n";
    }
    text += "ELSE\nY = -1\nEND IF\nPRINT Y\n";
    EXPECT_EQ(RunFile(text), "300\n");
}

TEST_F(ProgramFileTest, ClosersMatchTheNearestOpenBlock) {
    // The opener decides what is built, whatever closes it.
    EXPECT_EQ(RunFile("DIM I\nFOR I=1 TO 2\nPRINT I\nLOOP\n"), "1\n2\n");
    EXPECT_EQ(RunFile("PRINT 1\nNEXT\nDIM I\nFOR I=1 TO 2\nPRINT I\nNEXT\n"),
              "ERROR! Unexpected error.\n");
    EXPECT_EQ(RunFile("IF 1 THEN\nPRINT 1\nELSE\nPRINT 2\nELSE\nPRINT 3\nEND IF\n"), "1\n");
    EXPECT_EQ(RunFile("IF 0 THEN\nPRINT 1\nELSEIF 1 THEN\nIF 0 THEN\nPRINT 2\nELSE\nPRINT 3\n"
                      "END IF\nEND IF\n"),
              "3\n");
}

TEST_F(ProgramFileTest, OverlongLinesAndDirectoriesAreRefused) {
    // 999 characters are the most a line may hold.
    const std::string text(990, 'x');
    const std::string longLine = "PRINT \"" + text + "\"\n";
    EXPECT_EQ(RunFile("PRINT 1\n" + longLine), "1\n" + text + "\n");
    EXPECT_EQ(RunFile("PRINT 1\n" + std::string(2, ' ') + longLine),
              "ERROR! Input text is too long.\n");
    CRecordingInterface ui;
    const std::string line = "RUNFILE \"" + ::testing::TempDir() + "\"";
    EXPECT_EQ(RunLines(ui, {line.c_str()}),
              "ERROR! Could not open file \"" + ::testing::TempDir() + "\".\n");
}

TEST_F(ProgramFileTest, AFileRunningItselfIsStopped) {
    const std::string path = WriteProgramFile("self.bas", "");
    WriteProgramFile("self.bas", "RUNFILE \"" + path + "\"\n");
    CRecordingInterface ui;
    const std::string line = "RUNFILE \"" + path + "\"";
    EXPECT_EQ(RunLines(ui, {line.c_str()}), "ERROR! Recursion is not allowed.\n");
}

} // namespace

namespace {

TEST_F(ProgramFileTest, ZerosOfAFunctionWithABody) {
    // Reading the result of a call must leave the parameters where the
    // next call puts its argument.
    EXPECT_EQ(RunFile("FUNCTION S(X)\nS = X - 0.5\nEND FUNCTION\nFINDZEROS S,0,1\n"),
              "Zeros of function S(X)\nin interval 0 <= X <= 1 :\n\nX1 = 0.5\n");
}

TEST_F(ProgramFileTest, ExtremaOfAFunctionWithABodyInsideABlock) {
    EXPECT_EQ(RunFile("FUNCTION P(X)\nP = (X - 0.5)^2\nEND FUNCTION\nSETNUMBERFORMAT 2\n"
                      "IF 1 THEN\nFINDEXTREMA P,0,1\nEND IF\n"),
              "Extrema of function P(X)\nin interval 0.00 <= X <= 1.00 :\n\n"
              "Minimum at X = 0.50 : Y = 0.00\nFound 1 extremum.\n");
}

} // namespace
