#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>

class QKeyEvent;

// What the pane shows over its picture while the pointer reads it: the
// pointer's text, and the nearest sample of a curve with a marker.
struct SGraphOverlay {
    // Where the box with the texts stands (its size is OverlayBoxSize).
    QPoint boxTopLeft;
    QString pointerText;
    bool bSample = false;
    QPoint sample;
    int nSampleColor = 0; // as the canvas's colours
    QString sampleText;
    // A short word from the window, such as that there is nothing to find.
    QString note;
};

// The graph pane: it paints a backing image of its own size, so that the
// canvas operations can draw at any time, not only while Qt paints. A new
// image (the pane resized or shown again) is what the calculator treats as
// a repaint of the pane.
//
// The pane also reports the user's gestures on the picture as signals and
// paints what it is told to show over the image; it knows nothing of what
// the picture means.
class TGraphPaintBox : public QWidget {
    Q_OBJECT

public:
    explicit TGraphPaintBox(QWidget* pParent);

    // Called when the pane needs its picture anew.
    void SetOnPaint(std::function<void()> onPaint) { _onPaint = std::move(onPaint); }
    // Asked when a drag or a wheel turn starts: whether the picture can be
    // zoomed and panned now.
    void SetOnNavigable(std::function<bool()> isNavigable) {
        _isNavigable = std::move(isNavigable);
    }
    const QImage& GetImage() const { return _image; }

    // A character typed rather than a key that commands: what the input
    // line takes, wherever it was typed.
    static bool IsTypedCharacter(const QKeyEvent* pKey);

    void SetOverlay(const SGraphOverlay& overlay);
    // The size of the box that shows the overlay's texts.
    QSize OverlayBoxSize(const SGraphOverlay& overlay) const;
    void ClearOverlay();
    bool HasOverlay() const { return _bOverlay; }
    const SGraphOverlay& GetOverlay() const { return _overlay; }
    // Where the pointer last moved over the pane; false once it has left.
    bool GetPointer(QPoint* pPoint) const;

    void SetPen(int nColor, int nWidth);
    void SetBrush(int nColor);
    void Rectangle(int x1, int y1, int x2, int y2);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    int TextHeight(const char* pchText) const;
    int TextWidth(const char* pchText) const;
    void TextOut(int x, int y, const char* pchText);

signals:
    void PointerMoved(QPoint point);
    // A factor below 1 zooms in, around the point; 1 leaves that axis.
    void ZoomRequested(QPoint point, double xFactor, double yFactor);
    // The content follows a drag by offset pixels.
    void PanRequested(QPoint offset);
    void ZoomToRequested(QRect rect);
    void HomeRequested();
    // Left and Right step along the traced curve, Up and Down change curve.
    void TraceRequested(int nSampleStep, int nCurveStep);
    // Z, M, N, I or A: a question about the traced curve (Qt's key code).
    void QuestionKeyPressed(int nKey);
    // Any other character typed: it belongs to the input line.
    void KeyForInput(int nKey, Qt::KeyboardModifiers modifiers, const QString& text);

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void wheelEvent(QWheelEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void focusInEvent(QFocusEvent* pEvent) override;
    void focusOutEvent(QFocusEvent* pEvent) override;
    void leaveEvent(QEvent* pEvent) override;

private:
    enum EDrag { DRAG_NONE, DRAG_PAN, DRAG_ZOOM };

    void Renew();
    void PlotLine(int x0, int y0, int x1, int y1, bool bExcludeEnd);
    bool IsNavigable() const { return _isNavigable && _isNavigable(); }
    QRect ZoomBand() const;
    void PaintOverlay(QPainter* pPainter) const;
    QString OverlayText(const SGraphOverlay& overlay) const;

    QImage _image;
    std::function<void()> _onPaint;
    std::function<bool()> _isNavigable;
    QColor _penColor{Qt::black};
    int _nPenWidth = 1;
    QColor _brushColor{Qt::white};
    int _x = 0;
    int _y = 0;

    SGraphOverlay _overlay;
    bool _bOverlay = false;
    QPoint _pointer;
    bool _bPointer = false;
    EDrag _drag = DRAG_NONE;
    QPoint _dragStart;
    QPoint _dragNow;
    // Wheel turns below one notch (fine-grained wheels) add up here.
    int _nWheelDelta = 0;
};
