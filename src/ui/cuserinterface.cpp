#include "cuserinterface.h"

#include "interpreter/cinterpreter.h"
#include "interpreter/cprogram.h"
#include "statements/cplotscene.h"

CUserInterface::CUserInterface() {
    AddInstance(CN_USERINTERFACE);
}

CUserInterface::~CUserInterface() {
    // The program's symbols go first: they may still refer to the
    // interpreter's kept state, never the other way round.
    delete _poProgram;
    delete _poInterpreter;
    RemoveInstance(CN_USERINTERFACE);
}

std::uint8_t CUserInterface::GetClassNumber() const {
    return CN_USERINTERFACE;
}

const CString* CUserInterface::GetErrorName() const {
    return _poInterpreter ? _poInterpreter->GetErrorName() : nullptr;
}

void CUserInterface::KeepPlot(CPlotScene* poScene) {
    delete poScene;
}
