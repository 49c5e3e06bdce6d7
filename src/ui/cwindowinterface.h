#pragma once

#include "cuserinterface.h"
#include "numbertext.h"

class CWindowOperations;

// The user interface of the main window: it owns the interpreter and the
// program object, runs one command line at a time, reports the line's
// error, and turns every output and drawing operation into the window's
// operations.
class CWindowInterface : public CUserInterface {
public:
    static constexpr int BUTTON_COUNT = 4;

    CWindowInterface();
    ~CWindowInterface() override;
    std::uint8_t GetClassNumber() const override;

    void ClearGraph() override;
    void ClearOutput() override;
    void DrawGraphFrame() override;
    void PrintText(const char* pchText) override;
    void PrintChar(char ch) override;
    void PrintInteger(int n) override;
    void PrintNumber(Extended value) override;
    void SetNumberFormat(int nCode) override;
    void SetGraphicsFormat(int nCode) override;
    int GetGraphicsFormat() const override { return _nGraphicsFormat; }
    void DrawNumber(Extended value, Extended x, Extended y) override;
    void SetPrecision(int nPrecision) override;
    void SetWorldWindow(Extended x0, Extended y0, Extended x1, Extended y1) override;
    void GetPlotArea(int* pxLeft, int* pyTop, int* pxRight, int* pyBottom) override;
    void MoveTo(Extended x, Extended y) override;
    void LineTo(Extended x, Extended y) override;
    void SetAxisPen() override;
    void SetPenColor(int red, int green, int blue) override;
    void SetGridPen() override;
    void ShowToolbar(bool bShown) override;
    void ToggleToolbar() override;
    bool IsToolbarShown() const override { return _bToolbarShown; }
    void ClearFunctionButton(int iButton) override;
    void SetFunctionButton(int iButton, const CString* pstrCaption, const CString* pstrFuncName,
                           bool bRunAtOnce) override;
    bool IsInterrupted() override;
    int GetInterfaceCode() const override { return 67; }

    // Creates the interpreter and the program object and wires them up, in
    // the order the program object's built-ins rely on.
    void Initialise();
    void AttachWindow(CWindowOperations* pWindow) { _pWindow = pWindow; }
    // Runs one command line and reports its error, if any, in the output.
    // False when the line reported an error (the interruption included).
    bool ExecuteLine(const char* pchLine);
    // Whether the line run last reported an error: callers that only see
    // the output pane, such as a run-at-once button, learn it here.
    bool HasLastLineFailed() const { return _bLastLineFailed; }
    // A click on function button iButton: runs its command or offers it as
    // a template in the input line.
    void PressFunctionButton(int iButton);
    static void CheckButtonIndex(int iButton);

    // World coordinates to pixels of the plot area last returned by
    // GetPlotArea, truncated toward zero.
    int MapX(Extended x) const;
    int MapY(Extended y) const;

    EFloatFormat GetFloatFormat() const { return _floatFormat; }
    int GetPrecision() const { return _nPrecision; }
    // The stored button entry (1 to 4); null texts when unbound.
    const CString* GetButtonCaption(int iButton) const;
    const CString* GetButtonCommand(int iButton) const;
    bool IsButtonRunAtOnce(int iButton) const;

private:
    struct SFunctionButton {
        CString* poCommand = nullptr;
        CString* poCaption = nullptr;
        bool bRunAtOnce = false;
    };

    CWindowOperations* Window() const;
    const SFunctionButton& Button(int iButton) const;
    void ReleaseButton(int iButton);

    CWindowOperations* _pWindow = nullptr;
    EFloatFormat _floatFormat = FF_GENERAL;
    int _nPrecision = 18;
    int _nDigits = 2;
    Extended _x0 = 0, _y0 = 0, _x1 = 1, _y1 = 1;
    int _pxLeft = 0, _pyTop = 0, _pxRight = 0, _pyBottom = 0;
    bool _bToolbarShown = true;
    bool _bLastLineFailed = false;
    int _nGraphicsFormat = GF_MEDIUM;
    SFunctionButton _buttons[BUTTON_COUNT];
};
