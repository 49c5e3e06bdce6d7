#include "windowtest.h"

#include "core/cstring.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// The window shown and active, so that the input line has the keys.
class InputLineTest : public ShownWindowTest {
protected:
    void SetUp() override {
        ShownWindowTest::SetUp();
        QApplication::setActiveWindow(frm.get());
        InputLine(frm.get())->setFocus();
    }
    void Enter(const QString& line) {
        InputLine(frm.get())->setText(line);
        QTest::keyClick(InputLine(frm.get()), Qt::Key_Return);
    }
    // Types the text at the end of the input line and presses Tab.
    void Complete(const QString& text) {
        InputLine(frm.get())->setText(text);
        QTest::keyClick(InputLine(frm.get()), Qt::Key_Tab);
    }
    void Bind(int iButton, const char* pchCommand) {
        CString caption;
        caption.Set("Button");
        CString command;
        command.Set(pchCommand);
        frm->GetWindowInterface()->SetFunctionButton(iButton, &caption, &command, false);
    }
    QAbstractItemView* Popup() const {
        return frm->findChild<QCompleter*>(QStringLiteral("completer"))->popup();
    }
    QStringList Listed() const {
        QStringList listed;
        for (int i = 0; i < Popup()->model()->rowCount(); ++i) {
            listed << Popup()->model()->index(i, 0).data().toString();
        }
        return listed;
    }
    // Three names of the user's that share a prefix no other name has.
    void DefineNames() {
        for (const char* pchName : {"ZETAONE", "ZETATWO", "ZETATHREE"}) {
            Enter(QStringLiteral("STATIC ") + QLatin1String(pchName));
        }
    }
};

// --- The line just run ------------------------------------------------------------------

TEST_F(InputLineTest, EnterSelectsTheLineSoThatTypingReplacesIt) {
    Enter(QStringLiteral("? 1+1"));
    EXPECT_EQ(InputLine(frm.get())->text(), "? 1+1");
    EXPECT_EQ(InputLine(frm.get())->selectedText(), "? 1+1");
    QTest::keyClicks(InputLine(frm.get()), QStringLiteral("? 2"));
    EXPECT_EQ(InputLine(frm.get())->text(), "? 2");
    // The menu item as well.
    MenuItem(frm.get(), "mnuExecute")->trigger();
    EXPECT_EQ(InputLine(frm.get())->selectedText(), "? 2");
}

TEST_F(InputLineTest, AnArrowKeyAfterEnterGoesBackToEditingTheLine) {
    Enter(QStringLiteral("? 1+1"));
    QTest::keyClick(InputLine(frm.get()), Qt::Key_End);
    EXPECT_FALSE(InputLine(frm.get())->hasSelectedText());
    QTest::keyClicks(InputLine(frm.get()), QStringLiteral("+1"));
    EXPECT_EQ(InputLine(frm.get())->text(), "? 1+1+1");
}

// --- Templates of the function buttons ---------------------------------------------------

TEST_F(InputLineTest, TemplateSelectsItsQuestionMarkOnlyWithTheCaretAfterIt) {
    Bind(1, "PRINT SIN(?)");
    FunctionButton(frm.get(), 1)->click();
    EXPECT_EQ(InputLine(frm.get())->selectedText(), "?");
    EXPECT_EQ(InputLine(frm.get())->cursorPosition(), 11);
    QTest::keyClicks(InputLine(frm.get()), QStringLiteral("0.5"));
    EXPECT_EQ(InputLine(frm.get())->text(), "PRINT SIN(0.5)");
    Bind(2, "PRINT PI");
    FunctionButton(frm.get(), 2)->click();
    EXPECT_FALSE(InputLine(frm.get())->hasSelectedText());
    EXPECT_EQ(InputLine(frm.get())->cursorPosition(), 8);
}

TEST_F(InputLineTest, TemplateQuestionMarkAfterWideCharactersIsFound) {
    Bind(3, "PRINT \"\xC3\xA4\xE2\x82\xAC\", ?");
    FunctionButton(frm.get(), 3)->click();
    EXPECT_EQ(InputLine(frm.get())->selectedText(), "?");
    EXPECT_EQ(InputLine(frm.get())->cursorPosition(), 13);
}

// --- Completion ----------------------------------------------------------------------------

TEST_F(InputLineTest, TabWithOneCandidateReplacesTheWordAndKeepsTheFocus) {
    DefineNames();
    Complete(QStringLiteral("? ZETAO"));
    EXPECT_EQ(InputLine(frm.get())->text(), "? ZETAONE");
    EXPECT_EQ(InputLine(frm.get())->cursorPosition(), 9);
    EXPECT_FALSE(Popup()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), InputLine(frm.get()));
}

TEST_F(InputLineTest, TabCompletesTheWordBeforeTheCaretOnly) {
    DefineNames();
    InputLine(frm.get())->setText(QStringLiteral("? zetao*2"));
    InputLine(frm.get())->setCursorPosition(7);
    QTest::keyClick(InputLine(frm.get()), Qt::Key_Tab);
    EXPECT_EQ(InputLine(frm.get())->text(), "? zetaone*2");
    EXPECT_EQ(InputLine(frm.get())->cursorPosition(), 9);
}

TEST_F(InputLineTest, TabCountsTheEnginesBytesAfterWideCharacters) {
    DefineNames();
    Complete(QStringLiteral("? \"\u00E4\u20AC\", ZETAO"));
    EXPECT_EQ(InputLine(frm.get())->text(), QStringLiteral("? \"\u00E4\u20AC\", ZETAONE"));
    EXPECT_EQ(InputLine(frm.get())->cursorPosition(), InputLine(frm.get())->text().size());
}

TEST_F(InputLineTest, TabWithoutACandidateChangesNothingAndStaysInTheLine) {
    Complete(QStringLiteral("? QQQQX"));
    EXPECT_EQ(InputLine(frm.get())->text(), "? QQQQX");
    EXPECT_FALSE(Popup()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), InputLine(frm.get()));
}

TEST_F(InputLineTest, TabWithSeveralCandidatesTypesTheirCommonPrefixAndListsThem) {
    DefineNames();
    Complete(QStringLiteral("? ZET"));
    EXPECT_EQ(InputLine(frm.get())->text(), "? ZETA");
    ASSERT_TRUE(Popup()->isVisible());
    EXPECT_EQ(Listed(), QStringList({"ZETAONE", "ZETATHREE", "ZETATWO"}));
    // The list opens under the input line.
    const int inputTop = InputLine(frm.get())->mapToGlobal(QPoint(0, 0)).y();
    const int listTop = Popup()->mapToGlobal(QPoint(0, 0)).y();
    EXPECT_GT(listTop, inputTop + InputLine(frm.get())->height() / 2);
}

TEST_F(InputLineTest, EnterInTheListReplacesTheWordAndRunsNothing) {
    DefineNames();
    Complete(QStringLiteral("? ZET"));
    OutputPane(frm.get())->clear();
    QTest::keyClick(Popup(), Qt::Key_Down);
    QTest::keyClick(Popup(), Qt::Key_Down);
    QTest::keyClick(Popup(), Qt::Key_Return);
    QTest::keyRelease(InputLine(frm.get()), Qt::Key_Return);
    EXPECT_EQ(InputLine(frm.get())->text(), "? ZETATHREE");
    EXPECT_FALSE(Popup()->isVisible());
    EXPECT_EQ(Output(), "");
}

TEST_F(InputLineTest, ClickInTheListReplacesTheWord) {
    DefineNames();
    Complete(QStringLiteral("? zet"));
    ASSERT_EQ(Listed(), QStringList({"zetaone", "zetathree", "zetatwo"}));
    const QRect item = Popup()->visualRect(Popup()->model()->index(2, 0));
    QTest::mouseClick(Popup()->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
    EXPECT_EQ(InputLine(frm.get())->text(), "? zetatwo");
}

TEST_F(InputLineTest, EscapeClosesTheListAndKeepsTheLine) {
    DefineNames();
    Complete(QStringLiteral("? ZET"));
    QTest::keyClick(Popup(), Qt::Key_Escape);
    EXPECT_FALSE(Popup()->isVisible());
    EXPECT_EQ(InputLine(frm.get())->text(), "? ZETA");
}

TEST_F(InputLineTest, TabInTheListStepsThroughTheCandidates) {
    DefineNames();
    Complete(QStringLiteral("? ZET"));
    QTest::keyClick(Popup(), Qt::Key_Tab);
    EXPECT_EQ(Popup()->currentIndex().row(), 0);
    QTest::keyClick(Popup(), Qt::Key_Tab);
    EXPECT_EQ(Popup()->currentIndex().row(), 1);
    EXPECT_TRUE(Popup()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), InputLine(frm.get()));
}

TEST_F(InputLineTest, TypingOnNarrowsTheListAndClosesItAtOneCandidate) {
    DefineNames();
    Complete(QStringLiteral("? ZET"));
    QTest::keyClick(Popup(), 'T');
    EXPECT_EQ(InputLine(frm.get())->text(), "? ZETAT");
    EXPECT_EQ(Listed(), QStringList({"ZETATHREE", "ZETATWO"}));
    EXPECT_TRUE(Popup()->isVisible());
    QTest::keyClick(Popup(), 'W');
    EXPECT_FALSE(Popup()->isVisible());
    EXPECT_EQ(InputLine(frm.get())->text(), "? ZETATW");
}

// --- The keys always reach the input line ---------------------------------------------

TEST_F(InputLineTest, AfterARunAtOnceButtonTheInputLineHasTheKeysAndItsTextSelected) {
    Enter(QStringLiteral("SETFUNCTIONBUTTON 1, \"? 6*7\", \"Answer\", 1"));
    InputLine(frm.get())->setText(QStringLiteral("? 1"));
    QTest::mouseClick(frm->findChild<QPushButton*>(QStringLiteral("cmdF1")), Qt::LeftButton);
    EXPECT_TRUE(OutputPane(frm.get())->toPlainText().endsWith(QStringLiteral("42\n")));
    ASSERT_EQ(QApplication::focusWidget(), InputLine(frm.get()));
    EXPECT_EQ(InputLine(frm.get())->selectedText(), "? 1");
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("? 7"));
    EXPECT_EQ(InputLine(frm.get())->text(), "? 7");
}

TEST_F(InputLineTest, AfterAMenuCommandTheInputLineHasItsTextSelected) {
    InputLine(frm.get())->setText(QStringLiteral("PLOTXY -10,10,SIN"));
    OutputPane(frm.get())->setFocus();
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [] {
        if (auto* pDialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            pDialog->reject();
        }
    });
    timer.start(0);
    MenuItem(frm.get(), "mnuAbout")->trigger();
    ASSERT_EQ(frm->focusWidget(), InputLine(frm.get()));
    EXPECT_EQ(InputLine(frm.get())->selectedText(), "PLOTXY -10,10,SIN");
}

// Selecting and copying stay in the output pane; a typed character goes on
// to the input line, which keeps the keys.
TEST_F(InputLineTest, TypingInTheOutputPaneGoesToTheInputLine) {
    Enter(QStringLiteral("? 5"));
    InputLine(frm.get())->clear();
    OutputPane(frm.get())->setFocus();
    QTest::keyClick(OutputPane(frm.get()), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), OutputPane(frm.get()));
    QTest::keyClick(OutputPane(frm.get()), '?');
    ASSERT_EQ(QApplication::focusWidget(), InputLine(frm.get()));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral(" 9"));
    EXPECT_EQ(InputLine(frm.get())->text(), "? 9");
}

// The graph pane keeps its own keys, shows that it has them, and hands a
// typed character on to the input line.
TEST_F(InputLineTest, TheGraphPaneKeepsItsKeysAndHandsOnTheOthers) {
    Enter(QStringLiteral("PLOTXY 0,6.5,SIN"));
    InputLine(frm.get())->clear();
    TGraphPaintBox* pGraph = GraphPane(frm.get());
    const QPoint top(pGraph->width() / 2, 1);
    EXPECT_EQ(pGraph->grab().toImage().pixel(top), pGraph->GetImage().pixel(top));
    pGraph->setFocus();
    QApplication::processEvents();
    EXPECT_NE(pGraph->grab().toImage().pixel(top), pGraph->GetImage().pixel(top))
        << "a focus frame";
    QTest::keyClick(pGraph, Qt::Key_Z);
    EXPECT_EQ(QApplication::focusWidget(), pGraph);
    EXPECT_TRUE(OutputPane(frm.get())->toPlainText().contains(QStringLiteral("Zero of SIN")));
    QTest::keyClick(pGraph, 'P');
    ASSERT_EQ(QApplication::focusWidget(), InputLine(frm.get()));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("LOTXY"));
    EXPECT_EQ(InputLine(frm.get())->text(), "PLOTXY");
}

} // namespace
