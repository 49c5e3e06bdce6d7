#include "windowtest.h"

#include "ui/cwindowinterface.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

namespace {

// What the X server shows of the graph pane.
QImage ShownGraph(const TfrmCalc& frm) {
    const TGraphPaintBox* pGraph = GraphPane(&frm);
    const QPoint corner = pGraph->mapToGlobal(QPoint(0, 0));
    return frm.screen()
        ->grabWindow(0, corner.x(), corner.y(), pGraph->width(), pGraph->height())
        .toImage();
}

constexpr QRgb BLUE = 0x0000FF;

// The real window on a real X server: it comes up, paints its graph pane
// with the frame, and runs a typed line.
TEST_F(WindowTest, StartsOnAnXServerShowsTheWindowAndRunsALine) {
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    frm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frm.get()));
    QTest::qWait(200);
    EXPECT_EQ(frm->windowTitle(), "Ostrel 1.0");

    // What the X server shows at the graph pane's corner is the frame.
    const QImage image = ShownGraph(*frm);
    ASSERT_EQ(image.size(), GraphPane(frm.get())->size());
    EXPECT_EQ(image.pixel(1, 1) & 0xFFFFFF, 0x000000U);
    EXPECT_EQ(image.pixel(image.width() / 2, image.height() / 2) & 0xFFFFFF, 0xFFFFFFU);
    EXPECT_EQ(image.pixel(image.width() - 1, image.height() - 1) & 0xFFFFFF, 0xFFFFFFU);

    frm->activateWindow();
    InputLine(frm.get())->setFocus();
    OutputPane(frm.get())->clear();
    QTest::keyClicks(InputLine(frm.get()), QStringLiteral("  "));
    QTest::keyClick(InputLine(frm.get()), Qt::Key_Return);
    EXPECT_EQ(OutputPane(frm.get())->toPlainText(), "Executed null statement.\n");
    EXPECT_EQ(InputLine(frm.get())->text(), "  ");
}

// A window manager's resize gives the pane a new image: the plot is drawn
// again at the new size rather than lost.
TEST_F(WindowTest, PlotSurvivesAWindowResizeOnAnXServer) {
    frm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frm.get()));
    InputLine(frm.get())->setText(QStringLiteral("PLOTXY -5,5,SIN"));
    MenuItem(frm.get(), "mnuExecute")->trigger();
    QTest::qWait(100);
    const int nBefore = CountColor(ShownGraph(*frm), BLUE);
    ASSERT_GT(nBefore, 100);
    const QSize before = GraphPane(frm.get())->size();
    frm->resize(1000, 500);
    QTRY_VERIFY(GraphPane(frm.get())->size() != before);
    QTest::qWait(200);
    EXPECT_GT(CountColor(ShownGraph(*frm), BLUE), nBefore);
}

// Exploring on a real X server: a drag and a wheel notch move the view in x
// and y, the screen shows the new picture, and the output pane stays as it
// was.
TEST_F(WindowTest, ExploringOnAnXServerChangesTheViewAndPrintsNothing) {
    frm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frm.get()));
    InputLine(frm.get())->setText(QStringLiteral("PLOTXY -5,5,SIN"));
    MenuItem(frm.get(), "mnuExecute")->trigger();
    QTest::qWait(100);
    const QString output = OutputPane(frm.get())->toPlainText();
    const QImage before = ShownGraph(*frm);
    SPlotView home{};
    ASSERT_TRUE(frm->GetWindowInterface()->GetGraphView(&home));
    TGraphPaintBox* pGraph = GraphPane(frm.get());
    const QPoint middle = pGraph->rect().center();
    QTest::mousePress(pGraph, Qt::LeftButton, Qt::NoModifier, middle);
    QTest::mouseMove(pGraph, middle + QPoint(30, 20));
    QTest::mouseRelease(pGraph, Qt::LeftButton, Qt::NoModifier, middle + QPoint(30, 20));
    QWheelEvent wheel(middle, pGraph->mapToGlobal(middle), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pGraph, &wheel);
    QTest::qWait(200);
    SPlotView view{};
    ASSERT_TRUE(frm->GetWindowInterface()->GetGraphView(&view));
    // Dragged right and down: the view's middle moved left and up; the
    // notch about the middle narrowed both ranges.
    EXPECT_LT(view.x.lo + view.x.hi, home.x.lo + home.x.hi);
    EXPECT_GT(view.y.lo + view.y.hi, home.y.lo + home.y.hi);
    EXPECT_LT(view.x.hi - view.x.lo, home.x.hi - home.x.lo);
    EXPECT_LT(view.y.hi - view.y.lo, home.y.hi - home.y.lo);
    EXPECT_NE(ShownGraph(*frm), before);
    EXPECT_EQ(OutputPane(frm.get())->toPlainText(), output);
}

// Waits up to two seconds for the condition; QTest's own waiting macros
// would end the test without telling GoogleTest.
template <class F> bool WaitFor(F&& condition) {
    for (int i = 0; i < 100 && !condition(); ++i) {
        QTest::qWait(20);
    }
    return condition();
}

// On a real X server the keys come back to the input line after a dialog,
// its text selected, and a character typed on the clicked graph pane goes
// on to it.
TEST_F(WindowTest, OnAnXServerTheKeysComeBackToTheInputLine) {
    frm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frm.get()));
    frm->activateWindow();
    ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == frm.get(); }));
    QLineEdit* pInput = InputLine(frm.get());
    pInput->setText(QStringLiteral("PLOTXY -10,10,SIN"));
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [] {
        if (auto* pDialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            pDialog->reject();
        }
    });
    timer.start(100);
    MenuItem(frm.get(), "mnuAbout")->trigger();
    EXPECT_TRUE(WaitFor([&] { return QApplication::focusWidget() == pInput; }));
    EXPECT_EQ(pInput->selectedText(), "PLOTXY -10,10,SIN");
    TGraphPaintBox* pGraph = GraphPane(frm.get());
    QTest::mouseClick(pGraph, Qt::LeftButton, Qt::NoModifier, QPoint(40, 40));
    EXPECT_TRUE(WaitFor([&] { return QApplication::focusWidget() == pGraph; }));
    QTest::keyClick(pGraph, '?');
    EXPECT_TRUE(WaitFor([&] { return QApplication::focusWidget() == pInput; }));
    EXPECT_EQ(pInput->text(), "?");
}

// The help opens beside the calculator without taking the keys from the
// input line, which a real X server shows where the offscreen one cannot.
TEST_F(WindowTest, HelpOnAnXServerLeavesTheKeysWithTheInputLine) {
    frm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frm.get()));
    frm->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), frm.get());
    InputLine(frm.get())->setFocus();
    QTest::keyClick(InputLine(frm.get()), Qt::Key_F1);
    ASSERT_NE(HelpWindow(frm.get()), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(HelpWindow(frm.get())));
    QTest::qWait(200);
    EXPECT_EQ(QApplication::activeWindow(), frm.get());
    EXPECT_EQ(QApplication::focusWidget(), InputLine(frm.get()));
    EXPECT_FALSE(HelpWindow(frm.get())->frameGeometry().intersects(frm->frameGeometry()));
}

} // namespace
