#pragma once

#include "core/extended.h"
#include "tgraphpaintbox.h"
#include "ui/csession.h"
#include "ui/cwindowoperations.h"

#include <QMainWindow>
#include <QStringDecoder>
#include <QStringList>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

class CWindowInterface;
struct SCompletion;
struct SGraphProbe;
struct SGraphQuestion;
class QAction;
class QActionGroup;
class QCompleter;
class QKeyEvent;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QStringListModel;
class THelpWindow;

// The main window: input line, output pane, graph pane, four function
// buttons and the menu. Its session owns the window interface from one
// reset to the next and gets every command; the window holds nothing of
// the language. The controls carry the object names of the window's design
// (editInput, memoOutput, pbGraph, cmdF1 to cmdF4, mnu...).
class TfrmCalc final : public QMainWindow, public CWindowOperations {
    Q_OBJECT

public:
    // startupLine is the line every reset runs; tests pass another one.
    explicit TfrmCalc(std::string startupLine = CSession::DefaultStartupLine());
    ~TfrmCalc() override;

    TfrmCalc(const TfrmCalc&) = delete;
    TfrmCalc& operator=(const TfrmCalc&) = delete;

    void ResetCalculator();
    // Lays the controls out for the current client size, or a given one.
    void ArrangeControls();
    void ArrangeControls(int CW, int CH);
    CWindowInterface* GetWindowInterface() const { return _session.GetInterface(); }
    // Runs a program file as "Run file..." does, by its full name.
    void RunFile(const QString& fileName);
    // Runs the files of the command line once the event loop runs, that
    // is after the start-up file and with the window shown, so that a plot
    // in them draws on the pane as the user sees it.
    void RunFilesWhenShown(const QStringList& files);
    // Opens the help window at the section of a control's help context (see
    // THelpWindow::ShowSection).
    void ShowHelp(int nHelpContext);
    // The lines entered since the window opened, oldest first.
    const QStringList& GetInputHistory() const { return _inputHistory; }
    // Whether the user's request to stop the running line has arrived.
    bool IsInterruptPending() const { return _bInterrupt; }
    // The graph pane's context menu at a point of the pane: questions about
    // the curve there (on a PLOTXY picture), then copy, save and view. The
    // caller owns it.
    QMenu* CreateGraphMenu(QPoint point);

    // Writes the graph pane's picture to the file: an SVG image when its
    // suffix is .svg, else a PNG of the pane's image. On failure the file
    // is left as it was and pErrorText tells why.
    bool SaveGraph(const QString& fileName, QString* pErrorText) const;

    // The window operations of the window interface.
    void WriteOutput(const char* pchText) override;
    void ClearOutputPane() override;
    void ShowToolbarButtons(bool bVisible) override;
    void CheckNumberFormat(int nCode) override;
    void CheckGraphicsFormat(int nCode) override;
    void SetButtonCaption(int iButton, const char* pchText) override;
    void ClearButtonCaption(int iButton) override;
    void SetInputText(const char* pchText) override;
    void SetInputCaret(int iChar) override;
    void RunCommand(const char* pchText) override;
    bool IsGraphVisible() const override;
    int GetGraphWidth() const override;
    int GetGraphHeight() const override;
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
    bool IsInterruptRequested() override;

    // While a line runs, the window handles no input but Escape, which asks
    // the line to stop; a guard arms that for its lifetime.
    class CRunGuard {
    public:
        explicit CRunGuard(TfrmCalc* pForm);
        ~CRunGuard();
        CRunGuard(const CRunGuard&) = delete;
        CRunGuard& operator=(const CRunGuard&) = delete;

    private:
        TfrmCalc* _pForm;
    };

protected:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;

private:
    // Calls from Qt's events into the engine: an error code must not unwind
    // through the event loop. The window operations raise only for codes
    // and indices that the window itself never passes.
    template <class F> static void Guarded(F&& call) {
        try {
            call();
        } catch (int) {
            // Nothing to report: the raise has emptied the cleanup stack.
        }
    }
    // The engine counts the bytes of a line's UTF-8, the line edit its own
    // characters.
    static int CharIndex(const QByteArray& utf8, int iByte);
    static int ByteIndex(const QString& text, int iChar);
    static bool IsCompletionKey(const QEvent* pEvent);

    CWindowInterface* Interface() const { return _session.GetInterface(); }
    void CreateControls();
    // The keys go back to the input line, its text selected, so that what
    // the user types next replaces it: after a button, a menu command or a
    // dialog.
    void ReturnToInput();
    // A character typed while another control has the keys goes on to the
    // input line, which takes them from now on.
    void TypeIntoInput(int nKey, Qt::KeyboardModifiers modifiers, const QString& text);
    // The controls' places and sizes for a client area of CW by CH pixels.
    void LayOutControls(int CW, int CH);
    void CreateCompleter();
    void CreateMenu();
    void CreateFormatMenus();
    void ConnectMenu();
    void OpenMenuBar();
    QPushButton* Button(int iButton) const;
    void RunPendingFiles();
    void mnuExecuteClick();
    void mnuRunFileClick();
    void mnuSaveGraphClick();
    void mnuCopyGraphClick();
    void mnuViewGraphClick();
    // A view's number as the dialogs show it.
    static QString ViewNumberText(Extended value);
    // The values of expressions typed into a dialog; a message naming the
    // first text that is none.
    QString EvaluateTexts(const QStringList& texts, std::vector<Extended>* pValues) const;
    void AddQuestions(QMenu* pMenu, int iCurve, Extended x);
    // Asks the picture; the message (also shown on the pane) when there was
    // nothing to find.
    QString Ask(const SGraphQuestion& question);
    void AskValue(int iCurve, Extended x);
    void AskArea(int iCurve);
    void AskByKey(int nKey);
    // Copy, save and view ask for a picture: without a plot they are off.
    void UpdateGraphActions();
    void mnuAboutClick();
    // Runs a call into the engine as a line runs: under the run guard, with
    // the wait cursor, so that Escape stops it.
    void RunBusy(const std::function<void()>& run);
    void PressButton(int iButton);
    // Keys of the input line that the window handles itself: Tab, the
    // arrows, Enter; true when the key was taken.
    bool FilterInputKey(const QKeyEvent* pKey);
    void editInputKeyUp(QKeyEvent* pEvent);
    // Tab in the input line: the word before the caret is completed as far
    // as all candidates agree, and several are listed to choose from.
    void CompleteInput();
    SCompletion QueryCompletion() const;
    void ReplaceInputWord(const SCompletion& completion, const QString& replacement);
    void ShowCompletions(const std::vector<std::string>& candidates);
    // Typing on while the list is open narrows it.
    void RefreshCompletions();
    bool FilterCompletionPopup(QEvent* pEvent);
    void pbGraphPaint();
    void ConnectGraphPane();
    bool CanNavigateGraph() const;
    void NavigateGraph(const std::function<void()>& navigate);
    void ProbeGraphAt(QPoint point);
    void TraceGraph(int nSampleStep, int nCurveStep);
    void ShowProbe(const SGraphProbe& probe);
    // Reads the picture again under the pointer once it may have changed.
    void RefreshOverlay();
    void SaveGraphAs(const QString& fileName);
    void SetNumberFormatFromMenu(int nCode);
    void SetGraphicsFormatFromMenu(int nCode);
    void ToggleToolbarFromMenu();
    bool FilterWhileRunning(QObject* pObject, QEvent* pEvent);
    void RememberInput(const QString& text);
    // Up (-1) and Down (+1) in the input line walk the lines entered.
    void RecallInput(int nStep);

    // Shows the output that a running line has written so far.
    void FlushOutput();

    // The controls and menu items, under the names of the window's design.
    QLineEdit* editInput = nullptr;
    QPlainTextEdit* memoOutput = nullptr;
    TGraphPaintBox* pbGraph = nullptr;
    QPushButton* cmdF1 = nullptr;
    QPushButton* cmdF2 = nullptr;
    QPushButton* cmdF3 = nullptr;
    QPushButton* cmdF4 = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuExecute = nullptr;
    QAction* mnuReset = nullptr;
    QAction* mnuRunFile = nullptr;
    QAction* mnuSaveGraph = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuSettings = nullptr;
    QMenu* mnuNumberFormat = nullptr;
    QAction* mnuGeneral = nullptr;
    QAction* mnuFixed = nullptr;
    QAction* mnuScientific = nullptr;
    QAction* mnuShowToolbar = nullptr;
    QMenu* mnuGraphicsFormat = nullptr;
    QAction* mnuGFNone = nullptr;
    QAction* mnuGFMedium = nullptr;
    QAction* mnuGFLarge = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuShowHelp = nullptr;
    QAction* mnuAbout = nullptr;
    // In the graph pane's context menu, with mnuSaveGraph.
    QAction* mnuCopyGraph = nullptr;
    QAction* mnuViewGraph = nullptr;
    // The exclusive check marks of the two format menus.
    QActionGroup* _pNumberFormats = nullptr;
    QActionGroup* _pGraphicsFormats = nullptr;

    CSession _session;
    THelpWindow* _pHelpWindow = nullptr;
    QCompleter* _pCompleter = nullptr;
    QStringListModel* _pCompletionModel = nullptr;
    // The lines entered since the window opened, oldest first; the input
    // line shows entry _iHistory, or the line being typed when that is the
    // end of the list.
    QStringList _inputHistory;
    QStringList _filesToRun;
    int _iHistory = 0;
    // The sample that the arrow keys step from: the one last shown.
    int _iTraceCurve = 0;
    int _iTraceSample = 0;
    QString _historyDraft;
    QStringDecoder _outputDecoder{QStringDecoder::Utf8};
    // Output of a running line waits here and reaches the pane in pieces,
    // whenever pending events are handled and when the line ends: one
    // insertion per piece rather than per printed text.
    QString _pendingOutput;
    // When the running line last handled pending events; the engine asks
    // far more often than a user could notice.
    std::chrono::steady_clock::time_point _lastEvents;
    int _nRunning = 0;
    bool _bInterrupt = false;
    // Whether the input line's whole text was selected when it lost the
    // keys: a character typed elsewhere then replaces it, as it would have.
    bool _bInputWasSelected = false;
    bool _bReturnDown = false;
    bool _bFirstShow = true;
};
