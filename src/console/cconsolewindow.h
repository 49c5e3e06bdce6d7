#pragma once

#include "interpreter/completion.h"
#include "ui/csession.h"
#include "ui/cwindowoperations.h"

#include <cstdio>
#include <string>

class CWindowInterface;

// The window operations of the terminal program: the output pane is the
// standard output, the menus' check marks and the buttons' captions are
// plain state, and the graph pane is virtual: it gives plots their sampling
// and label layout and draws nothing, though its picture can be written as
// an SVG file after each line that changed it. The user interrupts a run
// with Ctrl+C.
class CConsoleWindow : public CWindowOperations {
public:
    // The virtual pane's size unless SetGraphSize gives another.
    static constexpr int GRAPH_WIDTH = 300;
    static constexpr int GRAPH_HEIGHT = 200;

    explicit CConsoleWindow(std::FILE* pOutput);
    ~CConsoleWindow() override;

    CConsoleWindow(const CConsoleWindow&) = delete;
    CConsoleWindow& operator=(const CConsoleWindow&) = delete;

    // The reset of the main window (see CSession) and, unless told
    // otherwise, the start-up file. False when initialising failed.
    bool ResetCalculator(bool bRunStartupFile);
    // Both before ResetCalculator: the virtual pane's size, and the file the
    // picture is written to after each line that changed it.
    void SetGraphSize(int nWidth, int nHeight);
    void SetGraphFile(const char* pchFileName) { _graphFile = pchFileName; }
    // One typed line: a function-button key (\F1 to \F4) or a command.
    // False when what it ran reported an error.
    bool RunLine(const std::string& line);
    // Runs the program file as RUNFILE does; false when it reported an error.
    bool RunFile(const char* pchFileName);
    // The names that complete the word before the caret, from the program
    // of the current interface.
    SCompletion Complete(const std::string& line, int iCaret) const;
    // Whether any line run so far, the start-up file's included, reported
    // an error.
    bool HasAnyLineFailed() const { return _bAnyLineFailed; }
    // Whether writing the picture to the graph file failed at least once.
    bool HasGraphWriteFailed() const { return _bGraphWriteFailed; }

    // Makes Ctrl+C interrupt a running line. While no line runs it ends the
    // program as usual, or, at an interactive prompt, only marks the prompt
    // as interrupted (see TakePromptInterrupt).
    static void InstallInterruptHandler(bool bInteractive);
    // True once after a Ctrl+C that came while no line ran.
    static bool TakePromptInterrupt();

    void WriteOutput(const char* pchText) override;
    void ClearOutputPane() override {}
    void ShowToolbarButtons(bool bVisible) override { _bToolbarVisible = bVisible; }
    void CheckNumberFormat(int nCode) override;
    void CheckGraphicsFormat(int nCode) override;
    void SetButtonCaption(int iButton, const char* pchText) override;
    void ClearButtonCaption(int iButton) override { SetButtonCaption(iButton, ""); }
    void SetInputText(const char* pchText) override { _inputText = pchText; }
    void SetInputCaret(int iChar) override;
    void RunCommand(const char* pchText) override;

    bool IsGraphVisible() const override;
    int GetGraphWidth() const override { return _nGraphWidth; }
    int GetGraphHeight() const override { return _nGraphHeight; }
    void SetCanvasPen(int /*nColor*/, int /*nWidth*/) override {}
    void SetCanvasBrush(int /*nColor*/) override {}
    void CanvasRectangle(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) override {}
    void CanvasMoveTo(int /*x*/, int /*y*/) override {}
    void CanvasLineTo(int /*x*/, int /*y*/) override {}
    int CanvasTextHeight(const char* pchText) const override;
    int CanvasTextWidth(const char* pchText) const override;
    void CanvasTextOut(int /*x*/, int /*y*/, const char* /*pchText*/) override {}
    int GetButtonShadowColor() const override { return CanvasColor(128, 128, 128); }
    int GetButtonFaceColor() const override { return CanvasColor(192, 192, 192); }
    bool IsInterruptRequested() override;

private:
    CWindowInterface* Interface() const { return _session.GetInterface(); }
    // What follows every executed line: its output flushed, the graph file
    // written if the picture changed, and a failure noted. Returns
    // bSucceeded.
    bool FinishLine(bool bSucceeded);
    void FlushPendingCarriageReturn();
    void WriteGraphIfChanged();
    // The picture drawn on an SVG canvas of the pane's size and written to
    // the graph file; false when that failed.
    bool WriteGraph();
    // The labels' pixel size on the virtual pane: text is measured as the
    // SVG canvas measures it, so that both lay out labels alike.
    int LabelPixelSize() const { return GraphLabelPixelSize(_nGraphWidth, _nGraphHeight); }

    std::FILE* _pOutput;
    CSession _session{this};
    int _nGraphWidth = GRAPH_WIDTH;
    int _nGraphHeight = GRAPH_HEIGHT;
    // Empty when the picture is not written.
    std::string _graphFile;
    // The picture's revision when it was last written, or when the
    // interface was made.
    unsigned _nGraphRevision = 0;
    bool _bGraphWriteFailed = false;
    std::string _inputText;
    std::string _captions[4];
    int _nNumberFormat = 1;
    int _nGraphicsFormat = 1;
    bool _bToolbarVisible = true;
    bool _bAnyLineFailed = false;
    // Set when a command started by a function button reported an error.
    bool _bCommandFailed = false;
    // The output pane's line breaks are CR LF; the terminal's are LF. A CR
    // at the end of one piece of output waits for the next piece.
    bool _bPendingCarriageReturn = false;
};
