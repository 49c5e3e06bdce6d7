#include "cdeclarearray.h"

#include "core/cleanupstack.h"
#include "core/clinkedlist.h"
#include "core/cstring.h"
#include "expression/cexpression.h"
#include "expression/mathsupport.h"
#include "interpreter/cprogram.h"
#include "interpreter/namecheck.h"
#include "symbols/carray.h"
#include "ui/cuserinterface.h"

CDeclareArray::CDeclareArray(CProgram* pProg, const CString* pstrArrName, EDeclarationKind kind)
    : CStatementWithExpressions(pProg), _poArrName(pstrArrName->MidToEnd(1, CString::Trimmed)),
      _kind(kind) {
    AddInstance(CN_DECLAREARRAY);
}

CDeclareArray::~CDeclareArray() {
    delete _poArrName;
    RemoveInstance(CN_DECLAREARRAY);
}

std::uint8_t CDeclareArray::GetClassNumber() const {
    return CN_DECLAREARRAY;
}

int CDeclareArray::CountVarDeclarations() const {
    return 1;
}

// A limit out of the 32-bit range is reported with the user interface's code.
int CDeclareArray::EvaluateLimit(int iExpr) const {
    return RoundToInt(GetExpression(iExpr)->Evaluate(), ERR_ILLEGAL_PARAMETER_UI);
}

EExitSignal CDeclareArray::Execute() {
    GetProgram()->PollInterrupt();
    const SDeclarationScope scope = GetDeclarationScope(this);
    CheckNewName(GetProgram(), _poArrName, IsNameTaken(this, scope, _poArrName),
                 {ERR_DUPLICATE_VARIABLE, ERR_ILLEGAL_VARIABLE});
    auto* poArray = new CArray(_kind == DK_STATIC);
    CleanupStack::PushObject(poArray);
    const int limits[] = {EvaluateLimit(1), EvaluateLimit(2)};
    poArray->Dimension(_poArrName, limits, 1);
    scope.pArrays->AddLast(poArray);
    CleanupStack::Pop();
    if (!IsProgramMode()) {
        CUserInterface* pUI = GetUserInterface();
        pUI->PrintText("Declared array ");
        poArray->Print(pUI);
        pUI->PrintText("\n");
    }
    return ES_CONTINUE;
}

void CDeclareArray::Describe() const {
    CStatement::Describe();
    CUserInterface* pUI = GetUserInterface();
    pUI->PrintText("Dim ");
    _poArrName->Print(pUI);
    pUI->PrintText("(...)");
}
