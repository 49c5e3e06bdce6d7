#pragma once

#include "crecordinginterface.h"

#include "core/cleanupstack.h"
#include "core/cstring.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

// A recording interface that also writes down every graph operation and
// every button binding, one text per call, e.g. "MoveTo(0,2.5)". Numbers are
// written with ten significant digits, so that the tests read like the
// values they expect, and -0 as 0. Its pane is W x H pixels, with the plot
// area of the window interface inside a two-pixel frame.
class CCanvasRecorder : public CRecordingInterface {
public:
    CCanvasRecorder(int nWidth = 400, int nHeight = 300) : _nWidth(nWidth), _nHeight(nHeight) {}

    void ClearGraph() override { Record("ClearGraph"); }
    void DrawGraphFrame() override { Record("DrawGraphFrame"); }
    void SetGraphicsFormat(int nCode) override {
        CRecordingInterface::SetGraphicsFormat(nCode);
        Record("SetGraphicsFormat(" + std::to_string(nCode) + ")");
    }
    void DrawNumber(Extended value, Extended x, Extended y, int /*nDigits*/) override {
        Record("DrawNumber(" + Text(value) + "," + Text(x) + "," + Text(y) + ")");
    }
    void SetWorldWindow(Extended x0, Extended y0, Extended x1, Extended y1) override {
        Record("SetWorldWindow(" + Text(x0) + "," + Text(y0) + "," + Text(x1) + "," + Text(y1) +
               ")");
    }
    void GetPlotArea(int* pxLeft, int* pyTop, int* pxRight, int* pyBottom) override {
        *pxLeft = 2;
        *pyTop = 2;
        *pxRight = _nWidth - 2;
        *pyBottom = _nHeight - 2;
        Record("GetPlotArea");
    }
    void MoveTo(Extended x, Extended y) override {
        Record("MoveTo(" + Text(x) + "," + Text(y) + ")");
    }
    void LineTo(Extended x, Extended y) override {
        Record("LineTo(" + Text(x) + "," + Text(y) + ")");
    }
    void SetAxisPen() override { Record("SetAxisPen"); }
    void SetPenColor(int red, int green, int blue) override {
        Record("SetPenColor(" + std::to_string(red) + "," + std::to_string(green) + "," +
               std::to_string(blue) + ")");
    }
    void SetGridPen() override { Record("SetGridPen"); }
    void ClearFunctionButton(int iButton) override {
        // The window interface's own index check.
        if (iButton < 1 || iButton > 4) {
            RaiseError(ERR_ILLEGAL_PARAMETER_UI);
        }
        Record("ClearFunctionButton(" + std::to_string(iButton) + ")");
    }
    void SetFunctionButton(int iButton, const CString* pstrCaption, const CString* pstrFuncName,
                           bool bRunAtOnce) override {
        if (iButton < 1 || iButton > 4) {
            RaiseError(ERR_ILLEGAL_PARAMETER_UI);
        }
        Record("SetFunctionButton(" + std::to_string(iButton) + ",[" + pstrCaption->GetData() +
               "],[" + pstrFuncName->GetData() + "]," + (bRunAtOnce ? "run" : "edit") + ")");
    }

    // The calls recorded since the last call, which forgets them.
    std::vector<std::string> TakeCalls() {
        std::vector<std::string> calls;
        calls.swap(_calls);
        return calls;
    }

    static std::string Text(Extended value) {
        char pch[64];
        std::snprintf(pch, sizeof pch, "%.10Lg", value == 0 ? 0.0L : value);
        return pch;
    }

private:
    void Record(std::string call) { _calls.push_back(std::move(call)); }

    int _nWidth;
    int _nHeight;
    std::vector<std::string> _calls;
};
