#include "uFrmCalc.h"

#include "core/numbertext.h"
#include "tgraphrangedialog.h"
#include "tnameiconprovider.h"
#include "tsvggraphcanvas.h"
#include "ui/cgraphpicture.h"
#include "ui/cwindowinterface.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QMenu>
#include <QMessageBox>
#include <QSaveFile>

#include <algorithm>
#include <memory>

// The graph pane: painting, reading, exploring and saving the picture, and
// the canvas operations of the window interface.

namespace {

// Digits of the view's ends in the View dialog: enough to see where it is,
// few enough to read.
constexpr int VIEW_DIGITS = 10;

int ColorValue(const QColor& color) {
    return CanvasColor(color.red(), color.green(), color.blue());
}

} // namespace

void TfrmCalc::pbGraphPaint() {
    if (!Interface()) {
        return;
    }
    Guarded([&] { Interface()->RedrawGraph(); });
}

void TfrmCalc::ConnectGraphPane() {
    pbGraph->SetOnPaint([this] { pbGraphPaint(); });
    pbGraph->SetOnNavigable([this] { return CanNavigateGraph(); });
    connect(pbGraph, &TGraphPaintBox::PointerMoved, this, &TfrmCalc::ProbeGraphAt);
    connect(pbGraph, &TGraphPaintBox::TraceRequested, this, &TfrmCalc::TraceGraph);
    connect(pbGraph, &TGraphPaintBox::ZoomRequested, this,
            [this](QPoint point, double xFactor, double yFactor) {
                NavigateGraph(
                    [&] { Interface()->ZoomGraph(point.x(), point.y(), xFactor, yFactor); });
            });
    connect(pbGraph, &TGraphPaintBox::PanRequested, this, [this](QPoint offset) {
        NavigateGraph([&] { Interface()->PanGraph(offset.x(), offset.y()); });
    });
    connect(pbGraph, &TGraphPaintBox::ZoomToRequested, this, [this](QRect rect) {
        NavigateGraph([&] {
            Interface()->ZoomGraphTo(rect.left(), rect.top(), rect.right(), rect.bottom());
        });
    });
    connect(pbGraph, &TGraphPaintBox::HomeRequested, this,
            [this] { NavigateGraph([this] { Interface()->HomeGraph(); }); });
    connect(pbGraph, &TGraphPaintBox::QuestionKeyPressed, this, &TfrmCalc::AskByKey);
    connect(pbGraph, &QWidget::customContextMenuRequested, this, [this](QPoint point) {
        const std::unique_ptr<QMenu> poMenu(CreateGraphMenu(point));
        if (poMenu->exec(pbGraph->mapToGlobal(point))) {
            ReturnToInput();
        }
    });
    connect(pbGraph, &TGraphPaintBox::KeyForInput, this, &TfrmCalc::TypeIntoInput);
}

bool TfrmCalc::CanNavigateGraph() const {
    return _nRunning == 0 && Interface() && Interface()->IsGraphNavigable();
}

void TfrmCalc::NavigateGraph(const std::function<void()>& navigate) {
    if (CanNavigateGraph()) {
        RunBusy(navigate);
    }
}

void TfrmCalc::ProbeGraphAt(QPoint point) {
    // While a line runs the picture is being drawn: nothing to read yet.
    SGraphProbe probe{};
    bool bFound = false;
    if (_nRunning == 0 && Interface()) {
        Guarded([&] { bFound = Interface()->ProbeGraph(point.x(), point.y(), &probe); });
    }
    if (bFound) {
        ShowProbe(probe);
    } else {
        pbGraph->ClearOverlay();
    }
}

void TfrmCalc::TraceGraph(int nSampleStep, int nCurveStep) {
    if (_nRunning > 0 || !Interface()) {
        return;
    }
    // Past either end of a curve, or to a curve that is not there, the
    // trace stays where it is.
    SGraphProbe probe{};
    bool bFound = false;
    Guarded([&] {
        bFound = Interface()->ProbeSample(_iTraceCurve + nCurveStep, _iTraceSample + nSampleStep,
                                          &probe);
    });
    if (bFound) {
        ShowProbe(probe);
    }
}

void TfrmCalc::ShowProbe(const SGraphProbe& probe) {
    SGraphOverlay overlay;
    overlay.pointerText = QString::fromUtf8(probe.pchPointer);
    overlay.bSample = probe.bSample;
    if (probe.bSample) {
        overlay.sample = QPoint(probe.pxSample, probe.pySample);
        overlay.nSampleColor = probe.nColor;
        overlay.sampleText = QString::fromUtf8(probe.pchSample);
        _iTraceCurve = probe.iCurve;
        _iTraceSample = probe.iSample;
    }
    // Where it covers no label and not the legend.
    const QSize box = pbGraph->OverlayBoxSize(overlay);
    int x = 0;
    int y = 0;
    Interface()->PlaceProbeBox(box.width(), box.height(), &x, &y);
    overlay.boxTopLeft = QPoint(x, y);
    pbGraph->SetOverlay(overlay);
}

void TfrmCalc::RefreshOverlay() {
    QPoint point;
    if (pbGraph->GetPointer(&point)) {
        ProbeGraphAt(point);
    } else {
        pbGraph->ClearOverlay();
    }
}

void TfrmCalc::UpdateGraphActions() {
    const bool bPlot = Interface() && Interface()->GetGraphPicture().HasPlot();
    for (QAction* pAction : {mnuCopyGraph, mnuSaveGraph, mnuViewGraph}) {
        pAction->setEnabled(bPlot);
    }
}

QString TfrmCalc::ViewNumberText(Extended value) {
    char pchText[NUMBER_TEXT_SIZE];
    FormatNumber(value, FF_GENERAL, VIEW_DIGITS, 2, pchText);
    return QString::fromLatin1(pchText).trimmed();
}

QString TfrmCalc::EvaluateTexts(const QStringList& texts, std::vector<Extended>* pValues) const {
    // Each text is an expression of the calculator's, such as 2*PI.
    pValues->assign(static_cast<std::size_t>(texts.size()), 0);
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const QByteArray utf8 = texts[i].toUtf8();
        if (!Interface()->EvaluateText(utf8.constData(),
                                       &(*pValues)[static_cast<std::size_t>(i)])) {
            return tr("\"%1\" is not a number.").arg(texts[i]);
        }
    }
    return {};
}

void TfrmCalc::mnuViewGraphClick() {
    SPlotView view{};
    if (_nRunning > 0 || !Interface() || !Interface()->GetGraphView(&view)) {
        return;
    }
    const auto apply = [this](const QStringList& texts) {
        std::vector<Extended> values;
        QString error = EvaluateTexts(texts, &values);
        if (!error.isEmpty()) {
            return error;
        }
        const auto ordered = [](Extended a, Extended b) {
            return SPlotRange{std::min(a, b), std::max(a, b)};
        };
        bool bShown = false;
        NavigateGraph([&] {
            bShown = Interface()->SetGraphView(
                {ordered(values[0], values[1]), ordered(values[2], values[3])});
        });
        return bShown ? QString() : tr("Each range must have two different ends.");
    };
    TGraphRangeDialog dlgView(this, tr("View"),
                              {tr("x from:"), tr("x to:"), tr("y from:"), tr("y to:")},
                              {QStringLiteral("editXFrom"), QStringLiteral("editXTo"),
                               QStringLiteral("editYFrom"), QStringLiteral("editYTo")},
                              {ViewNumberText(view.x.lo), ViewNumberText(view.x.hi),
                               ViewNumberText(view.y.lo), ViewNumberText(view.y.hi)},
                              true, apply);
    if (dlgView.exec() == TGraphRangeDialog::HOME) {
        NavigateGraph([this] { Interface()->HomeGraph(); });
    }
}

void TfrmCalc::mnuCopyGraphClick() {
    QGuiApplication::clipboard()->setImage(pbGraph->GetImage());
}

void TfrmCalc::mnuSaveGraphClick() {
    if (_nRunning > 0) {
        return;
    }
    TNameIconProvider iconProvider;
    QFileDialog dlgSave(this, tr("Save graph"));
    dlgSave.setObjectName(QStringLiteral("dlgSave"));
    dlgSave.setIconProvider(&iconProvider);
    dlgSave.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList filters = {tr("PNG image (*.png)"), tr("SVG image (*.svg)")};
    const QStringList suffixes = {QStringLiteral("png"), QStringLiteral("svg")};
    dlgSave.setNameFilters(filters);
    dlgSave.setDefaultSuffix(suffixes[0]);
    connect(&dlgSave, &QFileDialog::filterSelected, &dlgSave, [&](const QString& filter) {
        dlgSave.setDefaultSuffix(suffixes.value(filters.indexOf(filter), suffixes[0]));
    });
    if (dlgSave.exec() != QDialog::Accepted || dlgSave.selectedFiles().isEmpty()) {
        return;
    }
    SaveGraphAs(dlgSave.selectedFiles().constFirst());
}

void TfrmCalc::SaveGraphAs(const QString& fileName) {
    QString errorText;
    if (!SaveGraph(fileName, &errorText)) {
        QMessageBox::warning(this, tr("Save graph"),
                             tr("The graph could not be saved to %1.\n%2")
                                 .arg(QDir::toNativeSeparators(fileName), errorText));
    }
}

bool TfrmCalc::SaveGraph(const QString& fileName, QString* pErrorText) const {
    // The picture is complete before anything is written, and QSaveFile
    // replaces the file only once all of it is on disk.
    QByteArray data;
    if (QFileInfo(fileName).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
        if (!Interface()) {
            *pErrorText = tr("There is no picture to save.");
            return false;
        }
        TSvgGraphCanvas canvas(pbGraph->width(), pbGraph->height(), pbGraph->font());
        bool bRendered = false;
        Guarded([&] {
            Interface()->RenderGraph(&canvas);
            bRendered = true;
        });
        if (!bRendered) {
            *pErrorText = tr("The picture could not be drawn.");
            return false;
        }
        data = QByteArray::fromStdString(canvas.GetDocument());
    } else {
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        if (!writer.write(pbGraph->GetImage())) {
            *pErrorText = writer.errorString();
            return false;
        }
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        *pErrorText = file.errorString();
        return false;
    }
    return true;
}

bool TfrmCalc::IsGraphVisible() const {
    return !pbGraph->isHidden();
}

int TfrmCalc::GetGraphWidth() const {
    return pbGraph->width();
}

int TfrmCalc::GetGraphHeight() const {
    return pbGraph->height();
}

void TfrmCalc::SetCanvasPen(int nColor, int nWidth) {
    pbGraph->SetPen(nColor, nWidth);
}

void TfrmCalc::SetCanvasBrush(int nColor) {
    pbGraph->SetBrush(nColor);
}

void TfrmCalc::CanvasRectangle(int x1, int y1, int x2, int y2) {
    pbGraph->Rectangle(x1, y1, x2, y2);
}

void TfrmCalc::CanvasMoveTo(int x, int y) {
    pbGraph->MoveTo(x, y);
}

void TfrmCalc::CanvasLineTo(int x, int y) {
    pbGraph->LineTo(x, y);
}

int TfrmCalc::CanvasTextHeight(const char* pchText) const {
    return pbGraph->TextHeight(pchText);
}

int TfrmCalc::CanvasTextWidth(const char* pchText) const {
    return pbGraph->TextWidth(pchText);
}

void TfrmCalc::CanvasTextOut(int x, int y, const char* pchText) {
    pbGraph->TextOut(x, y, pchText);
}

int TfrmCalc::GetButtonShadowColor() const {
    return ColorValue(palette().color(QPalette::Active, QPalette::Dark));
}

int TfrmCalc::GetButtonFaceColor() const {
    return ColorValue(palette().color(QPalette::Active, QPalette::Button));
}
