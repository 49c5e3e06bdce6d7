#include "csimplestatements.h"

#include "ui/cuserinterface.h"

CDoNothing::CDoNothing(CProgram* pProg) : CStatement(pProg) {
    AddInstance(CN_DONOTHING);
}

CDoNothing::~CDoNothing() {
    RemoveInstance(CN_DONOTHING);
}

std::uint8_t CDoNothing::GetClassNumber() const {
    return CN_DONOTHING;
}

EExitSignal CDoNothing::Execute() {
    if (!IsProgramMode()) {
        GetUserInterface()->PrintText("Executed null statement.\n");
    }
    return ES_CONTINUE;
}

void CDoNothing::Describe() const {
    CStatement::Describe();
    GetUserInterface()->PrintText("Blank Statement");
}
