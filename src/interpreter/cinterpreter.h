#pragma once

#include "core/cbase.h"
#include "cprotostatement.h"

class CProgram;
class CStatement;
class CString;
template <class T> class CLinkedList;

// The texts of a FOR line. The step and the downward condition are null
// without STEP, the body without DO.
struct SForTexts {
    CString* pstrInit = nullptr;
    CString* pstrCondition = nullptr;
    CString* pstrDownCondition = nullptr;
    CString* pstrStep = nullptr;
    CString* pstrBody = nullptr;
    CString* pstrUpdate = nullptr;
};

// Turns source text into statement objects: one typed line at a time
// (CreateStatement), or the lines of a program file at once, with their
// block structures (CompileCodeLines). It also keeps the name that the last
// named error quotes.
class CInterpreter : public CBase {
public:
    // Blocks of a program file nest at most this deep.
    static constexpr int MAX_BLOCK_NESTING = 1000;

    CInterpreter();
    ~CInterpreter() override;
    std::uint8_t GetClassNumber() const override;

    void SetProgram(CProgram* pProgram) { _pProgram = pProgram; }
    CProgram* GetProgram() const { return _pProgram; }

    // One line as a new statement owned by the caller; a null or blank line
    // gives a statement that does nothing.
    CStatement* CreateStatement(const CString* pstrLine);
    ELineType GetLineType(const CString* pstrLine) const;
    // The whole list of a program file's lines, trimmed and as written, as
    // one statement. Given the file's name, every statement knows its place
    // in the file.
    CStatement* CompileCodeLines(CLinkedList<CString>* pCodeLines,
                                 const CString* pstrFileName = nullptr);
    // One statement that runs the first and then the second; runs of
    // statements always end up as one flat sequence.
    CStatement* JoinStatements(CStatement* pStat1, CStatement* pStat2) const;

    // Keeps a copy of the name for the error report, then raises the code.
    [[noreturn]] void RaiseNamedError(const CString* pstrName, int nCode);
    const CString* GetErrorName() const { return _poErrorName; }

private:
    // Recognition of one line (cinterpreter.cpp).
    CStatement* Recognise(CString* pstrLine);
    CStatement* CreatePrint(const CString* pstrExpr);
    CStatement* CreateSetFunctionButton(const CString* pstrArgs);
    CStatement* CreateIf(const CString* pstrLine);
    // A block's FOR gets its body later.
    CStatement* CreateFor(const CString* pstrLine, bool bBlock);
    CStatement* CreateDeclaration(const CString* pstrLine, const char* pchKeyword, bool bStatic);
    CStatement* CreateAssignment(CString* pstrLine);

    // The splits leave every piece they make on the cleanup stack, in the
    // order of their out-parameters (a missing piece is null and not
    // pushed), and return how many they pushed.
    int SplitIf(const CString* pstrLine, CString** ppstrExpr, CString** ppstrStatOnTrue,
                CString** ppstrStatOnFalse) const;
    int SplitFor(const CString* pstrLine, SForTexts* pTexts) const;
    int SplitFunction(const CString* pstrLine, CString** ppstrName, CString** ppstrParams,
                      CString** ppstrExpr) const;
    int SplitSub(const CString* pstrLine, CString** ppstrName, CString** ppstrParams) const;
    // The name and the bracketed parameters after FUNCTION or SUB, pushed.
    static void SplitHeader(const CString* pstrLine, const char* pchKeyword, CString** ppstrName,
                            CString** ppstrParams);
    // True for a subroutine call; *ppstrCall (when asked for) receives the
    // call as an expression text, owned by the caller and not pushed.
    bool IsCall(const CString* pstrLine, CString** ppstrCall) const;

    // Compiling of a program file's blocks (cinterpreterblocks.cpp).
    void FoldBlocks(CLinkedList<CProtoStatement>* pList);
    static void OpenBlock(int* pnOpen);
    void JoinWithPrevious(CLinkedList<CProtoStatement>* pList) const;
    bool CloseBlock(CLinkedList<CProtoStatement>* pList);
    CStatement* CreateBlockStatement(const CProtoStatement* pOpener,
                                     const CProtoStatement* pCloser);
    CStatement* CreateLoopBlock(const CString* pstrOpener, const CString* pstrCloser);
    static void FillBlock(CLinkedList<CProtoStatement>* pList, CStatement* pBlock);
    static void ReplaceBlock(CLinkedList<CProtoStatement>* pList, CStatement* pBlock);

    CProgram* _pProgram = nullptr;
    CString* _poErrorName = nullptr;
    // Nesting of one-line structures inside one line (IF ... THEN IF ...).
    int _nRecognitionDepth = 0;
};
