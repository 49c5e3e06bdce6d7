// The graph pane's side of the window interface: drawing in world
// coordinates, the picture kept of it, and reading and exploring that
// picture.

#include "cwindowinterface.h"

#include "cgraphpicture.h"
#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/errorcodes.h"
#include "cwindowoperations.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>
#include <string>
#include <utility>

namespace {

constexpr int COLOR_WHITE = CanvasColor(255, 255, 255);
constexpr int COLOR_BLACK = CanvasColor(0, 0, 0);
constexpr int COLOR_GREY = CanvasColor(128, 128, 128);
constexpr int COLOR_SILVER = CanvasColor(192, 192, 192);

// Pixels far outside any canvas still fit a 32-bit integer, so that lines
// towards them keep their direction and the canvas clips them.
constexpr Extended PIXEL_LIMIT = 1.0e9L;

int TruncatedPixel(Extended value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value > PIXEL_LIMIT) {
        return static_cast<int>(PIXEL_LIMIT);
    }
    if (value < -PIXEL_LIMIT) {
        return -static_cast<int>(PIXEL_LIMIT);
    }
    return static_cast<int>(std::trunc(value));
}

// Runs its function when the scope ends, however it ends.
template <class F> class CScopeExit {
public:
    explicit CScopeExit(F&& f) : _f(std::move(f)) {}
    ~CScopeExit() { _f(); }
    CScopeExit(const CScopeExit&) = delete;
    CScopeExit& operator=(const CScopeExit&) = delete;

private:
    F _f;
};

// A few significant digits, for reading the picture.
std::string ShortNumber(Extended value) {
    char pchText[NUMBER_TEXT_SIZE];
    FormatNumber(value, FF_GENERAL, 5, 2, pchText);
    return pchText;
}

template <std::size_t N> void CopyText(char (&pchTarget)[N], const std::string& text) {
    std::snprintf(pchTarget, N, "%s", text.c_str());
}

// An endpoint as a plain numeral the command line reads back: positional
// notation with enough decimals to resolve a millionth of the interval.
bool AppendEndpoint(std::string* pText, Extended value, Extended width) {
    // In the values' own precision: a width beyond a double's range would
    // make the count infinite.
    const auto nDecimals = static_cast<int>(
        std::clamp(std::ceil(-std::log10(width)) + 6, static_cast<Extended>(0), Extended{40}));
    char pchText[512];
    const int n = std::snprintf(pchText, sizeof pchText, "%.*Lf", nDecimals, value);
    if (n <= 0 || n >= static_cast<int>(sizeof pchText)) {
        return false;
    }
    for (char* pch = pchText; *pch != '\0'; ++pch) {
        // Whatever separator the C library's locale chose, the language
        // wants ".".
        if (*pch != '-' && (*pch < '0' || *pch > '9')) {
            *pch = '.';
        }
    }
    *pText += pchText;
    return true;
}

} // namespace

CGraphCanvas* CWindowInterface::Canvas() const {
    return _pCanvas ? _pCanvas : Window();
}

void CWindowInterface::ClearGraph() {
    if (!_bReplaying) {
        _poPicture->Clear();
    }
    _labels.clear();
    CGraphCanvas* pCanvas = Canvas();
    if (!pCanvas->IsGraphVisible()) {
        return;
    }
    pCanvas->SetCanvasBrush(COLOR_WHITE);
    pCanvas->CanvasRectangle(0, 0, pCanvas->GetGraphWidth(), pCanvas->GetGraphHeight());
}

void CWindowInterface::DrawGraphFrame() {
    Keep(CGraphPicture::OP_FRAME);
    CGraphCanvas* pWindow = Canvas();
    const int W = pWindow->GetGraphWidth();
    const int H = pWindow->GetGraphHeight();
    // A two-pixel sunken bevel: light below and right, dark above and left.
    pWindow->SetCanvasPen(COLOR_WHITE, 1);
    pWindow->CanvasMoveTo(W - 1, 0);
    pWindow->CanvasLineTo(W - 1, H - 1);
    pWindow->CanvasLineTo(-1, H - 1);
    pWindow->SetCanvasPen(pWindow->GetButtonShadowColor(), 1);
    pWindow->CanvasMoveTo(0, H - 2);
    pWindow->CanvasLineTo(0, 0);
    pWindow->CanvasLineTo(W - 1, 0);
    pWindow->SetCanvasPen(COLOR_BLACK, 1);
    pWindow->CanvasMoveTo(1, H - 3);
    pWindow->CanvasLineTo(1, 1);
    pWindow->CanvasLineTo(W - 2, 1);
    pWindow->SetCanvasPen(pWindow->GetButtonFaceColor(), 1);
    pWindow->CanvasLineTo(W - 2, H - 2);
    pWindow->CanvasLineTo(0, H - 2);
}

void CWindowInterface::DrawNumber(Extended value, Extended x, Extended y) {
    Keep(CGraphPicture::OP_NUMBER, value, x, y);
    const int px = MapX(x);
    const int py = MapY(y);
    char pchText[NUMBER_TEXT_SIZE];
    FormatNumber(value, FF_GENERAL, 2, _nDigits, pchText);
    // The label's lowest pixel row is the point's row, just right of it.
    CGraphCanvas* pCanvas = Canvas();
    const int h = pCanvas->CanvasTextHeight(pchText);
    const SLabelBox box{px + 1, py - h + 1, pCanvas->CanvasTextWidth(pchText), h};
    // The vertical labels come first: a horizontal one that would cover one
    // of them, as in the lower left corner, is left out.
    const auto covers = [&box](const SLabelBox& other) {
        return box.x < other.x + other.w && other.x < box.x + box.w && box.y < other.y + other.h &&
               other.y < box.y + box.h;
    };
    if (std::any_of(_labels.begin(), _labels.end(), covers)) {
        return;
    }
    try {
        _labels.push_back(box);
    } catch (const std::bad_alloc&) {
        RaiseError(ERR_OUT_OF_MEMORY);
    }
    pCanvas->CanvasTextOut(box.x, box.y, pchText);
}

void CWindowInterface::SetWorldWindow(Extended x0, Extended y0, Extended x1, Extended y1) {
    Keep(CGraphPicture::OP_WORLD_WINDOW, x0, y0, x1, y1);
    _x0 = x0;
    _y0 = y0;
    _x1 = x1;
    _y1 = y1;
}

void CWindowInterface::GetPlotArea(int* pxLeft, int* pyTop, int* pxRight, int* pyBottom) {
    OSTREL_ASSERT(pxLeft && pyTop && pxRight && pyBottom);
    Keep(CGraphPicture::OP_PLOT_AREA);
    _pxLeft = 2;
    _pyTop = 2;
    _pxRight = Canvas()->GetGraphWidth() - 2;
    _pyBottom = Canvas()->GetGraphHeight() - 2;
    *pxLeft = _pxLeft;
    *pyTop = _pyTop;
    *pxRight = _pxRight;
    *pyBottom = _pyBottom;
}

int CWindowInterface::MapX(Extended x) const {
    return TruncatedPixel(static_cast<Extended>(_pxRight - _pxLeft) * (x - _x0) / (_x1 - _x0)) +
           _pxLeft;
}

int CWindowInterface::MapY(Extended y) const {
    return TruncatedPixel(static_cast<Extended>(_pyBottom - _pyTop) * (y - _y0) / (_y1 - _y0)) +
           _pyTop;
}

void CWindowInterface::MoveTo(Extended x, Extended y) {
    Keep(CGraphPicture::OP_MOVE_TO, x, y);
    Canvas()->CanvasMoveTo(MapX(x), MapY(y));
}

void CWindowInterface::LineTo(Extended x, Extended y) {
    Keep(CGraphPicture::OP_LINE_TO, x, y);
    Canvas()->CanvasLineTo(MapX(x), MapY(y));
}

void CWindowInterface::SetAxisPen() {
    Keep(CGraphPicture::OP_AXIS_PEN);
    Canvas()->SetCanvasPen(COLOR_GREY, 1);
}

void CWindowInterface::SetPenColor(int red, int green, int blue) {
    OSTREL_ASSERT(red >= 0 && red < 256);
    OSTREL_ASSERT(green >= 0 && green < 256);
    OSTREL_ASSERT(blue >= 0 && blue < 256);
    UsePenColor(CanvasColor(red, green, blue));
}

void CWindowInterface::UsePenColor(int nColor) {
    Keep(CGraphPicture::OP_PEN_COLOR, nColor);
    Canvas()->SetCanvasPen(nColor, 1);
}

void CWindowInterface::SetGridPen() {
    Keep(CGraphPicture::OP_GRID_PEN);
    Canvas()->SetCanvasPen(COLOR_SILVER, 1);
}

void CWindowInterface::Keep(int op, Extended a, Extended b, Extended c, Extended d) {
    if (!_bReplaying) {
        _poPicture->Record(static_cast<CGraphPicture::EOperation>(op), a, b, c, d);
    }
}

void CWindowInterface::DescribePlot(const SPlotScene& scene) {
    if (_bReplaying) {
        return;
    }
    _poPicture->KeepPlot(scene);
    _polarX = scene.x;
    _polarY = scene.y;
    _nPolarWidth = _pxRight - _pxLeft;
    _nPolarHeight = _pyBottom - _pyTop;
    // Home is where the user's own plot was, not where exploring led.
    if (!_bNavigating) {
        _homeInterval = scene.interval;
        _homeX = scene.x;
        _homeY = scene.y;
    }
}

void CWindowInterface::DrawLegend() {
    Keep(CGraphPicture::OP_LEGEND);
    const std::vector<CGraphPicture::SCurve>& curves = _poPicture->GetCurves();
    if (curves.empty()) {
        return;
    }
    // A white box in the upper right corner of the plot area: per curve a
    // short line in its colour and its name.
    CGraphCanvas* pCanvas = Canvas();
    const int h = pCanvas->CanvasTextHeight("Ag");
    const int nPad = std::max(2, h / 4);
    const int nLine = 2 * h;
    int nNameWidth = 0;
    for (const CGraphPicture::SCurve& curve : curves) {
        nNameWidth = std::max(nNameWidth, pCanvas->CanvasTextWidth(curve.name.c_str()));
    }
    const int w = 3 * nPad + nLine + nNameWidth;
    const int x = _pxRight - w - nPad;
    const int y = _pyTop + nPad;
    pCanvas->SetCanvasPen(COLOR_GREY, 1);
    pCanvas->SetCanvasBrush(COLOR_WHITE);
    pCanvas->CanvasRectangle(x, y, x + w, y + 2 * nPad + h * static_cast<int>(curves.size()));
    int yRow = y + nPad;
    for (const CGraphPicture::SCurve& curve : curves) {
        pCanvas->SetCanvasPen(curve.nColor, 2);
        pCanvas->CanvasMoveTo(x + nPad, yRow + h / 2);
        pCanvas->CanvasLineTo(x + nPad + nLine, yRow + h / 2);
        pCanvas->CanvasTextOut(x + 2 * nPad + nLine, yRow, curve.name.c_str());
        yRow += h;
    }
}

void CWindowInterface::ReplayPicture() {
    // Drawn through the same operations as the first time, so that at the
    // same size the pane gets the same pixels; nothing is recorded anew.
    const bool bWasReplaying = std::exchange(_bReplaying, true);
    const CScopeExit restore([&] { _bReplaying = bWasReplaying; });
    ClearGraph();
    for (const CGraphPicture::SOperation& op : _poPicture->GetOperations()) {
        switch (op.op) {
        case CGraphPicture::OP_PLOT_AREA: {
            int pxLeft = 0;
            int pyTop = 0;
            int pxRight = 0;
            int pyBottom = 0;
            GetPlotArea(&pxLeft, &pyTop, &pxRight, &pyBottom);
            break;
        }
        case CGraphPicture::OP_WORLD_WINDOW:
            SetWorldWindow(op.a, op.b, op.c, op.d);
            break;
        case CGraphPicture::OP_MOVE_TO:
            MoveTo(op.a, op.b);
            break;
        case CGraphPicture::OP_LINE_TO:
            LineTo(op.a, op.b);
            break;
        case CGraphPicture::OP_AXIS_PEN:
            SetAxisPen();
            break;
        case CGraphPicture::OP_GRID_PEN:
            SetGridPen();
            break;
        case CGraphPicture::OP_PEN_COLOR:
            UsePenColor(static_cast<int>(op.a));
            break;
        case CGraphPicture::OP_NUMBER:
            DrawNumber(op.a, op.b, op.c);
            break;
        case CGraphPicture::OP_LEGEND:
            DrawLegend();
            break;
        case CGraphPicture::OP_FRAME:
            DrawGraphFrame();
            break;
        }
    }
    // A pane without a picture is white with its frame.
    if (_poPicture->IsEmpty()) {
        DrawGraphFrame();
    }
}

void CWindowInterface::RedrawGraph() {
    const CWindowOperations* pWindow = Window();
    if (!pWindow->IsGraphVisible()) {
        return;
    }
    // The plot area lies two pixels inside the pane.
    const bool bShapeChanged = pWindow->GetGraphWidth() - 4 != _nPolarWidth ||
                               pWindow->GetGraphHeight() - 4 != _nPolarHeight;
    if (_poPicture->HasPlot() && _poPicture->GetKind() == PK_PHIR && bShapeChanged) {
        DrawView(_polarX, _polarY);
        return;
    }
    ReplayPicture();
}

void CWindowInterface::RenderGraph(CGraphCanvas* pCanvas) {
    OSTREL_ASSERT(pCanvas);
    // The pane's mapping and labels stay as they are for its next drawing.
    const Extended world[4] = {_x0, _y0, _x1, _y1};
    const int area[4] = {_pxLeft, _pyTop, _pxRight, _pyBottom};
    std::vector<SLabelBox> labels;
    labels.swap(_labels);
    CGraphCanvas* pPrevious = std::exchange(_pCanvas, pCanvas);
    const CScopeExit restore([&] {
        _pCanvas = pPrevious;
        _labels.swap(labels);
        _x0 = world[0];
        _y0 = world[1];
        _x1 = world[2];
        _y1 = world[3];
        _pxLeft = area[0];
        _pyTop = area[1];
        _pxRight = area[2];
        _pyBottom = area[3];
    });
    ReplayPicture();
}

Extended CWindowInterface::UnmapX(int px) const {
    return _x0 + static_cast<Extended>(px - _pxLeft) * (_x1 - _x0) / (_pxRight - _pxLeft);
}

Extended CWindowInterface::UnmapY(int py) const {
    return _y0 + static_cast<Extended>(py - _pyTop) * (_y1 - _y0) / (_pyBottom - _pyTop);
}

bool CWindowInterface::IsGraphNavigable() const {
    return _poPicture->HasPlot() && _pxRight > _pxLeft && _pyBottom > _pyTop;
}

bool CWindowInterface::ProbeSample(int iCurve, int iSample, SGraphProbe* pProbe) const {
    OSTREL_ASSERT(pProbe);
    const std::vector<CGraphPicture::SCurve>& curves = _poPicture->GetCurves();
    if (!IsGraphNavigable() || iCurve < 0 || iCurve >= static_cast<int>(curves.size())) {
        return false;
    }
    const CGraphPicture::SCurve& curve = curves[static_cast<std::size_t>(iCurve)];
    const int nSamples = static_cast<int>(curve.x.size());
    if (iSample < 0 || iSample >= nSamples) {
        return false;
    }
    const Extended x = curve.x[static_cast<std::size_t>(iSample)];
    const Extended y = curve.y[static_cast<std::size_t>(iSample)];
    pProbe->bSample = true;
    pProbe->iCurve = iCurve;
    pProbe->iSample = iSample;
    pProbe->pxSample = MapX(x);
    pProbe->pySample = MapY(y);
    pProbe->nColor = curve.nColor;
    const SPlotRange& interval = _poPicture->GetInterval();
    const Extended t = iSample * (interval.hi - interval.lo) / nSamples + interval.lo;
    switch (_poPicture->GetKind()) {
    case PK_XY:
        CopyText(pProbe->pchSample, curve.name + "(" + ShortNumber(x) + ") = " + ShortNumber(y));
        break;
    case PK_TXY:
        CopyText(pProbe->pchSample,
                 "T = " + ShortNumber(t) + ":  x = " + ShortNumber(x) + "  y = " + ShortNumber(y));
        break;
    case PK_PHIR:
        CopyText(pProbe->pchSample, "PHI = " + ShortNumber(t) + ":  x = " + ShortNumber(x) +
                                        "  y = " + ShortNumber(y));
        break;
    }
    return true;
}

bool CWindowInterface::ProbeGraph(int px, int py, SGraphProbe* pProbe) const {
    OSTREL_ASSERT(pProbe);
    if (!IsGraphNavigable()) {
        return false;
    }
    pProbe->x = UnmapX(px);
    pProbe->y = UnmapY(py);
    CopyText(pProbe->pchPointer,
             "x = " + ShortNumber(pProbe->x) + "  y = " + ShortNumber(pProbe->y));
    pProbe->bSample = false;
    pProbe->pchSample[0] = '\0';
    // The sample nearest on the pane, over every curve.
    int iBestCurve = -1;
    int iBestSample = -1;
    double bestDistance = 0;
    const std::vector<CGraphPicture::SCurve>& curves = _poPicture->GetCurves();
    for (std::size_t iCurve = 0; iCurve < curves.size(); ++iCurve) {
        const CGraphPicture::SCurve& curve = curves[iCurve];
        for (std::size_t i = 0; i < curve.x.size(); ++i) {
            const double dx = MapX(curve.x[i]) - px;
            const double dy = MapY(curve.y[i]) - py;
            const double distance = dx * dx + dy * dy;
            if (iBestCurve < 0 || distance < bestDistance) {
                iBestCurve = static_cast<int>(iCurve);
                iBestSample = static_cast<int>(i);
                bestDistance = distance;
            }
        }
    }
    if (iBestCurve >= 0) {
        ProbeSample(iBestCurve, iBestSample, pProbe);
    }
    return true;
}

void CWindowInterface::RunPlotXY(const SPlotRange& interval) {
    if (!IsDrawableRange(interval)) {
        return;
    }
    std::string command = "PLOTXY ";
    const Extended width = interval.hi - interval.lo;
    if (!AppendEndpoint(&command, interval.lo, width)) {
        return;
    }
    command += ',';
    if (!AppendEndpoint(&command, interval.hi, width)) {
        return;
    }
    for (const CGraphPicture::SCurve& curve : _poPicture->GetCurves()) {
        command += ',';
        command += curve.name;
    }
    const bool bWasNavigating = std::exchange(_bNavigating, true);
    const CScopeExit restore([&] { _bNavigating = bWasNavigating; });
    Window()->RunCommand(command.c_str());
}

void CWindowInterface::DrawView(SPlotRange x, SPlotRange y) {
    if (!IsDrawableRange(x) || !IsDrawableRange(y)) {
        return;
    }
    // The samples are taken over first: clearing the pane forgets them.
    const std::vector<CGraphPicture::SCurve> kept = _poPicture->TakeCurves();
    const std::vector<SPlotCurve> curves = CGraphPicture::SceneCurves(kept);
    const EPlotKind kind = _poPicture->GetKind();
    const SPlotRange interval = _poPicture->GetInterval();
    const bool bWasNavigating = std::exchange(_bNavigating, true);
    const CScopeExit restore([&] { _bNavigating = bWasNavigating; });
    ClearGraph();
    int pxLeft = 0;
    int pyTop = 0;
    int pxRight = 0;
    int pyBottom = 0;
    GetPlotArea(&pxLeft, &pyTop, &pxRight, &pyBottom);
    const SPlotRange polarX = x;
    const SPlotRange polarY = y;
    if (kind == PK_PHIR) {
        MakeEqualUnits(&x, &y, pxRight - pxLeft, pyBottom - pyTop);
    }
    const SPlotScene scene{kind, interval, x, y, curves.data(), static_cast<int>(curves.size())};
    DrawPlotScene(this, scene);
    DrawGraphFrame();
    // What was asked for, so that another shape of the pane keeps it.
    _polarX = polarX;
    _polarY = polarY;
}

void CWindowInterface::ZoomGraph(int px, int py, double factor) {
    if (!IsGraphNavigable() || !(factor > 0) || !std::isfinite(factor)) {
        return;
    }
    const auto zoomed = [factor](const SPlotRange& range, Extended centre) {
        return SPlotRange{centre - (centre - range.lo) * factor,
                          centre + (range.hi - centre) * factor};
    };
    if (_poPicture->GetKind() == PK_XY) {
        RunPlotXY(zoomed(_poPicture->GetInterval(), UnmapX(px)));
    } else {
        DrawView(zoomed(_poPicture->GetViewX(), UnmapX(px)),
                 zoomed(_poPicture->GetViewY(), UnmapY(py)));
    }
}

void CWindowInterface::PanGraph(int dx, int dy) {
    if (!IsGraphNavigable()) {
        return;
    }
    // The content follows the pointer: the view moves the other way.
    const Extended xShift = UnmapX(_pxLeft) - UnmapX(_pxLeft + dx);
    const Extended yShift = UnmapY(_pyTop) - UnmapY(_pyTop + dy);
    const auto shifted = [](const SPlotRange& range, Extended shift) {
        return SPlotRange{range.lo + shift, range.hi + shift};
    };
    if (_poPicture->GetKind() == PK_XY) {
        RunPlotXY(shifted(_poPicture->GetInterval(), xShift));
    } else {
        DrawView(shifted(_poPicture->GetViewX(), xShift), shifted(_poPicture->GetViewY(), yShift));
    }
}

void CWindowInterface::ZoomGraphTo(int px1, int py1, int px2, int py2) {
    if (!IsGraphNavigable() || px1 == px2) {
        return;
    }
    const SPlotRange x{UnmapX(std::min(px1, px2)), UnmapX(std::max(px1, px2))};
    if (_poPicture->GetKind() == PK_XY) {
        RunPlotXY(x);
        return;
    }
    // Pixel rows grow downwards, world y upwards; a flat rectangle keeps
    // the vertical range.
    const SPlotRange y = py1 == py2
                             ? _poPicture->GetViewY()
                             : SPlotRange{UnmapY(std::max(py1, py2)), UnmapY(std::min(py1, py2))};
    DrawView(x, y);
}

void CWindowInterface::HomeGraph() {
    if (!IsGraphNavigable()) {
        return;
    }
    if (_poPicture->GetKind() == PK_XY) {
        RunPlotXY(_homeInterval);
    } else {
        DrawView(_homeX, _homeY);
    }
}
