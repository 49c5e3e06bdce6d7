#include "ccanvasrecorder.h"
#include "enginetest.h"
#include "linerunner.h"

#include "core/cstring.h"
#include "interpreter/cinterpreter.h"
#include "statements/cstatement.h"

#include <memory>

#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

class FunctionButtonTest : public EngineTest {};

const std::string CAPTION_ERROR = "ERROR! Statement SETFUNCTIONBUTTON expects the caption string "
                                  "to be nonblank and not exceed 10 characters length.\n";
const std::string COMMAND_ERROR =
    "ERROR! Statement SETFUNCTIONBUTTON expects the function string to be nonblank.\n";
const std::string LITERAL_ERROR =
    "ERROR! Expected string literal (= character sequence enclosed in double quotes).\n";
const std::string ILLEGAL_VALUE = "ERROR! Illegal parameter value in function call.\n";

TEST_F(FunctionButtonTest, BindsCaptionAndCommandWithoutEcho) {
    CCanvasRecorder ui;
    EXPECT_EQ(RunLines(ui, {"SETFUNCTIONBUTTON 1, \"f(?)\", \"Func\", 0",
                            "setfunctionbutton 4,\"PLOTXY 0,1,SIN\",\"Plot\",1"}),
              "");
    EXPECT_EQ(ui.TakeCalls(), (Calls{"SetFunctionButton(1,[Func],[f(?)],edit)",
                                     "SetFunctionButton(4,[Plot],[PLOTXY 0,1,SIN],run)"}));
}

TEST_F(FunctionButtonTest, IndexRoundsHalfAwayFromZeroAndAnyNonZeroFlagRunsAtOnce) {
    CCanvasRecorder ui;
    RunLines(ui, {"SETFUNCTIONBUTTON 1.5, \"A\", \"B\", -1",
                  "SETFUNCTIONBUTTON 2.49, \"A\", \"B\", 0.001",
                  "SETFUNCTIONBUTTON 1+2, \"A\", \"B\", 1-1"});
    EXPECT_EQ(ui.TakeCalls(),
              (Calls{"SetFunctionButton(2,[B],[A],run)", "SetFunctionButton(2,[B],[A],run)",
                     "SetFunctionButton(3,[B],[A],edit)"}));
}

TEST_F(FunctionButtonTest, BlanksInsideTheQuotesAreTrimmed) {
    CCanvasRecorder ui;
    RunLines(ui, {"SETFUNCTIONBUTTON 1 ,  \"  PRINT 1  \"  ,  \" One \" , 0"});
    EXPECT_EQ(ui.TakeCalls(), Calls{"SetFunctionButton(1,[One],[PRINT 1],edit)"});
}

TEST_F(FunctionButtonTest, TextsOfBlanksOnlyAreEmpty) {
    CCanvasRecorder ui;
    EXPECT_EQ(RunLines(ui, {"SETFUNCTIONBUTTON 1, \"X\", \"   \", 0",
                            "SETFUNCTIONBUTTON 1, \"  \", \"Cap\", 0"}),
              CAPTION_ERROR + COMMAND_ERROR);
    EXPECT_EQ(ui.TakeCalls(), Calls{});
}

TEST_F(FunctionButtonTest, EmptyCommandIsRefusedAfterTheCaption) {
    CCanvasRecorder ui;
    EXPECT_EQ(RunLines(ui, {"SETFUNCTIONBUTTON 1, \"\", \"Cap\", 0",
                            "SETFUNCTIONBUTTON 1, \"\", \"\", 0"}),
              COMMAND_ERROR + CAPTION_ERROR);
    EXPECT_EQ(ui.TakeCalls(), Calls{});
}

TEST_F(FunctionButtonTest, TextsMustBeStringLiterals) {
    CCanvasRecorder ui;
    EXPECT_EQ(
        RunLines(ui, {"SETFUNCTIONBUTTON 1, X, \"Cap\", 0", "SETFUNCTIONBUTTON 1, \"X\", Cap, 0",
                      "SETFUNCTIONBUTTON 1, \"X\"Y, \"Cap\", 0",
                      "SETFUNCTIONBUTTON 1, Y\"X\", \"Cap\", 0"}),
        LITERAL_ERROR + LITERAL_ERROR + LITERAL_ERROR + LITERAL_ERROR);
    EXPECT_EQ(ui.TakeCalls(), Calls{});
}

TEST_F(FunctionButtonTest, CommaPlacement) {
    CCanvasRecorder ui;
    const std::string comma = "ERROR! Expected comma \",\".\n";
    const std::string syntax = "ERROR! Syntax error.\n";
    EXPECT_EQ(RunLines(ui, {"SETFUNCTIONBUTTON 1", "SETFUNCTIONBUTTON ,\"A\",\"B\",0",
                            "SETFUNCTIONBUTTON 1,\"A\"", "SETFUNCTIONBUTTON 1,\"A\",\"B\""}),
              comma + comma + comma + comma);
    EXPECT_EQ(RunLines(ui, {"SETFUNCTIONBUTTON 1,,\"B\",0", "SETFUNCTIONBUTTON 1,\"A\",,0",
                            "SETFUNCTIONBUTTON 1,\"A\",\"B\","}),
              syntax + syntax + syntax);
    EXPECT_EQ(ui.TakeCalls(), Calls{});
}

TEST_F(FunctionButtonTest, IndexErrorsComeBeforeTheTextChecks) {
    CCanvasRecorder ui;
    EXPECT_EQ(
        RunLines(ui, {"SETFUNCTIONBUTTON 1/0, \"\", \"\", 0", "SETFUNCTIONBUTTON N, \"\", \"\", 0",
                      "SETFUNCTIONBUTTON 1, \"\", \"\", 1/0"}),
        "ERROR! Division by zero.\nERROR! Unknown symbol: \"N\".\nERROR! Division by "
        "zero.\n");
}

TEST_F(FunctionButtonTest, IndexOutsideOneToFourIsTheInterfacesError) {
    CCanvasRecorder ui;
    EXPECT_EQ(RunLines(ui, {"SETFUNCTIONBUTTON 5, \"A\", \"B\", 0",
                            "SETFUNCTIONBUTTON 0, \"A\", \"B\", 0", "CLEARFUNCTIONBUTTON 0",
                            "CLEARFUNCTIONBUTTON 5", "SETFUNCTIONBUTTON 10^10, \"A\", \"B\", 0"}),
              ILLEGAL_VALUE + ILLEGAL_VALUE + ILLEGAL_VALUE + ILLEGAL_VALUE + ILLEGAL_VALUE);
    EXPECT_EQ(ui.TakeCalls(), Calls{});
}

TEST_F(FunctionButtonTest, ClearFunctionButtonHandsTheRoundedIndexOn) {
    CCanvasRecorder ui;
    EXPECT_EQ(RunLines(ui, {"CLEARFUNCTIONBUTTON 3", "CLEARFUNCTIONBUTTON 0.5"}), "");
    EXPECT_EQ(ui.TakeCalls(), (Calls{"ClearFunctionButton(3)", "ClearFunctionButton(1)"}));
}

TEST_F(FunctionButtonTest, DescribeShowsTheIndexExpression) {
    CCanvasRecorder ui;
    for (const char* pchLine :
         {"SETFUNCTIONBUTTON 1+1, \"A\", \"B\", 0", "CLEARFUNCTIONBUTTON 4"}) {
        CString line;
        line.Set(pchLine);
        std::unique_ptr<CStatement> poStatement(ui.GetInterpreter()->CreateStatement(&line));
        poStatement->Describe();
    }
    EXPECT_EQ(ui.TakeOutput(), "\nSetFunctionButton 1+1\nClearFunctionButton 4");
}

} // namespace
