#include "cgraphcanvas.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int LABEL_PIXELS_MIN = 8;
constexpr int LABEL_PIXELS_MAX = 18;

// Advance widths of DejaVu Sans in ems: the characters of number labels
// exactly, the others by their kind.
double AdvanceOf(unsigned char ch) {
    if (ch >= '0' && ch <= '9') {
        return 0.636;
    }
    switch (ch) {
    case '.':
    case ',':
    case ' ':
        return 0.318;
    case '-':
        return 0.361;
    case '(':
    case ')':
        return 0.390;
    case '=':
    case '+':
        return 0.838;
    default:
        break;
    }
    if (ch >= 'A' && ch <= 'Z') {
        return 0.684;
    }
    return ch >= 'a' && ch <= 'z' ? 0.590 : 0.636;
}

} // namespace

int GraphLabelPixelSize(int nWidth, int nHeight) {
    // The design pane (about 420 by 180) keeps the 8-pixel labels; a pane
    // grows its labels by about one pixel per 85 columns or 70 rows,
    // whichever it has fewer of.
    const double size = std::min(nWidth / 85.0, nHeight / 70.0);
    return std::clamp(static_cast<int>(std::lround(size)), LABEL_PIXELS_MIN, LABEL_PIXELS_MAX);
}

int EstimatedTextAscent(int nPixelSize) {
    return static_cast<int>(std::ceil(0.928 * nPixelSize));
}

int EstimatedTextHeight(int nPixelSize) {
    // Ascent and descent of the font, each rounded up, as a rasteriser's
    // metrics give them.
    return EstimatedTextAscent(nPixelSize) + static_cast<int>(std::ceil(0.236 * nPixelSize));
}

int EstimatedTextWidth(const char* pchText, int nPixelSize) {
    double ems = 0;
    for (const char* pch = pchText; *pch != '\0'; ++pch) {
        ems += AdvanceOf(static_cast<unsigned char>(*pch));
    }
    return static_cast<int>(std::lround(ems * nPixelSize));
}
