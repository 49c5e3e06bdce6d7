#pragma once

#include "core/cbase.h"

#include <utility>

class CInterpreter;
class CSourcePlace;
class CStatement;
class CString;

// What a line of a program is, as the block compiler sees it.
enum ELineType : std::uint8_t {
    LT_NONE = 0,
    LT_DECLARE = 1,
    LT_ASSIGN = 2,
    LT_CONST = 3,
    LT_SIMPLE = 4,
    LT_DELETE = 5,
    LT_IF_LINE = 6,
    LT_FOR_LINE = 7,
    LT_FUNCTION_LINE = 8,
    LT_RUNFILE = 9,
    LT_FINDZEROS = 10,
    LT_PLOT = 11,
    LT_FOR = 12,
    LT_IF = 13,
    LT_ELSEIF = 14,
    LT_ELSE = 15,
    LT_END_IF = 16,
    LT_FUNCTION = 17,
    LT_END_FUNCTION = 18,
    LT_SUB = 19,
    LT_END_SUB = 20,
    LT_NEXT = 21,
    LT_DO = 22,
    LT_LOOP = 23,
    LT_SEQUENCE = 24,
    LT_UNCLASSIFIED = 25,
    LT_BLOCK = 26,
    LT_EXIT_LOOP = 27,
    LT_EXIT_FUNCTION = 28,
    LT_PRINT_TEXT = 29,
    LT_CALL = 30,
    LT_FINDEXTREMA = 31,
};

// One line of a program while it is being compiled: its text, its type, the
// statement built for it so far, and the block search's bookkeeping.
class CProtoStatement : public CBase {
public:
    CProtoStatement();
    ~CProtoStatement() override;
    std::uint8_t GetClassNumber() const override;

    void SetCodeLine(const CString* pstrCodeLine);
    CString* GetCodeLine() const { return _poCodeLine; }
    ELineType Classify(CInterpreter* pInterpreter);
    // Where the line stands in its program file; the entry owns it.
    void SetPlace(CSourcePlace* pPlace);
    const CSourcePlace* GetPlace() const { return _poPlace; }
    // Hands the place over to its new owner.
    CSourcePlace* TakePlace() { return std::exchange(_poPlace, nullptr); }
    ELineType GetLineType() const { return _lineType; }
    void SetLineType(ELineType lineType) { _lineType = lineType; }
    int GetLevel() const { return _nLevel; }
    void SetLevel(int nLevel) { _nLevel = nLevel; }

    // SetStatement does not destroy the statement held before: a caller
    // handing it on sets null afterwards.
    CStatement* GetStatement() const { return _poStatement; }
    void SetStatement(CStatement* pStatement) { _poStatement = pStatement; }

    // An IF made from an ELSEIF: its END IF closes the IF around it too.
    bool IsFromElseIf() const { return _bFromElseIf; }
    void SetFromElseIf() { _bFromElseIf = true; }

    bool IsMarked() const { return _bMarked; }
    void Mark() { _bMarked = true; }
    void Unmark() { _bMarked = false; }

    bool IsOpener() const;
    bool IsCloser() const;
    bool IsMiddle() const;
    bool HoldsStatement() const;

private:
    CStatement* _poStatement = nullptr;
    CString* _poCodeLine = nullptr;
    CSourcePlace* _poPlace = nullptr;
    ELineType _lineType = LT_UNCLASSIFIED;
    int _nLevel = 0;
    bool _bMarked = false;
    bool _bFromElseIf = false;
};
