#include "cdeletesymbol.h"

#include "core/cleanupstack.h"
#include "core/clinkedlist.h"
#include "core/cstring.h"
#include "interpreter/cprogram.h"
#include "symbols/csymbol.h"
#include "ui/cuserinterface.h"

CDeleteSymbol::CDeleteSymbol(CProgram* pProg, const CString* pstrSymbolName)
    : CStatement(pProg), _poSymbolName(pstrSymbolName->MidToEnd(1, CString::Trimmed)) {
    AddInstance(CN_DELETESYMBOL);
}

CDeleteSymbol::~CDeleteSymbol() {
    delete _poSymbolName;
    RemoveInstance(CN_DELETESYMBOL);
}

std::uint8_t CDeleteSymbol::GetClassNumber() const {
    return CN_DELETESYMBOL;
}

int CDeleteSymbol::CountDeletes() const {
    return 1;
}

EExitSignal CDeleteSymbol::Execute() {
    if (IsProgramMode()) {
        RaiseError(ERR_DELETE_DIRECT_ONLY);
    }
    CProgram* pProg = GetProgram();
    CUserInterface* pUI = GetUserInterface();
    auto report = [&](const char* pchText) {
        pUI->PrintText(pchText);
        _poSymbolName->Print(pUI);
        pUI->PrintText("\n");
    };
    // A user constant is reported as a variable.
    const struct {
        CSymbolList* pList;
        const char* pchDeleted;
    } userLists[] = {
        {pProg->GetUserFunctions(), "Deleted function "},
        {pProg->GetVariables(), "Deleted variable "},
        {pProg->GetArrays(), "Deleted array "},
        {pProg->GetConstants(), "Deleted variable "},
    };
    for (const auto& entry : userLists) {
        const CNamedNumeric* pSymbol = entry.pList->FindByName(_poSymbolName);
        if (!pSymbol) {
            continue;
        }
        // A function that only the graph picture still draws may go: the
        // picture keeps what it has drawn.
        if (pSymbol->GetReferenceCount() != 0) {
            pUI->LetGoOfPlotSymbol(pSymbol);
        }
        if (pSymbol->GetReferenceCount() != 0) {
            RaiseError(ERR_DELETE_REFERENCED);
        }
        report(entry.pchDeleted);
        // FindByName left the cursor on the symbol.
        entry.pList->RemoveCurrent();
        return ES_CONTINUE;
    }
    if (pProg->GetLibraryFunctions()->FindByName(_poSymbolName)) {
        report("Cannot delete built-in function ");
    } else if (pProg->GetBuiltInConstants()->FindByName(_poSymbolName)) {
        report("Cannot delete built-in constant ");
    } else {
        report("Unrecognized function, variable or constant ");
    }
    return ES_CONTINUE;
}

void CDeleteSymbol::Describe() const {
    CStatement::Describe();
    GetUserInterface()->PrintText("Delete ");
    _poSymbolName->Print(GetUserInterface());
}
