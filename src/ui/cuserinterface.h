#pragma once

#include "core/cbase.h"
#include "core/extended.h"

class CInterpreter;
class CNamedNumeric;
class CPlotScene;
class CProgram;
class CString;
struct SPlotScene;

// Number display formats and graph frames, as the language's constants name
// them.
enum ENumberFormat { NF_GENERAL = 1, NF_FIXED = 2, NF_SCIENTIFIC = 3 };
enum EGraphicsFormat { GF_NONE = 0, GF_MEDIUM = 1, GF_LARGE = 2 };

// Everything below the window reaches the screen through this interface. It
// owns the program object and the interpreter, which its implementation
// creates before the first line runs.
class CUserInterface : public CBase {
public:
    CUserInterface();
    ~CUserInterface() override;
    std::uint8_t GetClassNumber() const override;

    virtual void ClearGraph() = 0;
    virtual void ClearOutput() = 0;
    virtual void DrawGraphFrame() = 0;
    virtual void PrintText(const char* pchText) = 0;
    virtual void PrintChar(char ch) = 0;
    virtual void PrintInteger(int n) = 0;
    virtual void PrintNumber(Extended value) = 0;
    virtual void SetNumberFormat(int nCode) = 0;
    virtual void SetGraphicsFormat(int nCode) = 0;
    virtual int GetGraphicsFormat() const = 0;
    // A label of nDigits significant digits (at least two) at world (x, y).
    virtual void DrawNumber(Extended value, Extended x, Extended y, int nDigits) = 0;
    virtual void SetPrecision(int nPrecision) = 0;
    virtual void SetWorldWindow(Extended x0, Extended y0, Extended x1, Extended y1) = 0;
    virtual void GetPlotArea(int* pxLeft, int* pyTop, int* pxRight, int* pyBottom) = 0;
    virtual void MoveTo(Extended x, Extended y) = 0;
    virtual void LineTo(Extended x, Extended y) = 0;
    virtual void SetAxisPen() = 0;
    virtual void SetPenColor(int red, int green, int blue) = 0;
    virtual void SetGridPen() = 0;
    virtual void ShowToolbar(bool bShown) = 0;
    virtual void ToggleToolbar() = 0;
    virtual bool IsToolbarShown() const = 0;
    virtual void ClearFunctionButton(int iButton) = 0;
    virtual void SetFunctionButton(int iButton, const CString* pstrCaption,
                                   const CString* pstrFuncName, bool bRunAtOnce) = 0;
    virtual bool IsInterrupted() = 0;
    virtual int GetInterfaceCode() const = 0;
    // A plot tells what it is about to draw, so that its picture can be
    // traced and explored; called after ClearGraph, before the drawing.
    virtual void DescribePlot(const SPlotScene& /*scene*/) {}
    // Draws the names and colours of the curves described last in a corner
    // of the plot area.
    virtual void DrawLegend() {}
    // A plot statement hands over the scene it has drawn, to be drawn again
    // and explored; an interface without a graph picture just destroys it.
    virtual void KeepPlot(CPlotScene* poScene);
    // DELETE asks the graph picture to let go of a symbol that nothing but
    // the picture holds any more; the picture then keeps what it has drawn.
    virtual void LetGoOfPlotSymbol(const CNamedNumeric* /*pSymbol*/) {}

    CInterpreter* GetInterpreter() const { return _poInterpreter; }
    // The name that the last named error quotes; null when there is none.
    // The error report reads it here, below the interpreter that keeps it.
    const CString* GetErrorName() const;
    CProgram* GetProgram() const { return _poProgram; }

protected:
    CProgram* _poProgram = nullptr;
    CInterpreter* _poInterpreter = nullptr;
};
