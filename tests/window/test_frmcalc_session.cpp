#include "thelpwindow.h"
#include "windowtest.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <fstream>

namespace {

void Enter(TfrmCalc* pForm, const char* pchLine) {
    InputLine(pForm)->setText(QString::fromUtf8(pchLine));
    QTest::keyClick(InputLine(pForm), Qt::Key_Return);
}

// --- Large output ---------------------------------------------------------------------

TEST_F(WindowTest, LargeOutputArrivesComplete) {
    Enter(frm.get(), "STATIC I");
    OutputPane(frm.get())->clear();
    Enter(frm.get(), "FOR I=1 TO 100000 DO PRINT I");
    const QString output = Output();
    const QStringList lines = output.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 100001);
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[49999], "50000");
    EXPECT_EQ(lines[99999], "100000");
    EXPECT_EQ(lines[100000], "");
    // The pane shows the end.
    EXPECT_EQ(OutputPane(frm.get())->textCursor().position(), output.size());
}

// --- Input history ----------------------------------------------------------------------

TEST_F(WindowTest, UpAndDownRecallTheLinesEntered) {
    Enter(frm.get(), "? 1");
    Enter(frm.get(), "? 2");
    Enter(frm.get(), "? 2");
    Enter(frm.get(), "");
    EXPECT_EQ(frm->GetInputHistory(), QStringList({"? 1", "? 2"}));
    InputLine(frm.get())->setText("? 3 being typed");
    QTest::keyClick(InputLine(frm.get()), Qt::Key_Up);
    EXPECT_EQ(InputLine(frm.get())->text(), "? 2");
    QTest::keyClick(InputLine(frm.get()), Qt::Key_Up);
    EXPECT_EQ(InputLine(frm.get())->text(), "? 1");
    // The oldest line is as far as Up goes.
    QTest::keyClick(InputLine(frm.get()), Qt::Key_Up);
    EXPECT_EQ(InputLine(frm.get())->text(), "? 1");
    QTest::keyClick(InputLine(frm.get()), Qt::Key_Down);
    EXPECT_EQ(InputLine(frm.get())->text(), "? 2");
    // Below the newest line the line being typed comes back.
    QTest::keyClick(InputLine(frm.get()), Qt::Key_Down);
    EXPECT_EQ(InputLine(frm.get())->text(), "? 3 being typed");
    QTest::keyClick(InputLine(frm.get()), Qt::Key_Down);
    EXPECT_EQ(InputLine(frm.get())->text(), "? 3 being typed");
}

TEST_F(WindowTest, RecalledLineRunsAgainAndBecomesTheNewest) {
    Enter(frm.get(), "? 6*7");
    Enter(frm.get(), "? 1");
    QTest::keyClick(InputLine(frm.get()), Qt::Key_Up);
    QTest::keyClick(InputLine(frm.get()), Qt::Key_Up);
    OutputPane(frm.get())->clear();
    QTest::keyClick(InputLine(frm.get()), Qt::Key_Return);
    EXPECT_EQ(Output(), "42\n");
    EXPECT_EQ(frm->GetInputHistory(), QStringList({"? 6*7", "? 1", "? 6*7"}));
    QTest::keyClick(InputLine(frm.get()), Qt::Key_Up);
    EXPECT_EQ(InputLine(frm.get())->text(), "? 6*7");
    QTest::keyClick(InputLine(frm.get()), Qt::Key_Up);
    EXPECT_EQ(InputLine(frm.get())->text(), "? 1");
}

TEST_F(WindowTest, HistoryOutlivesAResetButNotTheWindow) {
    Enter(frm.get(), "? 5");
    MenuItem(frm.get(), "mnuReset")->trigger();
    EXPECT_EQ(InputLine(frm.get())->text(), "");
    QTest::keyClick(InputLine(frm.get()), Qt::Key_Up);
    EXPECT_EQ(InputLine(frm.get())->text(), "? 5");
    frm.reset();
    frm = std::make_unique<TfrmCalc>();
    EXPECT_TRUE(frm->GetInputHistory().isEmpty());
    QTest::keyClick(InputLine(frm.get()), Qt::Key_Up);
    EXPECT_EQ(InputLine(frm.get())->text(), "");
}

TEST_F(WindowTest, LinesRunByButtonsAndFilesAreNotEntered) {
    frm->RunFile(QStringLiteral("missing.bas"));
    frm->GetWindowInterface()->ExecuteLine("? 1");
    EXPECT_TRUE(frm->GetInputHistory().isEmpty());
}

TEST_F(WindowTest, FilesOfTheCommandLineRunAfterTheStartupFileOnceShown) {
    std::ofstream("autoexec.bas") << "PRINT \"start-up\"\n";
    std::ofstream("one.bas") << "CONST ONE = 1\n";
    std::ofstream("two.bas") << "PRINT ONE + 1\n";
    MenuItem(frm.get(), "mnuReset")->trigger();
    frm->RunFilesWhenShown({QStringLiteral("one.bas"), QStringLiteral("two.bas")});
    // Not before the event loop runs.
    EXPECT_EQ(Output(), "start-up\n");
    frm->show();
    QTest::qWait(50);
    EXPECT_EQ(Output(), "start-up\n2\n");
    EXPECT_TRUE(frm->GetInputHistory().isEmpty());
}

// --- Interruption -----------------------------------------------------------------------

TEST_F(WindowTest, EscapeEndsAnEndlessLoopAndTheWindowStaysUsable) {
    Enter(frm.get(), "STATIC J");
    OutputPane(frm.get())->clear();
    // The limit grows with the counter: this loop never ends by itself.
    InputLine(frm.get())->setText("FOR J=1 TO J+1 DO J=J");
    bool bEscapeSent = false;
    bool bWatchdog = false;
    QTimer escape;
    escape.setSingleShot(true);
    QObject::connect(&escape, &QTimer::timeout, [&] {
        bEscapeSent = true;
        QCoreApplication::postEvent(
            InputLine(frm.get()), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    });
    escape.start(200);
    // Should Escape be lost, closing the window stops the line as well.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        bWatchdog = true;
        frm->close();
    });
    watchdog.start(30000);
    MenuItem(frm.get(), "mnuExecute")->trigger();
    EXPECT_TRUE(bEscapeSent);
    EXPECT_FALSE(bWatchdog);
    EXPECT_EQ(Output(), "Execution interrupted by user.\n");
    EXPECT_EQ(InputLine(frm.get())->text(), "FOR J=1 TO J+1 DO J=J");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // The loop ran for a while before it was stopped.
    OutputPane(frm.get())->clear();
    Enter(frm.get(), "? J > 1000");
    EXPECT_EQ(Output(), "1\n");
    OutputPane(frm.get())->clear();
    Enter(frm.get(), "? 1+1");
    EXPECT_EQ(Output(), "2\n");
}

TEST_F(WindowTest, OutputOfARunningLineShowsBeforeTheLineEnds) {
    Enter(frm.get(), "STATIC J");
    OutputPane(frm.get())->clear();
    InputLine(frm.get())->setText("FOR J=1 TO J+1 DO PRINT J");
    QString seenWhileRunning;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        seenWhileRunning = Output();
        QCoreApplication::postEvent(
            InputLine(frm.get()), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    });
    timer.start(300);
    MenuItem(frm.get(), "mnuExecute")->trigger();
    EXPECT_TRUE(seenWhileRunning.startsWith(QStringLiteral("1\n2\n3\n")));
    const QString output = Output();
    // What was seen stays, unless the loop outran the pane's 100,000 lines
    // and the oldest went from the top.
    if (OutputPane(frm.get())->blockCount() <= 100000) {
        EXPECT_TRUE(output.startsWith(seenWhileRunning));
    }
    EXPECT_TRUE(output.endsWith(QStringLiteral("\nExecution interrupted by user.\n")));
}

// --- Help --------------------------------------------------------------------------------

QString HelpPageText(const QTextBrowser* pBrowser) {
    QUrl url = pBrowser->source();
    url.setFragment(QString());
    QFile file(url.isLocalFile() ? url.toLocalFile() : QStringLiteral(":") + url.path());
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

TEST_F(WindowTest, ShowHelpOpensTheReferenceAtItsContents) {
    EXPECT_EQ(HelpBrowser(frm.get()), nullptr);
    MenuItem(frm.get(), "mnuShowHelp")->trigger();
    QTextBrowser* pBrowser = HelpBrowser(frm.get());
    ASSERT_NE(pBrowser, nullptr);
    EXPECT_TRUE(pBrowser->window()->isVisible());
    EXPECT_EQ(pBrowser->source().fragment(), "");
    EXPECT_EQ(pBrowser->documentTitle(), "Ostrel 1.0 Help");
    // Not modal: the calculator goes on taking lines.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    OutputPane(frm.get())->clear();
    Enter(frm.get(), "? 2");
    EXPECT_EQ(Output(), "2\n");
}

TEST_F(WindowTest, HelpCoversTheLanguageAndTheWindow) {
    MenuItem(frm.get(), "mnuShowHelp")->trigger();
    const QString page = HelpPageText(HelpBrowser(frm.get()));
    ASSERT_FALSE(page.isEmpty());
    for (const char* pchSection :
         {"input-line", "output-pane", "function-buttons", "statements", "expressions", "functions",
          "constants", "numerical", "plotting", "program-files", "keys", "examples"}) {
        EXPECT_TRUE(page.contains(QStringLiteral("name=\"%1\"").arg(pchSection))) << pchSection;
    }
    for (const char* pchWord : {"FINDZEROS", "FINDEXTREMA", "INTEGRATE", "PLOTXY", "PLOTTXY",
                                "SETYRANGE", "SETFUNCTIONBUTTON", "RUNFILE", "LOG10",
                                "NF_SCIENTIFIC", "CLOCKS_PER_SEC", "XOR", "END FUNCTION"}) {
        EXPECT_TRUE(page.contains(QLatin1String(pchWord))) << pchWord;
    }
}

TEST_F(WindowTest, F1OpensTheSectionOfEachControlsHelpContext) {
    struct SCase {
        QWidget* pControl;
        const char* pchSection;
    };
    const SCase cases[] = {{InputLine(frm.get()), "input-line"},
                           {OutputPane(frm.get()), "output-pane"},
                           {GraphPane(frm.get()), "graph-pane"},
                           {FunctionButton(frm.get(), 1), "function-buttons"},
                           {FunctionButton(frm.get(), 3), "function-buttons"},
                           {FunctionButton(frm.get(), 4), ""}};
    for (const SCase& c : cases) {
        QTest::keyClick(c.pControl, Qt::Key_F1);
        QTextBrowser* pBrowser = HelpBrowser(frm.get());
        ASSERT_NE(pBrowser, nullptr);
        EXPECT_TRUE(pBrowser->window()->isVisible());
        EXPECT_EQ(pBrowser->source().fragment(), c.pchSection)
            << c.pControl->objectName().toStdString();
        if (*c.pchSection != '\0') {
            EXPECT_TRUE(
                HelpPageText(pBrowser).contains(QStringLiteral("name=\"%1\"").arg(c.pchSection)));
        }
        pBrowser->window()->hide();
    }
    // F1 opens help without touching the input line.
    EXPECT_EQ(InputLine(frm.get())->text(), "");
}

TEST_F(WindowTest, HelpSectionsOfTheHelpContexts) {
    EXPECT_EQ(THelpWindow::HelpSection(1), "input-line");
    EXPECT_EQ(THelpWindow::HelpSection(2), "output-pane");
    EXPECT_EQ(THelpWindow::HelpSection(5), "function-buttons");
    EXPECT_EQ(THelpWindow::HelpSection(0), "");
    EXPECT_EQ(THelpWindow::HelpSection(3), "graph-pane");
    EXPECT_EQ(THelpWindow::HelpSection(4), "");
}

} // namespace
