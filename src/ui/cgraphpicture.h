#pragma once

#include "core/cbase.h"
#include "core/extended.h"
#include "plotscene.h"

#include <string>
#include <utility>
#include <vector>

// The graph pane's picture as it was drawn since the last ClearGraph: the
// drawing operations in world coordinates, in their order, so that it can
// be drawn again at any size without running anything, and the plot that
// made it (kind, interval, view and each curve's samples), so that it can be
// traced, zoomed and panned.
class CGraphPicture : public CBase {
public:
    enum EOperation {
        OP_PLOT_AREA,    // the plot area was asked for: it follows the pane
        OP_WORLD_WINDOW, // a, b, c, d: x0, y0, x1, y1
        OP_MOVE_TO,      // a, b: x, y
        OP_LINE_TO,      // a, b: x, y
        OP_AXIS_PEN,
        OP_GRID_PEN,
        OP_PEN_COLOR, // a: the canvas colour
        OP_NUMBER,    // a, b, c: value, x, y
        OP_LEGEND,
        OP_FRAME,
    };
    struct SOperation {
        EOperation op;
        Extended a;
        Extended b;
        Extended c;
        Extended d;
    };
    struct SCurve {
        std::string name;
        int nColor;
        std::vector<Extended> x;
        std::vector<Extended> y;
    };

    CGraphPicture();
    ~CGraphPicture() override;
    std::uint8_t GetClassNumber() const override;

    // Forgets everything: the pane was cleared.
    void Clear();
    // Raises "Out of memory." when the picture cannot grow; what was
    // recorded before stays.
    void Record(EOperation op, Extended a = 0, Extended b = 0, Extended c = 0, Extended d = 0);
    // Keeps a copy of the plot's description and samples.
    void KeepPlot(const SPlotScene& scene);

    bool IsEmpty() const { return _operations.empty(); }
    const std::vector<SOperation>& GetOperations() const { return _operations; }
    bool HasPlot() const { return _bHasPlot; }
    EPlotKind GetKind() const { return _kind; }
    const SPlotRange& GetInterval() const { return _interval; }
    const SPlotRange& GetViewX() const { return _x; }
    const SPlotRange& GetViewY() const { return _y; }
    const std::vector<SCurve>& GetCurves() const { return _curves; }
    // Hands the curves over, for a picture about to be drawn anew from them.
    std::vector<SCurve> TakeCurves() { return std::move(_curves); }
    // The curves as a scene draws them, pointing into the given ones.
    static std::vector<SPlotCurve> SceneCurves(const std::vector<SCurve>& curves);
    // Changes whenever the picture does.
    unsigned GetRevision() const { return _nRevision; }

private:
    std::vector<SOperation> _operations;
    std::vector<SCurve> _curves;
    EPlotKind _kind = PK_XY;
    SPlotRange _interval{0, 0};
    SPlotRange _x{0, 0};
    SPlotRange _y{0, 0};
    bool _bHasPlot = false;
    unsigned _nRevision = 0;
};
