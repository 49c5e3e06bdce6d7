#include "uFrmCalc.h"

#include "core/cleanupstack.h"
#include "core/errorcodes.h"
#include "thelpwindow.h"
#include "trunfiledialog.h"
#include "uFrmAbout.h"
#include "ui/cwindowinterface.h"

#include <QAbstractItemView>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCompleter>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>

#include <utility>

namespace {

// The nearest Debian font to the design's 8-point dialog font.
QFont FormFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(8);
    return font;
}

// How often a running line handles the window's events: often enough that
// Escape and repaints feel immediate, rarely enough to cost nothing.
constexpr std::chrono::milliseconds EVENT_INTERVAL{25};

// The output pane's lines at most; older ones are dropped from the top.
// The pane counts the empty block after the last line break as one.
constexpr int OUTPUT_LINES_KEPT = 100000;

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
        _pForm->UpdateGraphActions();
    }
}

TfrmCalc::TfrmCalc(std::string startupLine) : _session(this, std::move(startupLine)) {
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
    // A printing loop must not fill the memory: the pane keeps the last
    // lines only, and no undo history of what was written into it.
    memoOutput->setMaximumBlockCount(OUTPUT_LINES_KEPT + 1);
    memoOutput->setUndoRedoEnabled(false);
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
    // The pane takes the focus by a click; F1 there opens how to explore it.
    pbGraph->setProperty("helpContext", 3);
    pbGraph->installEventFilter(this);
    ConnectGraphPane();

    QPushButton** const buttons[] = {&cmdF1, &cmdF2, &cmdF3, &cmdF4};
    for (int i = 0; i < 4; ++i) {
        auto* pButton = new QPushButton(pClient);
        pButton->setObjectName(QStringLiteral("cmdF%1").arg(i + 1));
        pButton->setGeometry(376, 8 + 24 * i, 89, 17);
        pButton->setAutoDefault(false);
        // Reached by Tab, but a click leaves the keys where they were.
        pButton->setFocusPolicy(Qt::TabFocus);
        if (i < 3) {
            pButton->setProperty("helpContext", 5);
        }
        pButton->installEventFilter(this);
        connect(pButton, &QPushButton::clicked, this, [this, i] { PressButton(i + 1); });
        *buttons[i] = pButton;
    }
    editInput->installEventFilter(this);
    memoOutput->installEventFilter(this);
    // A click on the output pane's scroll bars scrolls, then the keys go
    // back to the input line.
    memoOutput->verticalScrollBar()->installEventFilter(this);
    memoOutput->horizontalScrollBar()->installEventFilter(this);
    setTabOrder(editInput, memoOutput);
    setTabOrder(memoOutput, cmdF1);
    setTabOrder(cmdF1, cmdF2);
    setTabOrder(cmdF2, cmdF3);
    setTabOrder(cmdF3, cmdF4);
    editInput->setFocus();
    CreateCompleter();
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
    mnuExecute = item(mnuFile, "mnuExecute", tr("Enter"));
    mnuReset = item(mnuFile, "mnuReset", tr("Reset"));
    mnuRunFile = item(mnuFile, "mnuRunFile", tr("Run file..."));
    mnuSaveGraph = item(mnuFile, "mnuSaveGraph", tr("Save graph as..."));
    mnuExit = item(mnuFile, "mnuExit", tr("Exit"));

    mnuSettings = pBar->addMenu(tr("&Settings"));
    mnuSettings->setObjectName(QStringLiteral("mnuSettings"));
    mnuNumberFormat = mnuSettings->addMenu(tr("Number display format"));
    mnuNumberFormat->setObjectName(QStringLiteral("mnuNumberFormat"));
    mnuGeneral = item(mnuNumberFormat, "mnuGeneral", tr("General"));
    mnuFixed = item(mnuNumberFormat, "mnuFixed", tr("2 decimals"));
    mnuScientific = item(mnuNumberFormat, "mnuScientific", tr("Scientific"));
    mnuShowToolbar = item(mnuSettings, "mnuShowToolbar", tr("Hide toolbar"));
    mnuGraphicsFormat = mnuSettings->addMenu(tr("Graphics display format"));
    mnuGraphicsFormat->setObjectName(QStringLiteral("mnuGraphicsFormat"));
    mnuGFNone = item(mnuGraphicsFormat, "mnuGFNone", tr("None"));
    mnuGFMedium = item(mnuGraphicsFormat, "mnuGFMedium", tr("Medium frame"));
    mnuGFLarge = item(mnuGraphicsFormat, "mnuGFLarge", tr("Large frame"));

    mnuHelp = pBar->addMenu(tr("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuShowHelp = item(mnuHelp, "mnuShowHelp", tr("Show Help"));
    mnuAbout = item(mnuHelp, "mnuAbout", tr("About Ostrel..."));

    mnuCopyGraph = new QAction(tr("Copy graph"), this);
    mnuCopyGraph->setObjectName(QStringLiteral("mnuCopyGraph"));
    mnuViewGraph = new QAction(tr("View..."), this);
    mnuViewGraph->setObjectName(QStringLiteral("mnuViewGraph"));
    pbGraph->setContextMenuPolicy(Qt::CustomContextMenu);
    pbGraph->addAction(mnuCopyGraph);
    pbGraph->addAction(mnuSaveGraph);
    pbGraph->addAction(mnuViewGraph);

    CreateFormatMenus();
    ConnectMenu();
}

void TfrmCalc::CreateFormatMenus() {
    // One check mark per menu; an item's action sets the format, which
    // checks the item again through the window operation.
    auto group = [this](std::initializer_list<QAction*> items) {
        auto* pGroup = new QActionGroup(this);
        for (QAction* pAction : items) {
            pAction->setCheckable(true);
            pGroup->addAction(pAction);
        }
        return pGroup;
    };
    _pNumberFormats = group({mnuGeneral, mnuFixed, mnuScientific});
    _pGraphicsFormats = group({mnuGFNone, mnuGFMedium, mnuGFLarge});
}

void TfrmCalc::ConnectMenu() {
    connect(mnuExecute, &QAction::triggered, this, &TfrmCalc::mnuExecuteClick);
    connect(mnuReset, &QAction::triggered, this, &TfrmCalc::ResetCalculator);
    connect(mnuRunFile, &QAction::triggered, this, &TfrmCalc::mnuRunFileClick);
    connect(mnuSaveGraph, &QAction::triggered, this, &TfrmCalc::mnuSaveGraphClick);
    connect(mnuCopyGraph, &QAction::triggered, this, &TfrmCalc::mnuCopyGraphClick);
    connect(mnuViewGraph, &QAction::triggered, this, &TfrmCalc::mnuViewGraphClick);
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    // The groups hold their items in the order of the format codes.
    connect(_pNumberFormats, &QActionGroup::triggered, this, [this](QAction* pAction) {
        SetNumberFormatFromMenu(NF_GENERAL +
                                static_cast<int>(_pNumberFormats->actions().indexOf(pAction)));
    });
    connect(mnuShowToolbar, &QAction::triggered, this, &TfrmCalc::ToggleToolbarFromMenu);
    connect(_pGraphicsFormats, &QActionGroup::triggered, this, [this](QAction* pAction) {
        SetGraphicsFormatFromMenu(GF_NONE +
                                  static_cast<int>(_pGraphicsFormats->actions().indexOf(pAction)));
    });
    connect(mnuShowHelp, &QAction::triggered, this, [this] { ShowHelp(0); });
    connect(mnuAbout, &QAction::triggered, this, &TfrmCalc::mnuAboutClick);
    // After any menu command, dialogs included, the keys are the input
    // line's again: connected last, so that it follows the command.
    const std::function<void(const QMenu*)> returnAfter = [&](const QMenu* pMenu) {
        for (QAction* pAction : pMenu->actions()) {
            if (pAction->menu()) {
                returnAfter(pAction->menu());
            } else {
                connect(pAction, &QAction::triggered, this, &TfrmCalc::ReturnToInput);
            }
        }
    };
    for (const QMenu* pMenu : {mnuFile, mnuSettings, mnuHelp}) {
        returnAfter(pMenu);
    }

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
    setWindowTitle(tr("Ostrel 1.0"));
    editInput->clear();
    Guarded([this] {
        if (!_session.Reset()) {
            return;
        }
        // The old picture went with the old interface; the pane shows that.
        Interface()->RedrawGraph();
        UpdateGraphActions();
        CRunGuard guard(this);
        _session.RunStartupFile();
    });
}

void TfrmCalc::ArrangeControls() {
    const QWidget* pClient = centralWidget();
    ArrangeControls(pClient->width(), pClient->height());
}

void TfrmCalc::ArrangeControls(int CW, int CH) {
    // The output pane keeps showing its end through any new size, unless
    // the user has scrolled up to read.
    QScrollBar* pBar = memoOutput->verticalScrollBar();
    const bool bAtEnd = pBar->value() >= pBar->maximum();
    LayOutControls(CW, CH);
    if (bAtEnd) {
        pBar->setValue(pBar->maximum());
    }
}

void TfrmCalc::LayOutControls(int CW, int CH) {
    if (!Interface()) {
        return;
    }
    const int f = Interface()->GetGraphicsFormat();
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

void TfrmCalc::mnuExecuteClick() {
    if (_nRunning > 0 || !Interface()) {
        return;
    }
    RunBusy([this] {
        const QString text = editInput->text();
        RememberInput(text);
        const QByteArray line = text.toUtf8();
        Interface()->ExecuteLine(line.constData());
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

void TfrmCalc::mnuRunFileClick() {
    if (_nRunning > 0) {
        return;
    }
    TRunFileDialog dlgOpen(this);
    if (dlgOpen.exec() != QDialog::Accepted || dlgOpen.selectedFiles().isEmpty()) {
        return;
    }
    RunFile(dlgOpen.selectedFiles().constFirst());
}

void TfrmCalc::RunFile(const QString& fileName) {
    if (_nRunning > 0) {
        return;
    }
    CRunGuard guard(this);
    _session.RunFile(QFileInfo(fileName).absoluteFilePath().toStdString());
}

void TfrmCalc::RunFilesWhenShown(const QStringList& files) {
    _filesToRun += files;
    // The queued call's slot object belongs to Qt, which the analyser
    // cannot see.
    // NOLINTNEXTLINE(clang-analyzer-cplusplus.NewDeleteLeaks)
    QMetaObject::invokeMethod(this, &TfrmCalc::RunPendingFiles, Qt::QueuedConnection);
}

void TfrmCalc::RunPendingFiles() {
    const QStringList files = std::exchange(_filesToRun, {});
    for (const QString& file : files) {
        RunFile(file);
    }
}

void TfrmCalc::ShowHelp(int nHelpContext) {
    if (!_pHelpWindow) {
        _pHelpWindow = new THelpWindow(this);
    }
    _pHelpWindow->ShowSection(nHelpContext);
    // The reference opens beside the calculator; the keys stay with the
    // input line until the user turns to the help.
    editInput->setFocus();
}

void TfrmCalc::mnuAboutClick() {
    TfrmAbout frmAbout(this);
    frmAbout.exec();
}

void TfrmCalc::PressButton(int iButton) {
    if (_nRunning > 0 || !Interface()) {
        return;
    }
    bool bRunAtOnce = false;
    {
        CRunGuard guard(this);
        Guarded([&] {
            bRunAtOnce = Interface()->IsButtonRunAtOnce(iButton);
            Interface()->PressFunctionButton(iButton);
        });
    }
    // A template stands in the input line with its "?" selected; after a
    // command the line's text is selected, as after Enter.
    if (bRunAtOnce) {
        ReturnToInput();
    }
}

void TfrmCalc::ReturnToInput() {
    // After a dialog the window itself may have lost the keys.
    activateWindow();
    editInput->setFocus();
    editInput->selectAll();
}

void TfrmCalc::TypeIntoInput(int nKey, Qt::KeyboardModifiers modifiers, const QString& text) {
    editInput->setFocus();
    if (_bInputWasSelected) {
        editInput->selectAll();
    }
    QKeyEvent forwarded(QEvent::KeyPress, nKey, modifiers, text);
    QApplication::sendEvent(editInput, &forwarded);
}

void TfrmCalc::SetNumberFormatFromMenu(int nCode) {
    if (Interface()) {
        Guarded([&] { Interface()->SetNumberFormat(nCode); });
    }
}

void TfrmCalc::SetGraphicsFormatFromMenu(int nCode) {
    if (Interface()) {
        Guarded([&] { Interface()->SetGraphicsFormat(nCode); });
    }
}

void TfrmCalc::ToggleToolbarFromMenu() {
    if (Interface()) {
        Guarded([&] { Interface()->ToggleToolbar(); });
    }
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
    if (pEvent->type() == QEvent::MouseButtonRelease &&
        (pObject == memoOutput->verticalScrollBar() ||
         pObject == memoOutput->horizontalScrollBar())) {
        ReturnToInput();
        return false;
    }
    if (pEvent->type() == QEvent::KeyPress) {
        const auto* pKey = static_cast<QKeyEvent*>(pEvent);
        // Reading and copying stay in the output pane; typing goes on.
        if (pObject == memoOutput && TGraphPaintBox::IsTypedCharacter(pKey)) {
            TypeIntoInput(pKey->key(), pKey->modifiers(), pKey->text());
            return true;
        }
        if (pKey->key() == Qt::Key_F1) {
            // A control without a help context of its own gets the contents.
            ShowHelp(pObject->property("helpContext").toInt());
            return true;
        }
        if (pObject == editInput && FilterInputKey(pKey)) {
            return true;
        }
        // Carriage return and line feed never reach a control as typed
        // characters.
        if (pKey->key() == Qt::Key_Return || pKey->key() == Qt::Key_Enter ||
            pKey->text() == QStringLiteral("\r") || pKey->text() == QStringLiteral("\n")) {
            return true;
        }
    } else if (pEvent->type() == QEvent::KeyRelease && pObject == editInput) {
        editInputKeyUp(static_cast<QKeyEvent*>(pEvent));
    } else if (pEvent->type() == QEvent::FocusOut && pObject == editInput) {
        _bInputWasSelected =
            !editInput->text().isEmpty() && editInput->selectedText() == editInput->text();
    }
    return QMainWindow::eventFilter(pObject, pEvent);
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
    // The end in view: the last line, and the empty one after its break.
    memoOutput->verticalScrollBar()->setValue(memoOutput->verticalScrollBar()->maximum());
}

void TfrmCalc::ClearOutputPane() {
    _pendingOutput.clear();
    memoOutput->clear();
}

void TfrmCalc::ShowToolbarButtons(bool bVisible) {
    mnuShowToolbar->setText(bVisible ? tr("Hide toolbar") : tr("Show toolbar"));
    for (QPushButton* pButton : {cmdF1, cmdF2, cmdF3, cmdF4}) {
        pButton->setVisible(bVisible);
    }
    ArrangeControls();
}

void TfrmCalc::CheckNumberFormat(int nCode) {
    if (nCode < NF_GENERAL || nCode > NF_SCIENTIFIC) {
        RaiseError(ERR_ILLEGAL_PARAMETER_UI);
    }
    _pNumberFormats->actions().at(nCode - NF_GENERAL)->setChecked(true);
}

void TfrmCalc::CheckGraphicsFormat(int nCode) {
    if (nCode < GF_NONE || nCode > GF_LARGE) {
        RaiseError(ERR_ILLEGAL_PARAMETER_UI);
    }
    ArrangeControls();
    _pGraphicsFormats->actions().at(nCode - GF_NONE)->setChecked(true);
}

void TfrmCalc::SetButtonCaption(int iButton, const char* pchText) {
    // "&" would mark a mnemonic on a Qt button; the caption shows it as is.
    QString caption = QString::fromUtf8(pchText);
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    Button(iButton)->setText(caption);
    Button(iButton)->setToolTip(QString());
}

void TfrmCalc::ClearButtonCaption(int iButton) {
    // A blank button says how it gets its command.
    Button(iButton)->setText(QString());
    Button(iButton)->setToolTip(
        tr("Not bound. SETFUNCTIONBUTTON %1, \"command\", \"caption\", 1 binds it to a "
           "command that runs at once; with 0 its command is offered in the input line.")
            .arg(iButton));
}

void TfrmCalc::RunCommand(const char* pchText) {
    if (Interface()) {
        Interface()->ExecuteLine(pchText);
    }
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
