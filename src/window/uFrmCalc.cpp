#include "uFrmCalc.h"

#include "core/cassert.h"
#include "core/cbase.h"
#include "core/cleanupstack.h"
#include "core/errorcodes.h"
#include "interpreter/completion.h"
#include "tsvggraphcanvas.h"
#include "uFrmAbout.h"
#include "ui/cwindowinterface.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QCompleter>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageWriter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStringListModel>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <clocale>
#include <utility>

namespace {

// The nearest Debian font to the design's 8-point dialog font.
QFont FormFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(8);
    return font;
}

int ColorValue(const QColor& color) {
    return CanvasColor(color.red(), color.green(), color.blue());
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

// The engine counts the bytes of a line's UTF-8, the line edit its own
// characters.
int CharIndex(const QByteArray& utf8, int iByte) {
    return static_cast<int>(QString::fromUtf8(utf8.left(iByte)).size());
}

int ByteIndex(const QString& text, int iChar) {
    return static_cast<int>(text.left(iChar).toUtf8().size());
}

bool IsCompletionKey(const QEvent* pEvent) {
    const auto* pKey = static_cast<const QKeyEvent*>(pEvent);
    return pKey->key() == Qt::Key_Tab && pKey->modifiers() == Qt::NoModifier;
}

// A name typed in the run-file dialog without a suffix finds its file under
// either case of the suffix, which the dialog's default suffix cannot do.
class TRunFileDialog final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override {
        const QStringList files = selectedFiles();
        if (files.size() == 1) {
            selectFile(TfrmCalc::ProgramFileName(files.constFirst()));
        }
        QFileDialog::accept();
    }
};

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
        _pForm->RefreshOverlay();
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
    ConnectGraphPane();

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
    CreateCompleter();
}

void TfrmCalc::CreateCompleter() {
    _pCompletionModel = new QStringListModel(this);
    _pCompleter = new QCompleter(_pCompletionModel, this);
    _pCompleter->setWidget(editInput);
    _pCompleter->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    _pCompleter->popup()->setObjectName(QStringLiteral("lstCompletions"));
    _pCompleter->popup()->installEventFilter(this);
    connect(_pCompleter, qOverload<const QString&>(&QCompleter::activated), this,
            [this](const QString& candidate) { ReplaceInputWord(QueryCompletion(), candidate); });
    connect(editInput, &QLineEdit::textEdited, this, &TfrmCalc::RefreshCompletions);
}

void TfrmCalc::CreateMenu() {
    QMenuBar* pBar = menuBar();
    auto item = [](QMenu* pMenu, const char* pchName, const QString& caption) {
        QAction* pAction = pMenu->addAction(caption);
        pAction->setObjectName(QString::fromUtf8(pchName));
        // Items carry no mnemonics and no shortcuts; the menus do.
        pAction->setShortcuts({});
        pAction->setMenuRole(QAction::NoRole);
        return pAction;
    };
    mnuFile = pBar->addMenu(tr("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuExecute = item(mnuFile, "mnuExecute", "Enter");
    mnuReset = item(mnuFile, "mnuReset", "Reset");
    mnuRunFile = item(mnuFile, "mnuRunFile", "Run file...");
    mnuSaveGraph = item(mnuFile, "mnuSaveGraph", tr("Save graph as..."));
    mnuExit = item(mnuFile, "mnuExit", "Exit");

    mnuSettings = pBar->addMenu(tr("&Settings"));
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

    mnuHelp = pBar->addMenu(tr("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuShowHelp = item(mnuHelp, "mnuShowHelp", "Show Help");
    mnuAbout = item(mnuHelp, "mnuAbout", "About Ostrel...");

    mnuCopyGraph = new QAction(tr("Copy graph"), this);
    mnuCopyGraph->setObjectName(QStringLiteral("mnuCopyGraph"));
    pbGraph->setContextMenuPolicy(Qt::ActionsContextMenu);
    pbGraph->addAction(mnuCopyGraph);
    pbGraph->addAction(mnuSaveGraph);

    // Qt toggles a checkable item before its action runs; the actions then
    // set all three marks of their group themselves.
    for (QAction* pAction :
         {mnuGeneral, mnuFixed, mnuScientific, mnuGFNone, mnuGFMedium, mnuGFLarge}) {
        pAction->setCheckable(true);
    }

    connect(mnuExecute, &QAction::triggered, this, &TfrmCalc::mnuExecuteClick);
    connect(mnuReset, &QAction::triggered, this, &TfrmCalc::ResetCalculator);
    connect(mnuRunFile, &QAction::triggered, this, &TfrmCalc::mnuRunFileClick);
    connect(mnuSaveGraph, &QAction::triggered, this, &TfrmCalc::mnuSaveGraphClick);
    connect(mnuCopyGraph, &QAction::triggered, this, &TfrmCalc::mnuCopyGraphClick);
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

    auto* pMenuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(pMenuKey, &QShortcut::activated, this, &TfrmCalc::OpenMenuBar);
}

void TfrmCalc::OpenMenuBar() {
    menuBar()->setActiveAction(mnuFile->menuAction());
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
        // The old picture went with the old interface; the pane shows that.
        poInterface->RedrawGraph();
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
    RunBusy([this] {
        const QString text = editInput->text();
        RememberInput(text);
        const QByteArray line = text.toUtf8();
        _poWindowInterface->ExecuteLine(line.constData());
    });
    // Typing replaces the line just run; an arrow key goes back to editing it.
    editInput->selectAll();
}

void TfrmCalc::RunBusy(const std::function<void()>& run) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    {
        CRunGuard guard(this);
        QCoreApplication::processEvents();
        Guarded(run);
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
    TRunFileDialog dlgOpen(this, QStringLiteral("Run file"));
    dlgOpen.setObjectName(QStringLiteral("dlgOpen"));
    dlgOpen.setAcceptMode(QFileDialog::AcceptOpen);
    dlgOpen.setFileMode(QFileDialog::ExistingFile);
    dlgOpen.setNameFilter(QStringLiteral("*.bas *.BAS"));
    if (dlgOpen.exec() != QDialog::Accepted || dlgOpen.selectedFiles().isEmpty()) {
        return;
    }
    RunFile(dlgOpen.selectedFiles().constFirst());
}

QString TfrmCalc::ProgramFileName(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.suffix().isEmpty() || info.isDir()) {
        return fileName;
    }
    const QStringList candidates = {fileName + QStringLiteral(".bas"),
                                    fileName + QStringLiteral(".BAS")};
    const auto found = std::find_if(candidates.cbegin(), candidates.cend(),
                                    [](const QString& name) { return QFileInfo::exists(name); });
    return found != candidates.cend() ? *found : fileName;
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
        _pHelpWindow->setAttribute(Qt::WA_ShowWithoutActivating);
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
    if (!_pHelpWindow->isVisible()) {
        PlaceHelpWindow();
    }
    // The reference opens beside the calculator; the keys stay with the
    // input line until the user turns to the help.
    _pHelpWindow->show();
    _pHelpWindow->raise();
    editInput->setFocus();
}

void TfrmCalc::PlaceHelpWindow() {
    // A window not yet shown has no frame; the main window's is the same.
    const QSize frame = frameGeometry().size() - geometry().size();
    _pHelpWindow->move(HelpWindowPosition(frameGeometry(), _pHelpWindow->size() + frame,
                                          screen()->availableGeometry()));
}

QPoint TfrmCalc::HelpWindowPosition(const QRect& mainFrame, const QSize& helpFrame,
                                    const QRect& screen) {
    const int xMax = std::max(screen.left(), screen.right() + 1 - helpFrame.width());
    const int yMax = std::max(screen.top(), screen.bottom() + 1 - helpFrame.height());
    const int y = std::clamp(mainFrame.top(), screen.top(), yMax);
    const int xRight = mainFrame.right() + 1;
    if (xRight <= xMax) {
        return {xRight, y};
    }
    const int xLeft = mainFrame.left() - helpFrame.width();
    if (xLeft >= screen.left()) {
        return {xLeft, y};
    }
    auto covered = [&](QPoint position) {
        const QRect overlap = QRect(position, helpFrame) & mainFrame;
        return static_cast<long long>(overlap.width()) * overlap.height();
    };
    QPoint best(xMax, y);
    for (const int x : {xMax, screen.left()}) {
        for (const int yCandidate : {y, screen.top(), yMax}) {
            if (covered({x, yCandidate}) < covered(best)) {
                best = {x, yCandidate};
            }
        }
    }
    return best;
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
    Guarded([&] { _poWindowInterface->RedrawGraph(); });
}

// --- Reading, exploring and saving the picture -----------------------------------

void TfrmCalc::ConnectGraphPane() {
    pbGraph->SetOnPaint([this] { pbGraphPaint(); });
    pbGraph->SetOnNavigable([this] { return CanNavigateGraph(); });
    connect(pbGraph, &TGraphPaintBox::PointerMoved, this, &TfrmCalc::ProbeGraphAt);
    connect(pbGraph, &TGraphPaintBox::TraceRequested, this, &TfrmCalc::TraceGraph);
    connect(pbGraph, &TGraphPaintBox::ZoomRequested, this, [this](QPoint point, double factor) {
        NavigateGraph([&] { _poWindowInterface->ZoomGraph(point.x(), point.y(), factor); });
    });
    connect(pbGraph, &TGraphPaintBox::PanRequested, this, [this](QPoint offset) {
        NavigateGraph([&] { _poWindowInterface->PanGraph(offset.x(), offset.y()); });
    });
    connect(pbGraph, &TGraphPaintBox::ZoomToRequested, this, [this](QRect rect) {
        NavigateGraph([&] {
            _poWindowInterface->ZoomGraphTo(rect.left(), rect.top(), rect.right(), rect.bottom());
        });
    });
    connect(pbGraph, &TGraphPaintBox::HomeRequested, this,
            [this] { NavigateGraph([this] { _poWindowInterface->HomeGraph(); }); });
}

bool TfrmCalc::CanNavigateGraph() const {
    return _nRunning == 0 && _poWindowInterface && _poWindowInterface->IsGraphNavigable();
}

void TfrmCalc::NavigateGraph(const std::function<void()>& navigate) {
    if (CanNavigateGraph()) {
        RunBusy(navigate);
    }
}

void TfrmCalc::ProbeGraphAt(QPoint point) {
    // While a line runs the picture is being drawn: nothing to read yet.
    SGraphProbe probe{};
    bool bFound = false;
    if (_nRunning == 0 && _poWindowInterface) {
        Guarded([&] { bFound = _poWindowInterface->ProbeGraph(point.x(), point.y(), &probe); });
    }
    if (bFound) {
        ShowProbe(probe);
    } else {
        pbGraph->ClearOverlay();
    }
}

void TfrmCalc::TraceGraph(int nSampleStep, int nCurveStep) {
    if (_nRunning > 0 || !_poWindowInterface) {
        return;
    }
    // Past either end of a curve, or to a curve that is not there, the
    // trace stays where it is.
    SGraphProbe probe{};
    bool bFound = false;
    Guarded([&] {
        bFound = _poWindowInterface->ProbeSample(_iTraceCurve + nCurveStep,
                                                 _iTraceSample + nSampleStep, &probe);
    });
    if (bFound) {
        ShowProbe(probe);
    }
}

void TfrmCalc::ShowProbe(const SGraphProbe& probe) {
    SGraphOverlay overlay;
    overlay.pointerText = QString::fromUtf8(probe.pchPointer);
    overlay.bSample = probe.bSample;
    if (probe.bSample) {
        overlay.sample = QPoint(probe.pxSample, probe.pySample);
        overlay.nSampleColor = probe.nColor;
        overlay.sampleText = QString::fromUtf8(probe.pchSample);
        _iTraceCurve = probe.iCurve;
        _iTraceSample = probe.iSample;
    }
    pbGraph->SetOverlay(overlay);
}

void TfrmCalc::RefreshOverlay() {
    QPoint point;
    if (pbGraph->GetPointer(&point)) {
        ProbeGraphAt(point);
    } else {
        pbGraph->ClearOverlay();
    }
}

void TfrmCalc::mnuCopyGraphClick() {
    QGuiApplication::clipboard()->setImage(pbGraph->GetImage());
}

void TfrmCalc::mnuSaveGraphClick() {
    if (_nRunning > 0) {
        return;
    }
    QFileDialog dlgSave(this, tr("Save graph"));
    dlgSave.setObjectName(QStringLiteral("dlgSave"));
    dlgSave.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList filters = {tr("PNG image (*.png)"), tr("SVG image (*.svg)")};
    const QStringList suffixes = {QStringLiteral("png"), QStringLiteral("svg")};
    dlgSave.setNameFilters(filters);
    dlgSave.setDefaultSuffix(suffixes[0]);
    connect(&dlgSave, &QFileDialog::filterSelected, &dlgSave, [&](const QString& filter) {
        dlgSave.setDefaultSuffix(suffixes.value(filters.indexOf(filter), suffixes[0]));
    });
    if (dlgSave.exec() != QDialog::Accepted || dlgSave.selectedFiles().isEmpty()) {
        return;
    }
    SaveGraphAs(dlgSave.selectedFiles().constFirst());
}

void TfrmCalc::SaveGraphAs(const QString& fileName) {
    QString errorText;
    if (!SaveGraph(fileName, &errorText)) {
        QMessageBox::warning(this, tr("Save graph"),
                             tr("The graph could not be saved to %1.\n%2")
                                 .arg(QDir::toNativeSeparators(fileName), errorText));
    }
}

bool TfrmCalc::SaveGraph(const QString& fileName, QString* pErrorText) const {
    // The picture is complete before anything is written, and QSaveFile
    // replaces the file only once all of it is on disk.
    QByteArray data;
    if (QFileInfo(fileName).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
        if (!_poWindowInterface) {
            *pErrorText = tr("There is no picture to save.");
            return false;
        }
        TSvgGraphCanvas canvas(pbGraph->width(), pbGraph->height(), pbGraph->font());
        bool bRendered = false;
        Guarded([&] {
            _poWindowInterface->RenderGraph(&canvas);
            bRendered = true;
        });
        if (!bRendered) {
            *pErrorText = tr("The picture could not be drawn.");
            return false;
        }
        data = QByteArray::fromStdString(canvas.GetDocument());
    } else {
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        if (!writer.write(pbGraph->GetImage())) {
            *pErrorText = writer.errorString();
            return false;
        }
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        *pErrorText = file.errorString();
        return false;
    }
    return true;
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
    if (_pCompleter && pObject == _pCompleter->popup()) {
        return FilterCompletionPopup(pEvent);
    }
    if (pObject == editInput && pEvent->type() == QEvent::ShortcutOverride &&
        IsCompletionKey(pEvent)) {
        // Tab stays in the input line: it completes rather than moves on.
        pEvent->accept();
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
        if (pObject == editInput && IsCompletionKey(pKey)) {
            CompleteInput();
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

void TfrmCalc::CompleteInput() {
    if (_nRunning > 0 || !_poWindowInterface) {
        return;
    }
    const SCompletion completion = QueryCompletion();
    if (completion.candidates.empty()) {
        return;
    }
    ReplaceInputWord(completion, QString::fromStdString(completion.commonPrefix));
    if (completion.candidates.size() > 1) {
        ShowCompletions(completion.candidates);
    }
}

SCompletion TfrmCalc::QueryCompletion() const {
    SCompletion completion;
    if (_poWindowInterface) {
        const QString text = editInput->text();
        Guarded([&] {
            completion = CompleteWord(_poWindowInterface->GetProgram(), text.toStdString(),
                                      ByteIndex(text, editInput->cursorPosition()));
        });
    }
    return completion;
}

void TfrmCalc::ReplaceInputWord(const SCompletion& completion, const QString& replacement) {
    const QByteArray line = editInput->text().toUtf8();
    const int iStart = CharIndex(line, completion.iWordStart);
    const int iEnd = CharIndex(line, completion.iWordStart + completion.nWordLength);
    editInput->setSelection(iStart, iEnd - iStart);
    editInput->insert(replacement);
}

void TfrmCalc::ShowCompletions(const std::vector<std::string>& candidates) {
    QStringList list;
    for (const std::string& candidate : candidates) {
        list << QString::fromStdString(candidate);
    }
    _pCompletionModel->setStringList(list);
    _pCompleter->complete();
}

void TfrmCalc::RefreshCompletions() {
    if (!_pCompleter->popup()->isVisible()) {
        return;
    }
    const SCompletion completion = QueryCompletion();
    if (completion.candidates.size() > 1) {
        ShowCompletions(completion.candidates);
    } else {
        _pCompleter->popup()->hide();
    }
}

bool TfrmCalc::FilterCompletionPopup(QEvent* pEvent) {
    // The list holds the keys while it is open: Tab steps through it
    // rather than out of the input line.
    if (pEvent->type() != QEvent::KeyPress || !IsCompletionKey(pEvent)) {
        return false;
    }
    // The list opens on the first candidate, not yet chosen.
    QAbstractItemView* pList = _pCompleter->popup();
    const QModelIndex current = pList->currentIndex();
    const bool bChosen = pList->selectionModel()->isSelected(current);
    const int nRows = pList->model()->rowCount();
    const int iNext = bChosen ? (current.row() + 1) % nRows : std::max(current.row(), 0);
    pList->setCurrentIndex(pList->model()->index(iNext, 0));
    return true;
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
    const QString text = editInput->text();
    const QByteArray utf8 = text.toUtf8();
    OSTREL_ASSERT(iChar >= 0 && iChar <= utf8.size());
    editInput->setFocus();
    const int iPosition = std::min(CharIndex(utf8, iChar), static_cast<int>(text.size()));
    if (iPosition > 0 && text[iPosition - 1] == QLatin1Char('?')) {
        // A template's "?" stands for what the user types next; the caret
        // stays after it.
        editInput->setSelection(iPosition - 1, 1);
    } else {
        editInput->setCursorPosition(iPosition);
    }
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
