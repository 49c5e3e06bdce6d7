#pragma once

#include "core/cleanupstack.h"
#include "core/errorcodes.h"
#include "ui/cwindowinterface.h"
#include "ui/cwindowoperations.h"

#include <string>
#include <vector>

// A window for tests: it keeps the output pane as text, the check marks,
// captions and input line as plain state, and logs every canvas call in a
// readable form. Format codes and button indices are checked like the real
// window checks them.
class CRecordingWindow : public CWindowOperations {
public:
    explicit CRecordingWindow(CWindowInterface* pInterface = nullptr) : _pInterface(pInterface) {}

    void SetInterface(CWindowInterface* pInterface) { _pInterface = pInterface; }

    void WriteOutput(const char* pchText) override { output += pchText; }
    void ClearOutputPane() override { output.clear(); }
    void ShowToolbarButtons(bool bVisible) override {
        bButtonsVisible = bVisible;
        ++nArranged;
    }
    void CheckNumberFormat(int nCode) override {
        if (nCode < 1 || nCode > 3) {
            RaiseError(ERR_ILLEGAL_PARAMETER_UI);
        }
        nCheckedNumberFormat = nCode;
    }
    void CheckGraphicsFormat(int nCode) override {
        if (nCode < 0 || nCode > 2) {
            RaiseError(ERR_ILLEGAL_PARAMETER_UI);
        }
        nFormatSeenByArrange = _pInterface ? _pInterface->GetGraphicsFormat() : -1;
        ++nArranged;
        nCheckedGraphicsFormat = nCode;
    }
    void SetButtonCaption(int iButton, const char* pchText) override {
        if (iButton < 1 || iButton > 4) {
            RaiseError(ERR_ILLEGAL_PARAMETER_UI);
        }
        captions[iButton - 1] = pchText;
    }
    void ClearButtonCaption(int iButton) override { SetButtonCaption(iButton, ""); }
    void SetInputText(const char* pchText) override { inputText = pchText; }
    void SetInputCaret(int iChar) override { iCaret = iChar; }
    void RunCommand(const char* pchText) override {
        commands.emplace_back(pchText);
        if (_pInterface) {
            _pInterface->ExecuteLine(pchText);
        }
    }

    bool IsGraphVisible() const override { return bGraphVisible; }
    int GetGraphWidth() const override { return nGraphWidth; }
    int GetGraphHeight() const override { return nGraphHeight; }
    void SetCanvasPen(int nColor, int nWidth) override {
        Log(Join("pen ", std::to_string(nColor), " ", std::to_string(nWidth)));
    }
    void SetCanvasBrush(int nColor) override { Log(Join("brush ", std::to_string(nColor))); }
    void CanvasRectangle(int x1, int y1, int x2, int y2) override {
        Log(Join("rect ", Point(x1, y1), " ", Point(x2, y2)));
    }
    void CanvasMoveTo(int x, int y) override { Log(Join("move ", Point(x, y))); }
    void CanvasLineTo(int x, int y) override { Log(Join("line ", Point(x, y))); }
    int CanvasTextHeight(const char* /*pchText*/) const override { return nTextHeight; }
    int CanvasTextWidth(const char* pchText) const override {
        return nCharWidth * static_cast<int>(std::string(pchText).size());
    }
    void CanvasTextOut(int x, int y, const char* pchText) override {
        Log(Join("text ", Point(x, y), " ", pchText));
    }
    int GetButtonShadowColor() const override { return SHADOW; }
    int GetButtonFaceColor() const override { return FACE; }
    bool IsInterruptRequested() override {
        ++nInterruptPolls;
        return bInterrupt;
    }

    static std::string Point(int x, int y) {
        return Join("(", std::to_string(x), ",", std::to_string(y), ")");
    }
    // Appends rather than chaining operator+, on which g++ 12 at -O3 warns
    // of overlapping copies (-Wrestrict) that cannot happen.
    template <typename... Parts> static std::string Join(const Parts&... parts) {
        std::string text;
        (text.append(parts), ...);
        return text;
    }
    std::string TakeCanvas() {
        std::string text;
        text.swap(canvas);
        return text;
    }

    static constexpr int SHADOW = 0x808080;
    static constexpr int FACE = 0xC0C0C0;

    std::string output;
    std::string canvas;
    std::string captions[4];
    std::string inputText;
    std::vector<std::string> commands;
    int iCaret = -1;
    int nCheckedNumberFormat = 0;
    int nCheckedGraphicsFormat = -1;
    int nFormatSeenByArrange = -1;
    int nArranged = 0;
    int nInterruptPolls = 0;
    bool bButtonsVisible = false;
    bool bGraphVisible = true;
    bool bInterrupt = false;
    int nGraphWidth = 225;
    int nGraphHeight = 145;
    int nTextHeight = 10;
    int nCharWidth = 5;

private:
    void Log(const std::string& entry) {
        canvas += entry;
        canvas += '\n';
    }

    CWindowInterface* _pInterface;
};
