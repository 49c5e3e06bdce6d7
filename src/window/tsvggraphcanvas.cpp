#include "tsvggraphcanvas.h"

namespace {

QFont LabelFont(QFont font, int nWidth, int nHeight) {
    font.setPixelSize(GraphLabelPixelSize(nWidth, nHeight));
    return font;
}

} // namespace

TSvgGraphCanvas::TSvgGraphCanvas(int nWidth, int nHeight, const QFont& font)
    : CSvgCanvas(nWidth, nHeight), _metrics(LabelFont(font, nWidth, nHeight)) {}

int TSvgGraphCanvas::CanvasTextHeight(const char* /*pchText*/) const {
    return _metrics.height();
}

int TSvgGraphCanvas::CanvasTextWidth(const char* pchText) const {
    return _metrics.horizontalAdvance(QString::fromUtf8(pchText));
}
