#include "enginetest.h"
#include "linerunner.h"

#include "core/cstring.h"
#include "interpreter/cinterpreter.h"
#include "interpreter/cprogram.h"
#include "statements/cstatement.h"

#include <memory>
#include <string>

namespace {

class NumericalCommandTest : public EngineTest {};

const std::string ONE_VARIABLE =
    "ERROR! This statement can only deal with functions of ONE variable.\n";
const std::string FINDZEROS_SYNTAX =
    "ERROR! The syntax for FindZeros is \nFINDZEROS F,A,B \nwhere F is the function the zero "
    "points are searched for, A and B are the search interval endpoints.\n";
const std::string INTEGRATE_SYNTAX =
    "ERROR! The syntax for Integrate is \nINTEGRATE F,A,B,VAR\nwhere F is the function being "
    "integrated, A and B are expressions defining the integration interval endpoints and VAR is "
    "the name of an existing variable.\n";

std::string Heading(const char* pchFunc, const char* pchLo, const char* pchHi) {
    return std::string("Zeros of function ") + pchFunc + "(X)\nin interval " + pchLo +
           " <= X <= " + pchHi + " :\n\n";
}

// Lines whose echo the test does not look at.
void Prepare(CRecordingInterface& ui, std::initializer_list<const char*> lines) {
    RunLines(ui, lines);
}

TEST_F(NumericalCommandTest, FindZerosPassesEvaluationErrorsOnAndKeepsItsOutput) {
    CRecordingInterface ui;
    Prepare(ui, {"FUNCTION R(X) = 1/(X-1000) + 0*X"});
    // 1000 is an end of the 201st sub-interval of 0..5000.
    EXPECT_EQ(RunLines(ui, {"FINDZEROS R,0,5000"}),
              Heading("R", "0", "5000") + "ERROR! Division by zero.\n");
}

TEST_F(NumericalCommandTest, FindZerosSyntaxAndNames) {
    CRecordingInterface ui;
    EXPECT_EQ(RunLines(ui, {"FINDZEROS SIN", "FINDZEROS ,1,2"}),
              "ERROR! Expected comma \",\".\nERROR! Expected comma \",\".\n");
    EXPECT_EQ(RunLines(ui, {"FINDZEROS SIN,1", "FINDZEROS SIN,,1", "FINDZEROS SIN,1,"}),
              FINDZEROS_SYNTAX + FINDZEROS_SYNTAX + FINDZEROS_SYNTAX);
    EXPECT_EQ(RunLines(ui, {"FINDZEROS NOPE,0,1", "findzeros  sin ,0, 1"}),
              "ERROR! Unknown symbol: \"NOPE\".\n" + Heading("SIN", "0", "1") + "X1 = 0\n");
}

TEST_F(NumericalCommandTest, FindZerosIsInReachOfTheInterrupt) {
    // The interface is asked at every 1000th poll: within the 1001 polls of
    // one search.
    CRecordingInterface ui;
    ui.SetInterrupted(true);
    const std::string output = RunLines(ui, {"FINDZEROS SIN,0,3000"});
    const std::string interrupted = "Execution interrupted by user.\n";
    ASSERT_GT(output.size(), interrupted.size());
    EXPECT_EQ(output.substr(output.size() - interrupted.size()), interrupted);
    EXPECT_EQ(output.find("Couldn't"), std::string::npos);
}

TEST_F(NumericalCommandTest, IntegrateFromTheGreaterEndTurnsTheSign) {
    CRecordingInterface ui;
    Prepare(ui, {"FUNCTION F(X) = X*X", "DIM V", "INTEGRATE F,3,0,V"});
    EXPECT_EQ(RunLines(ui, {"PRINT V"}), "-9\n");
}

TEST_F(NumericalCommandTest, IntegrateOfALibraryFunction) {
    CRecordingInterface ui;
    Prepare(ui, {"DIM V", "INTEGRATE SIN,0,PI,V"});
    // Simpson's error bound for h = PI/1000: PI * h^4 / 180, about 1.7e-12.
    EXPECT_EQ(RunLines(ui, {"PRINT ABS(V-2) < 0.000000000002"}), "1\n");
}

TEST_F(NumericalCommandTest, IntegrateRefusesOtherThanOneParameterBeforeAnyOutput) {
    CRecordingInterface ui;
    Prepare(ui, {"FUNCTION G(X,Y) = X+Y", "DIM V"});
    EXPECT_EQ(RunLines(ui, {"INTEGRATE G,0,1,V", "INTEGRATE CLS,0,1,V", "INTEGRATE H,0,1,V"}),
              ONE_VARIABLE + ONE_VARIABLE + "ERROR! Unknown symbol: \"H\".\n");
}

TEST_F(NumericalCommandTest, IntegrateSyntax) {
    CRecordingInterface ui;
    EXPECT_EQ(RunLines(ui, {"INTEGRATE F,0,1", "INTEGRATE ,0,1,V", "INTEGRATE F,,,V",
                            "INTEGRATE F,0,1,"}),
              INTEGRATE_SYNTAX + INTEGRATE_SYNTAX + INTEGRATE_SYNTAX + INTEGRATE_SYNTAX);
}

TEST_F(NumericalCommandTest, IntegrateInsideAFunctionStoresIntoItsResult) {
    CRecordingInterface ui;
    const std::string path = WriteProgramFile("area.bas", "FUNCTION SQ(X) = X*X\n"
                                                          "FUNCTION AREA(B)\n"
                                                          "INTEGRATE SQ,0,B,AREA\n"
                                                          "END FUNCTION\n");
    const std::string line = "RUNFILE \"" + path + "\"";
    Prepare(ui, {line.c_str()});
    EXPECT_EQ(RunLines(ui, {"PRINT AREA(3)"}),
              "Computed definite integral of function SQ(X)\non interval from\nX = 0 to \nX = 3\n"
              "Result saved in AREA\n9\n");
}

TEST_F(NumericalCommandTest, IntegrateOfAFunctionWithABody) {
    // Such a function reads its result from the end of its parameter list
    // after every call; the next value must still reach the parameter.
    CRecordingInterface ui;
    const std::string path = WriteProgramFile("square.bas", "FUNCTION SQ(X)\n"
                                                            "SQ = X*X\n"
                                                            "END FUNCTION\n");
    const std::string line = "RUNFILE \"" + path + "\"";
    Prepare(ui, {line.c_str(), "DIM V", "INTEGRATE SQ,0,3,V"});
    EXPECT_EQ(RunLines(ui, {"PRINT V"}), "9\n");
}

TEST_F(NumericalCommandTest, CommandsHoldTheirFunctionsOnlyWhileTheyExist) {
    CRecordingInterface ui;
    Prepare(ui, {"FUNCTION F(X) = X", "DIM V", "FINDZEROS F,-1,1", "FINDEXTREMA F,-1,1",
                 "INTEGRATE F,0,1,V"});
    EXPECT_EQ(RunLines(ui, {"DELETE F", "DELETE V"}), "Deleted function F\nDeleted variable V\n");
}

TEST_F(NumericalCommandTest, DescribeNamesTheCommand) {
    CRecordingInterface ui;
    Prepare(ui, {"DIM V"});
    for (const char* pchLine :
         {"FINDZEROS SIN,0,1", "FINDEXTREMA TAN,0,1", "INTEGRATE COS,0,1,V", "PLOTXY 0,1,SIN"}) {
        CString line;
        line.Set(pchLine);
        std::unique_ptr<CStatement> poStatement(ui.GetInterpreter()->CreateStatement(&line));
        poStatement->Describe();
        poStatement->Link();
        poStatement->Describe();
    }
    EXPECT_EQ(ui.TakeOutput(), "\nFindZeros SIN\nFindZeros SIN\nFindExtrema TAN\nFindExtrema TAN"
                               "\nIntegrate COS\nIntegrate COS\nDrawGraph\nDrawGraph");
}

} // namespace
