#pragma once

#include "statements/cstatement.h"

class CString;

// RUNFILE "name": reads, compiles and runs a program file; every top-level
// statement is linked just before it runs.
class CRunFile : public CStatement {
public:
    // Files running files may nest this deep; a file that runs itself is
    // stopped there.
    static constexpr int MAX_NESTING = 32;

    explicit CRunFile(CProgram* pProg);
    ~CRunFile() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    void Describe() const override;

    // Checks the quotes at once and keeps the name between them.
    int SetFileName(const CString* pstrFileName);

private:
    // The file's lines, trimmed and as written.
    CLinkedList<CString>* ReadCodeLines() const;
    static void RunCompiled(CStatement* pStatement);

    CString* _poFileName = nullptr;
    static int s_nNesting;
};
