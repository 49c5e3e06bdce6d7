#include "csetyrange.h"

#include "numericalcommand.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/cstring.h"
#include "interpreter/cprogram.h"
#include "ui/cuserinterface.h"
#include "ui/plotscene.h"

#include <cmath>

namespace {

// Not a reserved word: elsewhere AUTO may name the user's own symbol.
constexpr const char* AUTO = "AUTO";

} // namespace

CSetYRange::CSetYRange(CProgram* pProg) : CStatementWithExpressions(pProg) {
    AddInstance(CN_SETYRANGE);
}

CSetYRange::~CSetYRange() {
    RemoveInstance(CN_SETYRANGE);
}

std::uint8_t CSetYRange::GetClassNumber() const {
    return CN_SETYRANGE;
}

void CSetYRange::SetText(const CString* pstrRange) {
    OSTREL_ASSERT(pstrRange);
    CString* poRange = pstrRange->MidToEnd(1, CString::Trimmed);
    CleanupStack::PushObject(poRange);
    if (!poRange->Compare(AUTO, false)) {
        // A range has two ends: a second comma is as wrong as a missing one.
        if (poRange->GetLength() > 0 && poRange->FindSeparator(1, ',', 2) > 0) {
            RaiseError(ERR_SETYRANGE_SYNTAX);
        }
        SetIntervalExpressions(this, poRange, ERR_SETYRANGE_SYNTAX);
    }
    CleanupStack::PopAndDestroy();
}

EExitSignal CSetYRange::Execute() {
    CProgram* pProg = GetProgram();
    pProg->PollInterrupt();
    if (IsAuto()) {
        pProg->ClearPlotYRange();
        return ES_CONTINUE;
    }
    const SInterval ends = EvaluateEndpoints(GetExpression(1), GetExpression(2));
    // An infinite end, or finite ends too far apart for the width to be a
    // number: PLOTXY could not scale to that, as to such samples.
    if (std::isinf(ends.lo) || std::isinf(ends.hi) || std::isinf(ends.hi - ends.lo)) {
        RaiseError(ERR_OVERFLOW);
    }
    // Equal ends, a NaN (which compares with nothing) or a range too narrow
    // to grid.
    if (!IsDrawableRange({ends.lo, ends.hi})) {
        RaiseError(ERR_INTERVAL_LENGTH);
    }
    pProg->SetPlotYRange(ends.lo, ends.hi);
    return ES_CONTINUE;
}

void CSetYRange::Describe() const {
    CStatement::Describe();
    GetUserInterface()->PrintText("SetYRange");
}
