#include "uFrmCalc.h"

#include "core/cassert.h"
#include "core/cbase.h"
#include "core/cleanupstack.h"
#include "core/errorcodes.h"
#include "uFrmAbout.h"
#include "ui/cwindowinterface.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <utility>

namespace {

// The nearest Debian fonts to the design's: the 8-point dialog font and the
// 8-pixel font of the graph labels.
QFont FormFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(8);
    return font;
}

QFont GraphFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(8);
    return font;
}

QColor ColorOf(int nColor) {
    return {nColor & 0xFF, (nColor >> 8) & 0xFF, (nColor >> 16) & 0xFF};
}

int ColorValue(const QColor& color) {
    return CanvasColor(color.red(), color.green(), color.blue());
}

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

// Calls from Qt's events into the engine: an error code must not unwind
// through the event loop. The window operations raise only for codes and
// indices that the window itself never passes.
template <class F> void Guarded(F&& call) {
    try {
        call();
    } catch (int) {
        // Nothing to report: the raise has emptied the cleanup stack.
    }
}

} // namespace

// --- TGraphPaintBox ------------------------------------------------------------

TGraphPaintBox::TGraphPaintBox(QWidget* pParent) : QWidget(pParent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setFont(GraphFont());
    _image = QImage(1, 1, QImage::Format_RGB32);
    _image.fill(Qt::white);
}

void TGraphPaintBox::Renew() {
    _image = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    _image.fill(Qt::white);
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

void TGraphPaintBox::paintEvent(QPaintEvent* /*pEvent*/) {
    QPainter painter(this);
    painter.drawImage(0, 0, _image);
}

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

// --- TfrmCalc --------------------------------------------------------------------

namespace {

// How often a running line handles the window's events: often enough that
// Escape and repaints feel immediate, rarely enough to cost nothing.
constexpr std::chrono::milliseconds EVENT_INTERVAL{25};

} // namespace

TfrmCalc::CRunGuard::CRunGuard(TfrmCalc* pForm) : _pForm(pForm) {
    if (_pForm->_nRunning++ == 0) {
        _pForm->_bInterrupt = false;
        // The first poll of a line handles what is pending at once.
        _pForm->_lastEvents = {};
        qApp->installEventFilter(_pForm);
    }
}

TfrmCalc::CRunGuard::~CRunGuard() {
    if (--_pForm->_nRunning == 0) {
        qApp->removeEventFilter(_pForm);
        _pForm->FlushOutput();
    }
}

TfrmCalc::TfrmCalc(const char* pchStartupLine) : _pchStartupLine(pchStartupLine) {
    ++n_ivcInstance;
    setWindowTitle(QStringLiteral("Ostrel 1.0"));
    setFont(FormFont());
    setWindowIcon(QIcon(TfrmAbout::ProductIcon()));
    CreateControls();
    CreateMenu();
    move(162, 241);
    resize(745, 241);
    ResetCalculator();
}

TfrmCalc::~TfrmCalc() {
    qApp->removeEventFilter(this);
    delete _poWindowInterface;
    _poWindowInterface = nullptr;
    --n_ivcInstance;
}

void TfrmCalc::CreateControls() {
    auto* pClient = new QWidget(this);
    setCentralWidget(pClient);
    pClient->installEventFilter(this);

    editInput = new QLineEdit(pClient);
    editInput->setObjectName(QStringLiteral("editInput"));
    editInput->setGeometry(5, 5, 364, 21);
    editInput->setProperty("helpContext", 1);

    memoOutput = new QPlainTextEdit(pClient);
    memoOutput->setObjectName(QStringLiteral("memoOutput"));
    memoOutput->setGeometry(5, 31, 129, 113);
    memoOutput->setReadOnly(true);
    memoOutput->setLineWrapMode(QPlainTextEdit::NoWrap);
    memoOutput->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoOutput->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Read-only, yet the caret moves with the keys so the selection can be
    // extended and copied; the selection keeps its colour without focus.
    memoOutput->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QPalette memoPalette = memoOutput->palette();
    memoPalette.setColor(QPalette::Inactive, QPalette::Highlight,
                         memoPalette.color(QPalette::Active, QPalette::Highlight));
    memoPalette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         memoPalette.color(QPalette::Active, QPalette::HighlightedText));
    memoOutput->setPalette(memoPalette);
    memoOutput->setProperty("helpContext", 2);

    pbGraph = new TGraphPaintBox(pClient);
    pbGraph->setObjectName(QStringLiteral("pbGraph"));
    pbGraph->setGeometry(144, 31, 225, 145);
    pbGraph->SetOnPaint([this] { pbGraphPaint(); });

    QPushButton** const buttons[] = {&cmdF1, &cmdF2, &cmdF3, &cmdF4};
    for (int i = 0; i < 4; ++i) {
        auto* pButton = new QPushButton(pClient);
        pButton->setObjectName(QStringLiteral("cmdF%1").arg(i + 1));
        pButton->setGeometry(376, 8 + 24 * i, 89, 17);
        pButton->setAutoDefault(false);
        if (i < 3) {
            pButton->setProperty("helpContext", 5);
        }
        pButton->installEventFilter(this);
        connect(pButton, &QPushButton::clicked, this, [this, i] { PressButton(i + 1); });
        *buttons[i] = pButton;
    }
    editInput->installEventFilter(this);
    memoOutput->installEventFilter(this);
    setTabOrder(editInput, memoOutput);
    setTabOrder(memoOutput, cmdF1);
    setTabOrder(cmdF1, cmdF2);
    setTabOrder(cmdF2, cmdF3);
    setTabOrder(cmdF3, cmdF4);
    editInput->setFocus();
}

void TfrmCalc::CreateMenu() {
    QMenuBar* pBar = menuBar();
    auto item = [](QMenu* pMenu, const char* pchName, const char* pchCaption) {
        QAction* pAction = pMenu->addAction(QString::fromUtf8(pchCaption));
        pAction->setObjectName(QString::fromUtf8(pchName));
        // Captions carry no mnemonics and items no shortcuts.
        pAction->setShortcuts({});
        pAction->setMenuRole(QAction::NoRole);
        return pAction;
    };
    mnuFile = pBar->addMenu(QStringLiteral("File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuExecute = item(mnuFile, "mnuExecute", "Enter");
    mnuReset = item(mnuFile, "mnuReset", "Reset");
    mnuRunFile = item(mnuFile, "mnuRunFile", "Run file...");
    mnuExit = item(mnuFile, "mnuExit", "Exit");

    mnuSettings = pBar->addMenu(QStringLiteral("Settings"));
    mnuSettings->setObjectName(QStringLiteral("mnuSettings"));
    mnuNumberFormat = mnuSettings->addMenu(QStringLiteral("Number display format"));
    mnuNumberFormat->setObjectName(QStringLiteral("mnuNumberFormat"));
    mnuGeneral = item(mnuNumberFormat, "mnuGeneral", "General");
    mnuFixed = item(mnuNumberFormat, "mnuFixed", "2 decimals");
    mnuScientific = item(mnuNumberFormat, "mnuScientific", "Scientific");
    mnuShowToolbar = item(mnuSettings, "mnuShowToolbar", "Hide toolbar");
    mnuGraphicsFormat = mnuSettings->addMenu(QStringLiteral("Graphics display format"));
    mnuGraphicsFormat->setObjectName(QStringLiteral("mnuGraphicsFormat"));
    mnuGFNone = item(mnuGraphicsFormat, "mnuGFNone", "None");
    mnuGFMedium = item(mnuGraphicsFormat, "mnuGFMedium", "Medium frame");
    mnuGFLarge = item(mnuGraphicsFormat, "mnuGFLarge", "Large frame");

    mnuHelp = pBar->addMenu(QStringLiteral("Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuShowHelp = item(mnuHelp, "mnuShowHelp", "Show Help");
    mnuAbout = item(mnuHelp, "mnuAbout", "About Ostrel...");

    // Qt toggles a checkable item before its action runs; the actions then
    // set all three marks of their group themselves.
    for (QAction* pAction :
         {mnuGeneral, mnuFixed, mnuScientific, mnuGFNone, mnuGFMedium, mnuGFLarge}) {
        pAction->setCheckable(true);
    }

    connect(mnuExecute, &QAction::triggered, this, &TfrmCalc::mnuExecuteClick);
    connect(mnuReset, &QAction::triggered, this, &TfrmCalc::ResetCalculator);
    connect(mnuRunFile, &QAction::triggered, this, &TfrmCalc::mnuRunFileClick);
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuGeneral, &QAction::triggered, this, [this] { SetNumberFormatFromMenu(1); });
    connect(mnuFixed, &QAction::triggered, this, [this] { SetNumberFormatFromMenu(2); });
    connect(mnuScientific, &QAction::triggered, this, [this] { SetNumberFormatFromMenu(3); });
    connect(mnuShowToolbar, &QAction::triggered, this, &TfrmCalc::ToggleToolbarFromMenu);
    connect(mnuGFNone, &QAction::triggered, this, [this] { SetGraphicsFormatFromMenu(0); });
    connect(mnuGFMedium, &QAction::triggered, this, [this] { SetGraphicsFormatFromMenu(1); });
    connect(mnuGFLarge, &QAction::triggered, this, [this] { SetGraphicsFormatFromMenu(2); });
    connect(mnuShowHelp, &QAction::triggered, this, &TfrmCalc::mnuShowHelpClick);
    connect(mnuAbout, &QAction::triggered, this, &TfrmCalc::mnuAboutClick);
}

QPushButton* TfrmCalc::Button(int iButton) const {
    if (iButton < 1 || iButton > 4) {
        RaiseError(ERR_ILLEGAL_PARAMETER_UI);
    }
    switch (iButton) {
    case 1:
        return cmdF1;
    case 2:
        return cmdF2;
    case 3:
        return cmdF3;
    default:
        return cmdF4;
    }
}

void TfrmCalc::ResetCalculator() {
    // A line that is running owns the interface; the menu cannot be
    // reached then, and nothing else may pull it away.
    if (_nRunning > 0) {
        return;
    }
    setWindowTitle(QStringLiteral("Ostrel 1.0"));
    editInput->clear();
    // Qt set the C library's locale from the environment; number texts
    // always use ".".
    std::setlocale(LC_NUMERIC, "C");
    delete _poWindowInterface;
    _poWindowInterface = nullptr;
    SnapshotCounts();
    CWindowInterface* poInterface = nullptr;
    try {
        poInterface = new CWindowInterface;
        _poWindowInterface = poInterface;
        poInterface->Initialise();
    } catch (int) {
        // Half a calculator would fail on its first line; the window goes on
        // without one until the next reset.
        delete _poWindowInterface;
        _poWindowInterface = nullptr;
        memoOutput->setPlainText(QStringLiteral("ERROR! Initialization failed."));
        return;
    }
    Guarded([&] {
        poInterface->AttachWindow(this);
        CheckGraphicsFormat(GF_MEDIUM);
        CheckNumberFormat(NF_GENERAL);
        for (int i = 1; i <= 4; ++i) {
            ClearButtonCaption(i);
        }
        ShowToolbarButtons(true);
        if (!ReportLeaks(poInterface)) {
            poInterface->ClearOutput();
        }
    });
    ExecuteGuarded(QByteArray(_pchStartupLine));
}

void TfrmCalc::ArrangeControls() {
    const QWidget* pClient = centralWidget();
    ArrangeControls(pClient->width(), pClient->height());
}

void TfrmCalc::ArrangeControls(int CW, int CH) {
    if (!_poWindowInterface) {
        return;
    }
    const int f = _poWindowInterface->GetGraphicsFormat();
    const bool bButtons = !cmdF1->isHidden();
    double W = CW - 10.0;
    if (bButtons) {
        W = W - 5.0 - cmdF1->width();
    }
    if (W < 50.0) {
        return;
    }
    const double D = (W - 5.0) / 3.0;
    if (D < 50.0) {
        return;
    }
    const double H = CH - memoOutput->y() - 5.0;
    if (H < 20.0) {
        return;
    }
    if (bButtons) {
        for (QPushButton* pButton : {cmdF1, cmdF2, cmdF3, cmdF4}) {
            pButton->move(static_cast<int>(W + 10.0), pButton->y());
        }
    }
    auto setWidth = [](QWidget* pWidget, double width) {
        pWidget->resize(static_cast<int>(width), pWidget->height());
    };
    switch (f) {
    case GF_MEDIUM:
        setWidth(editInput, W);
        setWidth(memoOutput, D);
        pbGraph->setGeometry(static_cast<int>(D + 10.0), memoOutput->y(), static_cast<int>(2.0 * D),
                             static_cast<int>(H));
        pbGraph->show();
        break;
    case GF_LARGE:
        setWidth(editInput, D);
        setWidth(memoOutput, D);
        pbGraph->setGeometry(static_cast<int>(D + 10.0), editInput->y(), static_cast<int>(2.0 * D),
                             static_cast<int>(H + 5.0 + editInput->height()));
        pbGraph->show();
        break;
    default:
        setWidth(editInput, W);
        setWidth(memoOutput, W);
        pbGraph->hide();
        break;
    }
    memoOutput->resize(memoOutput->width(), static_cast<int>(H));
}

void TfrmCalc::ExecuteGuarded(const QByteArray& line) {
    if (!_poWindowInterface) {
        return;
    }
    CRunGuard guard(this);
    _poWindowInterface->ExecuteLine(line.constData());
}

void TfrmCalc::mnuExecuteClick() {
    if (_nRunning > 0 || !_poWindowInterface) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    {
        CRunGuard guard(this);
        QCoreApplication::processEvents();
        const QString text = editInput->text();
        RememberInput(text);
        const QByteArray line = text.toUtf8();
        _poWindowInterface->ExecuteLine(line.constData());
    }
    QApplication::restoreOverrideCursor();
}

void TfrmCalc::RememberInput(const QString& text) {
    // The same line entered again and again is one entry to walk past.
    if (!text.isEmpty() && (_inputHistory.isEmpty() || _inputHistory.constLast() != text)) {
        _inputHistory.append(text);
    }
    _iHistory = static_cast<int>(_inputHistory.size());
    _historyDraft.clear();
}

void TfrmCalc::RecallInput(int nStep) {
    const int nEntries = static_cast<int>(_inputHistory.size());
    const int iNew = std::clamp(_iHistory + nStep, 0, nEntries);
    if (iNew == _iHistory) {
        return;
    }
    if (_iHistory == nEntries) {
        // Leaving the line being typed: it comes back below the newest.
        _historyDraft = editInput->text();
    }
    _iHistory = iNew;
    editInput->setText(iNew == nEntries ? _historyDraft : _inputHistory[iNew]);
}

void TfrmCalc::mnuRunFileClick() {
    if (_nRunning > 0) {
        return;
    }
    QFileDialog dlgOpen(this, QStringLiteral("Run file"));
    dlgOpen.setObjectName(QStringLiteral("dlgOpen"));
    dlgOpen.setAcceptMode(QFileDialog::AcceptOpen);
    dlgOpen.setFileMode(QFileDialog::ExistingFile);
    dlgOpen.setDefaultSuffix(QStringLiteral("BAS"));
    dlgOpen.setNameFilter(QStringLiteral("*.bas"));
    if (dlgOpen.exec() != QDialog::Accepted || dlgOpen.selectedFiles().isEmpty()) {
        return;
    }
    RunFile(dlgOpen.selectedFiles().constFirst());
}

void TfrmCalc::RunFile(const QString& fileName) {
    if (_nRunning > 0) {
        return;
    }
    const QString fullName = QFileInfo(fileName).absoluteFilePath();
    ExecuteGuarded(QByteArrayLiteral("runfile \"") + fullName.toUtf8() + '"');
}

void TfrmCalc::RunFilesWhenShown(const QStringList& files) {
    _filesToRun += files;
    QMetaObject::invokeMethod(this, "RunPendingFiles", Qt::QueuedConnection);
}

void TfrmCalc::RunPendingFiles() {
    const QStringList files = std::exchange(_filesToRun, {});
    for (const QString& file : files) {
        RunFile(file);
    }
}

void TfrmCalc::mnuShowHelpClick() {
    ShowHelp(0);
}

QString TfrmCalc::HelpSection(int nHelpContext) {
    switch (nHelpContext) {
    case 1:
        return QStringLiteral("input-line");
    case 2:
        return QStringLiteral("output-pane");
    case 5:
        return QStringLiteral("function-buttons");
    default:
        return {};
    }
}

QUrl TfrmCalc::HelpFileUrl() {
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString& name : {dir + QStringLiteral("/ostrel.html"),
                                dir + QStringLiteral("/../share/ostrel/ostrel.html")}) {
        if (QFileInfo::exists(name)) {
            return QUrl::fromLocalFile(QFileInfo(name).canonicalFilePath());
        }
    }
    return QUrl(QStringLiteral("qrc:/help/ostrel.html"));
}

void TfrmCalc::ShowHelp(int nHelpContext) {
    if (!_pHelpWindow) {
        // One help window, not modal, so that the reference stays open
        // beside the calculator while the user types.
        _pHelpWindow = new QDialog(this);
        _pHelpWindow->setObjectName(QStringLiteral("frmHelp"));
        _pHelpWindow->setWindowTitle(QStringLiteral("Ostrel Help"));
        _pHelpWindow->resize(640, 480);
        auto* pLayout = new QVBoxLayout(_pHelpWindow);
        _pHelpBrowser = new QTextBrowser(_pHelpWindow);
        _pHelpBrowser->setObjectName(QStringLiteral("helpBrowser"));
        pLayout->addWidget(_pHelpBrowser);
        auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Close, _pHelpWindow);
        connect(pButtons, &QDialogButtonBox::rejected, _pHelpWindow, &QDialog::reject);
        pLayout->addWidget(pButtons);
    }
    QUrl url = HelpFileUrl();
    const QString section = HelpSection(nHelpContext);
    if (!section.isEmpty()) {
        url.setFragment(section);
    }
    _pHelpBrowser->setSource(url);
    if (section.isEmpty()) {
        _pHelpBrowser->verticalScrollBar()->setValue(0);
    }
    _pHelpWindow->show();
    _pHelpWindow->raise();
    _pHelpWindow->activateWindow();
}

void TfrmCalc::mnuAboutClick() {
    TfrmAbout frmAbout(this);
    frmAbout.exec();
}

void TfrmCalc::PressButton(int iButton) {
    if (_nRunning > 0 || !_poWindowInterface) {
        return;
    }
    CRunGuard guard(this);
    Guarded([&] { _poWindowInterface->PressFunctionButton(iButton); });
}

void TfrmCalc::SetNumberFormatFromMenu(int nCode) {
    if (_poWindowInterface) {
        Guarded([&] { _poWindowInterface->SetNumberFormat(nCode); });
    }
}

void TfrmCalc::SetGraphicsFormatFromMenu(int nCode) {
    if (_poWindowInterface) {
        Guarded([&] { _poWindowInterface->SetGraphicsFormat(nCode); });
    }
}

void TfrmCalc::ToggleToolbarFromMenu() {
    if (_poWindowInterface) {
        Guarded([&] { _poWindowInterface->ToggleToolbar(); });
    }
}

void TfrmCalc::pbGraphPaint() {
    if (!_poWindowInterface) {
        return;
    }
    Guarded([&] {
        _poWindowInterface->ClearGraph();
        _poWindowInterface->DrawGraphFrame();
    });
}

void TfrmCalc::showEvent(QShowEvent* pEvent) {
    QMainWindow::showEvent(pEvent);
    if (_bFirstShow) {
        _bFirstShow = false;
        // The design size is the outer size, frame included.
        const QSize frame = frameGeometry().size() - geometry().size();
        if (frame.width() > 0 || frame.height() > 0) {
            resize(745 - frame.width(), 241 - frame.height());
        }
    }
}

void TfrmCalc::closeEvent(QCloseEvent* pEvent) {
    if (_nRunning > 0) {
        // Closing while a line runs asks it to stop; the window stays.
        _bInterrupt = true;
        pEvent->ignore();
        return;
    }
    QMainWindow::closeEvent(pEvent);
}

bool TfrmCalc::FilterWhileRunning(QObject* /*pObject*/, QEvent* pEvent) {
    switch (pEvent->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(pEvent)->key() == Qt::Key_Escape) {
            _bInterrupt = true;
        }
        return true;
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

bool TfrmCalc::eventFilter(QObject* pObject, QEvent* pEvent) {
    if (_nRunning > 0 && FilterWhileRunning(pObject, pEvent)) {
        return true;
    }
    if (pObject == centralWidget()) {
        if (pEvent->type() == QEvent::Resize) {
            ArrangeControls();
        }
        return false;
    }
    if (pEvent->type() == QEvent::KeyPress) {
        const auto* pKey = static_cast<QKeyEvent*>(pEvent);
        if (pKey->key() == Qt::Key_F1) {
            // A control without a help context of its own gets the contents.
            ShowHelp(pObject->property("helpContext").toInt());
            return true;
        }
        if (pObject == editInput && (pKey->key() == Qt::Key_Up || pKey->key() == Qt::Key_Down)) {
            RecallInput(pKey->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
        // Carriage return and line feed never reach a control as typed
        // characters; the input line still sees Enter go up.
        const bool bReturn = pKey->key() == Qt::Key_Return || pKey->key() == Qt::Key_Enter;
        if (bReturn || pKey->text() == QStringLiteral("\r") ||
            pKey->text() == QStringLiteral("\n")) {
            if (bReturn && pObject == editInput && !pKey->isAutoRepeat()) {
                _bReturnDown = true;
            }
            return true;
        }
    } else if (pEvent->type() == QEvent::KeyRelease && pObject == editInput) {
        editInputKeyUp(static_cast<QKeyEvent*>(pEvent));
    }
    return QMainWindow::eventFilter(pObject, pEvent);
}

void TfrmCalc::editInputKeyUp(QKeyEvent* pEvent) {
    if (pEvent->isAutoRepeat()) {
        return;
    }
    const int nKey = pEvent->key();
    const bool bKeypad = (pEvent->modifiers() & Qt::KeypadModifier) != 0;
    if (bKeypad && (nKey == Qt::Key_Period || nKey == Qt::Key_Comma)) {
        // The keypad's decimal key types the regional separator; the
        // language wants ".".
        const int iCaret = editInput->cursorPosition();
        if (iCaret > 0) {
            editInput->setSelection(iCaret - 1, 1);
            editInput->insert(QStringLiteral("."));
        }
    } else if (nKey == Qt::Key_Return || nKey == Qt::Key_Enter) {
        // Only an Enter that went down here: the one that closed a dialog
        // must not run the line.
        if (_bReturnDown) {
            _bReturnDown = false;
            mnuExecuteClick();
        }
    }
}

// --- Window operations -------------------------------------------------------------

void TfrmCalc::WriteOutput(const char* pchText) {
    // The engine's line breaks are CR LF; the pane breaks at LF alone.
    QString text = _outputDecoder.decode(QByteArrayView(pchText));
    text.remove(QLatin1Char('\r'));
    _pendingOutput += text;
    if (_nRunning == 0) {
        FlushOutput();
    }
}

void TfrmCalc::FlushOutput() {
    if (_pendingOutput.isEmpty()) {
        return;
    }
    QTextCursor cursor = memoOutput->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(_pendingOutput);
    _pendingOutput.clear();
    memoOutput->setTextCursor(cursor);
    memoOutput->ensureCursorVisible();
}

void TfrmCalc::ClearOutputPane() {
    _pendingOutput.clear();
    memoOutput->clear();
}

void TfrmCalc::ShowToolbarButtons(bool bVisible) {
    mnuShowToolbar->setText(bVisible ? QStringLiteral("Hide toolbar")
                                     : QStringLiteral("Show toolbar"));
    for (QPushButton* pButton : {cmdF1, cmdF2, cmdF3, cmdF4}) {
        pButton->setVisible(bVisible);
    }
    ArrangeControls();
}

void TfrmCalc::CheckNumberFormat(int nCode) {
    if (nCode < NF_GENERAL || nCode > NF_SCIENTIFIC) {
        RaiseError(ERR_ILLEGAL_PARAMETER_UI);
    }
    mnuScientific->setChecked(false);
    mnuFixed->setChecked(false);
    mnuGeneral->setChecked(false);
    QAction* const items[] = {mnuGeneral, mnuFixed, mnuScientific};
    items[nCode - NF_GENERAL]->setChecked(true);
}

void TfrmCalc::CheckGraphicsFormat(int nCode) {
    if (nCode < GF_NONE || nCode > GF_LARGE) {
        RaiseError(ERR_ILLEGAL_PARAMETER_UI);
    }
    mnuGFNone->setChecked(false);
    mnuGFMedium->setChecked(false);
    mnuGFLarge->setChecked(false);
    ArrangeControls();
    QAction* const items[] = {mnuGFNone, mnuGFMedium, mnuGFLarge};
    items[nCode - GF_NONE]->setChecked(true);
}

void TfrmCalc::SetButtonCaption(int iButton, const char* pchText) {
    // "&" would mark a mnemonic on a Qt button; the caption shows it as is.
    QString caption = QString::fromUtf8(pchText);
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    Button(iButton)->setText(caption);
}

void TfrmCalc::ClearButtonCaption(int iButton) {
    Button(iButton)->setText(QString());
}

void TfrmCalc::SetInputText(const char* pchText) {
    editInput->setText(QString::fromUtf8(pchText));
}

void TfrmCalc::SetInputCaret(int iChar) {
    // The caret counts the engine's 8-bit characters; the line edit counts
    // its own.
    const QByteArray text = editInput->text().toUtf8();
    OSTREL_ASSERT(iChar >= 0 && iChar <= text.size());
    editInput->setFocus();
    const int iPosition = static_cast<int>(QString::fromUtf8(text.left(iChar)).size());
    editInput->setCursorPosition(std::min(iPosition, static_cast<int>(editInput->text().size())));
}

void TfrmCalc::RunCommand(const char* pchText) {
    if (_poWindowInterface) {
        _poWindowInterface->ExecuteLine(pchText);
    }
}

bool TfrmCalc::IsGraphVisible() const {
    return !pbGraph->isHidden();
}

int TfrmCalc::GetGraphWidth() const {
    return pbGraph->width();
}

int TfrmCalc::GetGraphHeight() const {
    return pbGraph->height();
}

void TfrmCalc::SetCanvasPen(int nColor, int nWidth) {
    pbGraph->SetPen(nColor, nWidth);
}

void TfrmCalc::SetCanvasBrush(int nColor) {
    pbGraph->SetBrush(nColor);
}

void TfrmCalc::CanvasRectangle(int x1, int y1, int x2, int y2) {
    pbGraph->Rectangle(x1, y1, x2, y2);
}

void TfrmCalc::CanvasMoveTo(int x, int y) {
    pbGraph->MoveTo(x, y);
}

void TfrmCalc::CanvasLineTo(int x, int y) {
    pbGraph->LineTo(x, y);
}

int TfrmCalc::CanvasTextHeight(const char* pchText) const {
    return pbGraph->TextHeight(pchText);
}

int TfrmCalc::CanvasTextWidth(const char* pchText) const {
    return pbGraph->TextWidth(pchText);
}

void TfrmCalc::CanvasTextOut(int x, int y, const char* pchText) {
    pbGraph->TextOut(x, y, pchText);
}

int TfrmCalc::GetButtonShadowColor() const {
    return ColorValue(palette().color(QPalette::Active, QPalette::Dark));
}

int TfrmCalc::GetButtonFaceColor() const {
    return ColorValue(palette().color(QPalette::Active, QPalette::Button));
}

bool TfrmCalc::IsInterruptRequested() {
    // Pending events are handled only here, while a line runs: Escape
    // reaches the run filter, and the panes keep painting.
    if (_nRunning > 0) {
        const auto now = std::chrono::steady_clock::now();
        if (now - _lastEvents >= EVENT_INTERVAL) {
            FlushOutput();
            QCoreApplication::processEvents();
            _lastEvents = std::chrono::steady_clock::now();
        }
    }
    return _bInterrupt;
}
