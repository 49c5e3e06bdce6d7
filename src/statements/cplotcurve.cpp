#include "cplotcurve.h"

#include "cplotscene.h"
#include "numericalcommand.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/cstring.h"
#include "interpreter/cprogram.h"
#include "symbols/cfunction.h"
#include "ui/cuserinterface.h"

#include <vector>

CPlotCurve::CPlotCurve(CProgram* pProg) : CStatementWithExpressions(pProg) {
    AddInstance(CN_PLOTCURVE);
}

CPlotCurve::~CPlotCurve() {
    for (int i = 0; i < _nFunc; ++i) {
        ReleaseNamedFunction(_apFunc[i]);
        delete _apostrFunc[i];
    }
    ReleaseNamedFunction(_pFuncX);
    delete _postrFuncX;
    RemoveInstance(CN_PLOTCURVE);
}

std::uint8_t CPlotCurve::GetClassNumber() const {
    return CN_PLOTCURVE;
}

void CPlotCurve::AddFunctionName(const CString* pstrName, int nSyntaxCode) {
    if (_nFunc == MAX_PLOT_CURVES) {
        RaiseError(nSyntaxCode);
    }
    CString* poName = pstrName->MidToEnd(1, CString::Trimmed);
    if (poName->GetLength() == 0) {
        delete poName;
        RaiseError(nSyntaxCode);
    }
    _apostrFunc[_nFunc++] = poName;
}

void CPlotCurve::SetUpPlotXY(const CString* pstrFuncY, const CString* pstrInterval) {
    if (!pstrFuncY || pstrFuncY->GetLength() == 0) {
        RaiseError(ERR_PLOTXY_SYNTAX);
    }
    _kind = PK_XY;
    // The names stand between the commas outside brackets and quotes.
    int iStart = 1;
    for (int nComma = 1;; ++nComma) {
        const int iComma = pstrFuncY->FindSeparator(1, ',', nComma);
        const int iEnd = iComma > 0 ? iComma : pstrFuncY->GetLength() + 1;
        CString* poPiece = pstrFuncY->Mid(iStart, iEnd - iStart, CString::Plain);
        CleanupStack::PushObject(poPiece);
        AddFunctionName(poPiece, ERR_PLOTXY_SYNTAX);
        CleanupStack::PopAndDestroy(1);
        if (iComma == 0) {
            break;
        }
        iStart = iComma + 1;
    }
    SetIntervalExpressions(this, pstrInterval, ERR_PLOTXY_SYNTAX);
}

void CPlotCurve::SetUpPlotTXY(const CString* pstrFuncX, const CString* pstrFuncY,
                              const CString* pstrInterval) {
    if (!pstrFuncX || !pstrFuncY || pstrFuncX->GetLength() == 0 || pstrFuncY->GetLength() == 0) {
        RaiseError(ERR_PLOTTXY_SYNTAX);
    }
    _kind = PK_TXY;
    delete _postrFuncX;
    _postrFuncX = pstrFuncX->MidToEnd(1, CString::Trimmed);
    AddFunctionName(pstrFuncY, ERR_PLOTTXY_SYNTAX);
    SetIntervalExpressions(this, pstrInterval, ERR_PLOTTXY_SYNTAX);
}

void CPlotCurve::SetUpPlotPhiR(const CString* pstrFuncR, const CString* pstrInterval) {
    if (!pstrFuncR || pstrFuncR->GetLength() == 0) {
        RaiseError(ERR_PLOTPHIR_SYNTAX);
    }
    _kind = PK_PHIR;
    AddFunctionName(pstrFuncR, ERR_PLOTPHIR_SYNTAX);
    SetIntervalExpressions(this, pstrInterval, ERR_PLOTPHIR_SYNTAX);
}

void CPlotCurve::Link() {
    // Every name is checked in the order written, before anything is drawn.
    OSTREL_ASSERT(_nFunc > 0);
    for (int i = 0; i < _nFunc; ++i) {
        if (!_apFunc[i]) {
            LinkNamedFunction(this, &_apostrFunc[i], &_apFunc[i], ERR_ONE_VARIABLE_PLOT,
                              Variable());
        }
    }
    if (_postrFuncX) {
        LinkNamedFunction(this, &_postrFuncX, &_pFuncX, ERR_ONE_VARIABLE_PLOT, Variable());
    }
    CStatementWithExpressions::Link();
}

EExitSignal CPlotCurve::Execute() {
    OSTREL_ASSERT(_nFunc > 0 && _apFunc[0]);
    GetProgram()->PollInterrupt();
    CUserInterface* pUI = GetUserInterface();
    if (pUI->GetGraphicsFormat() == GF_NONE) {
        pUI->SetGraphicsFormat(GF_MEDIUM);
    }
    pUI->ClearGraph();
    const SInterval interval = EvaluateOrderedInterval(GetExpression(1), GetExpression(2));
    int pxLeft = 0;
    int pyTop = 0;
    int pxRight = 0;
    int pyBottom = 0;
    pUI->GetPlotArea(&pxLeft, &pyTop, &pxRight, &pyBottom);
    const int nWidth = pxRight - pxLeft;
    const int nHeight = pyBottom - pyTop;
    // The scene is the picture's model: sampled here once, as a plot always
    // was, then handed to the graph pane to be drawn again and explored.
    auto* poScene = new CPlotScene(GetProgram(), _kind, {interval.lo, interval.hi});
    CleanupStack::PushObject(poScene);
    for (int i = 0; i < _nFunc; ++i) {
        poScene->AddCurve(_apFunc[i]);
    }
    if (_pFuncX) {
        poScene->SetXFunction(_pFuncX);
    }
    poScene->SampleStrictly(nWidth, nHeight);
    poScene->ChooseHomeView(_kind == PK_XY ? GetProgram()->GetPlotYRange() : nullptr);
    std::vector<SPlotCurve> curves;
    DrawPlotScene(pUI, poScene->Describe(poScene->ViewOn(nWidth, nHeight), &curves));
    CleanupStack::Pop();
    pUI->KeepPlot(poScene);
    pUI->DrawGraphFrame();
    PrintSummary(pUI, interval);
    return ES_CONTINUE;
}

const char* CPlotCurve::Variable() const {
    switch (_kind) {
    case PK_TXY:
        return "T";
    case PK_PHIR:
        return "PHI";
    default:
        return "X";
    }
}

void CPlotCurve::PrintSummary(CUserInterface* pUI, const SInterval& interval) const {
    const char* pchVariable = Variable();
    switch (_kind) {
    case PK_TXY:
        OSTREL_ASSERT(_pFuncX);
        pUI->PrintText("Plotted \nY = ");
        PrintFunctionOf(pUI, _apFunc[0], pchVariable);
        pUI->PrintText("\nX = ");
        PrintFunctionOf(pUI, _pFuncX, pchVariable);
        pUI->PrintText("\n");
        break;
    case PK_PHIR:
        pUI->PrintText("Plotted \nR = ");
        PrintFunctionOf(pUI, _apFunc[0], pchVariable);
        pUI->PrintText("\n");
        break;
    default:
        pUI->PrintText("Plotted Y = ");
        for (int i = 0; i < _nFunc; ++i) {
            pUI->PrintText(i == 0 ? nullptr : ", ");
            PrintFunctionOf(pUI, _apFunc[i], pchVariable);
        }
        pUI->PrintText("\n");
        break;
    }
    pUI->PrintText("on interval from\n");
    pUI->PrintText(pchVariable);
    pUI->PrintText(" = ");
    pUI->PrintNumber(interval.lo);
    pUI->PrintText(" to \n");
    pUI->PrintText(pchVariable);
    pUI->PrintText(" = ");
    pUI->PrintNumber(interval.hi);
    pUI->PrintText("\n");
}

void CPlotCurve::Describe() const {
    CStatement::Describe();
    GetUserInterface()->PrintText("DrawGraph");
}
