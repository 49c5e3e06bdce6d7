#include "cprotostatement.h"

#include "cinterpreter.h"
#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/csourceplace.h"
#include "core/cstring.h"
#include "statements/cstatement.h"

CProtoStatement::CProtoStatement() {
    AddInstance(CN_PROTOSTATEMENT);
}

CProtoStatement::~CProtoStatement() {
    delete _poCodeLine;
    delete _poStatement;
    delete _poPlace;
    RemoveInstance(CN_PROTOSTATEMENT);
}

std::uint8_t CProtoStatement::GetClassNumber() const {
    return CN_PROTOSTATEMENT;
}

void CProtoStatement::SetCodeLine(const CString* pstrCodeLine) {
    OSTREL_ASSERT(pstrCodeLine);
    CString* poCopy = pstrCodeLine->MidToEnd(1, CString::Plain);
    delete _poCodeLine;
    _poCodeLine = poCopy;
}

void CProtoStatement::SetPlace(CSourcePlace* pPlace) {
    delete _poPlace;
    _poPlace = pPlace;
}

ELineType CProtoStatement::Classify(CInterpreter* pInterpreter) {
    _lineType = pInterpreter->GetLineType(_poCodeLine);
    return _lineType;
}

bool CProtoStatement::IsOpener() const {
    return _lineType == LT_FOR || _lineType == LT_IF || _lineType == LT_FUNCTION ||
           _lineType == LT_SUB || _lineType == LT_DO;
}

bool CProtoStatement::IsCloser() const {
    return _lineType == LT_END_IF || _lineType == LT_END_FUNCTION || _lineType == LT_END_SUB ||
           _lineType == LT_NEXT || _lineType == LT_LOOP;
}

bool CProtoStatement::IsMiddle() const {
    return _lineType == LT_ELSEIF || _lineType == LT_ELSE;
}

bool CProtoStatement::HoldsStatement() const {
    return _lineType < LT_FOR || _lineType == LT_SEQUENCE ||
           (_lineType >= LT_BLOCK && _lineType <= LT_FINDEXTREMA);
}
