#pragma once

#include "cgraphcanvas.h"

// What the window interface needs from the window it drives: the main
// window's own operations, the drawing surface of the graph pane and the
// user's request to stop a run. The engine knows no toolkit; the Qt window,
// the terminal program and the tests each implement this.
//
// A plain interface, not a counted object: the implementations are toolkit
// objects with lifetimes of their own.
class CWindowOperations : public CGraphCanvas {
public:
    ~CWindowOperations() override = default;

    // Appends the text to the output pane and shows its end.
    virtual void WriteOutput(const char* pchText) = 0;
    virtual void ClearOutputPane() = 0;
    // Shows or hides the function buttons, renames the toolbar menu item
    // and arranges the controls.
    virtual void ShowToolbarButtons(bool bVisible) = 0;
    // Both raise "Illegal parameter value in function call." for a code
    // outside their range and change nothing then.
    virtual void CheckNumberFormat(int nCode) = 0;
    virtual void CheckGraphicsFormat(int nCode) = 0;
    // Buttons 1 to 4; any other index raises the same error.
    virtual void SetButtonCaption(int iButton, const char* pchText) = 0;
    virtual void ClearButtonCaption(int iButton) = 0;
    virtual void SetInputText(const char* pchText) = 0;
    // Focuses the input line and puts the caret after iChar characters.
    virtual void SetInputCaret(int iChar) = 0;
    // Runs the line through the window interface's ExecuteLine.
    virtual void RunCommand(const char* pchText) = 0;

    // True when the user has asked the running line to stop. A window may
    // handle its pending events here, which is how the request reaches it.
    virtual bool IsInterruptRequested() = 0;
};
