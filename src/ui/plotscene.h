#pragma once

#include "core/extended.h"

class CUserInterface;

// What a plot draws, apart from clearing the pane and its frame: scaled to a
// world window, a silver grid, grey axes through the origin, numeric labels
// along the left and bottom edges, each curve in its own colour, and, for
// several curves, a legend. A plot statement draws its first picture with
// it, and the window interface every later one (another size, another view,
// another canvas), so that all of them follow the same rules.

enum EPlotKind {
    PK_XY,   // y = F(x) over the interval, one or more functions
    PK_TXY,  // (FX(t), FY(t))
    PK_PHIR, // r = FR(phi), drawn at (r cos phi, r sin phi)
};

struct SPlotRange {
    Extended lo;
    Extended hi;
};

// What a plot shows: x from left to right, y from bottom to top.
struct SPlotView {
    SPlotRange x;
    SPlotRange y;
};

// One sampled curve; the texts and numbers belong to the caller. A sample
// that could not be evaluated is NaN: the curve is broken there.
struct SPlotCurve {
    const char* pchName; // the function's name, as the summary prints it
    const Extended* px;
    const Extended* py;
    int nColor; // canvas colour, see CanvasColor
    int nSamples;
};

struct SPlotScene {
    EPlotKind kind;
    // The interval the statement sampled, ordered (x, t or phi).
    SPlotRange interval;
    // The world window: x from left to right, y from bottom to top.
    SPlotRange x;
    SPlotRange y;
    const SPlotCurve* pCurves;
    int nCurves;
};

// Grid values first, first + step, ... across a range.
struct SGridStep {
    Extended step;
    Extended first;
};

// The colour of the i-th curve of a picture (0-based): blue first, then
// colours that read well on white.
constexpr int MAX_PLOT_CURVES = 8;
int PlotCurveColor(int iCurve);

// The smallest step of the series 1, 2, 5 times a power of ten that divides
// the range into fewer than 13 parts, and the first multiple of it in the
// range. Raises "Illegal parameter value in function call." unless lo < hi.
SGridStep ChooseGridStep(Extended lo, Extended hi);

// The fewest significant digits, at least two, with which the labels of an
// axis (first, first + step, ... up to the limit, the limit included when
// bInclusive) all read within half a step of their grid values and each
// differs from its neighbours.
int ChooseLabelDigits(const SGridStep& grid, Extended limit, bool bInclusive);

// Whether a view of the range can be gridded and labelled: finite, and wide
// enough for the numbers to tell its grid values apart.
bool IsDrawableRange(const SPlotRange& range);

// Describes the scene to the interface, then draws it: world window, grid,
// axes, vertical and horizontal labels, the curves, the legend (several
// curves only), in this order. The caller has cleared the pane and asked for
// the plot area, and draws the frame afterwards.
void DrawPlotScene(CUserInterface* pUI, const SPlotScene& scene);

// Widens the narrower of the two ranges about its middle, so that one unit
// takes as many pixels across as up on a plot area of nWidth by nHeight
// pixels. Nothing changes for an empty area.
void MakeEqualUnits(SPlotRange* pxRange, SPlotRange* pyRange, int nWidth, int nHeight);
