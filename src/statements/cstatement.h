#pragma once

#include "core/cbase.h"
#include "core/csourceplace.h"
#include "core/extended.h"

#include <initializer_list>

class CExpression;
class CInterpreter;
class CNamedNumeric;
class CProgram;
class CUserFunction;
class CUserInterface;
template <class T> class CLinkedList;

// What a statement tells the compound statement that runs it.
enum EExitSignal : std::uint8_t {
    ES_CONTINUE = 0,
    ES_EXIT_LOOP = 1,
    ES_EXIT_FUNCTION = 2,
};

// The interface every statement offers to the drivers that build, link and
// run it: construction and texts, then SetOwnerFunction (inside a function
// body), then Link, then Execute any number of times.
class CStatement : public CBase {
public:
    explicit CStatement(CProgram* pProg);
    ~CStatement() override;
    std::uint8_t GetClassNumber() const override;

    virtual EExitSignal Execute() = 0;
    virtual void SetOwnerFunction(CUserFunction* pFunction);
    virtual void Link();
    virtual int CountConstDeclarations() const;
    virtual int CountVarDeclarations() const;
    virtual int CountDeletes() const;
    virtual int CountFunctionDefinitions() const;
    virtual void Describe() const;

    // Direct mode (the flag cleared) is a line the user typed: declarations
    // then echo what they declared.
    void SetProgramMode(bool bProgramMode) { _bProgramMode = bProgramMode; }
    bool IsProgramMode() const { return _bProgramMode; }

    // A statement of a program file knows where it was written; it takes
    // the place over. Errors raised while it links or runs name the
    // innermost such place: its parent runs it through these two.
    void SetPlace(CSourcePlace* pPlace);
    const CSourcePlace* GetPlace() const { return _poPlace; }
    void LinkInPlace() {
        const CPlaceScope scope(_poPlace);
        Link();
    }
    EExitSignal ExecuteInPlace() {
        const CPlaceScope scope(_poPlace);
        return Execute();
    }

    CProgram* GetProgram() const { return _pProg; }
    CUserInterface* GetUserInterface() const;
    CInterpreter* GetInterpreter() const;
    CUserFunction* GetOwnerFunction() const { return _pOwnerFunction; }

    // The owner function's scopes; null at top level.
    CLinkedList<CNamedNumeric>* GetParams() const;
    CLinkedList<CNamedNumeric>* GetLocalVariables() const;
    CLinkedList<CNamedNumeric>* GetLocalArrays() const;
    CLinkedList<CNamedNumeric>* GetLocalConstants() const;

protected:
    using CountQuery = int (CStatement::*)() const;
    // The sum of one counting query over the statements present (null ones
    // count nothing), for statements that hold others.
    static int SumOf(std::initializer_list<const CStatement*> statements, CountQuery query);

    // Links the expression in the owner function's scopes and builds its
    // tree; where a value is needed, a bare subroutine call is refused.
    void LinkExpression(CExpression* pExpr, bool bNeedsValue) const;

    CProgram* const _pProg;

private:
    CUserFunction* _pOwnerFunction = nullptr;
    CSourcePlace* _poPlace = nullptr;
    bool _bProgramMode = true;
};
