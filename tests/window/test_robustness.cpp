#include "windowtest.h"

#include "tnameiconprovider.h"
#include "trunfiledialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

// Ends the process if the test has not finished in time: a dialog that
// blocks the window's thread would otherwise hang the run for good.
class CWatchdog {
public:
    explicit CWatchdog(std::chrono::seconds limit)
        : _thread([this, limit] {
              const auto end = std::chrono::steady_clock::now() + limit;
              while (!_bDone && std::chrono::steady_clock::now() < end) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(50));
              }
              if (!_bDone) {
                  std::fputs("watchdog: the window's thread is blocked\n", stderr);
                  std::_Exit(1);
              }
          }) {}
    ~CWatchdog() {
        _bDone = true;
        _thread.join();
    }
    CWatchdog(const CWatchdog&) = delete;
    CWatchdog& operator=(const CWatchdog&) = delete;

private:
    std::atomic<bool> _bDone{false};
    std::thread _thread;
};

// The file dialogs list /proc without reading a file's contents: as root,
// /proc/kmsg would never answer.
TEST_F(WindowTest, FileDialogsListProcWithoutReadingAnyFile) {
    const CWatchdog watchdog(std::chrono::seconds(60));
    TRunFileDialog dlgOpen(frm.get());
    ASSERT_NE(dlgOpen.iconProvider(), nullptr);
    EXPECT_EQ(dlgOpen.iconProvider()->type(QFileInfo(QStringLiteral("/proc/kmsg"))), "File");
    EXPECT_EQ(dlgOpen.iconProvider()->type(QFileInfo(QStringLiteral("/proc"))), "Folder");
    dlgOpen.setDirectory(QStringLiteral("/proc"));
    dlgOpen.show();
    QTest::qWait(500);
    dlgOpen.reject();
    // The save dialog, as the menu opens it.
    bool bChecked = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* pDialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(pDialog, nullptr);
        bChecked = dynamic_cast<const TNameIconProvider*>(pDialog->iconProvider()) != nullptr;
        pDialog->setDirectory(QStringLiteral("/proc"));
        QTest::qWait(500);
        pDialog->reject();
    });
    frm->show();
    InputLine(frm.get())->setText(QStringLiteral("PLOTXY 0,1,SIN"));
    MenuItem(frm.get(), "mnuExecute")->trigger();
    timer.start(0);
    MenuItem(frm.get(), "mnuSaveGraph")->trigger();
    EXPECT_TRUE(bChecked);
}

// A printing loop runs in bounded memory: the pane keeps its last 100,000
// lines, and CLS lets all of them go.
TEST_F(WindowTest, TheOutputPaneKeepsItsLastLines) {
    frm->show();
    for (const char* pchLine : {"DIM I", "FOR I = 1 TO 100100 DO PRINT I"}) {
        InputLine(frm.get())->setText(QString::fromLatin1(pchLine));
        MenuItem(frm.get(), "mnuExecute")->trigger();
    }
    QPlainTextEdit* pOutput = OutputPane(frm.get());
    // 100,000 lines and the empty block after the last line break.
    EXPECT_EQ(pOutput->blockCount(), 100001);
    const QString text = pOutput->toPlainText();
    EXPECT_TRUE(text.endsWith(QStringLiteral("\n100100\n")));
    // The oldest lines went from the top: the pane starts with a later one.
    EXPECT_EQ(text.left(text.indexOf(QLatin1Char('\n'))).toInt(), 101);
    InputLine(frm.get())->setText(QStringLiteral("CLS"));
    MenuItem(frm.get(), "mnuExecute")->trigger();
    EXPECT_EQ(pOutput->blockCount(), 1);
}

// The output pane shows its end after a resize and a change of frame, unless
// the user has scrolled up to read; the next output shows the end again.
TEST_F(WindowTest, TheOutputPaneShowsItsEndAfterAResizeUnlessScrolledUp) {
    frm->show();
    frm->resize(745, 400);
    QApplication::processEvents();
    for (const char* pchLine : {"DIM I", "FOR I = 1 TO 200 DO PRINT I"}) {
        InputLine(frm.get())->setText(QString::fromLatin1(pchLine));
        MenuItem(frm.get(), "mnuExecute")->trigger();
    }
    const QScrollBar* pBar = OutputPane(frm.get())->verticalScrollBar();
    const auto atEnd = [pBar] { return pBar->value() == pBar->maximum(); };
    ASSERT_GT(pBar->maximum(), 0);
    EXPECT_TRUE(atEnd());
    const int nTallMaximum = pBar->maximum();
    frm->resize(745, 241);
    QApplication::processEvents();
    EXPECT_GT(pBar->maximum(), nTallMaximum);
    EXPECT_TRUE(atEnd());
    MenuItem(frm.get(), "mnuGFLarge")->trigger();
    MenuItem(frm.get(), "mnuShowToolbar")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(atEnd());
    OutputPane(frm.get())->verticalScrollBar()->setValue(10);
    frm->resize(745, 300);
    QApplication::processEvents();
    EXPECT_EQ(pBar->value(), 10);
    InputLine(frm.get())->setText(QStringLiteral("? 1"));
    MenuItem(frm.get(), "mnuExecute")->trigger();
    EXPECT_TRUE(atEnd());
}

// A blank button says how to bind it; a bound one needs no hint.
TEST_F(WindowTest, UnboundButtonsSayHowToBindThem) {
    auto* pButton = frm->findChild<QPushButton*>(QStringLiteral("cmdF2"));
    ASSERT_NE(pButton, nullptr);
    EXPECT_TRUE(pButton->toolTip().contains(QStringLiteral("SETFUNCTIONBUTTON 2")))
        << pButton->toolTip().toStdString();
    InputLine(frm.get())->setText(QStringLiteral("SETFUNCTIONBUTTON 2, \"? 1\", \"One\", 1"));
    MenuItem(frm.get(), "mnuExecute")->trigger();
    EXPECT_EQ(pButton->toolTip(), "");
    InputLine(frm.get())->setText(QStringLiteral("CLEARFUNCTIONBUTTON 2"));
    MenuItem(frm.get(), "mnuExecute")->trigger();
    EXPECT_FALSE(pButton->toolTip().isEmpty());
}

} // namespace
