// The graph pane's side of the window interface: drawing in world
// coordinates, and the picture: the scene a plot left, drawn again at any
// size and on any canvas. Reading and exploring it are in
// cwindowinterfaceexplore.cpp.

#include "cwindowinterface.h"

#include "cgraphpicture.h"
#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/errorcodes.h"
#include "cwindowoperations.h"
#include "statements/cplotscene.h"
#include "symbols/csymbol.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
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

} // namespace

CGraphCanvas* CWindowInterface::Canvas() const {
    return _pCanvas ? _pCanvas : Window();
}

void CWindowInterface::RefuseWhileExploring() const {
    if (_bExploring) {
        RaiseError(ERR_ILLEGAL_PARAMETER_UI);
    }
}

void CWindowInterface::PaintWhite() {
    _labels.clear();
    _bLegend = false;
    CGraphCanvas* pCanvas = Canvas();
    if (!pCanvas->IsGraphVisible()) {
        return;
    }
    pCanvas->SetCanvasBrush(COLOR_WHITE);
    pCanvas->CanvasRectangle(0, 0, pCanvas->GetGraphWidth(), pCanvas->GetGraphHeight());
}

void CWindowInterface::ClearGraph() {
    RefuseWhileExploring();
    _poPicture->Clear();
    _bSpan = false;
    PaintWhite();
}

void CWindowInterface::KeepPlot(CPlotScene* poScene) {
    _poPicture->Keep(poScene);
    _bSpan = false;
}

void CWindowInterface::LetGoOfPlotSymbol(const CNamedNumeric* pSymbol) {
    OSTREL_ASSERT(pSymbol);
    CPlotScene* pScene = _poPicture->GetScene();
    // Not while the scene's functions are being evaluated, and only when no
    // one else holds the symbol.
    if (pScene && !_bExploring && pScene->CountHolds(pSymbol) == pSymbol->GetReferenceCount()) {
        pScene->LetGoOfFunctions();
    }
}

void CWindowInterface::DrawGraphFrame() {
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

void CWindowInterface::DrawNumber(Extended value, Extended x, Extended y, int nDigits) {
    const int px = MapX(x);
    const int py = MapY(y);
    char pchText[NUMBER_TEXT_SIZE];
    FormatNumber(value, FF_GENERAL, nDigits, _nDigits, pchText);
    // The label's lowest pixel row is the point's row, just right of it.
    CGraphCanvas* pCanvas = Canvas();
    const int h = pCanvas->CanvasTextHeight(pchText);
    const SLabelBox box{px + 1, py - h + 1, pCanvas->CanvasTextWidth(pchText), h};
    // The legend's box is known before any label, and the vertical labels
    // come first: a label that would cover any of them, as the horizontal
    // one in the lower left corner would, is left out.
    if (!IsFreeOfLabels(box)) {
        return;
    }
    KeepLabelBox(box);
    pCanvas->CanvasTextOut(box.x, box.y, pchText);
}

bool CWindowInterface::IsFreeOfLabels(const SLabelBox& box) const {
    return std::none_of(_labels.begin(), _labels.end(),
                        [&box](const SLabelBox& other) { return box.Meets(other); });
}

void CWindowInterface::KeepLabelBox(const SLabelBox& box) {
    try {
        _labels.push_back(box);
    } catch (const std::bad_alloc&) {
        RaiseError(ERR_OUT_OF_MEMORY);
    }
}

void CWindowInterface::SetWorldWindow(Extended x0, Extended y0, Extended x1, Extended y1) {
    _x0 = x0;
    _y0 = y0;
    _x1 = x1;
    _y1 = y1;
}

void CWindowInterface::GetPlotArea(int* pxLeft, int* pyTop, int* pxRight, int* pyBottom) {
    OSTREL_ASSERT(pxLeft && pyTop && pxRight && pyBottom);
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
    Canvas()->CanvasMoveTo(MapX(x), MapY(y));
}

void CWindowInterface::LineTo(Extended x, Extended y) {
    Canvas()->CanvasLineTo(MapX(x), MapY(y));
}

void CWindowInterface::SetAxisPen() {
    Canvas()->SetCanvasPen(COLOR_GREY, 1);
}

void CWindowInterface::SetPenColor(int red, int green, int blue) {
    OSTREL_ASSERT(red >= 0 && red < 256);
    OSTREL_ASSERT(green >= 0 && green < 256);
    OSTREL_ASSERT(blue >= 0 && blue < 256);
    Canvas()->SetCanvasPen(CanvasColor(red, green, blue), 1);
}

void CWindowInterface::SetGridPen() {
    Canvas()->SetCanvasPen(COLOR_SILVER, 1);
}

void CWindowInterface::DescribePlot(const SPlotScene& scene) {
    _bLegend = false;
    _legend.clear();
    if (scene.nCurves < 2) {
        return;
    }
    try {
        for (int i = 0; i < scene.nCurves; ++i) {
            _legend.push_back({scene.pCurves[i].pchName, scene.pCurves[i].nColor});
        }
    } catch (const std::bad_alloc&) {
        RaiseError(ERR_OUT_OF_MEMORY);
    }
    // Per curve a short line in its colour and its name, in a white box.
    const CGraphCanvas* pCanvas = Canvas();
    const int h = pCanvas->CanvasTextHeight("Ag");
    const int nPad = std::max(2, h / 4);
    int nNameWidth = 0;
    for (const SLegendEntry& entry : _legend) {
        nNameWidth = std::max(nNameWidth, pCanvas->CanvasTextWidth(entry.name.c_str()));
    }
    const int w = 3 * nPad + 2 * h + nNameWidth;
    const int nHeight = 2 * nPad + h * scene.nCurves;
    // The corner of the plot area where the box hides the fewest samples;
    // on a tie the upper right, then the upper left, lower right and lower
    // left. The mapping is the one the scene is about to be drawn with.
    SetWorldWindow(scene.x.lo, scene.y.hi, scene.x.hi, scene.y.lo);
    const int xLeft = _pxLeft + nPad;
    const int xRight = _pxRight - w - nPad;
    const int yTop = _pyTop + nPad;
    const int yBottom = _pyBottom - nHeight - nPad;
    const SLabelBox corners[4] = {{xRight, yTop, w, nHeight},
                                  {xLeft, yTop, w, nHeight},
                                  {xRight, yBottom, w, nHeight},
                                  {xLeft, yBottom, w, nHeight}};
    int nInside[4] = {};
    for (int iCurve = 0; iCurve < scene.nCurves; ++iCurve) {
        const SPlotCurve& curve = scene.pCurves[iCurve];
        for (int i = 0; i < curve.nSamples; ++i) {
            if (std::isnan(curve.py[i])) {
                continue;
            }
            const SLabelBox point{MapX(curve.px[i]), MapY(curve.py[i]), 1, 1};
            for (int iCorner = 0; iCorner < 4; ++iCorner) {
                nInside[iCorner] += point.Meets(corners[iCorner]) ? 1 : 0;
            }
        }
    }
    _legendBox = corners[std::min_element(std::begin(nInside), std::end(nInside)) - nInside];
    _bLegend = true;
    KeepLabelBox(_legendBox);
}

void CWindowInterface::DrawLegend() {
    if (!_bLegend) {
        return;
    }
    CGraphCanvas* pCanvas = Canvas();
    const int h = pCanvas->CanvasTextHeight("Ag");
    const int nPad = std::max(2, h / 4);
    const int nLine = 2 * h;
    const SLabelBox& box = _legendBox;
    pCanvas->SetCanvasPen(COLOR_GREY, 1);
    pCanvas->SetCanvasBrush(COLOR_WHITE);
    pCanvas->CanvasRectangle(box.x, box.y, box.x + box.w, box.y + box.h);
    int yRow = box.y + nPad;
    for (const SLegendEntry& entry : _legend) {
        pCanvas->SetCanvasPen(entry.nColor, 2);
        pCanvas->CanvasMoveTo(box.x + nPad, yRow + h / 2);
        pCanvas->CanvasLineTo(box.x + nPad + nLine, yRow + h / 2);
        pCanvas->CanvasTextOut(box.x + 2 * nPad + nLine, yRow, entry.name.c_str());
        yRow += h;
    }
}

bool CWindowInterface::CanSample() const {
    return _nLinesRunning == 0 && !_bExploring && CleanupStack::GetCount() == 0;
}

bool CWindowInterface::DrawPicture(bool bSample) {
    PaintWhite();
    CPlotScene* pScene = _poPicture->GetScene();
    bool bSampled = true;
    if (pScene) {
        int pxLeft = 0;
        int pyTop = 0;
        int pxRight = 0;
        int pyBottom = 0;
        GetPlotArea(&pxLeft, &pyTop, &pxRight, &pyBottom);
        const int nWidth = pxRight - pxLeft;
        const int nHeight = pyBottom - pyTop;
        // Stopped by the user or out of memory, the samples of the last
        // view stay.
        if (bSample && CanSample()) {
            bSampled = RunSilently([&] { pScene->SampleView(nWidth, nHeight); }) == 0;
        }
        std::vector<SPlotCurve> curves;
        DrawPlotScene(this, pScene->Describe(pScene->ViewOn(nWidth, nHeight), &curves));
        DrawMarks(*pScene);
    }
    DrawGraphFrame();
    return bSampled;
}

void CWindowInterface::RedrawGraph() {
    if (!Window()->IsGraphVisible() || _bExploring) {
        return;
    }
    DrawPicture(true);
}

void CWindowInterface::RenderGraph(CGraphCanvas* pCanvas) {
    OSTREL_ASSERT(pCanvas);
    // The pane's mapping, labels and legend stay as they are for its next
    // drawing and for reading it.
    const Extended world[4] = {_x0, _y0, _x1, _y1};
    const int area[4] = {_pxLeft, _pyTop, _pxRight, _pyBottom};
    std::vector<SLabelBox> labels;
    labels.swap(_labels);
    const bool bLegend = _bLegend;
    const SLabelBox legendBox = _legendBox;
    CGraphCanvas* pPrevious = _pCanvas;
    _pCanvas = pCanvas;
    const auto restore = [&] {
        _pCanvas = pPrevious;
        _labels.swap(labels);
        _bLegend = bLegend;
        _legendBox = legendBox;
        SetWorldWindow(world[0], world[1], world[2], world[3]);
        _pxLeft = area[0];
        _pyTop = area[1];
        _pxRight = area[2];
        _pyBottom = area[3];
    };
    try {
        DrawPicture(true);
    } catch (int) {
        restore();
        throw;
    }
    restore();
}
