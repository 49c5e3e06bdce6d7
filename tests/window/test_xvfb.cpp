#include "windowtest.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>

namespace {

// The real window on a real X server: it comes up, paints its graph pane
// with the frame, and runs a typed line.
TEST_F(WindowTest, StartsOnAnXServerShowsTheWindowAndRunsALine) {
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    frm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frm.get()));
    QTest::qWait(200);
    EXPECT_EQ(frm->windowTitle(), "Ostrel 1.0");

    // What the X server shows at the graph pane's corner is the frame.
    const QPoint corner = frm->pbGraph->mapToGlobal(QPoint(0, 0));
    const QPixmap shot = frm->screen()->grabWindow(0, corner.x(), corner.y(), frm->pbGraph->width(),
                                                   frm->pbGraph->height());
    const QImage image = shot.toImage();
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

} // namespace
