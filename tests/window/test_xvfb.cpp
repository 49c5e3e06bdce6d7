#include "windowtest.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>

namespace {

// What the X server shows of the graph pane.
QImage ShownGraph(const TfrmCalc& frm) {
    const QPoint corner = frm.pbGraph->mapToGlobal(QPoint(0, 0));
    return frm.screen()
        ->grabWindow(0, corner.x(), corner.y(), frm.pbGraph->width(), frm.pbGraph->height())
        .toImage();
}

int CountBlue(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += (image.pixel(x, y) & 0xFFFFFF) == 0x0000FFU ? 1 : 0;
        }
    }
    return n;
}

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
    ASSERT_EQ(image.size(), frm->pbGraph->size());
    EXPECT_EQ(image.pixel(1, 1) & 0xFFFFFF, 0x000000U);
    EXPECT_EQ(image.pixel(image.width() / 2, image.height() / 2) & 0xFFFFFF, 0xFFFFFFU);
    EXPECT_EQ(image.pixel(image.width() - 1, image.height() - 1) & 0xFFFFFF, 0xFFFFFFU);

    frm->activateWindow();
    frm->editInput->setFocus();
    frm->memoOutput->clear();
    QTest::keyClicks(frm->editInput, QStringLiteral("  "));
    QTest::keyClick(frm->editInput, Qt::Key_Return);
    EXPECT_EQ(frm->memoOutput->toPlainText(), "Executed null statement.\n");
    EXPECT_EQ(frm->editInput->text(), "  ");
}

// A window manager's resize gives the pane a new image: the plot is drawn
// again at the new size rather than lost.
TEST_F(WindowTest, PlotSurvivesAWindowResizeOnAnXServer) {
    frm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frm.get()));
    frm->editInput->setText(QStringLiteral("PLOTXY -5,5,SIN"));
    frm->mnuExecute->trigger();
    QTest::qWait(100);
    const int nBefore = CountBlue(ShownGraph(*frm));
    ASSERT_GT(nBefore, 100);
    const QSize before = frm->pbGraph->size();
    frm->resize(1000, 500);
    QTRY_VERIFY(frm->pbGraph->size() != before);
    QTest::qWait(200);
    EXPECT_GT(CountBlue(ShownGraph(*frm)), nBefore);
}

// The help opens beside the calculator without taking the keys from the
// input line, which a real X server shows where the offscreen one cannot.
TEST_F(WindowTest, HelpOnAnXServerLeavesTheKeysWithTheInputLine) {
    frm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frm.get()));
    frm->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), frm.get());
    frm->editInput->setFocus();
    QTest::keyClick(frm->editInput, Qt::Key_F1);
    ASSERT_NE(frm->GetHelpWindow(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frm->GetHelpWindow()));
    QTest::qWait(200);
    EXPECT_EQ(QApplication::activeWindow(), frm.get());
    EXPECT_EQ(QApplication::focusWidget(), frm->editInput);
    EXPECT_FALSE(frm->GetHelpWindow()->frameGeometry().intersects(frm->frameGeometry()));
}

} // namespace
