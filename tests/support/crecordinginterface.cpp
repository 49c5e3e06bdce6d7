#include "crecordinginterface.h"

#include "core/cleanupstack.h"
#include "core/errorcodes.h"
#include "core/numbertext.h"
#include "interpreter/cinterpreter.h"
#include "interpreter/cprogram.h"

CRecordingInterface::CRecordingInterface() {
    _poInterpreter = new CInterpreter;
    _poProgram = new CProgram(_poInterpreter);
    _poProgram->DefineBuiltIns();
    _poProgram->SetUserInterface(this);
    _poInterpreter->SetProgram(_poProgram);
}

void CRecordingInterface::PrintText(const char* pchText) {
    if (pchText) {
        _output += pchText;
    }
}

void CRecordingInterface::PrintNumber(Extended value) {
    static constexpr EFloatFormat FORMATS[] = {FF_GENERAL, FF_FIXED, FF_EXPONENT};
    char pchText[NUMBER_TEXT_SIZE];
    FormatNumber(value, FORMATS[_nNumberFormat - 1], _nPrecision, 2, pchText);
    _output += pchText;
}

void CRecordingInterface::SetNumberFormat(int nCode) {
    if (nCode < NF_GENERAL || nCode > NF_SCIENTIFIC) {
        RaiseError(ERR_ILLEGAL_PARAMETER_UI);
    }
    _nNumberFormat = nCode;
}

void CRecordingInterface::SetGraphicsFormat(int nCode) {
    if (nCode < GF_NONE || nCode > GF_LARGE) {
        RaiseError(ERR_ILLEGAL_PARAMETER_UI);
    }
    _nGraphicsFormat = nCode;
}

void CRecordingInterface::GetPlotArea(int* pxLeft, int* pyTop, int* pxRight, int* pyBottom) {
    *pxLeft = 2;
    *pyTop = 2;
    *pxRight = 398;
    *pyBottom = 298;
}

std::string CRecordingInterface::TakeOutput() {
    std::string output;
    output.swap(_output);
    return output;
}
