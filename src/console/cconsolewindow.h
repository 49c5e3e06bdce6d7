#pragma once

#include "ui/cwindowoperations.h"

#include <cstdio>
#include <string>

class CWindowInterface;

// The window operations of the terminal program: the output pane is the
// standard output, the menus' check marks and the buttons' captions are
// plain state, and the graph pane is a canvas of the design size that
// draws nothing. The user interrupts a run with Ctrl+C.
class CConsoleWindow : public CWindowOperations {
public:
    static constexpr int GRAPH_WIDTH = 225;
    static constexpr int GRAPH_HEIGHT = 145;

    explicit CConsoleWindow(std::FILE* pOutput);
    ~CConsoleWindow() override;

    CConsoleWindow(const CConsoleWindow&) = delete;
    CConsoleWindow& operator=(const CConsoleWindow&) = delete;

    // The reset of the main window, as far as a terminal has one: a new
    // window interface, the window's defaults, the leak report and, unless
    // told otherwise, the start-up file. False when initialising failed.
    bool ResetCalculator(bool bRunStartupFile);
    // One typed line: a function-button key (\F1 to \F4) or a command.
    void RunLine(const std::string& line);
    CWindowInterface* GetInterface() const { return _poInterface; }

    // Makes Ctrl+C interrupt a running line; while no line runs it ends
    // the program as usual.
    static void InstallInterruptHandler();

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
    void CanvasTextOut(int /*x*/, int /*y*/, const char* /*pchText*/) override {}
    int GetButtonShadowColor() const override { return CanvasColor(128, 128, 128); }
    int GetButtonFaceColor() const override { return CanvasColor(192, 192, 192); }
    bool IsInterruptRequested() override;

private:
    // Runs a line through the interface with Ctrl+C armed.
    void Execute(const char* pchLine);
    void FlushPendingCarriageReturn();

    std::FILE* _pOutput;
    CWindowInterface* _poInterface = nullptr;
    std::string _inputText;
    std::string _captions[4];
    int _nNumberFormat = 1;
    int _nGraphicsFormat = 1;
    bool _bToolbarVisible = true;
    // The output pane's line breaks are CR LF; the terminal's are LF. A CR
    // at the end of one piece of output waits for the next piece.
    bool _bPendingCarriageReturn = false;
};
