#include "windowtest.h"

#include "core/cstring.h"
#include "uFrmAbout.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <fstream>

namespace {

// The captions as they read, without the marks of their mnemonics.
QStringList Captions(const QWidget* pMenu) {
    QStringList captions;
    for (const QAction* pAction : pMenu->actions()) {
        captions << QString(pAction->text()).remove(QLatin1Char('&'));
    }
    return captions;
}

std::vector<QAction*> AllItems(const QWidget* pMenu) {
    std::vector<QAction*> items;
    for (QAction* pAction : pMenu->actions()) {
        items.push_back(pAction);
        if (pAction->menu()) {
            const std::vector<QAction*> sub = AllItems(pAction->menu());
            items.insert(items.end(), sub.begin(), sub.end());
        }
    }
    return items;
}

// The next control that Tab reaches, past the parts of a control that take
// no focus of their own.
QWidget* NextTabStop(QWidget* pWidget) {
    QWidget* pNext = pWidget->nextInFocusChain();
    while (pNext != pWidget && !(pNext->focusPolicy() & Qt::TabFocus)) {
        pNext = pNext->nextInFocusChain();
    }
    return pNext;
}

void Bind(CWindowInterface* pUI, int iButton, const char* pchCaption, const char* pchCommand,
          bool bRunAtOnce) {
    CString caption;
    caption.Set(pchCaption);
    CString command;
    command.Set(pchCommand);
    pUI->SetFunctionButton(iButton, &caption, &command, bRunAtOnce);
}

// --- Menu --------------------------------------------------------------------

TEST_F(WindowTest, MenuHasItsMenusItemsAndCaptionsInOrder) {
    EXPECT_EQ(Captions(frm->menuBar()), QStringList({"File", "Settings", "Help"}));
    EXPECT_EQ(Captions(Menu(frm.get(), "mnuFile")),
              QStringList({"Enter", "Reset", "Run file...", "Save graph as...", "Exit"}));
    EXPECT_EQ(Captions(Menu(frm.get(), "mnuSettings")),
              QStringList({"Number display format", "Hide toolbar", "Graphics display format"}));
    EXPECT_EQ(Menu(frm.get(), "mnuSettings")->actions()[0]->menu(),
              Menu(frm.get(), "mnuNumberFormat"));
    EXPECT_EQ(Menu(frm.get(), "mnuSettings")->actions()[2]->menu(),
              Menu(frm.get(), "mnuGraphicsFormat"));
    EXPECT_EQ(Captions(Menu(frm.get(), "mnuNumberFormat")),
              QStringList({"General", "2 decimals", "Scientific"}));
    EXPECT_EQ(Captions(Menu(frm.get(), "mnuGraphicsFormat")),
              QStringList({"None", "Medium frame", "Large frame"}));
    EXPECT_EQ(Captions(Menu(frm.get(), "mnuHelp")), QStringList({"Show Help", "About Ostrel..."}));
}

TEST_F(WindowTest, MenuItemsHaveNoShortcutsOrMnemonics) {
    for (const QMenu* pMenu :
         {Menu(frm.get(), "mnuFile"), Menu(frm.get(), "mnuSettings"), Menu(frm.get(), "mnuHelp")}) {
        for (QAction* pAction : AllItems(pMenu)) {
            EXPECT_TRUE(pAction->shortcut().isEmpty()) << pAction->text().toStdString();
            EXPECT_FALSE(pAction->text().contains(QLatin1Char('&')))
                << pAction->text().toStdString();
        }
    }
}

TEST_F(WindowTest, CheckMarksAfterResetStandOnGeneralAndMediumFrame) {
    EXPECT_TRUE(MenuItem(frm.get(), "mnuGeneral")->isChecked());
    EXPECT_FALSE(MenuItem(frm.get(), "mnuFixed")->isChecked());
    EXPECT_FALSE(MenuItem(frm.get(), "mnuScientific")->isChecked());
    EXPECT_FALSE(MenuItem(frm.get(), "mnuGFNone")->isChecked());
    EXPECT_TRUE(MenuItem(frm.get(), "mnuGFMedium")->isChecked());
    EXPECT_FALSE(MenuItem(frm.get(), "mnuGFLarge")->isChecked());
    EXPECT_FALSE(MenuItem(frm.get(), "mnuShowToolbar")->isCheckable());
    EXPECT_EQ(MenuItem(frm.get(), "mnuShowToolbar")->text(), "Hide toolbar");
}

// --- Reset ---------------------------------------------------------------------

TEST_F(WindowTest, StartsWithCaptionEmptyInputAndTheStartupFileReport) {
    EXPECT_EQ(frm->windowTitle(), "Ostrel 1.0");
    EXPECT_EQ(InputLine(frm.get())->text(), "");
    // Nothing leaked before the first reset, so only the start-up line's
    // own output is there.
    EXPECT_EQ(Output(), ReferenceOutput(CSession::DefaultStartupLine().c_str()));
    EXPECT_EQ(n_ivcInstance, 1);
}

TEST_F(WindowTest, ResetRestoresFormatsToolbarButtonsAndRunsTheStartupFileAgain) {
    CWindowInterface* pOld = frm->GetWindowInterface();
    MenuItem(frm.get(), "mnuScientific")->trigger();
    MenuItem(frm.get(), "mnuGFLarge")->trigger();
    MenuItem(frm.get(), "mnuShowToolbar")->trigger();
    Bind(pOld, 2, "Two", "PRINT 2", false);
    InputLine(frm.get())->setText("typed");
    OutputPane(frm.get())->setPlainText("old output");

    MenuItem(frm.get(), "mnuReset")->trigger();

    EXPECT_TRUE(MenuItem(frm.get(), "mnuGeneral")->isChecked());
    EXPECT_FALSE(MenuItem(frm.get(), "mnuScientific")->isChecked());
    EXPECT_TRUE(MenuItem(frm.get(), "mnuGFMedium")->isChecked());
    EXPECT_FALSE(MenuItem(frm.get(), "mnuGFLarge")->isChecked());
    EXPECT_EQ(MenuItem(frm.get(), "mnuShowToolbar")->text(), "Hide toolbar");
    for (QPushButton* pButton : {FunctionButton(frm.get(), 1), FunctionButton(frm.get(), 2),
                                 FunctionButton(frm.get(), 3), FunctionButton(frm.get(), 4)}) {
        EXPECT_FALSE(pButton->isHidden());
        EXPECT_EQ(pButton->text(), "");
    }
    EXPECT_EQ(InputLine(frm.get())->text(), "");
    EXPECT_EQ(Output(), ReferenceOutput(CSession::DefaultStartupLine().c_str()));
    CWindowInterface* pNew = frm->GetWindowInterface();
    EXPECT_EQ(pNew->GetGraphicsFormat(), GF_MEDIUM);
    EXPECT_EQ(pNew->GetFloatFormat(), FF_GENERAL);
    EXPECT_EQ(pNew->GetButtonCaption(2), nullptr);
}

TEST_F(WindowTest, ResetFindsEveryCounterBackAtZero) {
    MenuItem(frm.get(), "mnuReset")->trigger();
    for (int i = 0; i < OBJECT_COUNTERS; ++i) {
        EXPECT_EQ(SnapshotCount[i], 0) << "class number " << i;
    }
    EXPECT_EQ(ObjectCount[CN_WINDOWINTERFACE], 1);
}

TEST_F(WindowTest, ResetKeepsALeakReportInTheOutputPane) {
    // A string that outlives the interface stands for a leaked object.
    auto* poLeak = new CString;
    OutputPane(frm.get())->clear();
    MenuItem(frm.get(), "mnuReset")->trigger();
    const QString output = Output();
    delete poLeak;
    EXPECT_TRUE(output.startsWith(QStringLiteral("ObjectCount[35] = 1\n"))) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("Some objects were not deleted properly")));
    EXPECT_TRUE(output.endsWith(ReferenceOutput(CSession::DefaultStartupLine().c_str())));
}

// --- Number and graphics formats ---------------------------------------------------

TEST_F(WindowTest, NumberFormatFromTheMenuMovesTheCheckMarkAndTheOutput) {
    MenuItem(frm.get(), "mnuFixed")->trigger();
    EXPECT_TRUE(MenuItem(frm.get(), "mnuFixed")->isChecked());
    EXPECT_FALSE(MenuItem(frm.get(), "mnuGeneral")->isChecked());
    OutputPane(frm.get())->clear();
    frm->GetWindowInterface()->PrintNumber(2);
    EXPECT_EQ(Output(), "2.00");
    // Choosing the checked item again keeps it checked.
    MenuItem(frm.get(), "mnuFixed")->trigger();
    EXPECT_TRUE(MenuItem(frm.get(), "mnuFixed")->isChecked());
}

TEST_F(WindowTest, NumberFormatFromTheLanguageMovesTheCheckMark) {
    CWindowInterface* pUI = frm->GetWindowInterface();
    pUI->SetNumberFormat(NF_SCIENTIFIC);
    EXPECT_TRUE(MenuItem(frm.get(), "mnuScientific")->isChecked());
    EXPECT_FALSE(MenuItem(frm.get(), "mnuGeneral")->isChecked());
    OutputPane(frm.get())->clear();
    pUI->PrintNumber(1);
    EXPECT_EQ(Output(), "1.00000000000000000E+00");
}

TEST_F(WindowTest, IllegalFormatCodesLeaveTheMenuAsItWas) {
    CWindowInterface* pUI = frm->GetWindowInterface();
    pUI->SetNumberFormat(NF_FIXED);
    EXPECT_EQ(RaisedCode([&] { pUI->SetNumberFormat(0); }), ERR_ILLEGAL_PARAMETER_UI);
    EXPECT_EQ(RaisedCode([&] { pUI->SetGraphicsFormat(3); }), ERR_ILLEGAL_PARAMETER_UI);
    EXPECT_EQ(RaisedCode([&] { frm->CheckNumberFormat(4); }), ERR_ILLEGAL_PARAMETER_UI);
    EXPECT_EQ(RaisedCode([&] { frm->CheckGraphicsFormat(-1); }), ERR_ILLEGAL_PARAMETER_UI);
    EXPECT_TRUE(MenuItem(frm.get(), "mnuFixed")->isChecked());
    EXPECT_FALSE(MenuItem(frm.get(), "mnuGeneral")->isChecked());
    EXPECT_TRUE(MenuItem(frm.get(), "mnuGFMedium")->isChecked());
    EXPECT_EQ(pUI->GetGraphicsFormat(), GF_MEDIUM);
}

TEST_F(WindowTest, GraphicsFormatNoneHidesTheGraphAndWidensTheOutputPane) {
    frm->resize(745, 241);
    frm->show();
    MenuItem(frm.get(), "mnuGFNone")->trigger();
    EXPECT_TRUE(MenuItem(frm.get(), "mnuGFNone")->isChecked());
    EXPECT_FALSE(MenuItem(frm.get(), "mnuGFMedium")->isChecked());
    EXPECT_TRUE(GraphPane(frm.get())->isHidden());
    EXPECT_EQ(OutputPane(frm.get())->width(), InputLine(frm.get())->width());
    EXPECT_EQ(frm->GetWindowInterface()->GetGraphicsFormat(), GF_NONE);
    // The language's switch back shows it again.
    frm->GetWindowInterface()->SetGraphicsFormat(GF_LARGE);
    EXPECT_TRUE(MenuItem(frm.get(), "mnuGFLarge")->isChecked());
    EXPECT_FALSE(GraphPane(frm.get())->isHidden());
    EXPECT_EQ(GraphPane(frm.get())->y(), InputLine(frm.get())->y());
}

// --- Layout ------------------------------------------------------------------------

struct SGeometry {
    int x, y, w, h;
};

SGeometry GeometryOf(const QWidget* pWidget) {
    return {pWidget->x(), pWidget->y(), pWidget->width(), pWidget->height()};
}

bool operator==(const SGeometry& a, const SGeometry& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

std::ostream& operator<<(std::ostream& out, const SGeometry& g) {
    return out << "(" << g.x << ", " << g.y << ", " << g.w << ", " << g.h << ")";
}

TEST_F(WindowTest, MediumFrameLaysOutBesideTheOutputPane) {
    // W = 737 - 10 - 5 - 89 = 633, D = 628 / 3 = 209.33, H = 190 - 31 - 5 = 154.
    frm->ArrangeControls(737, 190);
    EXPECT_EQ(GeometryOf(InputLine(frm.get())), (SGeometry{5, 5, 633, 21}));
    EXPECT_EQ(GeometryOf(OutputPane(frm.get())), (SGeometry{5, 31, 209, 154}));
    EXPECT_EQ(GeometryOf(GraphPane(frm.get())), (SGeometry{219, 31, 418, 154}));
    EXPECT_FALSE(GraphPane(frm.get())->isHidden());
    EXPECT_EQ(GeometryOf(FunctionButton(frm.get(), 1)), (SGeometry{643, 8, 89, 17}));
    EXPECT_EQ(GeometryOf(FunctionButton(frm.get(), 4)), (SGeometry{643, 80, 89, 17}));
}

TEST_F(WindowTest, LargeFrameTakesTheInputLinesHeightToo) {
    frm->GetWindowInterface()->SetGraphicsFormat(GF_LARGE);
    frm->ArrangeControls(737, 190);
    EXPECT_EQ(GeometryOf(InputLine(frm.get())), (SGeometry{5, 5, 209, 21}));
    EXPECT_EQ(GeometryOf(OutputPane(frm.get())), (SGeometry{5, 31, 209, 154}));
    EXPECT_EQ(GeometryOf(GraphPane(frm.get())), (SGeometry{219, 5, 418, 180}));
}

TEST_F(WindowTest, NoFrameGivesTheOutputPaneTheInputLinesWidth) {
    frm->GetWindowInterface()->SetGraphicsFormat(GF_NONE);
    frm->ArrangeControls(600, 300);
    // W = 600 - 10 - 94 = 496, H = 300 - 36 = 264.
    EXPECT_EQ(GeometryOf(InputLine(frm.get())), (SGeometry{5, 5, 496, 21}));
    EXPECT_EQ(GeometryOf(OutputPane(frm.get())), (SGeometry{5, 31, 496, 264}));
    EXPECT_TRUE(GraphPane(frm.get())->isHidden());
    EXPECT_EQ(FunctionButton(frm.get(), 2)->x(), 506);
}

TEST_F(WindowTest, HidingTheToolbarGivesThePanesTheButtonsSpace) {
    frm->ArrangeControls(737, 190);
    const int nEditWidth = InputLine(frm.get())->width();
    MenuItem(frm.get(), "mnuShowToolbar")->trigger();
    EXPECT_EQ(MenuItem(frm.get(), "mnuShowToolbar")->text(), "Show toolbar");
    EXPECT_TRUE(FunctionButton(frm.get(), 1)->isHidden());
    EXPECT_TRUE(FunctionButton(frm.get(), 4)->isHidden());
    frm->ArrangeControls(737, 190);
    EXPECT_EQ(InputLine(frm.get())->width(), nEditWidth + 94);
    // W = 727, D = 240.67: the graph spans 250 to 731.
    EXPECT_EQ(GeometryOf(GraphPane(frm.get())), (SGeometry{250, 31, 481, 154}));
    MenuItem(frm.get(), "mnuShowToolbar")->trigger();
    EXPECT_EQ(MenuItem(frm.get(), "mnuShowToolbar")->text(), "Hide toolbar");
    EXPECT_FALSE(FunctionButton(frm.get(), 1)->isHidden());
}

TEST_F(WindowTest, TooSmallClientAreaLeavesEveryControlWhereItWas) {
    frm->ArrangeControls(737, 190);
    const SGeometry edit = GeometryOf(InputLine(frm.get()));
    const SGeometry memo = GeometryOf(OutputPane(frm.get()));
    const SGeometry graph = GeometryOf(GraphPane(frm.get()));
    const SGeometry button = GeometryOf(FunctionButton(frm.get(), 3));
    // W = 46 < 50; W = 96 gives D = 30.3 < 50; CH = 55 gives H = 19 < 20.
    for (auto [CW, CH] : {std::pair{150, 190}, std::pair{200, 190}, std::pair{737, 55}}) {
        frm->ArrangeControls(CW, CH);
        EXPECT_EQ(GeometryOf(InputLine(frm.get())), edit) << CW << "x" << CH;
        EXPECT_EQ(GeometryOf(OutputPane(frm.get())), memo) << CW << "x" << CH;
        EXPECT_EQ(GeometryOf(GraphPane(frm.get())), graph) << CW << "x" << CH;
        EXPECT_EQ(GeometryOf(FunctionButton(frm.get(), 3)), button) << CW << "x" << CH;
    }
    // At the limit of the height it still arranges.
    frm->ArrangeControls(737, 56);
    EXPECT_EQ(OutputPane(frm.get())->height(), 20);
}

TEST_F(WindowTest, ResizingTheWindowArrangesForItsClientArea) {
    frm->show();
    frm->resize(900, 400);
    QApplication::processEvents();
    const QWidget* pClient = frm->centralWidget();
    const double W = pClient->width() - 10.0 - 5.0 - 89.0;
    const double D = (W - 5.0) / 3.0;
    EXPECT_EQ(InputLine(frm.get())->width(), static_cast<int>(W));
    EXPECT_EQ(GraphPane(frm.get())->x(), static_cast<int>(D + 10.0));
    EXPECT_EQ(OutputPane(frm.get())->height(), pClient->height() - 36);
    EXPECT_EQ(GraphPane(frm.get())->width(), static_cast<int>(2.0 * D));
}

// --- Input line --------------------------------------------------------------------

TEST_F(WindowTest, EnterRunsTheLineAndLeavesItInPlace) {
    OutputPane(frm.get())->clear();
    InputLine(frm.get())->setText("   ");
    QTest::keyClick(InputLine(frm.get()), Qt::Key_Return);
    EXPECT_EQ(Output(), "Executed null statement.\n");
    EXPECT_EQ(InputLine(frm.get())->text(), "   ");
    QTest::keyClick(InputLine(frm.get()), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Output(), "Executed null statement.\nExecuted null statement.\n");
}

TEST_F(WindowTest, EnterMenuItemRunsTheWholeInputText) {
    OutputPane(frm.get())->clear();
    InputLine(frm.get())->setText("not a statement");
    InputLine(frm.get())->setCursorPosition(3);
    MenuItem(frm.get(), "mnuExecute")->trigger();
    EXPECT_EQ(Output(), ReferenceOutput("not a statement"));
    EXPECT_EQ(InputLine(frm.get())->text(), "not a statement");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WindowTest, EnterReleasedWithoutBeingPressedHereRunsNothing) {
    OutputPane(frm.get())->clear();
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(InputLine(frm.get()), &release);
    EXPECT_EQ(Output(), "");
}

TEST_F(WindowTest, TypedLineBreaksNeverReachTheInputLine) {
    InputLine(frm.get())->setText("ab");
    InputLine(frm.get())->setCursorPosition(1);
    QKeyEvent lineFeed(QEvent::KeyPress, Qt::Key_J, Qt::ControlModifier, QStringLiteral("\n"));
    QApplication::sendEvent(InputLine(frm.get()), &lineFeed);
    QKeyEvent carriageReturn(QEvent::KeyPress, Qt::Key_M, Qt::ControlModifier,
                             QStringLiteral("\r"));
    QApplication::sendEvent(InputLine(frm.get()), &carriageReturn);
    EXPECT_EQ(InputLine(frm.get())->text(), "ab");
}

TEST_F(WindowTest, KeypadDecimalKeyPutsAPointWhateverItTyped) {
    InputLine(frm.get())->setText("12");
    InputLine(frm.get())->setCursorPosition(1);
    QTest::keyClick(InputLine(frm.get()), Qt::Key_Comma, Qt::KeypadModifier);
    EXPECT_EQ(InputLine(frm.get())->text(), "1.2");
    EXPECT_EQ(InputLine(frm.get())->cursorPosition(), 2);
    EXPECT_FALSE(InputLine(frm.get())->hasSelectedText());
    InputLine(frm.get())->end(false);
    QTest::keyClick(InputLine(frm.get()), Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(InputLine(frm.get())->text(), "1.2.");
}

TEST_F(WindowTest, MainKeyboardCommaStaysAComma) {
    InputLine(frm.get())->setText("f(1");
    InputLine(frm.get())->end(false);
    QTest::keyClick(InputLine(frm.get()), Qt::Key_Comma);
    EXPECT_EQ(InputLine(frm.get())->text(), "f(1,");
}

// --- Output pane ---------------------------------------------------------------------

TEST_F(WindowTest, OutputPaneBreaksLinesAndShowsTheEnd) {
    OutputPane(frm.get())->clear();
    CWindowInterface* pUI = frm->GetWindowInterface();
    pUI->PrintText("a\nb");
    pUI->PrintChar('c');
    EXPECT_EQ(Output(), "a\nbc");
    EXPECT_FALSE(OutputPane(frm.get())->textCursor().hasSelection());
    EXPECT_EQ(OutputPane(frm.get())->textCursor().position(), 4);
    EXPECT_TRUE(OutputPane(frm.get())->isReadOnly());
    EXPECT_EQ(OutputPane(frm.get())->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(OutputPane(frm.get())->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

// --- Function buttons ---------------------------------------------------------------

TEST_F(WindowTest, TemplateButtonPutsItsCommandWithTheCaretAfterTheQuestionMark) {
    frm->show();
    QApplication::setActiveWindow(frm.get());
    CWindowInterface* pUI = frm->GetWindowInterface();
    Bind(pUI, 1, "Sine", "PRINT SIN(?)", false);
    EXPECT_EQ(FunctionButton(frm.get(), 1)->text(), "Sine");
    OutputPane(frm.get())->clear();
    QTest::mouseClick(FunctionButton(frm.get(), 1), Qt::LeftButton);
    EXPECT_EQ(InputLine(frm.get())->text(), "PRINT SIN(?)");
    EXPECT_EQ(InputLine(frm.get())->cursorPosition(), 11);
    EXPECT_EQ(Output(), "");
    Bind(pUI, 2, "End", "PRINT PI", false);
    FunctionButton(frm.get(), 2)->click();
    EXPECT_EQ(InputLine(frm.get())->cursorPosition(), 8);
}

TEST_F(WindowTest, RunAtOnceButtonRunsItsCommand) {
    Bind(frm->GetWindowInterface(), 4, "Go", "", true);
    InputLine(frm.get())->setText("typed");
    OutputPane(frm.get())->clear();
    FunctionButton(frm.get(), 4)->click();
    EXPECT_EQ(Output(), "Executed null statement.\n");
    EXPECT_EQ(InputLine(frm.get())->text(), "typed");
}

TEST_F(WindowTest, ButtonCaptionShowsAmpersandsAsTyped) {
    Bind(frm->GetWindowInterface(), 3, "A&B", "X", false);
    EXPECT_EQ(FunctionButton(frm.get(), 3)->text(), "A&&B");
    frm->GetWindowInterface()->ClearFunctionButton(3);
    EXPECT_EQ(FunctionButton(frm.get(), 3)->text(), "");
    EXPECT_EQ(RaisedCode([&] { frm->SetButtonCaption(5, "x"); }), ERR_ILLEGAL_PARAMETER_UI);
    EXPECT_EQ(RaisedCode([&] { frm->ClearButtonCaption(0); }), ERR_ILLEGAL_PARAMETER_UI);
}

// --- Graph pane -------------------------------------------------------------------------

using GraphPaneTest = ShownWindowTest;

TEST_F(GraphPaneTest, NewPaneIsWhiteWithASunkenTwoPixelFrame) {
    const int W = GraphPane(frm.get())->width();
    const int H = GraphPane(frm.get())->height();
    ASSERT_EQ(GraphPane(frm.get())->GetImage().size(), GraphPane(frm.get())->size());
    const QRgb white = 0xFFFFFF;
    const QRgb black = 0x000000;
    const QRgb shadow = Rgb(frm->GetButtonShadowColor());
    const QRgb face = Rgb(frm->GetButtonFaceColor());
    ASSERT_NE(shadow, face);
    // Outer ring: shadow on top and left, white on bottom and right.
    EXPECT_EQ(Pixel(0, 0), shadow);
    EXPECT_EQ(Pixel(W / 2, 0), shadow);
    EXPECT_EQ(Pixel(0, H / 2), shadow);
    EXPECT_EQ(Pixel(0, H - 2), shadow);
    EXPECT_EQ(Pixel(W - 1, 0), white); // the shadow line stops short of it
    EXPECT_EQ(Pixel(W - 1, H / 2), white);
    EXPECT_EQ(Pixel(0, H - 1), white);
    EXPECT_EQ(Pixel(W - 1, H - 1), white);
    // Inner ring: black on top and left, button face on bottom and right.
    EXPECT_EQ(Pixel(1, 1), black);
    EXPECT_EQ(Pixel(W / 2, 1), black);
    EXPECT_EQ(Pixel(1, H - 3), black);
    EXPECT_EQ(Pixel(W - 2, 1), face);
    EXPECT_EQ(Pixel(W - 2, H - 2), face);
    EXPECT_EQ(Pixel(1, H - 2), face);
    // The plot area inside is white.
    EXPECT_EQ(Pixel(2, 2), white);
    EXPECT_EQ(Pixel(W / 2, H / 2), white);
    EXPECT_EQ(Pixel(W - 3, H - 3), white);
}

TEST_F(GraphPaneTest, LinesExcludeTheirEndPointAndFollowThePen) {
    CWindowInterface* pUI = frm->GetWindowInterface();
    pUI->SetPenColor(255, 0, 0);
    frm->CanvasMoveTo(10, 10);
    frm->CanvasLineTo(20, 10);
    EXPECT_EQ(Pixel(10, 10), 0xFF0000U);
    EXPECT_EQ(Pixel(19, 10), 0xFF0000U);
    EXPECT_EQ(Pixel(20, 10), 0xFFFFFFU);
    // Far outside the pane, the line is clipped and still drawn inside.
    pUI->SetGridPen();
    frm->CanvasMoveTo(-1000000000, 50);
    frm->CanvasLineTo(1000000000, 50);
    EXPECT_EQ(Pixel(30, 50), 0xC0C0C0U);
}

TEST_F(GraphPaneTest, PlotMappingDrawsInsideThePlotArea) {
    CWindowInterface* pUI = frm->GetWindowInterface();
    int pxLeft = 0, pyTop = 0, pxRight = 0, pyBottom = 0;
    pUI->GetPlotArea(&pxLeft, &pyTop, &pxRight, &pyBottom);
    EXPECT_EQ(pxRight, GraphPane(frm.get())->width() - 2);
    EXPECT_EQ(pyBottom, GraphPane(frm.get())->height() - 2);
    pUI->SetWorldWindow(0, 1, 1, 0);
    pUI->SetAxisPen();
    pUI->MoveTo(0, 0.5L);
    pUI->LineTo(1, 0.5L);
    const int y = pUI->MapY(0.5L);
    EXPECT_EQ(Pixel(pxLeft, y), 0x808080U);
    EXPECT_EQ(Pixel((pxLeft + pxRight) / 2, y), 0x808080U);
    EXPECT_EQ(Pixel((pxLeft + pxRight) / 2, y + 1), 0xFFFFFFU);
}

TEST_F(GraphPaneTest, DrawNumberWritesALabelWhoseLowestRowIsThePointsRow) {
    CWindowInterface* pUI = frm->GetWindowInterface();
    int nArea[4];
    pUI->GetPlotArea(&nArea[0], &nArea[1], &nArea[2], &nArea[3]);
    pUI->SetWorldWindow(0, 1, 1, 0);
    pUI->ClearGraph();
    const int px = pUI->MapX(0.5L);
    const int py = pUI->MapY(0.5L);
    pUI->DrawNumber(88, 0.5L, 0.5L, 2);
    const int h = frm->CanvasTextHeight("88");
    bool bInk = false;
    for (int y = py - h + 1; y <= py; ++y) {
        for (int x = px + 1; x < px + 30; ++x) {
            bInk = bInk || Pixel(x, y) != 0xFFFFFFU;
        }
    }
    EXPECT_TRUE(bInk);
    for (int x = 2; x < GraphPane(frm.get())->width() - 2; ++x) {
        EXPECT_EQ(Pixel(x, py + 1), 0xFFFFFFU) << x;
        EXPECT_EQ(Pixel(x, py - h), 0xFFFFFFU) << x;
    }
}

// Only what the engine keeps as its picture is drawn again: a line drawn
// straight on the canvas is not part of it.
TEST_F(GraphPaneTest, ShowingThePaneAgainDrawsOnlyThePicture) {
    frm->SetCanvasPen(CanvasColor(0, 0, 255), 1);
    frm->CanvasMoveTo(10, 20);
    frm->CanvasLineTo(60, 20);
    ASSERT_EQ(Pixel(30, 20), 0x0000FFU);
    MenuItem(frm.get(), "mnuGFNone")->trigger();
    MenuItem(frm.get(), "mnuGFMedium")->trigger();
    EXPECT_EQ(Pixel(30, 20), 0xFFFFFFU);
    EXPECT_EQ(Pixel(1, 1), 0x000000U);
}

TEST_F(GraphPaneTest, HiddenPaneIsNotCleared) {
    MenuItem(frm.get(), "mnuGFNone")->trigger();
    EXPECT_FALSE(frm->IsGraphVisible());
    frm->GetWindowInterface()->SetPenColor(0, 255, 0);
    frm->CanvasMoveTo(10, 20);
    frm->CanvasLineTo(60, 20);
    frm->GetWindowInterface()->ClearGraph();
    EXPECT_EQ(Pixel(30, 20), 0x00FF00U);
}

// --- Running and interruption ------------------------------------------------------------

TEST_F(WindowTest, EscapeWhileALineRunsAsksItToStop) {
    EXPECT_FALSE(frm->IsInterruptRequested());
    TfrmCalc::CRunGuard guard(frm.get());
    QCoreApplication::postEvent(InputLine(frm.get()),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    EXPECT_TRUE(frm->IsInterruptRequested());
}

TEST_F(WindowTest, EscapeStopsARunningLineAndTheWindowGoesOn) {
    InputLine(frm.get())->setText("STATIC J");
    MenuItem(frm.get(), "mnuExecute")->trigger();
    OutputPane(frm.get())->clear();
    InputLine(frm.get())->setText("FOR J=1 TO 2000000000 DO J=J");
    // Typed ahead: the window handles it once the line has started.
    QCoreApplication::postEvent(InputLine(frm.get()),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    MenuItem(frm.get(), "mnuExecute")->trigger();
    EXPECT_EQ(Output(), "Execution interrupted by user.\n");
    OutputPane(frm.get())->clear();
    InputLine(frm.get())->setText("? J < 2000000000");
    MenuItem(frm.get(), "mnuExecute")->trigger();
    EXPECT_EQ(Output(), "1\n");
}

TEST_F(WindowTest, OtherInputWaitsWhileALineRuns) {
    OutputPane(frm.get())->clear();
    InputLine(frm.get())->setText("");
    {
        TfrmCalc::CRunGuard guard(frm.get());
        QCoreApplication::postEvent(
            InputLine(frm.get()), new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
        QCoreApplication::postEvent(
            InputLine(frm.get()), new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
        QCoreApplication::postEvent(
            InputLine(frm.get()),
            new QKeyEvent(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier));
        EXPECT_FALSE(frm->IsInterruptRequested());
        // The menu cannot reset the interface from under the running line.
        CWindowInterface* pRunning = frm->GetWindowInterface();
        MenuItem(frm.get(), "mnuReset")->trigger();
        EXPECT_EQ(frm->GetWindowInterface(), pRunning);
        EXPECT_FALSE(frm->close());
        EXPECT_TRUE(frm->IsInterruptPending());
    }
    EXPECT_EQ(InputLine(frm.get())->text(), "");
    EXPECT_EQ(Output(), "");
}

TEST_F(WindowTest, NewLineStartsWithoutTheLastInterruption) {
    {
        TfrmCalc::CRunGuard guard(frm.get());
        QCoreApplication::postEvent(
            InputLine(frm.get()), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        EXPECT_TRUE(frm->IsInterruptRequested());
    }
    TfrmCalc::CRunGuard guard(frm.get());
    EXPECT_FALSE(frm->IsInterruptRequested());
}

// --- Run file -----------------------------------------------------------------------------

TEST_F(WindowTest, RunFileCancelledRunsNothing) {
    OutputPane(frm.get())->clear();
    QString suffix;
    QStringList filters;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* pDialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(pDialog, nullptr);
        suffix = pDialog->defaultSuffix();
        filters = pDialog->nameFilters();
        pDialog->reject();
    });
    timer.start(0);
    MenuItem(frm.get(), "mnuRunFile")->trigger();
    // A default suffix would send a typed name to one case of it only.
    EXPECT_EQ(suffix, "");
    EXPECT_EQ(filters, QStringList({"*.bas *.BAS"}));
    EXPECT_EQ(Output(), "");
}

TEST_F(WindowTest, RunFileRunsTheChosenFileByItsFullName) {
    std::ofstream("prog.bas") << "\n";
    const QString fullName = QDir::current().absoluteFilePath(QStringLiteral("prog.bas"));
    OutputPane(frm.get())->clear();
    QTimer timer;
    ChooseFileWhenAsked(&timer, fullName);
    MenuItem(frm.get(), "mnuRunFile")->trigger();
    EXPECT_EQ(Output(), ReferenceOutput(CSession::RunFileCommand(fullName.toStdString()).c_str()));
}

// --- About box ------------------------------------------------------------------------------

TEST_F(WindowTest, AboutBoxHasItsCaptionSizeLabelAndDefaultButton) {
    TfrmAbout frmAbout(frm.get());
    EXPECT_EQ(frmAbout.windowTitle(), "About Ostrel");
    EXPECT_EQ(frmAbout.size(), QSize(453, 193));
    EXPECT_FALSE(frmAbout.windowFlags() & Qt::WindowCloseButtonHint);
    const auto* pLabel = frmAbout.findChild<QLabel*>(QStringLiteral("lblProduct"));
    ASSERT_NE(pLabel, nullptr);
    EXPECT_EQ(pLabel->text(), "Ostrel 1.0 for " + TfrmAbout::PlatformName());
    EXPECT_EQ(pLabel->pos(), QPoint(96, 16));
    const auto* pIcon = frmAbout.findChild<QLabel*>(QStringLiteral("imgIcon"));
    ASSERT_NE(pIcon, nullptr);
    EXPECT_EQ(pIcon->geometry(), QRect(40, 16, 41, 41));
    EXPECT_EQ(WindowChild<QPushButton>(&frmAbout, QStringLiteral("cmdOK"))->text(), "OK");
    EXPECT_TRUE(WindowChild<QPushButton>(&frmAbout, QStringLiteral("cmdOK"))->isDefault());
    EXPECT_EQ(WindowChild<QPushButton>(&frmAbout, QStringLiteral("cmdOK"))->geometry(),
              QRect(184, 152, 89, 25));
}

TEST_F(WindowTest, AboutBoxClosesWithOk) {
    int nResult = -1;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* pAbout = qobject_cast<TfrmAbout*>(QApplication::activeModalWidget());
        ASSERT_NE(pAbout, nullptr);
        WindowChild<QPushButton>(pAbout, QStringLiteral("cmdOK"))->click();
    });
    timer.start(0);
    TfrmAbout frmAbout(frm.get());
    nResult = frmAbout.exec();
    EXPECT_EQ(nResult, QDialog::Accepted);
}

// --- Design -----------------------------------------------------------------------------------

TEST_F(WindowTest, ControlsHaveTheirHelpContextsAndTabOrder) {
    EXPECT_EQ(InputLine(frm.get())->property("helpContext").toInt(), 1);
    EXPECT_EQ(OutputPane(frm.get())->property("helpContext").toInt(), 2);
    EXPECT_EQ(FunctionButton(frm.get(), 1)->property("helpContext").toInt(), 5);
    EXPECT_EQ(FunctionButton(frm.get(), 3)->property("helpContext").toInt(), 5);
    EXPECT_FALSE(FunctionButton(frm.get(), 4)->property("helpContext").isValid());
    EXPECT_EQ(NextTabStop(InputLine(frm.get())), OutputPane(frm.get()));
    EXPECT_EQ(NextTabStop(OutputPane(frm.get())), FunctionButton(frm.get(), 1));
    EXPECT_EQ(NextTabStop(FunctionButton(frm.get(), 1)), FunctionButton(frm.get(), 2));
    EXPECT_EQ(NextTabStop(FunctionButton(frm.get(), 2)), FunctionButton(frm.get(), 3));
    EXPECT_EQ(NextTabStop(FunctionButton(frm.get(), 3)), FunctionButton(frm.get(), 4));
    // The graph pane takes focus by a click only, for its keys.
    EXPECT_EQ(GraphPane(frm.get())->focusPolicy(), Qt::ClickFocus);
}

TEST_F(WindowTest, NumberTextsUseAPointWhateverTheLocale) {
    OutputPane(frm.get())->clear();
    frm->GetWindowInterface()->PrintNumber(0.5L);
    EXPECT_EQ(Output(), "0.5");
}

} // namespace
