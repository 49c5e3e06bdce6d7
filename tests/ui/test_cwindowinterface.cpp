#include "windowinterfacetest.h"

#include "core/cstring.h"
#include "interpreter/cprogram.h"

#include <climits>
#include <cstdio>

namespace {

class WindowInterfaceTest : public WindowInterfaceFixture {
protected:
    std::string TakeOutput() {
        std::string text;
        text.swap(window.output);
        return text;
    }
    std::string Number(Extended value) {
        window.output.clear();
        poUI->PrintNumber(value);
        return TakeOutput();
    }
    // Binds a button through the interface, as SETFUNCTIONBUTTON does.
    void Bind(int iButton, const char* pchCaption, const char* pchCommand, bool bRunAtOnce) {
        CString caption;
        caption.Set(pchCaption);
        CString command;
        command.Set(pchCommand);
        poUI->SetFunctionButton(iButton, &caption, &command, bRunAtOnce);
    }
};

// --- Identity and lifetime ---------------------------------------------------

TEST_F(WindowInterfaceTest, IsCountedUnderItsOwnAndItsBaseClassNumber) {
    EXPECT_EQ(poUI->GetClassNumber(), CN_WINDOWINTERFACE);
    EXPECT_EQ(ObjectCount[CN_WINDOWINTERFACE], 1);
    EXPECT_EQ(ObjectCount[CN_USERINTERFACE], 1);
    EXPECT_EQ(poUI->GetInterfaceCode(), 67);
}

TEST_F(WindowInterfaceTest, InitialiseWiresProgramAndInterpreterTogether) {
    ASSERT_NE(poUI->GetProgram(), nullptr);
    ASSERT_NE(poUI->GetInterpreter(), nullptr);
    EXPECT_EQ(poUI->GetProgram()->GetUserInterface(), poUI);
    EXPECT_EQ(poUI->GetProgram()->GetInterpreter(), poUI->GetInterpreter());
    EXPECT_NE(poUI->GetProgram()->GetVariables(), nullptr);
}

TEST_F(WindowInterfaceTest, StartsWithGeneralFormatMediumFrameToolbarShown) {
    EXPECT_EQ(poUI->GetFloatFormat(), FF_GENERAL);
    EXPECT_EQ(poUI->GetPrecision(), 18);
    EXPECT_EQ(poUI->GetGraphicsFormat(), GF_MEDIUM);
    EXPECT_TRUE(poUI->IsToolbarShown());
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(poUI->GetButtonCaption(i), nullptr);
        EXPECT_EQ(poUI->GetButtonCommand(i), nullptr);
        EXPECT_FALSE(poUI->IsButtonRunAtOnce(i));
    }
}

// --- Text output ---------------------------------------------------------------

TEST_F(WindowInterfaceTest, PrintTextTurnsLineFeedsIntoCarriageReturnLineFeed) {
    poUI->PrintText("a\nb");
    EXPECT_EQ(TakeOutput(), "a\r\nb");
    poUI->PrintText("\n\nx\n");
    EXPECT_EQ(TakeOutput(), "\r\n\r\nx\r\n");
}

TEST_F(WindowInterfaceTest, PrintTextCopiesOtherCharactersUnchanged) {
    poUI->PrintText("tab\there\rcr \"q\"");
    EXPECT_EQ(TakeOutput(), "tab\there\rcr \"q\"");
}

TEST_F(WindowInterfaceTest, PrintTextOfNoTextAppendsNothing) {
    poUI->PrintText("keep");
    poUI->PrintText(nullptr);
    poUI->PrintText("");
    EXPECT_EQ(TakeOutput(), "keep");
}

TEST_F(WindowInterfaceTest, PrintCharLeavesLineFeedUnconverted) {
    poUI->PrintChar('\n');
    poUI->PrintChar('z');
    EXPECT_EQ(TakeOutput(), "\nz");
}

TEST_F(WindowInterfaceTest, PrintIntegerWritesDecimalWithMinusSign) {
    poUI->PrintInteger(-2034);
    poUI->PrintInteger(0);
    poUI->PrintInteger(INT_MIN);
    EXPECT_EQ(TakeOutput(), "-20340-2147483648");
}

// --- Number formats --------------------------------------------------------------

TEST_F(WindowInterfaceTest, GeneralFormatRoundsToEighteenDigits) {
    EXPECT_EQ(Number(1.0L / 3.0L), "0.333333333333333333");
    EXPECT_EQ(Number(0), "0");
    EXPECT_EQ(Number(1e-4L), "0.0001");
    EXPECT_EQ(Number(1e-5L), "1E-5");
    EXPECT_EQ(Number(-0.5L), "-0.5");
}

TEST_F(WindowInterfaceTest, SetNumberFormatSwitchesFormatAndCheckMark) {
    poUI->SetNumberFormat(NF_FIXED);
    EXPECT_EQ(window.nCheckedNumberFormat, NF_FIXED);
    EXPECT_EQ(Number(3.14159L), "3.14");
    EXPECT_EQ(Number(-0.5L), "-0.50");
    poUI->SetNumberFormat(NF_SCIENTIFIC);
    EXPECT_EQ(window.nCheckedNumberFormat, NF_SCIENTIFIC);
    EXPECT_EQ(Number(1), "1.00000000000000000E+00");
    EXPECT_EQ(Number(-0.00123L), "-1.23000000000000000E-03");
    poUI->SetNumberFormat(NF_GENERAL);
    EXPECT_EQ(window.nCheckedNumberFormat, NF_GENERAL);
    EXPECT_EQ(Number(2), "2");
}

TEST_F(WindowInterfaceTest, IllegalNumberFormatChangesNeitherFormatNorCheckMark) {
    poUI->SetNumberFormat(NF_FIXED);
    for (int nCode : {0, 4, -1, INT_MIN}) {
        EXPECT_EQ(RaisedCode([&] { poUI->SetNumberFormat(nCode); }), ERR_ILLEGAL_PARAMETER_UI)
            << nCode;
    }
    EXPECT_EQ(window.nCheckedNumberFormat, NF_FIXED);
    EXPECT_EQ(Number(2), "2.00");
}

TEST_F(WindowInterfaceTest, GraphicsFormatIsStoredBeforeTheWindowArranges) {
    poUI->SetGraphicsFormat(GF_LARGE);
    EXPECT_EQ(poUI->GetGraphicsFormat(), GF_LARGE);
    EXPECT_EQ(window.nCheckedGraphicsFormat, GF_LARGE);
    EXPECT_EQ(window.nFormatSeenByArrange, GF_LARGE);
    poUI->SetGraphicsFormat(GF_NONE);
    EXPECT_EQ(window.nFormatSeenByArrange, GF_NONE);
}

TEST_F(WindowInterfaceTest, IllegalGraphicsFormatChangesNothing) {
    poUI->SetGraphicsFormat(GF_NONE);
    const int nArranged = window.nArranged;
    for (int nCode : {3, -1, INT_MAX}) {
        EXPECT_EQ(RaisedCode([&] { poUI->SetGraphicsFormat(nCode); }), ERR_ILLEGAL_PARAMETER_UI)
            << nCode;
    }
    EXPECT_EQ(poUI->GetGraphicsFormat(), GF_NONE);
    EXPECT_EQ(window.nCheckedGraphicsFormat, GF_NONE);
    EXPECT_EQ(window.nArranged, nArranged);
}

// --- Toolbar ---------------------------------------------------------------------

TEST_F(WindowInterfaceTest, ToggleToolbarTwiceRestoresTheState) {
    poUI->ToggleToolbar();
    EXPECT_FALSE(poUI->IsToolbarShown());
    EXPECT_FALSE(window.bButtonsVisible);
    poUI->ToggleToolbar();
    EXPECT_TRUE(poUI->IsToolbarShown());
    EXPECT_TRUE(window.bButtonsVisible);
    poUI->ShowToolbar(false);
    EXPECT_FALSE(window.bButtonsVisible);
}

// --- Function buttons --------------------------------------------------------------

TEST_F(WindowInterfaceTest, ButtonIndexOutsideOneToFourRaises) {
    for (int i : {0, 5, -1, INT_MAX}) {
        EXPECT_EQ(RaisedCode([&] { poUI->ClearFunctionButton(i); }), ERR_ILLEGAL_PARAMETER_UI);
        EXPECT_EQ(RaisedCode([&] { poUI->PressFunctionButton(i); }), ERR_ILLEGAL_PARAMETER_UI);
        EXPECT_EQ(RaisedCode([&] { Bind(i, "X", "Y", false); }), ERR_ILLEGAL_PARAMETER_UI);
        EXPECT_EQ(RaisedCode([&] { CWindowInterface::CheckButtonIndex(i); }),
                  ERR_ILLEGAL_PARAMETER_UI);
    }
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(RaisedCode([&] { CWindowInterface::CheckButtonIndex(i); }), 0);
        EXPECT_EQ(window.captions[i - 1], "");
    }
}

TEST_F(WindowInterfaceTest, TemplateCaretStandsJustAfterTheFirstQuestionMark) {
    Bind(1, "Sine", "PRINT SIN(?)+?", false);
    poUI->PressFunctionButton(1);
    EXPECT_EQ(window.inputText, "PRINT SIN(?)+?");
    EXPECT_EQ(window.iCaret, 11);
    EXPECT_TRUE(window.commands.empty());
}

TEST_F(WindowInterfaceTest, TemplateCaretForQuestionMarkFirstAndLast) {
    Bind(2, "Q", "?", false);
    poUI->PressFunctionButton(2);
    EXPECT_EQ(window.iCaret, 1);
    Bind(2, "Q", "F(?)", false);
    poUI->PressFunctionButton(2);
    EXPECT_EQ(window.inputText, "F(?)");
    EXPECT_EQ(window.iCaret, 3);
}

TEST_F(WindowInterfaceTest, CommandWithoutQuestionMarkPutsCaretAtTheEnd) {
    Bind(3, "Pi", "PRINT PI", false);
    poUI->PressFunctionButton(3);
    EXPECT_EQ(window.inputText, "PRINT PI");
    EXPECT_EQ(window.iCaret, 8);
}

TEST_F(WindowInterfaceTest, ButtonWithEmptyCaptionDoesNothingEvenWithACommand) {
    window.inputText = "typed";
    Bind(4, "", "PRINT 1", false);
    poUI->PressFunctionButton(4);
    Bind(3, "", "", true);
    poUI->PressFunctionButton(3);
    EXPECT_EQ(window.inputText, "typed");
    EXPECT_EQ(window.iCaret, -1);
    EXPECT_TRUE(window.commands.empty());
    poUI->PressFunctionButton(1); // never bound
    EXPECT_EQ(window.inputText, "typed");
    EXPECT_TRUE(window.output.empty());
}

TEST_F(WindowInterfaceTest, RunAtOnceButtonRunsItsCommandThroughTheWindow) {
    window.inputText = "typed";
    Bind(2, "Run", "   ", true);
    poUI->PressFunctionButton(2);
    ASSERT_EQ(window.commands.size(), 1U);
    EXPECT_EQ(window.commands[0], "   ");
    EXPECT_EQ(TakeOutput(), "Executed null statement.\r\n");
    EXPECT_EQ(window.inputText, "typed");
}

TEST_F(WindowInterfaceTest, SetFunctionButtonStoresCopiesAndShowsTheCaption) {
    Bind(1, "One", "A?", false);
    Bind(1, "Two", "B", true);
    EXPECT_EQ(window.captions[0], "Two");
    EXPECT_STREQ(poUI->GetButtonCaption(1)->GetData(), "Two");
    EXPECT_STREQ(poUI->GetButtonCommand(1)->GetData(), "B");
    EXPECT_TRUE(poUI->IsButtonRunAtOnce(1));
}

TEST_F(WindowInterfaceTest, ClearFunctionButtonUnbindsAndClearsCaption) {
    Bind(2, "Two", "PRINT 2", true);
    poUI->ClearFunctionButton(2);
    EXPECT_EQ(window.captions[1], "");
    EXPECT_EQ(poUI->GetButtonCaption(2), nullptr);
    EXPECT_EQ(poUI->GetButtonCommand(2), nullptr);
    EXPECT_FALSE(poUI->IsButtonRunAtOnce(2));
    poUI->PressFunctionButton(2);
    EXPECT_TRUE(window.commands.empty());
}

// --- Graph pane ------------------------------------------------------------------

TEST_F(WindowInterfaceTest, ClearGraphFillsTheVisiblePaneWhite) {
    poUI->ClearGraph();
    EXPECT_EQ(window.TakeCanvas(), "brush 16777215\nrect (0,0) (225,145)\n");
    window.bGraphVisible = false;
    poUI->ClearGraph();
    EXPECT_EQ(window.TakeCanvas(), "");
}

TEST_F(WindowInterfaceTest, DrawGraphFrameDrawsFourStrokes) {
    window.nGraphWidth = 100;
    window.nGraphHeight = 50;
    poUI->DrawGraphFrame();
    const std::string shadow = std::to_string(CRecordingWindow::SHADOW);
    const std::string face = std::to_string(CRecordingWindow::FACE);
    EXPECT_EQ(window.TakeCanvas(), "pen 16777215 1\nmove (99,0)\nline (99,49)\nline (-1,49)\n"
                                   "pen " +
                                       shadow +
                                       " 1\nmove (0,48)\nline (0,0)\nline (99,0)\n"
                                       "pen 0 1\nmove (1,47)\nline (1,1)\nline (98,1)\n"
                                       "pen " +
                                       face + " 1\nline (98,48)\nline (0,48)\n");
}

TEST_F(WindowInterfaceTest, PenOperationsUseTheirColours) {
    poUI->SetAxisPen();
    poUI->SetGridPen();
    poUI->SetPenColor(1, 2, 3);
    poUI->SetPenColor(255, 0, 0);
    EXPECT_EQ(window.TakeCanvas(), "pen 8421504 1\npen 12632256 1\npen 197121 1\npen 255 1\n");
}

TEST_F(WindowInterfaceTest, PlotAreaLiesTwoPixelsInsideThePane) {
    int pxLeft = 0, pyTop = 0, pxRight = 0, pyBottom = 0;
    poUI->GetPlotArea(&pxLeft, &pyTop, &pxRight, &pyBottom);
    EXPECT_EQ(pxLeft, 2);
    EXPECT_EQ(pyTop, 2);
    EXPECT_EQ(pxRight, 223);
    EXPECT_EQ(pyBottom, 143);
}

class MappingTest : public WindowInterfaceTest {
protected:
    void SetUp() override {
        WindowInterfaceTest::SetUp();
        int nDummy[4];
        poUI->GetPlotArea(&nDummy[0], &nDummy[1], &nDummy[2], &nDummy[3]);
        // y grows upwards in the world, downwards on the canvas.
        poUI->SetWorldWindow(0, 1, 1, 0);
    }
};

TEST_F(MappingTest, CornersOfTheWorldWindowMapToThePlotArea) {
    EXPECT_EQ(poUI->MapX(0), 2);
    EXPECT_EQ(poUI->MapX(1), 223);
    EXPECT_EQ(poUI->MapY(1), 2);
    EXPECT_EQ(poUI->MapY(0), 143);
    EXPECT_EQ(poUI->MapX(0.5L), 112); // 110.5 truncated
    EXPECT_EQ(poUI->MapY(0.5L), 72);  // 70.5 truncated
}

TEST_F(MappingTest, TruncatesTowardZeroNotDownwards) {
    // -0.221 truncates to 0, where rounding down would give -1.
    EXPECT_EQ(poUI->MapX(-0.001L), 2);
    EXPECT_EQ(poUI->MapX(-0.01L), 0); // -2.21 -> -2
    EXPECT_EQ(poUI->MapY(1.001L), 2); // -0.141 -> 0
}

TEST_F(MappingTest, PointsOutsideTheWorldMapOutsideThePlotArea) {
    EXPECT_EQ(poUI->MapX(2), 444);
    EXPECT_EQ(poUI->MapY(-1), 284);
    // Far-off values stay ordered and representable rather than overflowing.
    EXPECT_GT(poUI->MapX(1e30L), 1000000);
    EXPECT_LT(poUI->MapX(-1e30L), -1000000);
}

TEST_F(MappingTest, MoveToAndLineToDrawAtMappedPixels) {
    poUI->MoveTo(0, 0);
    poUI->LineTo(1, 1);
    EXPECT_EQ(window.TakeCanvas(), "move (2,143)\nline (223,2)\n");
}

TEST_F(MappingTest, DrawNumberWritesTwoDigitLabelAboveRightOfThePoint) {
    window.nTextHeight = 10;
    poUI->DrawNumber(1.25L, 0.5L, 0.5L, 2);
    poUI->DrawNumber(0.25L, 0, 0, 2);
    poUI->DrawNumber(10, 0, 0.2L, 2);
    poUI->DrawNumber(100, 0, 0.4L, 2);
    poUI->DrawNumber(150, 0, 0.6L, 2);
    poUI->DrawNumber(-0.5L, 0, 0.8L, 2);
    EXPECT_EQ(window.TakeCanvas(), "text (113,63) 1.3\ntext (3,134) 0.25\ntext (3,105) 10\n"
                                   "text (3,77) 1E2\ntext (3,49) 1.5E2\ntext (3,21) -0.5\n");
}

TEST_F(MappingTest, ALabelThatWouldCoverAnEarlierOneIsLeftOut) {
    // Five pixels a character: "-5E2" covers columns 3 to 22, rows 134 to
    // 143; a label starting at column 20 of the same rows would cover it.
    poUI->DrawNumber(-500, 0, 0, 2);
    poUI->DrawNumber(-100, 0.08L, 0, 2);
    poUI->DrawNumber(-50, 0.1L, 0, 2);
    EXPECT_EQ(window.TakeCanvas(), "text (3,134) -5E2\ntext (25,134) -50\n");
    // A cleared pane forgets the labels it had.
    poUI->ClearGraph();
    window.TakeCanvas();
    poUI->DrawNumber(-100, 0.08L, 0, 2);
    EXPECT_EQ(window.TakeCanvas(), "text (20,134) -1E2\n");
}

// --- Running lines -----------------------------------------------------------------

TEST_F(WindowInterfaceTest, BlankLineRunsTheNullStatementInDirectMode) {
    poUI->ExecuteLine("");
    poUI->ExecuteLine(" \t ");
    EXPECT_EQ(TakeOutput(), "Executed null statement.\r\nExecuted null statement.\r\n");
}

TEST_F(WindowInterfaceTest, LineFailingInRecognitionPrintsOnlyTheErrorLine) {
    poUI->ExecuteLine("FOR I=1 DO PRINT I");
    EXPECT_EQ(TakeOutput(), "ERROR! Expected \"TO\".\r\n");
    EXPECT_EQ(CleanupStack::GetCount(), 0);
}

TEST_F(WindowInterfaceTest, NamedErrorQuotesTheNameTheInterpreterKept) {
    poUI->ExecuteLine("? nosuchname + 1");
    EXPECT_EQ(TakeOutput(), "ERROR! Unknown symbol: \"NOSUCHNAME\".\r\n");
}

TEST_F(WindowInterfaceTest, ErrorWhileExecutingEndsTheLine) {
    poUI->ExecuteLine("PRINT 1/0");
    EXPECT_EQ(TakeOutput(), "ERROR! Division by zero.\r\n");
}

TEST_F(WindowInterfaceTest, ExecuteLineTellsWhetherTheLineReportedAnError) {
    EXPECT_TRUE(poUI->ExecuteLine("? 1"));
    EXPECT_FALSE(poUI->HasLastLineFailed());
    EXPECT_FALSE(poUI->ExecuteLine("PRINT 1/0"));
    EXPECT_TRUE(poUI->HasLastLineFailed());
    EXPECT_FALSE(poUI->ExecuteLine("FOR I=1 DO PRINT I"));
    EXPECT_TRUE(poUI->HasLastLineFailed());
    // Each line starts afresh.
    EXPECT_TRUE(poUI->ExecuteLine(""));
    EXPECT_FALSE(poUI->HasLastLineFailed());
    TakeOutput();
}

TEST_F(WindowInterfaceTest, InterruptionCountsAsAnError) {
    poUI->ExecuteLine("STATIC J");
    TakeOutput();
    window.bInterrupt = true;
    EXPECT_FALSE(poUI->ExecuteLine("FOR J=1 TO 100000000 DO J=J"));
    EXPECT_TRUE(poUI->HasLastLineFailed());
    EXPECT_EQ(TakeOutput(), "Execution interrupted by user.\r\n");
}

TEST_F(WindowInterfaceTest, InterfaceStaysUsableAfterAnError) {
    poUI->ExecuteLine("?!");
    EXPECT_EQ(TakeOutput().rfind("ERROR! ", 0), 0U);
    EXPECT_EQ(ObjectCount[CN_STATEMENT], 0);
    poUI->ExecuteLine("? 2+3");
    EXPECT_EQ(TakeOutput(), "5\r\n");
}

TEST_F(WindowInterfaceTest, SymbolsOfOneLineStayForTheNext) {
    poUI->ExecuteLine("CONST A = 2");
    EXPECT_NE(TakeOutput(), "");
    poUI->ExecuteLine("? A*3");
    EXPECT_EQ(TakeOutput(), "6\r\n");
}

TEST_F(WindowInterfaceTest, TypedLinesEchoDeclarationsButProgramFilesDoNot) {
    // The same declaration, typed and read from a file.
    const char* pchFile = "window_interface_test_decl.bas";
    std::FILE* pFile = std::fopen(pchFile, "w");
    ASSERT_NE(pFile, nullptr);
    std::fputs("CONST B = 1\n", pFile);
    std::fclose(pFile);
    poUI->ExecuteLine("runfile \"window_interface_test_decl.bas\"");
    const std::string fromFile = TakeOutput();
    std::remove(pchFile);
    EXPECT_EQ(fromFile, "");
    poUI->ExecuteLine("CONST C = 1");
    const std::string typed = TakeOutput();
    EXPECT_NE(typed, "");
    EXPECT_EQ(typed.find("ERROR!"), std::string::npos);
    EXPECT_EQ(typed.substr(typed.size() - 2), "\r\n");
}

TEST_F(WindowInterfaceTest, NumberFormatFromTheLanguageReachesTheWindow) {
    poUI->ExecuteLine("SETNUMBERFORMAT 2");
    EXPECT_EQ(window.nCheckedNumberFormat, NF_FIXED);
    poUI->ExecuteLine("? PI");
    EXPECT_EQ(TakeOutput(), "3.14\r\n");
    poUI->ExecuteLine("SETNUMBERFORMAT 0");
    EXPECT_EQ(TakeOutput(), "ERROR! Illegal parameter value in function call.\r\n");
    EXPECT_EQ(window.nCheckedNumberFormat, NF_FIXED);
}

TEST_F(WindowInterfaceTest, LongRunStopsWhenTheWindowAsksToStop) {
    poUI->ExecuteLine("STATIC J");
    TakeOutput();
    window.bInterrupt = true;
    poUI->ExecuteLine("FOR J=1 TO 100000000 DO J=J");
    EXPECT_EQ(TakeOutput(), "Execution interrupted by user.\r\n");
    EXPECT_GE(window.nInterruptPolls, 1);
    window.bInterrupt = false;
    poUI->ExecuteLine("? J < 100000000");
    EXPECT_EQ(TakeOutput(), "1\r\n");
}

// --- Interruption ------------------------------------------------------------------

TEST_F(WindowInterfaceTest, IsInterruptedAsksTheWindow) {
    EXPECT_FALSE(poUI->IsInterrupted());
    window.bInterrupt = true;
    EXPECT_TRUE(poUI->IsInterrupted());
    EXPECT_EQ(window.nInterruptPolls, 2);
}

TEST_F(WindowInterfaceTest, ProgramPollRaisesInterruptionWhenTheWindowAsksToStop) {
    window.bInterrupt = true;
    CProgram* pProgram = poUI->GetProgram();
    for (int i = 1; i < 1000; ++i) {
        pProgram->PollInterrupt();
    }
    EXPECT_EQ(window.nInterruptPolls, 0);
    EXPECT_EQ(RaisedCode([&] { pProgram->PollInterrupt(); }), ERR_INTERRUPTED);
    EXPECT_EQ(window.nInterruptPolls, 1);
}

} // namespace
