// Answers from the graph pane's picture: the zero, extremum or crossing
// nearest to where the user points, a value and an area, each marked on the
// picture and printed in one line.

#include "cwindowinterface.h"

#include "cgraphpicture.h"
#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/errorcodes.h"
#include "cwindowoperations.h"
#include "statements/numericalcommand.h"
#include "symbols/bisection.h"
#include "symbols/cfunction.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Samples = std::vector<Extended>;

bool IsSample(const Samples& xs, const Samples& ys, std::size_t i) {
    return !std::isnan(xs[i]) && !std::isnan(ys[i]);
}

bool ChangesSign(Extended a, Extended b) {
    return a == 0 || (a < 0 && b > 0) || (a > 0 && b < 0);
}

// The pair of neighbouring samples (i, i + 1) nearest to x for which
// bracket(i) holds, or -1: the samples of the view are where the search
// begins, the refinement then goes as far as the function allows.
template <class B> int NearestPair(const Samples& xs, const Samples& ys, Extended x, B&& bracket) {
    int iBest = -1;
    Extended best = 0;
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
        if (!IsSample(xs, ys, i) || !IsSample(xs, ys, i + 1) || !bracket(i)) {
            continue;
        }
        const Extended distance = std::fmin(std::fabs(xs[i] - x), std::fabs(xs[i + 1] - x));
        if (iBest < 0 || distance < best) {
            iBest = static_cast<int>(i);
            best = distance;
        }
    }
    return iBest;
}

std::string CurveName(const CPlotScene& scene, int iCurve) {
    return scene.GetCurves()[static_cast<std::size_t>(iCurve)].name;
}

template <std::size_t N> void SetMessage(char (&pchMessage)[N], const std::string& text) {
    std::snprintf(pchMessage, N, "%s", text.c_str());
}

int Tint(int nColor) {
    // A quarter of the colour on white, for the shaded area.
    const auto part = [nColor](int nShift) { return (((nColor >> nShift) & 0xFF) + 3 * 255) / 4; };
    return CanvasColor(part(0), part(8), part(16));
}

} // namespace

bool CWindowInterface::CanAnswerGraphQuestions() const {
    const CPlotScene* pScene = _poPicture->GetScene();
    return IsGraphNavigable() && pScene->GetKind() == PK_XY && pScene->HasFunctions() &&
           CanSample();
}

SPlotRange CWindowInterface::GetAreaSpan() const {
    return _bSpan ? _span : ShownView().x;
}

int CWindowInterface::NearestOtherCurve(int iCurve, Extended x) const {
    const std::vector<CPlotScene::SCurve>& curves = _poPicture->GetScene()->GetCurves();
    const CPlotScene::SCurve& curve = curves[static_cast<std::size_t>(iCurve)];
    // The curves of a PLOTXY share their abscissae.
    const int i = NearestPair(curve.x, curve.y, x, [](std::size_t) { return true; });
    int iNearest = -1;
    Extended nearest = 0;
    for (int k = 0; i >= 0 && k < static_cast<int>(curves.size()); ++k) {
        const Extended y = curves[static_cast<std::size_t>(k)].y[static_cast<std::size_t>(i)];
        const Extended distance = std::fabs(y - curve.y[static_cast<std::size_t>(i)]);
        if (k != iCurve && !std::isnan(y) && (iNearest < 0 || distance < nearest)) {
            iNearest = k;
            nearest = distance;
        }
    }
    return iNearest;
}

bool CWindowInterface::AnswerGraphQuestion(const SGraphQuestion& asked, char (&pchMessage)[160]) {
    pchMessage[0] = '\0';
    if (!CanAnswerGraphQuestions()) {
        SetMessage(pchMessage, "There is no plot of functions to ask.");
        return false;
    }
    CPlotScene& scene = *_poPicture->GetScene();
    const auto nCurves = static_cast<int>(scene.GetCurves().size());
    const bool bOther = asked.kind == GQ_INTERSECTION;
    SGraphQuestion question = asked;
    if (bOther && question.iOther < 0 && question.iCurve >= 0 && question.iCurve < nCurves) {
        question.iOther = NearestOtherCurve(question.iCurve, question.x);
    }
    if (question.iCurve < 0 || question.iCurve >= nCurves ||
        (bOther && (question.iOther < 0 || question.iOther >= nCurves ||
                    question.iOther == question.iCurve))) {
        SetMessage(pchMessage, "There is no such curve.");
        return false;
    }
    const std::string name = CurveName(scene, question.iCurve);
    CPlotScene::SMark mark;
    mark.iCurve = question.iCurve;
    bool bFound = false;
    // The functions run as they do for a new view; an error of theirs
    // leaves this answer out.
    const int nCode = RunSilently([&] { bFound = FindAnswer(question, &mark, pchMessage); });
    if (nCode != 0) {
        bFound = false;
        SetMessage(pchMessage, nCode == ERR_INTERRUPTED ? std::string("Stopped.")
                                                        : name + " cannot be evaluated there.");
    }
    if (!bFound) {
        if (pchMessage[0] == '\0') {
            SetMessage(pchMessage, name + " has no value there.");
        }
        return false;
    }
    mark.label = mark.bArea ? "Area = " + ShortNumberText(mark.y)
                 : question.kind == GQ_ZERO
                     ? ShortNumberText(mark.x)
                     : "(" + ShortNumberText(mark.x) + ", " + ShortNumberText(mark.y) + ")";
    scene.AddMark(mark);
    PrintAnswer(question, mark);
    if (Window()->IsGraphVisible()) {
        DrawPicture(false);
    }
    _poPicture->Touch();
    return true;
}

bool CWindowInterface::FindAnswer(const SGraphQuestion& question, CPlotScene::SMark* pMark,
                                  char (&pchMessage)[160]) const {
    const CPlotScene& scene = *_poPicture->GetScene();
    const CPlotScene::SCurve& curve = scene.GetCurves()[static_cast<std::size_t>(question.iCurve)];
    CFunction* pFunc = curve.pFunc;
    const Samples& xs = curve.x;
    const Samples& ys = curve.y;
    const std::string& name = curve.name;
    CPlotScene::SMark& mark = *pMark;
    bool bFound = false;
    switch (question.kind) {
    case GQ_ZERO: {
        const int i = NearestPair(xs, ys, question.x,
                                  [&](std::size_t j) { return ChangesSign(ys[j], ys[j + 1]); });
        bFound = i >= 0 && pFunc->FindZero(xs[static_cast<std::size_t>(i)],
                                           xs[static_cast<std::size_t>(i) + 1], &mark.x);
        mark.y = 0;
        if (!bFound) {
            SetMessage(pchMessage, "No zero of " + name + " in view.");
        }
        break;
    }
    case GQ_MINIMUM:
    case GQ_MAXIMUM: {
        const bool bMaximum = question.kind == GQ_MAXIMUM;
        // A sample higher (lower) than the one before it and not lower
        // (higher) than the one after: the slope changes sign there.
        const int i = NearestPair(xs, ys, question.x, [&](std::size_t j) {
            if (j == 0) {
                return false;
            }
            const Extended before = ys[j - 1];
            return bMaximum ? before < ys[j] && ys[j] >= ys[j + 1]
                            : before > ys[j] && ys[j] <= ys[j + 1];
        });
        if (i > 0 && !std::isnan(xs[static_cast<std::size_t>(i) - 1])) {
            pFunc->FindExtremum(xs[static_cast<std::size_t>(i) - 1],
                                xs[static_cast<std::size_t>(i) + 1], bMaximum, &mark.x, &mark.y);
            bFound = std::isfinite(mark.y);
        }
        if (!bFound) {
            SetMessage(pchMessage,
                       (bMaximum ? "No maximum of " : "No minimum of ") + name + " in view.");
        }
        break;
    }
    case GQ_INTERSECTION: {
        const CPlotScene::SCurve& other =
            scene.GetCurves()[static_cast<std::size_t>(question.iOther)];
        CFunction* pOther = other.pFunc;
        const int i = NearestPair(xs, ys, question.x, [&](std::size_t j) {
            return !std::isnan(other.y[j]) && !std::isnan(other.y[j + 1]) &&
                   ChangesSign(ys[j] - other.y[j], ys[j + 1] - other.y[j + 1]);
        });
        bFound =
            i >= 0 && BisectZero([&](Extended t) { return pFunc->ValueAt(t) - pOther->ValueAt(t); },
                                 xs[static_cast<std::size_t>(i)],
                                 xs[static_cast<std::size_t>(i) + 1], &mark.x);
        if (bFound) {
            mark.y = pFunc->ValueAt(mark.x);
        } else {
            SetMessage(pchMessage, name + " and " + other.name + " do not cross in view.");
        }
        break;
    }
    case GQ_VALUE:
        mark.x = question.x;
        mark.y = pFunc->ValueAt(question.x);
        bFound = std::isfinite(mark.y);
        break;
    case GQ_AREA:
        mark.bArea = true;
        mark.x = std::fmin(question.x, question.x2);
        mark.x2 = std::fmax(question.x, question.x2);
        bFound = mark.x < mark.x2;
        mark.y = bFound ? RefinedIntegral(pFunc, mark.x, mark.x2) : 0;
        bFound = bFound && std::isfinite(mark.y);
        if (!(mark.x < mark.x2)) {
            SetMessage(pchMessage, "An area needs two different ends.");
        }
        break;
    }
    return bFound;
}

void CWindowInterface::PrintAnswer(const SGraphQuestion& question, const CPlotScene::SMark& mark) {
    const CPlotScene& scene = *_poPicture->GetScene();
    const std::string name = CurveName(scene, question.iCurve);
    switch (question.kind) {
    case GQ_ZERO:
        PrintText(("Zero of " + name + " at X = ").c_str());
        PrintNumber(mark.x);
        PrintText("\n");
        return;
    case GQ_AREA:
        PrintText(("Area under " + name + " from X = ").c_str());
        PrintNumber(mark.x);
        PrintText(" to X = ");
        PrintNumber(mark.x2);
        PrintText(" : ");
        PrintNumber(mark.y);
        PrintText("\n");
        return;
    case GQ_MINIMUM:
        PrintText(("Minimum of " + name).c_str());
        break;
    case GQ_MAXIMUM:
        PrintText(("Maximum of " + name).c_str());
        break;
    case GQ_INTERSECTION:
        PrintText(
            ("Intersection of " + name + " and " + CurveName(scene, question.iOther)).c_str());
        break;
    case GQ_VALUE:
        PrintText(("Value of " + name).c_str());
        break;
    }
    PrintText(" at X = ");
    PrintNumber(mark.x);
    PrintText(" : Y = ");
    PrintNumber(mark.y);
    PrintText("\n");
}

void CWindowInterface::DrawMarks(const CPlotScene& scene) {
    CGraphCanvas* pCanvas = Canvas();
    for (const CPlotScene::SMark& mark : scene.GetMarks()) {
        const CPlotScene::SCurve& curve = scene.GetCurves()[static_cast<std::size_t>(mark.iCurve)];
        int px = MapX(mark.x);
        int py = MapY(mark.y);
        if (mark.bArea) {
            // Shaded between the curve and the x axis, the curve drawn
            // again over its shade.
            const int pyAxis = MapY(0);
            for (const int nColor : {Tint(curve.nColor), curve.nColor}) {
                pCanvas->SetCanvasPen(nColor, 1);
                bool bPenDown = false;
                for (std::size_t i = 0; i < curve.x.size(); ++i) {
                    const bool bInside =
                        curve.x[i] >= mark.x && curve.x[i] <= mark.x2 && !std::isnan(curve.y[i]);
                    const int pxSample = bInside ? MapX(curve.x[i]) : 0;
                    const int pySample = bInside ? MapY(curve.y[i]) : 0;
                    if (bInside && nColor != curve.nColor) {
                        pCanvas->CanvasMoveTo(pxSample, pyAxis);
                        pCanvas->CanvasLineTo(pxSample, pySample);
                    } else if (bInside && bPenDown) {
                        pCanvas->CanvasLineTo(pxSample, pySample);
                    } else if (bInside) {
                        pCanvas->CanvasMoveTo(pxSample, pySample);
                    }
                    bPenDown = bInside;
                }
            }
            px = MapX((mark.x + mark.x2) / 2);
            py = pyAxis;
        } else {
            pCanvas->SetCanvasPen(curve.nColor, 1);
            pCanvas->SetCanvasBrush(curve.nColor);
            pCanvas->CanvasRectangle(px - 2, py - 2, px + 3, py + 3);
        }
        // The label stands right of and above the point, on white, unless
        // it would cover another, such as that of an answer at the same
        // point: the mark itself is there all the same.
        const char* pchLabel = mark.label.c_str();
        const SLabelBox box{px + 4, py - pCanvas->CanvasTextHeight(pchLabel) - 1,
                            pCanvas->CanvasTextWidth(pchLabel),
                            pCanvas->CanvasTextHeight(pchLabel)};
        if (IsFreeOfLabels(box)) {
            KeepLabelBox(box);
            pCanvas->SetCanvasBrush(CanvasColor(255, 255, 255));
            pCanvas->CanvasTextOut(box.x, box.y, pchLabel);
        }
    }
}
