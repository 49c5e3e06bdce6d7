#include "windowtest.h"

#include "statements/cplotscene.h"
#include "tgraphpaintbox.h"
#include "ui/cgraphcanvas.h"
#include "ui/cgraphpicture.h"
#include "ui/cwindowinterface.h"
#include "ui/plotscene.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTimer>
#include <QWheelEvent>
#include <QXmlStreamReader>

#include <fstream>

namespace {

void SendMouse(QWidget* pWidget, QEvent::Type type, QPoint point, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, point, pWidget->mapToGlobal(point), button, buttons, modifiers);
    QApplication::sendEvent(pWidget, &event);
}

void Drag(QWidget* pWidget, QPoint from, QPoint to,
          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    SendMouse(pWidget, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, modifiers);
    SendMouse(pWidget, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, modifiers);
    SendMouse(pWidget, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, modifiers);
}

void DoubleClick(QWidget* pWidget, QPoint point) {
    SendMouse(pWidget, QEvent::MouseButtonPress, point, Qt::LeftButton, Qt::LeftButton);
    SendMouse(pWidget, QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton);
    SendMouse(pWidget, QEvent::MouseButtonDblClick, point, Qt::LeftButton, Qt::LeftButton);
    SendMouse(pWidget, QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton);
}

void MovePointer(QWidget* pWidget, QPoint point) {
    SendMouse(pWidget, QEvent::MouseMove, point, Qt::NoButton, Qt::NoButton);
}

void Wheel(QWidget* pWidget, QPoint point, int nDelta,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWheelEvent event(point, pWidget->mapToGlobal(point), QPoint(), QPoint(0, nDelta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pWidget, &event);
}

void Key(QWidget* pWidget, Qt::Key key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(pWidget, &event);
}

constexpr QRgb BLUE = 0x0000FF;
constexpr QRgb WHITE = 0xFFFFFF;

// --- The pane on its own: gestures and overlay ------------------------------------

class GraphPaintBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        box.SetOnNavigable([this] { return bNavigable; });
        box.resize(300, 200);
        box.show();
        QApplication::processEvents();
    }

    TGraphPaintBox box{nullptr};
    bool bNavigable = true;
};

TEST_F(GraphPaintBoxTest, WheelNotchesZoomAroundThePointerShiftOnlyYCtrlOnlyX) {
    QSignalSpy zoom(&box, &TGraphPaintBox::ZoomRequested);
    Wheel(&box, QPoint(100, 50), 120);
    Wheel(&box, QPoint(100, 50), -120);
    // Half notches of a fine wheel add up to one.
    Wheel(&box, QPoint(40, 60), 60);
    ASSERT_EQ(zoom.count(), 2);
    Wheel(&box, QPoint(40, 60), 60);
    Wheel(&box, QPoint(40, 60), 120, Qt::ShiftModifier);
    Wheel(&box, QPoint(40, 60), -120, Qt::ControlModifier);
    ASSERT_EQ(zoom.count(), 5);
    const auto factors = [&](int i) {
        return std::make_pair(zoom[i][1].toDouble(), zoom[i][2].toDouble());
    };
    EXPECT_EQ(zoom[0][0].toPoint(), QPoint(100, 50));
    EXPECT_EQ(factors(0), std::make_pair(0.8, 0.8));
    EXPECT_EQ(factors(1), std::make_pair(1.25, 1.25));
    EXPECT_EQ(zoom[2][0].toPoint(), QPoint(40, 60));
    EXPECT_EQ(factors(2), std::make_pair(0.8, 0.8));
    EXPECT_EQ(factors(3), std::make_pair(1.0, 0.8));
    EXPECT_EQ(factors(4), std::make_pair(1.25, 1.0));
}

TEST_F(GraphPaintBoxTest, DragShowsTheImageShiftedAndReportsTheOffsetOnce) {
    box.SetPen(CanvasColor(0, 0, 255), 1);
    box.MoveTo(100, 100);
    box.LineTo(101, 100);
    QSignalSpy pan(&box, &TGraphPaintBox::PanRequested);
    SendMouse(&box, QEvent::MouseButtonPress, QPoint(150, 100), Qt::LeftButton, Qt::LeftButton);
    SendMouse(&box, QEvent::MouseMove, QPoint(180, 110), Qt::NoButton, Qt::LeftButton);
    SendMouse(&box, QEvent::MouseMove, QPoint(170, 90), Qt::NoButton, Qt::LeftButton);
    // While dragging the pane shows the image moved; the image stays.
    const QImage shown = box.grab().toImage();
    EXPECT_EQ(shown.pixel(120, 90) & 0xFFFFFF, BLUE);
    EXPECT_EQ(shown.pixel(100, 100) & 0xFFFFFF, WHITE);
    EXPECT_EQ(box.GetImage().pixel(100, 100) & 0xFFFFFF, BLUE);
    EXPECT_EQ(pan.count(), 0);
    SendMouse(&box, QEvent::MouseButtonRelease, QPoint(170, 90), Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(pan.count(), 1);
    EXPECT_EQ(pan[0][0].toPoint(), QPoint(20, -10));
    EXPECT_EQ(box.grab().toImage().pixel(100, 100) & 0xFFFFFF, BLUE);
    // A click is no drag.
    Drag(&box, QPoint(50, 50), QPoint(50, 50));
    EXPECT_EQ(pan.count(), 1);
}

TEST_F(GraphPaintBoxTest, ShiftDragReportsTheRubberBandUnlessItIsASlipOfTheHand) {
    QSignalSpy zoomTo(&box, &TGraphPaintBox::ZoomToRequested);
    QSignalSpy pan(&box, &TGraphPaintBox::PanRequested);
    SendMouse(&box, QEvent::MouseButtonPress, QPoint(120, 80), Qt::LeftButton, Qt::LeftButton,
              Qt::ShiftModifier);
    SendMouse(&box, QEvent::MouseMove, QPoint(60, 150), Qt::NoButton, Qt::LeftButton,
              Qt::ShiftModifier);
    // The band is drawn over the picture, not into it.
    EXPECT_NE(box.grab().toImage().pixel(90, 120) & 0xFFFFFF, WHITE);
    EXPECT_EQ(box.GetImage().pixel(90, 120) & 0xFFFFFF, WHITE);
    SendMouse(&box, QEvent::MouseButtonRelease, QPoint(60, 150), Qt::LeftButton, Qt::NoButton,
              Qt::ShiftModifier);
    ASSERT_EQ(zoomTo.count(), 1);
    const QRect band = zoomTo[0][0].toRect();
    EXPECT_EQ(band.topLeft(), QPoint(60, 80));
    EXPECT_EQ(band.bottomRight(), QPoint(120, 150));
    // A narrow band zooms y only: it comes without width.
    Drag(&box, QPoint(100, 50), QPoint(102, 150), Qt::ShiftModifier);
    ASSERT_EQ(zoomTo.count(), 2);
    const QRect narrow = zoomTo[1][0].toRect();
    EXPECT_EQ(narrow.left(), narrow.right());
    EXPECT_EQ(narrow.top(), 50);
    EXPECT_EQ(narrow.bottom(), 150);
    Drag(&box, QPoint(100, 50), QPoint(102, 52), Qt::ShiftModifier);
    EXPECT_EQ(zoomTo.count(), 2);
    EXPECT_EQ(pan.count(), 0);
}

TEST_F(GraphPaintBoxTest, DoubleClickAndKeysAskForHomeAndTracing) {
    QSignalSpy home(&box, &TGraphPaintBox::HomeRequested);
    QSignalSpy trace(&box, &TGraphPaintBox::TraceRequested);
    DoubleClick(&box, QPoint(30, 30));
    EXPECT_EQ(home.count(), 1);
    Key(&box, Qt::Key_Home);
    EXPECT_EQ(home.count(), 2);
    for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
        Key(&box, key);
    }
    ASSERT_EQ(trace.count(), 4);
    const QPoint steps[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(QPoint(trace[i][0].toInt(), trace[i][1].toInt()), steps[i]) << i;
    }
    EXPECT_EQ(box.focusPolicy(), Qt::ClickFocus);
}

TEST_F(GraphPaintBoxTest, PictureThatCannotBeExploredTakesNoDragOrWheel) {
    bNavigable = false;
    QSignalSpy zoom(&box, &TGraphPaintBox::ZoomRequested);
    QSignalSpy zoomTo(&box, &TGraphPaintBox::ZoomToRequested);
    QSignalSpy pan(&box, &TGraphPaintBox::PanRequested);
    Wheel(&box, QPoint(100, 50), 120);
    Drag(&box, QPoint(100, 50), QPoint(150, 90));
    Drag(&box, QPoint(100, 50), QPoint(150, 90), Qt::ShiftModifier);
    EXPECT_EQ(zoom.count() + zoomTo.count() + pan.count(), 0);
}

TEST_F(GraphPaintBoxTest, OverlayStandsOverTheImageAndGoesWhenThePointerLeaves) {
    QSignalSpy moved(&box, &TGraphPaintBox::PointerMoved);
    MovePointer(&box, QPoint(150, 100));
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved[0][0].toPoint(), QPoint(150, 100));
    SGraphOverlay overlay;
    overlay.pointerText = QStringLiteral("x = 1  y = 2");
    overlay.bSample = true;
    overlay.sample = QPoint(150, 100);
    overlay.nSampleColor = CanvasColor(204, 0, 0);
    overlay.sampleText = QStringLiteral("F: x = 1  y = 2");
    overlay.boxTopLeft = QPoint(200, 5);
    box.SetOverlay(overlay);
    const QImage shown = box.grab().toImage();
    // The text box where it was placed, the marker's ring around the sample.
    EXPECT_EQ(shown.pixel(20, 20) & 0xFFFFFF, WHITE);
    int nInk = 0;
    for (int y = 5; y < 30; ++y) {
        for (int x = 200; x < 255; ++x) {
            nInk += (shown.pixel(x, y) & 0xFFFFFF) != WHITE ? 1 : 0;
        }
    }
    EXPECT_GT(nInk, 20);
    const QColor ring = shown.pixelColor(154, 100);
    EXPECT_GT(ring.red(), 150);
    EXPECT_LT(ring.green(), 100);
    EXPECT_EQ(CountColor(box.GetImage(), WHITE), 300 * 200);
    QPoint pointer;
    EXPECT_TRUE(box.GetPointer(&pointer));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&box, &leave);
    EXPECT_FALSE(box.HasOverlay());
    EXPECT_FALSE(box.GetPointer(&pointer));
    EXPECT_EQ(box.grab().toImage().pixel(154, 100) & 0xFFFFFF, WHITE);
}

TEST_F(GraphPaintBoxTest, LabelFontGrowsWithTheNewImage) {
    EXPECT_EQ(box.font().pixelSize(), 8);
    box.resize(1800, 900);
    EXPECT_EQ(box.font().pixelSize(), GraphLabelPixelSize(1800, 900));
    EXPECT_GT(box.font().pixelSize(), 8);
    box.resize(300, 200);
    EXPECT_EQ(box.font().pixelSize(), 8);
}

// --- The picture in the main window -------------------------------------------------

class GraphPictureTest : public ShownWindowTest {
protected:
    const QImage& Image() const { return GraphPane(frm.get())->GetImage(); }
    QPoint Centre() const { return GraphPane(frm.get())->rect().center(); }
    QString SavePath(const char* pchName) const {
        return QDir::current().absoluteFilePath(pchName);
    }
};

TEST_F(GraphPictureTest, PlotSurvivesResizesAndAChangeOfGraphicsFrame) {
    Type("PLOTXY 0,6.28,SIN");
    const QImage first = Image();
    ASSERT_GT(CountColor(first, BLUE), 100);
    frm->resize(1200, 700);
    EXPECT_EQ(Image().size(), GraphPane(frm.get())->size());
    EXPECT_NE(Image().size(), first.size());
    EXPECT_GT(CountColor(Image(), BLUE), CountColor(first, BLUE));
    MenuItem(frm.get(), "mnuGFLarge")->trigger();
    EXPECT_GT(CountColor(Image(), BLUE), 100);
    MenuItem(frm.get(), "mnuGFNone")->trigger();
    MenuItem(frm.get(), "mnuGFMedium")->trigger();
    EXPECT_GT(CountColor(Image(), BLUE), 100);
    MenuItem(frm.get(), "mnuShowToolbar")->trigger();
    MenuItem(frm.get(), "mnuShowToolbar")->trigger();
    frm->resize(745, 241);
    EXPECT_EQ(Image(), first);
}

TEST_F(GraphPictureTest, ResetLeavesTheFramedWhitePane) {
    Type("PLOTXY 0,6.28,SIN");
    ASSERT_GT(CountColor(Image(), BLUE), 100);
    MenuItem(frm.get(), "mnuReset")->trigger();
    EXPECT_EQ(CountColor(Image(), BLUE), 0);
    EXPECT_FALSE(frm->GetWindowInterface()->IsGraphNavigable());
}

TEST_F(GraphPictureTest, SeveralCurvesShowTheirOwnColours) {
    Type("PLOTXY -3,3,SIN,COS");
    EXPECT_GT(CountColor(Image(), Rgb(PlotCurveColor(0))), 50);
    EXPECT_EQ(Rgb(PlotCurveColor(0)), BLUE);
    EXPECT_GT(CountColor(Image(), Rgb(PlotCurveColor(1))), 50);
}

TEST_F(GraphPictureTest, PointerShowsWhereItIsAndTheNearestSample) {
    Type("PLOTXY -3,3,SIN");
    MovePointer(GraphPane(frm.get()), Centre());
    ASSERT_TRUE(GraphPane(frm.get())->HasOverlay());
    const SGraphOverlay first = GraphPane(frm.get())->GetOverlay();
    EXPECT_TRUE(first.pointerText.contains(QStringLiteral("x =")));
    ASSERT_TRUE(first.bSample);
    EXPECT_EQ(first.nSampleColor, PlotCurveColor(0));
    EXPECT_NEAR(first.sample.x(), Centre().x(), 2);
    // Right steps to the next sample, one pixel on; Up to a curve that is
    // not there changes nothing.
    Key(GraphPane(frm.get()), Qt::Key_Right);
    const SGraphOverlay next = GraphPane(frm.get())->GetOverlay();
    EXPECT_EQ(next.sample.x(), first.sample.x() + 1);
    EXPECT_NE(next.sampleText, first.sampleText);
    Key(GraphPane(frm.get()), Qt::Key_Up);
    EXPECT_EQ(GraphPane(frm.get())->GetOverlay().sampleText, next.sampleText);
    // Without a plot there is nothing to read.
    Type("CLS");
    Type("SETGRAPHICSFRAME 1");
    MovePointer(GraphPane(frm.get()), Centre());
    EXPECT_FALSE(GraphPane(frm.get())->HasOverlay());
}

TEST_F(GraphPictureTest, WheelDragAndBandExploreBothAxesWithoutAWordInTheOutput) {
    Type("PLOTXY -10,10,SIN");
    CWindowInterface* pUI = frm->GetWindowInterface();
    SPlotView home{};
    ASSERT_TRUE(pUI->GetGraphView(&home));
    OutputPane(frm.get())->clear();
    Wheel(GraphPane(frm.get()), Centre(), 120);
    SPlotView view{};
    ASSERT_TRUE(pUI->GetGraphView(&view));
    EXPECT_NEAR(static_cast<double>(view.x.hi - view.x.lo), 16.0, 0.1);
    EXPECT_NEAR(static_cast<double>((view.y.hi - view.y.lo) / (home.y.hi - home.y.lo)), 0.8, 0.01);
    // Dragged right and down, the picture shows what lay left of it and
    // above it, and stays where it was dropped.
    const SPlotView zoomed = view;
    Drag(GraphPane(frm.get()), Centre(), Centre() + QPoint(60, 40));
    ASSERT_TRUE(pUI->GetGraphView(&view));
    EXPECT_LT(view.x.lo, zoomed.x.lo - 1.0);
    EXPECT_GT(view.y.lo, zoomed.y.lo);
    EXPECT_NEAR(static_cast<double>(view.x.hi - view.x.lo), 16.0, 0.1);
    // The shift-drag's band becomes the view, y as well.
    const int W = GraphPane(frm.get())->width();
    const int H = GraphPane(frm.get())->height();
    const QPoint from(W / 4, H / 4);
    const QPoint to(W / 2, H / 2);
    const Extended yTop = view.y.hi - (view.y.hi - view.y.lo) * (from.y() - 2) / (H - 4);
    Drag(GraphPane(frm.get()), from, to, Qt::ShiftModifier);
    ASSERT_TRUE(pUI->GetGraphView(&view));
    EXPECT_NEAR(static_cast<double>(view.y.hi), static_cast<double>(yTop), 0.05);
    EXPECT_EQ(Output(), "");
    EXPECT_GT(CountColor(Image(), BLUE), 50);
    DoubleClick(GraphPane(frm.get()), Centre());
    ASSERT_TRUE(pUI->GetGraphView(&view));
    EXPECT_EQ(view.x.lo, home.x.lo);
    EXPECT_EQ(view.y.lo, home.y.lo);
    EXPECT_EQ(Output(), "");
}

TEST_F(GraphPictureTest, HomeBringsThePictureBackFromAViewWithNothingToDraw) {
    Type("PLOTXY 0.5,10,LOG");
    const QImage home = Image();
    // Dragged far right: the view lies left of 0, where LOG has no values.
    for (int i = 0; i < 3; ++i) {
        Drag(GraphPane(frm.get()), QPoint(10, 50), QPoint(GraphPane(frm.get())->width() - 10, 50));
    }
    EXPECT_EQ(CountColor(Image(), BLUE), 0);
    EXPECT_TRUE(frm->GetWindowInterface()->IsGraphNavigable());
    Key(GraphPane(frm.get()), Qt::Key_Home);
    EXPECT_EQ(Image(), home);
    EXPECT_EQ(Output().count(QStringLiteral("Plotted")), 1);
}

TEST_F(GraphPictureTest, AGrownPaneIsSampledAnew) {
    Type("PLOTXY -10,10,SIN");
    const std::size_t nSmall =
        frm->GetWindowInterface()->GetGraphPicture().GetScene()->GetCurves()[0].x.size();
    frm->resize(1600, 900);
    const std::size_t nLarge =
        frm->GetWindowInterface()->GetGraphPicture().GetScene()->GetCurves()[0].x.size();
    EXPECT_EQ(nLarge, static_cast<std::size_t>(GraphPane(frm.get())->width() - 5));
    EXPECT_GT(nLarge, 2 * nSmall);
    // One sample a pixel column: the curve is as dense as its pane.
    EXPECT_GT(CountColor(Image(), BLUE), GraphPane(frm.get())->width());
}

TEST_F(GraphPictureTest, EscapeStopsAZoomAndTheViewStays) {
    // Three curves of some 420 samples: the sampling asks for Escape on the
    // way.
    Type("PLOTXY -10,10,SIN,COS,EXP");
    OutputPane(frm.get())->clear();
    const QImage before = Image();
    // Pressed before the zoom starts: the zoom's run handles it at once.
    QCoreApplication::postEvent(InputLine(frm.get()),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    Wheel(GraphPane(frm.get()), Centre(), 120);
    EXPECT_EQ(Image(), before);
    EXPECT_EQ(Output(), "");
    Type("? 6*7");
    EXPECT_EQ(Output(), "42\n");
}

TEST_F(GraphPictureTest, CopySaveAndViewAskForAPlot) {
    for (const char* pchName : {"mnuCopyGraph", "mnuSaveGraph", "mnuViewGraph"}) {
        EXPECT_FALSE(MenuItem(frm.get(), pchName)->isEnabled()) << pchName;
    }
    Type("PLOTXY -3,3,SIN");
    for (const char* pchName : {"mnuCopyGraph", "mnuSaveGraph", "mnuViewGraph"}) {
        EXPECT_TRUE(MenuItem(frm.get(), pchName)->isEnabled()) << pchName;
    }
    Type("CLS");
    EXPECT_FALSE(MenuItem(frm.get(), "mnuSaveGraph")->isEnabled());
    Type("PLOTXY -3,3,SIN");
    MenuItem(frm.get(), "mnuReset")->trigger();
    EXPECT_FALSE(MenuItem(frm.get(), "mnuCopyGraph")->isEnabled());
}

// View... shows the ranges, takes expressions, keeps a wrong entry open
// with a message, and Home returns.
TEST_F(GraphPictureTest, TheViewDialogSetsTheRangesTheUserTypes) {
    Type("PLOTXY -3,3,SIN");
    CWindowInterface* pUI = frm->GetWindowInterface();
    QString shownXFrom;
    QString message;
    int nStep = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* pDialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!pDialog) {
            return;
        }
        const auto edit = [&](const char* pchName) {
            return pDialog->findChild<QLineEdit*>(QLatin1String(pchName));
        };
        if (nStep == 0) {
            shownXFrom = edit("editXFrom")->text();
            edit("editYFrom")->setText(QStringLiteral("-PI/2"));
            edit("editYTo")->setText(QStringLiteral("1 +"));
            pDialog->accept();
            message = pDialog->findChild<QLabel*>(QStringLiteral("labelMessage"))->text();
            edit("editYTo")->setText(QStringLiteral("2"));
            ++nStep;
        }
        pDialog->accept();
    });
    timer.start(0);
    MenuItem(frm.get(), "mnuViewGraph")->trigger();
    timer.stop();
    EXPECT_EQ(shownXFrom, "-3");
    EXPECT_TRUE(message.contains(QStringLiteral("1 +"))) << message.toStdString();
    SPlotView view{};
    ASSERT_TRUE(pUI->GetGraphView(&view));
    EXPECT_NEAR(static_cast<double>(view.y.lo), -1.5707963, 1e-6);
    EXPECT_EQ(view.y.hi, 2);
    EXPECT_EQ(view.x.lo, -3);
    EXPECT_EQ(Output().count(QStringLiteral("Plotted")), 1);
}

TEST_F(GraphPictureTest, NoPlotNoZoom) {
    OutputPane(frm.get())->clear();
    Wheel(GraphPane(frm.get()), Centre(), 120);
    DoubleClick(GraphPane(frm.get()), Centre());
    EXPECT_EQ(Output(), "");
}

TEST_F(GraphPictureTest, SavedPngAndSvgOpenInAReader) {
    Type("PLOTXY -3,3,SIN");
    QString errorText;
    ASSERT_TRUE(frm->SaveGraph(SavePath("graph.png"), &errorText)) << errorText.toStdString();
    const QImage png(SavePath("graph.png"));
    ASSERT_EQ(png.size(), GraphPane(frm.get())->size());
    EXPECT_GT(CountColor(png, BLUE), 100);

    ASSERT_TRUE(frm->SaveGraph(SavePath("graph.SVG"), &errorText)) << errorText.toStdString();
    QFile svg(SavePath("graph.SVG"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader reader(&svg);
    int nPolylines = 0;
    QString width;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (reader.name() == QStringLiteral("svg")) {
            width = reader.attributes().value(QStringLiteral("width")).toString();
        }
        nPolylines += reader.name() == QStringLiteral("polyline") ? 1 : 0;
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    EXPECT_GT(nPolylines, 0);
    EXPECT_TRUE(width.startsWith(QString::number(GraphPane(frm.get())->width())));
}

TEST_F(GraphPictureTest, SaveWhereNothingCanBeWrittenFailsAndWritesNothing) {
    Type("PLOTXY -3,3,SIN");
    // A file where the folder should be: not even root writes into it.
    std::ofstream("plain") << "text\n";
    QString errorText;
    EXPECT_FALSE(frm->SaveGraph(SavePath("plain/graph.png"), &errorText));
    EXPECT_FALSE(errorText.isEmpty());
    errorText.clear();
    EXPECT_FALSE(frm->SaveGraph(SavePath("plain/graph.svg"), &errorText));
    EXPECT_FALSE(errorText.isEmpty());
    EXPECT_EQ(QDir::current().entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList({"plain"}));
}

// The save dialog offers both kinds, and a failure is reported in a box.
TEST_F(GraphPictureTest, SaveDialogSavesAndAFailureIsReported) {
    Type("PLOTXY -3,3,SIN");
    std::ofstream("plain") << "text\n";
    QStringList filters;
    QString suffix;
    QString warning;
    auto saveAs = [&](const QString& fileName) {
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            QWidget* pModal = QApplication::activeModalWidget();
            if (auto* pDialog = qobject_cast<QFileDialog*>(pModal)) {
                filters = pDialog->nameFilters();
                suffix = pDialog->defaultSuffix();
                pDialog->selectFile(fileName);
                static_cast<QDialog*>(pDialog)->accept();
            } else if (auto* pBox = qobject_cast<QMessageBox*>(pModal)) {
                warning = pBox->text();
                pBox->reject();
            }
        });
        timer.start(0);
        MenuItem(frm.get(), "mnuSaveGraph")->trigger();
    };
    saveAs(SavePath("chosen"));
    EXPECT_EQ(filters, QStringList({"PNG image (*.png)", "SVG image (*.svg)"}));
    EXPECT_EQ(suffix, "png");
    EXPECT_EQ(QImage(SavePath("chosen.png")).size(), GraphPane(frm.get())->size());
    EXPECT_EQ(warning, "");
    saveAs(SavePath("plain/graph.png"));
    EXPECT_TRUE(warning.startsWith("The graph could not be saved to " +
                                   QDir::toNativeSeparators(SavePath("plain/graph.png"))))
        << warning.toStdString();
}

TEST_F(GraphPictureTest, CopyPutsTheImageOnTheClipboard) {
    Type("PLOTXY -3,3,SIN");
    EXPECT_TRUE(GraphPane(frm.get())->actions().contains(MenuItem(frm.get(), "mnuCopyGraph")));
    EXPECT_TRUE(GraphPane(frm.get())->actions().contains(MenuItem(frm.get(), "mnuSaveGraph")));
    MenuItem(frm.get(), "mnuCopyGraph")->trigger();
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), Image());
}

} // namespace
