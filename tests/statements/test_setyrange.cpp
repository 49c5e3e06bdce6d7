#include "enginetest.h"
#include "linerunner.h"

#include "core/cstring.h"
#include "interpreter/cinterpreter.h"
#include "interpreter/cprogram.h"
#include "statements/cstatement.h"

#include <memory>
#include <string>
#include <vector>

namespace {

class SetYRangeTest : public EngineTest {};

using Ends = std::vector<Extended>;

const std::string SYNTAX = "ERROR! The syntax for SetYRange is \nSETYRANGE Y1,Y2\nwhere Y1 and Y2 "
                           "determine endpoints of the y range of PLOTXY, \nor SETYRANGE AUTO to "
                           "choose it from the curves.\n";
const std::string NONZERO_LENGTH = "ERROR! Interval must have nonzero length.\n";
const std::string OVERFLOW_ERROR = "ERROR! Overflow.\n";

// The stored range as {lo, hi}; empty while PLOTXY chooses it.
Ends StoredRange(const CRecordingInterface& ui) {
    const SPlotRange* pRange = ui.GetProgram()->GetPlotYRange();
    return pRange ? Ends{pRange->lo, pRange->hi} : Ends{};
}

TEST_F(SetYRangeTest, StoresTheEndsInOrderWithoutEcho) {
    CRecordingInterface ui;
    EXPECT_EQ(StoredRange(ui), Ends{});
    EXPECT_EQ(RunLines(ui, {"SETYRANGE -1, 3"}), "");
    EXPECT_EQ(StoredRange(ui), (Ends{-1, 3}));
    // The high end first, in lower case; the comma of the call does not
    // split the range.
    RunLines(ui, {"FUNCTION F(A, B) = A * B"});
    EXPECT_EQ(RunLines(ui, {"setyrange f(2, 5),  -SQR(4)"}), "");
    EXPECT_EQ(StoredRange(ui), (Ends{-2, 10}));
}

TEST_F(SetYRangeTest, AutoForgetsTheRangeWhileAutoStaysAUsableName) {
    CRecordingInterface ui;
    EXPECT_EQ(RunLines(ui, {"SETYRANGE 0,1", "setyrange   auto"}), "");
    EXPECT_EQ(StoredRange(ui), Ends{});
    EXPECT_EQ(RunLines(ui, {"DIM AUTO = -5", "SETYRANGE AUTO, 0"}),
              "Declared variable AUTO = -5\n");
    EXPECT_EQ(StoredRange(ui), (Ends{-5, 0}));
    EXPECT_EQ(RunLines(ui, {"SETYRANGE AUTO"}), "");
    EXPECT_EQ(StoredRange(ui), Ends{});
}

TEST_F(SetYRangeTest, SyntaxAndExpressionErrorsKeepTheRange) {
    CRecordingInterface ui;
    RunLines(ui, {"SETYRANGE 0,1"});
    EXPECT_EQ(RunLines(ui, {"SETYRANGE", "SETYRANGE 1", "SETYRANGE AUTO 1", "SETYRANGE ,1",
                            "SETYRANGE 1,", "SETYRANGE 1,2,3"}),
              SYNTAX + SYNTAX + SYNTAX + SYNTAX + SYNTAX + SYNTAX);
    EXPECT_EQ(RunLines(ui, {"SETYRANGE 1,(2", "SETYRANGE Q,1"}),
              "ERROR! Right bracket \")\" is missing.\nERROR! Unknown symbol: \"Q\".\n");
    EXPECT_EQ(StoredRange(ui), (Ends{0, 1}));
}

TEST_F(SetYRangeTest, RangesPlotXYCouldNotScaleToKeepThePreviousOne) {
    CRecordingInterface ui;
    RunLines(ui, {"SETYRANGE 0,1"});
    // Equal ends, a NaN, and ends that differ below the values' resolution.
    EXPECT_EQ(
        RunLines(ui, {"SETYRANGE 2,2", "SETYRANGE 0,1E5000-1E5000", "SETYRANGE 1E20,1E20+1E4"}),
        NONZERO_LENGTH + NONZERO_LENGTH + NONZERO_LENGTH);
    // Infinite ends, equal ones too, and finite ends whose width is not.
    EXPECT_EQ(RunLines(ui, {"SETYRANGE 1E5000,0", "SETYRANGE 0,-1E5000",
                            "SETYRANGE -1E5000,-1E5000", "SETYRANGE -1E4932,1E4932"}),
              OVERFLOW_ERROR + OVERFLOW_ERROR + OVERFLOW_ERROR + OVERFLOW_ERROR);
    EXPECT_EQ(StoredRange(ui), (Ends{0, 1}));
    EXPECT_EQ(RunLines(ui, {"SETYRANGE 1E20,1E20+1E6"}), "");
    EXPECT_EQ(StoredRange(ui), (Ends{1e20L, 1e20L + 1e6L}));
}

TEST_F(SetYRangeTest, ProgramFilesSetTheRangeFromSubroutinesToo) {
    CRecordingInterface ui;
    const std::string fix = WriteProgramFile("fix.bas", "DIM LO = 4\n"
                                                        "SUB FIX(H)\n"
                                                        "SETYRANGE H, LO\n"
                                                        "END SUB\n"
                                                        "CALL FIX(9)\n");
    const std::string fixLine = "RUNFILE \"" + fix + "\"";
    EXPECT_EQ(RunLines(ui, {fixLine.c_str()}), "");
    EXPECT_EQ(StoredRange(ui), (Ends{4, 9}));
    // A wrong line refuses the file before its first line runs.
    const std::string bad = WriteProgramFile("bad.bas", "SETYRANGE AUTO\nSETYRANGE 1,2,3\n");
    const std::string badLine = "RUNFILE \"" + bad + "\"";
    EXPECT_EQ(RunLines(ui, {badLine.c_str()}), SYNTAX);
    EXPECT_EQ(StoredRange(ui), (Ends{4, 9}));
}

TEST_F(SetYRangeTest, DescribeNamesTheStatement) {
    CRecordingInterface ui;
    for (const char* pchLine : {"SETYRANGE 0,1", "SETYRANGE AUTO"}) {
        CString line;
        line.Set(pchLine);
        std::unique_ptr<CStatement> poStatement(ui.GetInterpreter()->CreateStatement(&line));
        poStatement->Describe();
    }
    EXPECT_EQ(ui.TakeOutput(), "\nSetYRange\nSetYRange");
}

} // namespace
