#pragma once

#include "ui/csvgcanvas.h"

#include <QFontMetrics>

// The SVG canvas of a saved graph, measuring its labels with the pane's own
// font so that the image is laid out as the pane shows it.
class TSvgGraphCanvas final : public CSvgCanvas {
public:
    // font is the pane's label font; its pixel size follows the image's size.
    TSvgGraphCanvas(int nWidth, int nHeight, const QFont& font);

    int CanvasTextHeight(const char* pchText) const override;
    int CanvasTextWidth(const char* pchText) const override;

private:
    QFontMetrics _metrics;
};
