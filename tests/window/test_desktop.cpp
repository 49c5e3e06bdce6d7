#include "windowtest.h"

#include "thelpwindow.h"
#include "trunfiledialog.h"
#include "uFrmAbout.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

// --- Menus from the keyboard ---------------------------------------------------------

TEST_F(WindowTest, MenusHaveMnemonicsForAltAndTheirInitials) {
    EXPECT_EQ(Menu(frm.get(), "mnuFile")->title(), "&File");
    EXPECT_EQ(Menu(frm.get(), "mnuSettings")->title(), "&Settings");
    EXPECT_EQ(Menu(frm.get(), "mnuHelp")->title(), "&Help");
    EXPECT_EQ(QKeySequence::mnemonic(Menu(frm.get(), "mnuSettings")->title()),
              QKeySequence(Qt::ALT | Qt::Key_S));
}

class MenuKeysTest : public ShownWindowTest {
protected:
    void SetUp() override {
        ShownWindowTest::SetUp();
        QApplication::setActiveWindow(frm.get());
        InputLine(frm.get())->setFocus();
    }
    void TearDown() override {
        for (QMenu* pMenu : {Menu(frm.get(), "mnuFile"), Menu(frm.get(), "mnuSettings"),
                             Menu(frm.get(), "mnuHelp")}) {
            pMenu->hide();
        }
        ShownWindowTest::TearDown();
    }
};

TEST_F(MenuKeysTest, AltWithAnInitialOpensItsMenu) {
    QTest::keyClick(InputLine(frm.get()), Qt::Key_H, Qt::AltModifier);
    EXPECT_TRUE(Menu(frm.get(), "mnuHelp")->isVisible());
    EXPECT_FALSE(Menu(frm.get(), "mnuFile")->isVisible());
}

TEST_F(MenuKeysTest, F10OpensTheFirstMenu) {
    EXPECT_EQ(frm->menuBar()->activeAction(), nullptr);
    QTest::keyClick(InputLine(frm.get()), Qt::Key_F10);
    EXPECT_EQ(frm->menuBar()->activeAction(), Menu(frm.get(), "mnuFile")->menuAction());
    EXPECT_TRUE(Menu(frm.get(), "mnuFile")->isVisible());
}

// --- Help window -------------------------------------------------------------------------

constexpr QRect WIDE_SCREEN(0, 0, 1920, 1080);
constexpr QSize HELP(640, 480);

TEST(HelpWindowPosition, BesideTheMainWindowRightBeforeLeftAndOnTheScreen) {
    EXPECT_EQ(THelpWindow::HelpWindowPosition(QRect(100, 200, 745, 241), HELP, WIDE_SCREEN),
              QPoint(845, 200));
    EXPECT_EQ(THelpWindow::HelpWindowPosition(QRect(1000, 200, 745, 241), HELP, WIDE_SCREEN),
              QPoint(360, 200));
    EXPECT_EQ(THelpWindow::HelpWindowPosition(QRect(100, 900, 745, 160), HELP, WIDE_SCREEN),
              QPoint(845, 600));
}

TEST(HelpWindowPosition, WithoutRoomBesideItCoversAsLittleAsItCan) {
    // The main window fills the top of a small screen: the help goes to the
    // bottom right corner, over the fewest of its rows and columns.
    const QRect screen(0, 0, 1024, 768);
    EXPECT_EQ(THelpWindow::HelpWindowPosition(QRect(0, 0, 1000, 300), HELP, screen),
              QPoint(384, 288));
    // Against the left edge it covers less of a window on the right.
    EXPECT_EQ(THelpWindow::HelpWindowPosition(QRect(300, 0, 724, 300), HELP, screen),
              QPoint(0, 288));
}

class HelpWindowTest : public ShownWindowTest {
protected:
    void SetUp() override {
        ShownWindowTest::SetUp();
        QApplication::setActiveWindow(frm.get());
        InputLine(frm.get())->setFocus();
        _screen = frm->screen()->availableGeometry();
    }
    QRect _screen;
};

TEST_F(HelpWindowTest, OpensBesideTheMainWindowWithoutTakingTheInputLinesFocus) {
    frm->setGeometry(_screen.left(), _screen.top() + 40, 150, 120);
    QApplication::processEvents();
    QTest::keyClick(InputLine(frm.get()), Qt::Key_F1);
    QApplication::processEvents();
    const QDialog* pHelp = HelpWindow(frm.get());
    ASSERT_NE(pHelp, nullptr);
    EXPECT_TRUE(pHelp->isVisible());
    EXPECT_TRUE(pHelp->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(pHelp->frameGeometry().left(), frm->frameGeometry().right() + 1);
    EXPECT_EQ(pHelp->frameGeometry().top(), frm->frameGeometry().top());
    // This platform activates every window it shows; the X server test
    // sees the main window stay active.
    EXPECT_EQ(frm->focusWidget(), InputLine(frm.get()));
}

TEST_F(HelpWindowTest, OpensLeftOfAMainWindowAtTheRightEdge) {
    frm->setGeometry(_screen.right() + 1 - 150, _screen.top() + 40, 150, 120);
    QApplication::processEvents();
    frm->ShowHelp(0);
    EXPECT_EQ(HelpWindow(frm.get())->frameGeometry().right() + 1, frm->frameGeometry().left());
    EXPECT_FALSE(HelpWindow(frm.get())->frameGeometry().intersects(frm->frameGeometry()));
}

// --- Run file ------------------------------------------------------------------------------

class RunFileTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        for (const char* pchName : {"prog.BAS", "other.bas", "both.bas", "both.BAS"}) {
            QFile file(Path(QString::fromLatin1(pchName)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("PRINT \"" + QByteArray(pchName) + "\"\n");
        }
    }
    static QString Path(const QString& name) { return QDir::current().absoluteFilePath(name); }
};

TEST_F(RunFileTest, OnlyANameWithoutSuffixFindsEitherCaseOfIt) {
    EXPECT_EQ(TRunFileDialog::ProgramFileName(Path("prog")), Path("prog.BAS"));
    EXPECT_EQ(TRunFileDialog::ProgramFileName(Path("other")), Path("other.bas"));
    // Where both are there, the lower case one.
    EXPECT_EQ(TRunFileDialog::ProgramFileName(Path("both")), Path("both.bas"));
    // Other names stay as they are.
    EXPECT_EQ(TRunFileDialog::ProgramFileName(Path("prog.BAS")), Path("prog.BAS"));
    EXPECT_EQ(TRunFileDialog::ProgramFileName(Path("prog.bas")), Path("prog.bas"));
    EXPECT_EQ(TRunFileDialog::ProgramFileName(Path("missing")), Path("missing"));
    EXPECT_EQ(TRunFileDialog::ProgramFileName(QDir::currentPath()), QDir::currentPath());
}

TEST_F(RunFileTest, TheDialogRunsTheFileOfANameTypedWithoutSuffix) {
    OutputPane(frm.get())->clear();
    QTimer timer;
    ChooseFileWhenAsked(&timer, QStringLiteral("prog"));
    MenuItem(frm.get(), "mnuRunFile")->trigger();
    EXPECT_EQ(Output(), "prog.BAS\n");
}

// --- About box -----------------------------------------------------------------------------

TEST_F(WindowTest, AboutBoxNamesThePlatformItRunsOn) {
    TfrmAbout frmAbout(frm.get());
    const auto* pLabel = frmAbout.findChild<QLabel*>(QStringLiteral("lblProduct"));
    ASSERT_NE(pLabel, nullptr);
#ifdef Q_OS_LINUX
    EXPECT_EQ(pLabel->text(), "Ostrel 1.0 for Linux");
#endif
    EXPECT_FALSE(TfrmAbout::PlatformName().isEmpty());
    EXPECT_GE(frmAbout.width(), pLabel->geometry().right());
}

} // namespace
