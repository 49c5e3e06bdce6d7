#pragma once

#include "ui/cuserinterface.h"

#include <string>

// A user interface for tests: it records the output as text, numbers in the
// general format with 18 digits, and owns a real interpreter and program so
// that named errors can be reported.
class CRecordingInterface : public CUserInterface {
public:
    CRecordingInterface();

    void ClearGraph() override {}
    void ClearOutput() override { _output.clear(); }
    void DrawGraphFrame() override {}
    void PrintText(const char* pchText) override;
    void PrintChar(char ch) override { _output += ch; }
    void PrintInteger(int n) override { _output += std::to_string(n); }
    void PrintNumber(Extended value) override;
    void SetNumberFormat(int nCode) override;
    void SetGraphicsFormat(int nCode) override;
    int GetGraphicsFormat() const override { return _nGraphicsFormat; }
    void DrawNumber(Extended, Extended, Extended, int) override {}
    void SetPrecision(int nPrecision) override { _nPrecision = nPrecision; }
    void SetWorldWindow(Extended, Extended, Extended, Extended) override {}
    void GetPlotArea(int* pxLeft, int* pyTop, int* pxRight, int* pyBottom) override;
    void MoveTo(Extended, Extended) override {}
    void LineTo(Extended, Extended) override {}
    void SetAxisPen() override {}
    void SetPenColor(int, int, int) override {}
    void SetGridPen() override {}
    void ShowToolbar(bool bShown) override { _bToolbar = bShown; }
    void ToggleToolbar() override { _bToolbar = !_bToolbar; }
    bool IsToolbarShown() const override { return _bToolbar; }
    void ClearFunctionButton(int) override {}
    void SetFunctionButton(int, const CString*, const CString*, bool) override {}
    bool IsInterrupted() override { return _bInterrupted; }
    int GetInterfaceCode() const override { return 0; }

    // Returns what was printed since the last call and forgets it.
    std::string TakeOutput();
    void SetInterrupted(bool bInterrupted) { _bInterrupted = bInterrupted; }

private:
    std::string _output;
    int _nNumberFormat = NF_GENERAL;
    int _nGraphicsFormat = GF_MEDIUM;
    int _nPrecision = 18;
    bool _bToolbar = true;
    bool _bInterrupted = false;
};
