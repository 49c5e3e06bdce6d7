#include "tgraphpaintbox.h"

#include "ui/cgraphcanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The nearest Debian font to the design's 8-pixel font of the graph labels;
// larger panes get larger labels (GraphLabelPixelSize).
QFont GraphFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(8);
    return font;
}

QColor ColorOf(int nColor) {
    return {nColor & 0xFF, (nColor >> 8) & 0xFF, (nColor >> 16) & 0xFF};
}

// One notch of a mouse wheel in Qt's eighths of a degree, and the zoom of
// one notch forward; a notch back zooms out by its inverse, 1.25.
constexpr int WHEEL_NOTCH = 120;
constexpr double WHEEL_ZOOM_IN = 0.8;
// A rubber band side shorter than this is taken for a slip of the hand.
constexpr int MIN_ZOOM_BAND = 4;
constexpr int OVERLAY_PADDING = 3;
constexpr int FOCUS_FRAME_WIDTH = 2;

constexpr int MARKER_RADIUS = 4;

// Cuts the segment to the rectangle (Liang and Barsky); false when nothing
// of it is inside. Long lines towards far-off points stay cheap to draw.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double xMin, double yMin,
                 double xMax, double yMax) {
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - xMin, xMax - x0, y0 - yMin, yMax - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return false;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) {
            return false;
        }
    }
    const double xStart = x0;
    const double yStart = y0;
    x0 = xStart + t0 * dx;
    y0 = yStart + t0 * dy;
    x1 = xStart + t1 * dx;
    y1 = yStart + t1 * dy;
    return true;
}

} // namespace

TGraphPaintBox::TGraphPaintBox(QWidget* pParent) : QWidget(pParent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setFont(GraphFont());
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    _image = QImage(1, 1, QImage::Format_RGB32);
    _image.fill(Qt::white);
}

void TGraphPaintBox::Renew() {
    _image = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    _image.fill(Qt::white);
    QFont labels = font();
    labels.setPixelSize(GraphLabelPixelSize(_image.width(), _image.height()));
    setFont(labels);
    // What was shown over the old image or dragged of it no longer fits.
    _bOverlay = false;
    _drag = DRAG_NONE;
    if (_onPaint) {
        _onPaint();
    }
    update();
}

void TGraphPaintBox::resizeEvent(QResizeEvent* pEvent) {
    QWidget::resizeEvent(pEvent);
    Renew();
}

void TGraphPaintBox::showEvent(QShowEvent* pEvent) {
    QWidget::showEvent(pEvent);
    Renew();
}

// --- Painting -------------------------------------------------------------------

void TGraphPaintBox::paintEvent(QPaintEvent* /*pEvent*/) {
    QPainter painter(this);
    if (_drag == DRAG_PAN) {
        // The picture follows the drag; the engine draws it anew on release.
        painter.fillRect(rect(), Qt::white);
        painter.drawImage(_dragNow - _dragStart, _image);
        return;
    }
    painter.drawImage(0, 0, _image);
    if (hasFocus()) {
        // Over the picture, not in it: the pane has the keys.
        painter.setPen(QPen(palette().color(QPalette::Highlight), FOCUS_FRAME_WIDTH));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
    if (_drag == DRAG_ZOOM) {
        painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
        painter.setBrush(QColor(0, 0, 255, 24));
        painter.drawRect(ZoomBand());
    } else if (_bOverlay) {
        PaintOverlay(&painter);
    }
}

void TGraphPaintBox::PaintOverlay(QPainter* pPainter) const {
    if (_overlay.bSample) {
        pPainter->setRenderHint(QPainter::Antialiasing);
        pPainter->setPen(QPen(ColorOf(_overlay.nSampleColor), 2));
        pPainter->setBrush(Qt::NoBrush);
        pPainter->drawEllipse(QPointF(_overlay.sample), MARKER_RADIUS, MARKER_RADIUS);
        pPainter->setRenderHint(QPainter::Antialiasing, false);
    }
    const QString text = OverlayText(_overlay);
    const QRect box(_overlay.boxTopLeft, OverlayBoxSize(_overlay));
    pPainter->setPen(QColor(160, 160, 160));
    pPainter->setBrush(QColor(255, 255, 255, 210));
    pPainter->drawRect(box);
    pPainter->setPen(Qt::black);
    pPainter->setFont(font());
    pPainter->drawText(box.adjusted(OVERLAY_PADDING, OVERLAY_PADDING, 0, 0),
                       Qt::AlignLeft | Qt::AlignTop, text);
}

QString TGraphPaintBox::OverlayText(const SGraphOverlay& overlay) const {
    // A sample stepped to by the keys comes without a pointer's text.
    QStringList lines;
    if (!overlay.note.isEmpty()) {
        lines << overlay.note;
    }
    if (!overlay.pointerText.isEmpty()) {
        lines << overlay.pointerText;
    }
    if (overlay.bSample) {
        lines << overlay.sampleText;
    }
    return lines.join(QLatin1Char('\n'));
}

QSize TGraphPaintBox::OverlayBoxSize(const SGraphOverlay& overlay) const {
    const QFontMetrics metrics(font());
    const QRect textRect =
        metrics.boundingRect(QRect(), Qt::AlignLeft | Qt::AlignTop, OverlayText(overlay));
    return textRect.size() + QSize(2 * OVERLAY_PADDING, 2 * OVERLAY_PADDING);
}

void TGraphPaintBox::SetOverlay(const SGraphOverlay& overlay) {
    _overlay = overlay;
    _bOverlay = true;
    update();
}

void TGraphPaintBox::ClearOverlay() {
    if (_bOverlay) {
        _bOverlay = false;
        update();
    }
}

bool TGraphPaintBox::GetPointer(QPoint* pPoint) const {
    *pPoint = _pointer;
    return _bPointer;
}

QRect TGraphPaintBox::ZoomBand() const {
    return {QPoint(std::min(_dragStart.x(), _dragNow.x()), std::min(_dragStart.y(), _dragNow.y())),
            QPoint(std::max(_dragStart.x(), _dragNow.x()), std::max(_dragStart.y(), _dragNow.y()))};
}

// --- Gestures -------------------------------------------------------------------

void TGraphPaintBox::mousePressEvent(QMouseEvent* pEvent) {
    if (pEvent->button() != Qt::LeftButton || !IsNavigable()) {
        QWidget::mousePressEvent(pEvent);
        return;
    }
    _drag = (pEvent->modifiers() & Qt::ShiftModifier) != 0 ? DRAG_ZOOM : DRAG_PAN;
    _dragStart = pEvent->position().toPoint();
    _dragNow = _dragStart;
    update();
}

void TGraphPaintBox::mouseMoveEvent(QMouseEvent* pEvent) {
    _pointer = pEvent->position().toPoint();
    _bPointer = true;
    if (_drag != DRAG_NONE) {
        _dragNow = _pointer;
        update();
        return;
    }
    emit PointerMoved(_pointer);
}

void TGraphPaintBox::mouseReleaseEvent(QMouseEvent* pEvent) {
    if (pEvent->button() != Qt::LeftButton || _drag == DRAG_NONE) {
        QWidget::mouseReleaseEvent(pEvent);
        return;
    }
    _dragNow = pEvent->position().toPoint();
    _pointer = _dragNow;
    _bPointer = true;
    const QPoint offset = _dragNow - _dragStart;
    // A side of the band too short to mean anything keeps the range across
    // it: a flat band zooms x only, a narrow one y only.
    QRect band = ZoomBand();
    const bool bZoomX = band.width() >= MIN_ZOOM_BAND;
    const bool bZoomY = band.height() >= MIN_ZOOM_BAND;
    if (!bZoomX) {
        band.setRight(band.left());
    }
    if (!bZoomY) {
        band.setBottom(band.top());
    }
    const EDrag drag = std::exchange(_drag, DRAG_NONE);
    update();
    // A request reads the picture under the pointer again once it has run;
    // without one the overlay comes back here.
    if (drag == DRAG_PAN && !offset.isNull()) {
        emit PanRequested(offset);
    } else if (drag == DRAG_ZOOM && (bZoomX || bZoomY)) {
        emit ZoomToRequested(band);
    } else {
        emit PointerMoved(_dragNow);
    }
}

void TGraphPaintBox::mouseDoubleClickEvent(QMouseEvent* pEvent) {
    if (pEvent->button() == Qt::LeftButton) {
        emit HomeRequested();
    }
}

void TGraphPaintBox::wheelEvent(QWheelEvent* pEvent) {
    if (!IsNavigable()) {
        pEvent->ignore();
        return;
    }
    // Some platforms turn a vertical turn with Shift held into a
    // horizontal one.
    const QPoint delta = pEvent->angleDelta();
    _nWheelDelta += delta.y() != 0 ? delta.y() : delta.x();
    const int nNotches = _nWheelDelta / WHEEL_NOTCH;
    if (nNotches == 0) {
        return;
    }
    _nWheelDelta -= nNotches * WHEEL_NOTCH;
    // Both axes; Shift zooms only y, Ctrl only x.
    const double factor = std::pow(WHEEL_ZOOM_IN, nNotches);
    const Qt::KeyboardModifiers modifiers = pEvent->modifiers();
    const bool bOnlyY = (modifiers & Qt::ShiftModifier) != 0;
    const bool bOnlyX = (modifiers & Qt::ControlModifier) != 0 && !bOnlyY;
    emit ZoomRequested(pEvent->position().toPoint(), bOnlyY ? 1.0 : factor, bOnlyX ? 1.0 : factor);
}

void TGraphPaintBox::keyPressEvent(QKeyEvent* pEvent) {
    // Down goes to the next curve, as the legend lists them.
    switch (pEvent->key()) {
    case Qt::Key_Left:
        emit TraceRequested(-1, 0);
        break;
    case Qt::Key_Right:
        emit TraceRequested(1, 0);
        break;
    case Qt::Key_Up:
        emit TraceRequested(0, -1);
        break;
    case Qt::Key_Down:
        emit TraceRequested(0, 1);
        break;
    case Qt::Key_Home:
        emit HomeRequested();
        break;
    case Qt::Key_Z:
    case Qt::Key_M:
    case Qt::Key_N:
    case Qt::Key_I:
    case Qt::Key_A:
        if (pEvent->modifiers() == Qt::NoModifier || pEvent->modifiers() == Qt::ShiftModifier) {
            emit QuestionKeyPressed(pEvent->key());
            break;
        }
        [[fallthrough]];
    default:
        if (IsTypedCharacter(pEvent)) {
            emit KeyForInput(pEvent->key(), pEvent->modifiers(), pEvent->text());
        } else {
            QWidget::keyPressEvent(pEvent);
        }
        break;
    }
}

bool TGraphPaintBox::IsTypedCharacter(const QKeyEvent* pKey) {
    const QString text = pKey->text();
    return !text.isEmpty() && text.at(0).isPrint() &&
           (pKey->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
}

void TGraphPaintBox::focusInEvent(QFocusEvent* pEvent) {
    QWidget::focusInEvent(pEvent);
    update();
}

void TGraphPaintBox::focusOutEvent(QFocusEvent* pEvent) {
    QWidget::focusOutEvent(pEvent);
    update();
}

void TGraphPaintBox::leaveEvent(QEvent* pEvent) {
    QWidget::leaveEvent(pEvent);
    _bPointer = false;
    ClearOverlay();
}

// --- Canvas ---------------------------------------------------------------------

void TGraphPaintBox::SetPen(int nColor, int nWidth) {
    _penColor = ColorOf(nColor);
    _nPenWidth = std::max(1, nWidth);
}

void TGraphPaintBox::SetBrush(int nColor) {
    _brushColor = ColorOf(nColor);
}

void TGraphPaintBox::Rectangle(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) {
        return;
    }
    QPainter painter(&_image);
    painter.setPen(QPen(_penColor, _nPenWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(_brushColor);
    // The outline of a rectangle drawn by QPainter is one pixel wider than
    // the rectangle; the canvas's covers x1 to x2 - 1.
    painter.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    update();
}

void TGraphPaintBox::MoveTo(int x, int y) {
    _x = x;
    _y = y;
}

void TGraphPaintBox::LineTo(int x, int y) {
    const int xFrom = _x;
    const int yFrom = _y;
    _x = x;
    _y = y;
    if (x == xFrom && y == yFrom) {
        return;
    }
    double x0 = xFrom;
    double y0 = yFrom;
    double x1 = x;
    double y1 = y;
    if (!ClipSegment(x0, y0, x1, y1, -1.0, -1.0, _image.width(), _image.height())) {
        return;
    }
    const int xStart = static_cast<int>(std::lround(x0));
    const int yStart = static_cast<int>(std::lround(y0));
    const int xEnd = static_cast<int>(std::lround(x1));
    const int yEnd = static_cast<int>(std::lround(y1));
    if (_nPenWidth == 1) {
        PlotLine(xStart, yStart, xEnd, yEnd, x == xEnd && y == yEnd);
    } else {
        QPainter painter(&_image);
        painter.setPen(QPen(_penColor, _nPenWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawLine(xStart, yStart, xEnd, yEnd);
    }
    update();
}

void TGraphPaintBox::PlotLine(int x0, int y0, int x1, int y1, bool bExcludeEnd) {
    // Bresenham's line, pixel for pixel as the canvas draws it: the end
    // point belongs to the next line.
    const QRgb color = _penColor.rgb();
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    while (true) {
        const bool bEnd = x0 == x1 && y0 == y1;
        if (bEnd && bExcludeEnd) {
            break;
        }
        if (x0 >= 0 && y0 >= 0 && x0 < _image.width() && y0 < _image.height()) {
            _image.setPixel(x0, y0, color);
        }
        if (bEnd) {
            break;
        }
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

int TGraphPaintBox::TextHeight(const char* /*pchText*/) const {
    return QFontMetrics(font()).height();
}

int TGraphPaintBox::TextWidth(const char* pchText) const {
    return QFontMetrics(font()).horizontalAdvance(QString::fromUtf8(pchText));
}

void TGraphPaintBox::TextOut(int x, int y, const char* pchText) {
    const QString text = QString::fromUtf8(pchText);
    const QFontMetrics metrics(font());
    QPainter painter(&_image);
    // Text stands on the brush colour, like the canvas's opaque text.
    painter.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()), _brushColor);
    painter.setFont(font());
    painter.setPen(Qt::black);
    painter.drawText(x, y + metrics.ascent(), text);
    update();
}
