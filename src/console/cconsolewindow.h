#pragma once

#include "ui/cwindowoperations.h"

#include <cstdio>
#include <string>

class CWindowInterface;

// The window operations of the terminal program: the output pane is the
// standard output, the menus' check marks and the buttons' captions are
// plain state, and there is no graph pane: a virtual one of 300 by 200
// pixels gives plots their sampling and draws nothing. The user interrupts
// a run with Ctrl+C.
class CConsoleWindow : public CWindowOperations {
public:
    static constexpr int GRAPH_WIDTH = 300;
    static constexpr int GRAPH_HEIGHT = 200;

    explicit CConsoleWindow(std::FILE* pOutput);
    ~CConsoleWindow() override;

    CConsoleWindow(const CConsoleWindow&) = delete;
    CConsoleWindow& operator=(const CConsoleWindow&) = delete;

    // The reset of the main window, as far as a terminal has one: a new
    // window interface, the window's defaults, the leak report and, unless
    // told otherwise, the start-up file. False when initialising failed.
    bool ResetCalculator(bool bRunStartupFile);
    // One typed line: a function-button key (\F1 to \F4) or a command.
    // False when what it ran reported an error.
    bool RunLine(const std::string& line);
    // Runs the program file through the line runfile "FILE"; false when it
    // reported an error.
    bool RunFile(const char* pchFileName);
    // Whether any line run so far, the start-up file's included, reported
    // an error.
    bool HasAnyLineFailed() const { return _bAnyLineFailed; }
    CWindowInterface* GetInterface() const { return _poInterface; }

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
    int GetGraphWidth() const override { return GRAPH_WIDTH; }
    int GetGraphHeight() const override { return GRAPH_HEIGHT; }
    void SetCanvasPen(int /*nColor*/, int /*nWidth*/) override {}
    void SetCanvasBrush(int /*nColor*/) override {}
    void CanvasRectangle(int /*x1*/, int /*y1*/, int /*x2*/, int /*y2*/) override {}
    void CanvasMoveTo(int /*x*/, int /*y*/) override {}
    void CanvasLineTo(int /*x*/, int /*y*/) override {}
    int CanvasTextHeight(const char* /*pchText*/) const override { return 8; }
    int CanvasTextWidth(const char* pchText) const override;
    void CanvasTextOut(int /*x*/, int /*y*/, const char* /*pchText*/) override {}
    int GetButtonShadowColor() const override { return CanvasColor(128, 128, 128); }
    int GetButtonFaceColor() const override { return CanvasColor(192, 192, 192); }
    bool IsInterruptRequested() override;

private:
    // Runs a line through the interface with Ctrl+C armed; false when it
    // reported an error.
    bool Execute(const char* pchLine);
    void FlushPendingCarriageReturn();

    std::FILE* _pOutput;
    CWindowInterface* _poInterface = nullptr;
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
