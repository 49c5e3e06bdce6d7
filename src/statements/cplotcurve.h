#pragma once

#include "cstatementwithexpressions.h"

class CFunction;
struct SInterval;

// PLOTXY X1,X2,FY and PLOTTXY T1,T2,FX,FY: samples the curve, scales the
// graph pane to it and draws grid, axes, labels, the curve and the frame.
// An X function makes it the parametric PLOTTXY.
class CPlotCurve : public CStatementWithExpressions {
public:
    explicit CPlotCurve(CProgram* pProg);
    ~CPlotCurve() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    void Link() override;
    void Describe() const override;

    void SetUpPlotXY(const CString* pstrFuncY, const CString* pstrInterval);
    void SetUpPlotTXY(const CString* pstrFuncX, const CString* pstrFuncY,
                      const CString* pstrInterval);

    // A range of world coordinates.
    struct SRange {
        Extended lo;
        Extended hi;
    };
    // Grid values first, first + step, ... across a range.
    struct SGridStep {
        Extended step;
        Extended first;
    };
    // The smallest step of the series 1, 2, 5 times a power of ten that
    // divides the range into fewer than 13 parts, and the first multiple of
    // it in the range. Raises "Illegal parameter value in function call."
    // unless lo < hi.
    static SGridStep ChooseGridStep(Extended lo, Extended hi);

private:
    struct SGrid {
        SGridStep x;
        SGridStep y;
    };

    bool IsParametric() const { return _pFuncX != nullptr; }
    void SampleCurve(const SInterval& interval, int nSamples, Extended* px, Extended* py,
                     SRange* pxRange, SRange* pyRange) const;
    void PrintSummary(CUserInterface* pUI, const SInterval& interval) const;

    static void DrawPicture(CUserInterface* pUI, const SRange& xRange, const SRange& yRange,
                            const Extended* px, const Extended* py, int nSamples);
    static SGrid DrawGrid(CUserInterface* pUI, const SRange& xRange, const SRange& yRange);
    static void DrawAxes(CUserInterface* pUI, const SRange& xRange, const SRange& yRange);
    static void DrawYLabels(CUserInterface* pUI, Extended x, const SGridStep& grid, Extended yHi);
    static void DrawXLabels(CUserInterface* pUI, Extended y, const SGridStep& grid, Extended xHi);
    static void DrawPolyline(CUserInterface* pUI, const Extended* px, const Extended* py,
                             int nSamples);

    CString* _postrFuncY = nullptr;
    CFunction* _pFuncY = nullptr;
    CString* _postrFuncX = nullptr;
    CFunction* _pFuncX = nullptr;
};
