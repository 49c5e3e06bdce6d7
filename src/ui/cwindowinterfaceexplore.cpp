// Reading and exploring the graph pane's picture: what lies under the
// pointer, and other views of the scene, each sampled anew.

#include "cwindowinterface.h"

#include "cgraphpicture.h"
#include "core/cassert.h"
#include "core/cstring.h"
#include "cwindowoperations.h"
#include "expression/cexpression.h"
#include "statements/cplotscene.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

template <std::size_t N> void CopyText(char (&pchTarget)[N], const std::string& text) {
    std::snprintf(pchTarget, N, "%s", text.c_str());
}

SPlotRange Zoomed(const SPlotRange& range, Extended centre, double factor) {
    return {centre - (centre - range.lo) * factor, centre + (range.hi - centre) * factor};
}

SPlotRange Shifted(const SPlotRange& range, Extended shift) {
    return {range.lo + shift, range.hi + shift};
}

// The probe box stands this far inside the pane's edge.
constexpr int PROBE_BOX_INSET = 5;

} // namespace

Extended CWindowInterface::UnmapX(int px) const {
    return _x0 + static_cast<Extended>(px - _pxLeft) * (_x1 - _x0) / (_pxRight - _pxLeft);
}

Extended CWindowInterface::UnmapY(int py) const {
    return _y0 + static_cast<Extended>(py - _pyTop) * (_y1 - _y0) / (_pyBottom - _pyTop);
}

bool CWindowInterface::IsGraphNavigable() const {
    return _poPicture->HasPlot() && _pxRight > _pxLeft && _pyBottom > _pyTop;
}

// --- Reading ----------------------------------------------------------------------

bool CWindowInterface::ProbeSample(int iCurve, int iSample, SGraphProbe* pProbe) const {
    OSTREL_ASSERT(pProbe);
    if (!IsGraphNavigable()) {
        return false;
    }
    const std::vector<CPlotScene::SCurve>& curves = _poPicture->GetScene()->GetCurves();
    if (iCurve < 0 || iCurve >= static_cast<int>(curves.size())) {
        return false;
    }
    const CPlotScene::SCurve& curve = curves[static_cast<std::size_t>(iCurve)];
    if (iSample < 0 || iSample >= static_cast<int>(curve.x.size())) {
        return false;
    }
    const auto i = static_cast<std::size_t>(iSample);
    const Extended x = curve.x[i];
    const Extended y = curve.y[i];
    if (std::isnan(x) || std::isnan(y)) {
        return false;
    }
    pProbe->bSample = true;
    pProbe->iCurve = iCurve;
    pProbe->iSample = iSample;
    pProbe->pxSample = MapX(x);
    pProbe->pySample = MapY(y);
    pProbe->xSample = x;
    pProbe->ySample = y;
    pProbe->nColor = curve.nColor;
    const std::string point = ":  x = " + ShortNumberText(x) + "  y = " + ShortNumberText(y);
    switch (_poPicture->GetScene()->GetKind()) {
    case PK_XY:
        // F(1.25) = 0.949, or for an expression X^2 = 1.5625 at X = 1.25.
        CopyText(pProbe->pchSample,
                 curve.bExpression
                     ? curve.name + " = " + ShortNumberText(y) + " at X = " + ShortNumberText(x)
                     : curve.name + "(" + ShortNumberText(x) + ") = " + ShortNumberText(y));
        break;
    case PK_TXY:
        CopyText(pProbe->pchSample, "T = " + ShortNumberText(curve.t[i]) + point);
        break;
    case PK_PHIR:
        CopyText(pProbe->pchSample, "PHI = " + ShortNumberText(curve.t[i]) + point);
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
             "x = " + ShortNumberText(pProbe->x) + "  y = " + ShortNumberText(pProbe->y));
    pProbe->bSample = false;
    pProbe->pchSample[0] = '\0';
    // The sample nearest on the pane, over every curve.
    int iBestCurve = -1;
    int iBestSample = -1;
    double bestDistance = 0;
    const std::vector<CPlotScene::SCurve>& curves = _poPicture->GetScene()->GetCurves();
    for (std::size_t iCurve = 0; iCurve < curves.size(); ++iCurve) {
        const CPlotScene::SCurve& curve = curves[iCurve];
        for (std::size_t i = 0; i < curve.x.size(); ++i) {
            if (std::isnan(curve.x[i]) || std::isnan(curve.y[i])) {
                continue;
            }
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

void CWindowInterface::PlaceProbeBox(int nWidth, int nHeight, int* px, int* py) const {
    OSTREL_ASSERT(px && py);
    const CGraphCanvas* pCanvas = Canvas();
    const int nLeft = PROBE_BOX_INSET;
    const int nTop = PROBE_BOX_INSET;
    const int nRight = pCanvas->GetGraphWidth() - PROBE_BOX_INSET - nWidth;
    const int nBottom = pCanvas->GetGraphHeight() - PROBE_BOX_INSET - nHeight;
    // The upper corners first, where the eye looks for it; the labels stand
    // along the left and bottom edges, so the upper right is mostly free.
    const int corners[4][2] = {{nLeft, nTop}, {nRight, nTop}, {nRight, nBottom}, {nLeft, nBottom}};
    for (const auto& corner : corners) {
        const SLabelBox box{corner[0], corner[1], nWidth, nHeight};
        if (IsFreeOfLabels(box)) {
            *px = corner[0];
            *py = corner[1];
            return;
        }
    }
    // No corner is free (a tiny pane): just below the legend, or the upper
    // right.
    *px = nRight;
    *py = _bLegend ? _legendBox.y + _legendBox.h + PROBE_BOX_INSET : nTop;
}

// --- Exploring --------------------------------------------------------------------

SPlotView CWindowInterface::ShownView() const {
    // The world window's top is its y0.
    return {{_x0, _x1}, {_y1, _y0}};
}

bool CWindowInterface::ShowView(const SPlotView& view) {
    if (!IsGraphNavigable() || _nLinesRunning > 0 || _bExploring || !IsDrawableRange(view.x) ||
        !IsDrawableRange(view.y)) {
        return false;
    }
    CPlotScene* pScene = _poPicture->GetScene();
    const SPlotView previous = pScene->GetView();
    pScene->SetView(view);
    if (!Window()->IsGraphVisible()) {
        return true;
    }
    const bool bShown = DrawPicture(true);
    if (!bShown) {
        // Stopped while sampling: the view stays where it was.
        pScene->SetView(previous);
        DrawPicture(false);
    }
    _poPicture->Touch();
    return bShown;
}

void CWindowInterface::ZoomGraph(int px, int py, double xFactor, double yFactor) {
    const auto isFactor = [](double factor) { return factor > 0 && std::isfinite(factor); };
    if (!IsGraphNavigable() || !isFactor(xFactor) || !isFactor(yFactor)) {
        return;
    }
    const SPlotView shown = ShownView();
    ShowView({Zoomed(shown.x, UnmapX(px), xFactor), Zoomed(shown.y, UnmapY(py), yFactor)});
}

void CWindowInterface::PanGraph(int dx, int dy) {
    if (!IsGraphNavigable()) {
        return;
    }
    // The content follows the pointer: the view moves the other way.
    const SPlotView shown = ShownView();
    ShowView({Shifted(shown.x, UnmapX(_pxLeft) - UnmapX(_pxLeft + dx)),
              Shifted(shown.y, UnmapY(_pyTop) - UnmapY(_pyTop + dy))});
}

void CWindowInterface::ZoomGraphTo(int px1, int py1, int px2, int py2) {
    if (!IsGraphNavigable() || (px1 == px2 && py1 == py2)) {
        return;
    }
    // Pixel rows grow downwards, world y upwards.
    SPlotView view = ShownView();
    if (px1 != px2) {
        view.x = {UnmapX(std::min(px1, px2)), UnmapX(std::max(px1, px2))};
        // An area asked for next starts from this span.
        _bSpan = true;
        _span = view.x;
    }
    if (py1 != py2) {
        view.y = {UnmapY(std::max(py1, py2)), UnmapY(std::min(py1, py2))};
    }
    ShowView(view);
}

void CWindowInterface::HomeGraph() {
    if (IsGraphNavigable()) {
        ShowView(_poPicture->GetScene()->GetHomeView());
    }
}

bool CWindowInterface::GetGraphView(SPlotView* pView) const {
    OSTREL_ASSERT(pView);
    if (!IsGraphNavigable()) {
        return false;
    }
    *pView = ShownView();
    return true;
}

bool CWindowInterface::SetGraphView(const SPlotView& view) {
    return ShowView(view);
}

bool CWindowInterface::EvaluateText(const char* pchText, Extended* pValue) {
    OSTREL_ASSERT(pchText && pValue);
    if (!CanSample()) {
        return false;
    }
    CString* poText = nullptr;
    CExpression* poExpr = nullptr;
    bool bEvaluated = false;
    RunSilently([&] {
        poText = new CString;
        poText->Set(pchText);
        poText->ToUpperOutsideQuotes();
        poExpr = new CExpression(_poProgram);
        poExpr->SetCode(poText);
        poExpr->Link(nullptr, nullptr, nullptr, nullptr);
        poExpr->BuildTree();
        if (!poExpr->IsSubroutineCall()) {
            *pValue = poExpr->Evaluate();
            bEvaluated = std::isfinite(*pValue);
        }
    });
    delete poExpr;
    delete poText;
    return bEvaluated;
}
