#include "windowtest.h"

#include "tgraphpaintbox.h"
#include "ui/cgraphpicture.h"
#include "ui/cwindowinterface.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

#include <cmath>
#include <memory>

namespace {

// SIN and COS on 0 to 6.5 in a window large enough to point at them.
class GraphAnswerWindowTest : public ShownWindowTest {
protected:
    void SetUp() override {
        ShownWindowTest::SetUp();
        frm->resize(1000, 500);
        QApplication::processEvents();
        Type("PLOTXY 0,6.5,SIN,COS");
        OutputPane(frm.get())->clear();
    }

    CWindowInterface* UI() const { return frm->GetWindowInterface(); }
    std::size_t MarkCount() const { return UI()->GetGraphPicture().GetScene()->GetMarks().size(); }
    // The pixel of SIN's curve at x.
    QPoint OnSin(double x) const { return {UI()->MapX(x), UI()->MapY(std::sin(x))}; }
    // Triggers the entry of the pane's context menu at the point.
    void ChooseFromMenu(QPoint point, const char* pchEntry) {
        const std::unique_ptr<QMenu> poMenu(frm->CreateGraphMenu(point));
        auto* pAction = poMenu->findChild<QAction*>(QLatin1String(pchEntry));
        ASSERT_NE(pAction, nullptr) << pchEntry;
        pAction->trigger();
    }
    // Fills the next dialog's line edits and presses OK.
    static void FillNextDialog(QTimer* pTimer, const QStringList& texts) {
        pTimer->setSingleShot(true);
        QObject::connect(pTimer, &QTimer::timeout, [texts] {
            auto* pDialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(pDialog, nullptr);
            const QList<QLineEdit*> edits = pDialog->findChildren<QLineEdit*>();
            ASSERT_EQ(edits.size(), texts.size());
            for (qsizetype i = 0; i < texts.size(); ++i) {
                edits[i]->setText(texts[i]);
            }
            pDialog->accept();
        });
        pTimer->start(0);
    }
};

TEST_F(GraphAnswerWindowTest, EachMenuEntryPrintsItsLineAndLeavesAMark) {
    const QPoint point = OnSin(3);
    ChooseFromMenu(point, "mnuZeroHere");
    ChooseFromMenu(point, "mnuMaximumHere");
    ChooseFromMenu(point, "mnuMinimumHere");
    ChooseFromMenu(point, "mnuIntersectionWith");
    QTimer value;
    FillNextDialog(&value, {QStringLiteral("1")});
    ChooseFromMenu(point, "mnuValueAt");
    QTimer area;
    FillNextDialog(&area, {QStringLiteral("0"), QStringLiteral("PI")});
    ChooseFromMenu(point, "mnuArea");
    const QStringList lines = Output().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 6) << Output().toStdString();
    EXPECT_EQ(lines[0], "Zero of SIN at X = 3.14159265358979324");
    EXPECT_TRUE(lines[1].startsWith("Maximum of SIN at X = 1.570796")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("Minimum of SIN at X = 4.712388")) << lines[2].toStdString();
    EXPECT_EQ(lines[3], "Intersection of SIN and COS at X = 3.92699081698724155 : Y = "
                        "-0.707106781186547524");
    EXPECT_EQ(lines[4], "Value of SIN at X = 1 : Y = 0.841470984807896507");
    EXPECT_EQ(lines[5], "Area under SIN from X = 0 to X = 3.14159265358979324 : 2");
    EXPECT_EQ(MarkCount(), 6U);
    // The marks survive a resize and go into the saved image.
    frm->resize(1200, 600);
    QApplication::processEvents();
    EXPECT_EQ(MarkCount(), 6U);
    QString errorText;
    const QString file = QDir::current().absoluteFilePath(QStringLiteral("marks.svg"));
    ASSERT_TRUE(frm->SaveGraph(file, &errorText)) << errorText.toStdString();
    QFile svg(file);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray document = svg.readAll();
    EXPECT_TRUE(document.contains(">3.1416</text>"));
    EXPECT_TRUE(document.contains(">Area = 2</text>"));
}

TEST_F(GraphAnswerWindowTest, KeysAskAboutTheTracedCurve) {
    TGraphPaintBox* pGraph = GraphPane(frm.get());
    QMouseEvent move(QEvent::MouseMove, OnSin(3), pGraph->mapToGlobal(OnSin(3)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(pGraph, &move);
    for (const Qt::Key key : {Qt::Key_Z, Qt::Key_M, Qt::Key_N, Qt::Key_I}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(pGraph, &press);
    }
    const QStringList lines = Output().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << Output().toStdString();
    EXPECT_EQ(lines[0], "Zero of SIN at X = 3.14159265358979324");
    EXPECT_TRUE(lines[1].startsWith("Maximum of SIN"));
    EXPECT_TRUE(lines[2].startsWith("Minimum of SIN"));
    EXPECT_TRUE(lines[3].startsWith("Intersection of SIN and COS at X = 3.92699"));
    EXPECT_EQ(MarkCount(), 4U);
}

TEST_F(GraphAnswerWindowTest, NothingNearHereSaysSoAndChangesNothing) {
    Type("PLOTXY 0,1,EXP");
    OutputPane(frm.get())->clear();
    const QImage before = GraphPane(frm.get())->GetImage();
    ChooseFromMenu(QPoint(GraphPane(frm.get())->width() / 2, 50), "mnuZeroHere");
    EXPECT_EQ(Output(), "");
    EXPECT_EQ(GraphPane(frm.get())->GetImage(), before);
    EXPECT_EQ(GraphPane(frm.get())->GetOverlay().note, "No zero of EXP in view.");
    EXPECT_EQ(MarkCount(), 0U);
}

// Only a PLOTXY picture is asked questions; every picture copies and saves.
TEST_F(GraphAnswerWindowTest, AParametricPictureOffersNoQuestions) {
    Type("PLOTTXY 0,6,COS,SIN");
    const std::unique_ptr<QMenu> poMenu(frm->CreateGraphMenu(QPoint(100, 100)));
    EXPECT_EQ(poMenu->findChild<QAction*>(QStringLiteral("mnuZeroHere")), nullptr);
    EXPECT_TRUE(poMenu->actions().contains(MenuItem(frm.get(), "mnuCopyGraph")));
}

} // namespace
