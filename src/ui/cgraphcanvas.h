#pragma once

// A drawing surface for the graph pane's picture: the window's pane, the
// terminal program's virtual pane, or a vector image being written. Pixel
// coordinates, origin at the top left.
//
// A plain interface, not a counted object: the window's implementation is a
// toolkit object with a lifetime of its own.
class CGraphCanvas {
public:
    virtual ~CGraphCanvas() = default;

    // Colours are 24-bit RGB with red in the low byte. Lines exclude their
    // end point; a rectangle covers x1..x2-1 and y1..y2-1, outlined with the
    // pen and filled with the brush. Text stands on the brush colour.
    virtual bool IsGraphVisible() const = 0;
    virtual int GetGraphWidth() const = 0;
    virtual int GetGraphHeight() const = 0;
    virtual void SetCanvasPen(int nColor, int nWidth) = 0;
    virtual void SetCanvasBrush(int nColor) = 0;
    virtual void CanvasRectangle(int x1, int y1, int x2, int y2) = 0;
    virtual void CanvasMoveTo(int x, int y) = 0;
    virtual void CanvasLineTo(int x, int y) = 0;
    virtual int CanvasTextHeight(const char* pchText) const = 0;
    virtual int CanvasTextWidth(const char* pchText) const = 0;
    virtual void CanvasTextOut(int x, int y, const char* pchText) = 0;
    virtual int GetButtonShadowColor() const = 0;
    virtual int GetButtonFaceColor() const = 0;
};

// A 24-bit canvas colour from its components.
constexpr int CanvasColor(int red, int green, int blue) {
    return red + 256 * green + 65536 * blue;
}

// The pixel size of the labels on a pane of the given size: 8 up to about
// the design size, growing moderately with larger panes (14 on a maximised
// full-HD window) and never beyond 18. Every canvas uses this rule, so that
// a picture saved or written by the terminal program is laid out as the
// window shows it.
int GraphLabelPixelSize(int nWidth, int nHeight);

// Text metrics of the labels' font (DejaVu Sans) at a pixel size, from its
// proportions, for canvases that have no font of their own to measure.
int EstimatedTextHeight(int nPixelSize);
// The part of that height above the baseline.
int EstimatedTextAscent(int nPixelSize);
int EstimatedTextWidth(const char* pchText, int nPixelSize);
