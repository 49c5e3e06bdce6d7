#include "csvgcanvas.h"

#include "core/cassert.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>

namespace {

// Temporary names tried beside the target before giving up.
constexpr int TEMPORARY_NAME_TRIES = 100;

std::string ColorText(int nColor) {
    char pch[8];
    std::snprintf(pch, sizeof pch, "#%02x%02x%02x", nColor & 0xff, (nColor >> 8) & 0xff,
                  (nColor >> 16) & 0xff);
    return pch;
}

// The centre of pixel n: a one-pixel stroke through it covers that pixel
// alone.
std::string Centre(int n) {
    // Not printf: its separator follows the process locale.
    char pch[24];
    const std::to_chars_result result =
        std::to_chars(pch, pch + sizeof pch, n + 0.5, std::chars_format::fixed, 1);
    return {pch, result.ptr};
}

// The length of the well-formed UTF-8 sequence of an XML character at pch,
// or 0 when none starts there.
int Utf8Length(const unsigned char* pch) {
    if (pch[0] < 0x80) {
        return 1;
    }
    // The lead byte gives the length and narrows the second byte's range,
    // which excludes overlong forms, surrogates and code points past U+10FFFF.
    int nLength = 0;
    unsigned char lo = 0x80;
    unsigned char hi = 0xbf;
    if (pch[0] >= 0xc2 && pch[0] <= 0xdf) {
        nLength = 2;
    } else if (pch[0] >= 0xe0 && pch[0] <= 0xef) {
        nLength = 3;
        lo = pch[0] == 0xe0 ? 0xa0 : lo;
        hi = pch[0] == 0xed ? 0x9f : hi;
    } else if (pch[0] >= 0xf0 && pch[0] <= 0xf4) {
        nLength = 4;
        lo = pch[0] == 0xf0 ? 0x90 : lo;
        hi = pch[0] == 0xf4 ? 0x8f : hi;
    } else {
        return 0;
    }
    if (pch[1] < lo || pch[1] > hi) {
        return 0;
    }
    for (int i = 2; i < nLength; ++i) {
        if (pch[i] < 0x80 || pch[i] > 0xbf) {
            return 0;
        }
    }
    // U+FFFE and U+FFFF are no XML characters.
    if (pch[0] == 0xef && pch[1] == 0xbf && pch[2] >= 0xbe) {
        return 0;
    }
    return nLength;
}

// The text as XML character data: markup characters as references, control
// characters dropped, UTF-8 kept, and any other byte read as Latin-1.
std::string Escaped(const char* pchText) {
    std::string text;
    const auto* pch = reinterpret_cast<const unsigned char*>(pchText);
    while (*pch != '\0') {
        const int nLength = Utf8Length(pch);
        if (nLength == 0) {
            text += static_cast<char>(0xc0 | (*pch >> 6));
            text += static_cast<char>(0x80 | (*pch & 0x3f));
            ++pch;
            continue;
        }
        switch (*pch) {
        case '&':
            text += "&amp;";
            break;
        case '<':
            text += "&lt;";
            break;
        case '>':
            text += "&gt;";
            break;
        case '"':
            text += "&quot;";
            break;
        default:
            if (*pch >= 0x20) {
                text.append(reinterpret_cast<const char*>(pch), nLength);
            }
            break;
        }
        pch += nLength;
    }
    return text;
}

enum class EWriteResult { Written, NameTaken, Failed };

// Writes the text to a new file of that name. An existing file is left
// alone; a failed write leaves no file behind.
EWriteResult WriteNewFile(const std::string& name, const std::string& text) {
    std::FILE* pFile = std::fopen(name.c_str(), "wbx");
    if (!pFile) {
        return errno == EEXIST ? EWriteResult::NameTaken : EWriteResult::Failed;
    }
    const bool bWritten = std::fwrite(text.data(), 1, text.size(), pFile) == text.size();
    if (std::fclose(pFile) != 0 || !bWritten) {
        std::remove(name.c_str());
        return EWriteResult::Failed;
    }
    return EWriteResult::Written;
}

} // namespace

CSvgCanvas::CSvgCanvas(int nWidth, int nHeight)
    : _nWidth(nWidth), _nHeight(nHeight), _nLabelPixels(GraphLabelPixelSize(nWidth, nHeight)),
      _nBrushColor(CanvasColor(255, 255, 255)) {
    OSTREL_ASSERT(nWidth > 0 && nHeight > 0);
    AddInstance(CN_SVGCANVAS);
}

CSvgCanvas::~CSvgCanvas() {
    RemoveInstance(CN_SVGCANVAS);
}

std::uint8_t CSvgCanvas::GetClassNumber() const {
    return CN_SVGCANVAS;
}

void CSvgCanvas::SetCanvasPen(int nColor, int nWidth) {
    // A pen of width 0 draws one pixel wide, as the window's does.
    const int nPenWidth = std::max(nWidth, 1);
    if (nColor != _nPenColor || nPenWidth != _nPenWidth) {
        EndPolyline();
        _nPenColor = nColor;
        _nPenWidth = nPenWidth;
    }
}

void CSvgCanvas::SetCanvasBrush(int nColor) {
    _nBrushColor = nColor;
}

void CSvgCanvas::CanvasRectangle(int x1, int y1, int x2, int y2) {
    EndPolyline();
    const int left = std::min(x1, x2);
    const int top = std::min(y1, y2);
    const int width = std::max(x1, x2) - left;
    const int height = std::max(y1, y2) - top;
    if (width < 2 || height < 2) {
        // No inside: the outline covers all of it, if anything.
        if (width > 0 && height > 0) {
            _body += "<rect x=\"" + std::to_string(left) + "\" y=\"" + std::to_string(top) +
                     "\" width=\"" + std::to_string(width) + "\" height=\"" +
                     std::to_string(height) + "\" stroke=\"none\" fill=\"" + ColorText(_nPenColor) +
                     "\"/>\n";
        }
        return;
    }
    // The outline runs through the centres of the outermost pixels.
    _body += "<rect x=\"" + Centre(left) + "\" y=\"" + Centre(top) + "\" width=\"" +
             std::to_string(width - 1) + "\" height=\"" + std::to_string(height - 1) +
             "\" fill=\"" + ColorText(_nBrushColor) + "\" " + StrokeAttributes() + "/>\n";
}

void CSvgCanvas::CanvasMoveTo(int x, int y) {
    EndPolyline();
    _x = x;
    _y = y;
}

void CSvgCanvas::CanvasLineTo(int x, int y) {
    if (_points.empty()) {
        _points = Centre(_x) + ',' + Centre(_y);
    }
    _points += ' ' + Centre(x) + ',' + Centre(y);
    _x = x;
    _y = y;
}

int CSvgCanvas::CanvasTextHeight(const char* /*pchText*/) const {
    return EstimatedTextHeight(_nLabelPixels);
}

int CSvgCanvas::CanvasTextWidth(const char* pchText) const {
    OSTREL_ASSERT(pchText);
    return EstimatedTextWidth(pchText, _nLabelPixels);
}

void CSvgCanvas::CanvasTextOut(int x, int y, const char* pchText) {
    OSTREL_ASSERT(pchText);
    EndPolyline();
    const int ascent = EstimatedTextAscent(_nLabelPixels);
    _body += "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\"" +
             std::to_string(CanvasTextWidth(pchText)) + "\" height=\"" +
             std::to_string(CanvasTextHeight(pchText)) + "\" stroke=\"none\" fill=\"" +
             ColorText(_nBrushColor) + "\"/>\n";
    _body += "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y + ascent) +
             "\" font-family=\"DejaVu Sans\" font-size=\"" + std::to_string(_nLabelPixels) +
             "\" fill=\"#000000\" xml:space=\"preserve\">" + Escaped(pchText) + "</text>\n";
}

int CSvgCanvas::GetButtonShadowColor() const {
    return CanvasColor(128, 128, 128);
}

int CSvgCanvas::GetButtonFaceColor() const {
    return CanvasColor(240, 240, 240);
}

std::string CSvgCanvas::PolylineElement() const {
    if (_points.empty()) {
        return {};
    }
    return "<polyline fill=\"none\" " + StrokeAttributes() + " points=\"" + _points + "\"/>\n";
}

void CSvgCanvas::EndPolyline() {
    _body += PolylineElement();
    _points.clear();
}

std::string CSvgCanvas::StrokeAttributes() const {
    return "stroke=\"" + ColorText(_nPenColor) + "\" stroke-width=\"" + std::to_string(_nPenWidth) +
           '"';
}

std::string CSvgCanvas::GetDocument() const {
    const std::string width = std::to_string(_nWidth);
    const std::string height = std::to_string(_nHeight);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + ' ' + height + "\">\n" +
           _body + PolylineElement() + "</svg>\n";
}

bool CSvgCanvas::WriteFile(const char* pchFileName) const {
    OSTREL_ASSERT(pchFileName);
    const std::string document = GetDocument();
    // A name of its own beside the target; a leftover of another writer is
    // skipped, not overwritten.
    for (int i = 1; i <= TEMPORARY_NAME_TRIES; ++i) {
        const std::string temporary = std::string(pchFileName) + ".~" + std::to_string(i);
        switch (WriteNewFile(temporary, document)) {
        case EWriteResult::NameTaken:
            break;
        case EWriteResult::Failed:
            return false;
        case EWriteResult::Written:
            if (std::rename(temporary.c_str(), pchFileName) == 0) {
                return true;
            }
            std::remove(temporary.c_str());
            return false;
        }
    }
    return false;
}
