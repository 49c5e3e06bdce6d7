#pragma once

#include "cstatementwithexpressions.h"
#include "ui/plotscene.h"

class CFunction;
struct SInterval;

// PLOTXY X1,X2,F[,G...], PLOTTXY T1,T2,FX,FY and PLOTPHIR P1,P2,FR: samples
// the curves, scales the graph pane to them and draws grid, axes, labels,
// the curves and the frame. PLOTXY draws up to eight functions over one x
// range; PLOTPHIR draws the polar curve r = FR(phi) with equal units on both
// axes.
class CPlotCurve : public CStatementWithExpressions {
public:
    explicit CPlotCurve(CProgram* pProg);
    ~CPlotCurve() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    void Link() override;
    void Describe() const override;

    // The function text of PLOTXY names one function or several, separated
    // by commas.
    void SetUpPlotXY(const CString* pstrFuncY, const CString* pstrInterval);
    void SetUpPlotTXY(const CString* pstrFuncX, const CString* pstrFuncY,
                      const CString* pstrInterval);
    void SetUpPlotPhiR(const CString* pstrFuncR, const CString* pstrInterval);

private:
    // The variable of an expression written in place of a function: X, T
    // or PHI.
    const char* Variable() const;
    void PrintSummary(CUserInterface* pUI, const SInterval& interval) const;
    void AddFunctionName(const CString* pstrName, int nSyntaxCode);

    EPlotKind _kind = PK_XY;
    // The Y functions of PLOTXY (one or more), the Y function of PLOTTXY or
    // the R function of PLOTPHIR; names until Link finds the functions.
    int _nFunc = 0;
    CString* _apostrFunc[MAX_PLOT_CURVES] = {};
    CFunction* _apFunc[MAX_PLOT_CURVES] = {};
    // PLOTTXY only.
    CString* _postrFuncX = nullptr;
    CFunction* _pFuncX = nullptr;
};
