#pragma once

#include "cgraphcanvas.h"
#include "core/cbase.h"

#include <string>

// A canvas that writes an SVG image of the given size: lines as polylines,
// rectangles and label texts as vectors, in the labels' font at the size
// the pane would use. Text is measured from the font's proportions unless a
// subclass measures it with the font itself.
class CSvgCanvas : public CBase, public CGraphCanvas {
public:
    CSvgCanvas(int nWidth, int nHeight);
    ~CSvgCanvas() override;
    std::uint8_t GetClassNumber() const override;

    bool IsGraphVisible() const override { return true; }
    int GetGraphWidth() const override { return _nWidth; }
    int GetGraphHeight() const override { return _nHeight; }
    void SetCanvasPen(int nColor, int nWidth) override;
    void SetCanvasBrush(int nColor) override;
    void CanvasRectangle(int x1, int y1, int x2, int y2) override;
    void CanvasMoveTo(int x, int y) override;
    void CanvasLineTo(int x, int y) override;
    int CanvasTextHeight(const char* pchText) const override;
    int CanvasTextWidth(const char* pchText) const override;
    void CanvasTextOut(int x, int y, const char* pchText) override;
    int GetButtonShadowColor() const override;
    int GetButtonFaceColor() const override;

    // The complete document: what was drawn so far, closed.
    std::string GetDocument() const;
    // Writes the document to the file; false when it could not be written
    // whole. The file is written beside the target under another name and
    // then renamed, so a failed write leaves an earlier file as it was.
    bool WriteFile(const char* pchFileName) const;

private:
    // The element of the polyline being drawn; empty when none is.
    std::string PolylineElement() const;
    // Ends the polyline being drawn, if any: it goes into the body.
    void EndPolyline();
    // The stroke attributes of the current pen.
    std::string StrokeAttributes() const;

    // Not copied: it is an image being written.
    int _nWidth;
    int _nHeight;
    int _nLabelPixels;
    int _nPenColor = 0;
    int _nPenWidth = 1;
    int _nBrushColor;
    // The current position, where the next line starts.
    int _x = 0;
    int _y = 0;
    // The finished elements, and the points of the polyline being drawn
    // (empty when none is).
    std::string _body;
    std::string _points;
};
