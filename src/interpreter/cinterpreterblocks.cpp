// The compiling of a program file's lines: each line becomes a statement or
// a marker of a block's opener, middle or closer, and the blocks are folded
// into single statements from the innermost out.
#include "cinterpreter.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/clinkedlist.h"
#include "core/csourceplace.h"
#include "core/cstring.h"
#include "core/errorcodes.h"
#include "csequence.h"
#include "linetext.h"
#include "statements/cbranch.h"
#include "statements/cdefinefunction.h"
#include "statements/crepeat.h"

using namespace linetext;

CStatement* CInterpreter::JoinStatements(CStatement* pStat1, CStatement* pStat2) const {
    OSTREL_ASSERT(pStat1 && pStat2);
    const bool bFirstIsSequence = pStat1->GetClassNumber() == CN_SEQUENCE;
    const bool bSecondIsSequence = pStat2->GetClassNumber() == CN_SEQUENCE;
    if (bFirstIsSequence && !bSecondIsSequence) {
        static_cast<CSequence*>(pStat1)->AddStatement(pStat2);
        return pStat1;
    }
    if (!bFirstIsSequence && bSecondIsSequence) {
        static_cast<CSequence*>(pStat2)->AddStatementFirst(pStat1);
        return pStat2;
    }
    auto* poSequence = new CSequence(_pProgram);
    poSequence->SetStatements(nullptr);
    if (!bFirstIsSequence) {
        poSequence->AddStatement(pStat1);
        poSequence->AddStatement(pStat2);
        return poSequence;
    }
    // Two sequences become one flat one; the old shells go.
    for (auto* pOld : {static_cast<CSequence*>(pStat1), static_cast<CSequence*>(pStat2)}) {
        CLinkedList<CStatement>* pStatements = pOld->GetStatements();
        if (pStatements->GetCount() > 0) {
            for (pStatements->GoToStart(); pStatements->GetCurrent(); pStatements->GoToNext()) {
                poSequence->AddStatement(pStatements->GetCurrent());
            }
        }
    }
    static_cast<CSequence*>(pStat1)->ReleaseStatements();
    static_cast<CSequence*>(pStat2)->ReleaseStatements();
    delete pStat1;
    delete pStat2;
    return poSequence;
}

CStatement* CInterpreter::CompileCodeLines(CLinkedList<CString>* pCodeLines,
                                           const CString* pstrFileName) {
    OSTREL_ASSERT(pCodeLines);
    auto* poList = Pushed(new CLinkedList<CProtoStatement>);
    if (pCodeLines->GetCount() > 0) {
        int iLine = 0;
        for (pCodeLines->GoToStart(); pCodeLines->GetCurrent(); pCodeLines->GoToNext()) {
            ++iLine;
            const CString* pstrWritten = pCodeLines->GetCurrent();
            auto* poProto = Pushed(new CProtoStatement);
            poProto->SetCodeLine(pstrWritten);
            poProto->GetCodeLine()->ToUpperOutsideQuotes();
            if (poProto->Classify(this) == LT_NONE) {
                CleanupStack::PopAndDestroy();
                continue;
            }
            if (pstrFileName) {
                poProto->SetPlace(
                    CSourcePlace::New(pstrFileName->GetData(), iLine, pstrWritten->GetData()));
            }
            poList->AddLast(poProto);
            CleanupStack::Pop();
        }
    }
    // Nothing but blank and comment lines: nothing to compile.
    if (poList->GetCount() == 0) {
        RaiseError(ERR_FILE_EMPTY);
    }
    for (poList->GoToStart(); poList->GetCurrent(); poList->GoToNext()) {
        CProtoStatement* pProto = poList->GetCurrent();
        if (pProto->HoldsStatement()) {
            const CPlaceScope scope(pProto->GetPlace());
            pProto->SetStatement(CreateStatement(pProto->GetCodeLine()));
            // An entry that holds a statement never needs its place again.
            pProto->GetStatement()->SetPlace(pProto->TakePlace());
        }
    }
    FoldBlocks(poList);
    poList->GoToStart();
    CProtoStatement* pOnly = poList->GetCurrent();
    if (poList->GetCount() == 1 && pOnly->GetStatement()) {
        CStatement* pStatement = pOnly->GetStatement();
        pOnly->SetStatement(nullptr);
        CleanupStack::PopAndDestroy();
        return pStatement;
    }
    // A lone opener, middle or closer; or several entries left unjoined, as
    // after an unclosed block or a stray closer: the first of those lines is
    // where the structure breaks.
    poList->GoToStart();
    while (poList->GetCurrent()->HoldsStatement() && poList->GetNext()) {
        poList->GoToNext();
    }
    const CPlaceScope scope(poList->GetCurrent()->GetPlace());
    RaiseError(poList->GetCount() == 1 ? ERR_SYNTAX : ERR_UNEXPECTED);
}

// One pass from the first line to the last: runs of statements are joined
// as they meet, and a block is built when its closer arrives, so every
// block inside it is already one statement. A closer belongs to the nearest
// opener before it that is still open, whatever its kind: the opener
// decides what is built. An ELSEIF becomes an ELSE followed by a nested IF
// that its chain's END IF closes together with the IF around it.
void CInterpreter::FoldBlocks(CLinkedList<CProtoStatement>* pList) {
    int nOpen = 0;
    pList->GoToStart();
    while (CProtoStatement* pEntry = pList->GetCurrent()) {
        if (pEntry->HoldsStatement()) {
            JoinWithPrevious(pList);
        } else if (pEntry->GetLineType() == LT_ELSEIF) {
            auto* poElse = Pushed(new CProtoStatement);
            poElse->SetLineType(LT_ELSE);
            pList->InsertBefore(poElse);
            CleanupStack::Pop();
            pEntry->GetCodeLine()->DeleteLeft(4);
            pEntry->SetLineType(LT_IF);
            pEntry->SetFromElseIf();
            OpenBlock(&nOpen);
        } else if (pEntry->IsOpener()) {
            OpenBlock(&nOpen);
        } else if (pEntry->IsCloser() && nOpen > 0) {
            --nOpen;
            // The block's entry may join the statement before it.
            if (CloseBlock(pList)) {
                auto* poEndIf = Pushed(new CProtoStatement);
                poEndIf->SetLineType(LT_END_IF);
                pList->InsertAfter(poEndIf);
                CleanupStack::Pop();
            }
            continue;
        }
        pList->GoToNext();
    }
}

void CInterpreter::OpenBlock(int* pnOpen) {
    // Each level of nesting costs native stack when the program runs.
    if (++*pnOpen > MAX_BLOCK_NESTING) {
        RaiseError(ERR_INPUT_TOO_LONG);
    }
}

// The entry at the cursor holds a statement; when the one before it holds
// one too, both become one sequence in the earlier entry, and the cursor
// stays there.
void CInterpreter::JoinWithPrevious(CLinkedList<CProtoStatement>* pList) const {
    CProtoStatement* pEarlier = pList->GetPrevious();
    CProtoStatement* pLater = pList->GetCurrent();
    if (!pEarlier || !pEarlier->HoldsStatement()) {
        return;
    }
    // Detached first, so that at no moment two owners hold a statement.
    CStatement* pStat1 = pEarlier->GetStatement();
    pEarlier->SetStatement(nullptr);
    CleanupStack::PushObject(pStat1);
    CStatement* pStat2 = pLater->GetStatement();
    pLater->SetStatement(nullptr);
    CleanupStack::PushObject(pStat2);
    CStatement* pJoined = JoinStatements(pStat1, pStat2);
    CleanupStack::Pop(2);
    pEarlier->SetStatement(pJoined);
    pEarlier->SetLineType(LT_SEQUENCE);
    pList->GoToPrevious();
    pList->RemoveNext();
}

// The cursor is on a closer with an open block before it. The block's lines
// become one entry holding its statement, with the cursor on it. True when
// the block was the nested IF of an ELSEIF, whose END IF closes the block
// around it as well.
bool CInterpreter::CloseBlock(CLinkedList<CProtoStatement>* pList) {
    CProtoStatement* pCloser = pList->GetCurrent();
    pCloser->Mark();
    do {
        pList->GoToPrevious();
        pList->GetCurrent()->Mark();
    } while (!pList->GetCurrent()->IsOpener());
    pList->SetBookmark();
    const CProtoStatement* pOpener = pList->GetCurrent();
    // An error of the block is one of its opener's line.
    const CPlaceScope scope(pOpener->GetPlace());
    const bool bFromElseIf = pOpener->IsFromElseIf();
    if (bFromElseIf && pCloser->GetLineType() != LT_END_IF) {
        RaiseError(ERR_EXPECTED_ELSE_ENDIF);
    }
    CStatement* pBlock = Pushed(CreateBlockStatement(pOpener, pCloser));
    pBlock->SetPlace(CopyOfPlace(pOpener->GetPlace()));
    FillBlock(pList, pBlock);
    ReplaceBlock(pList, pBlock);
    CleanupStack::Pop();
    return bFromElseIf;
}

CStatement* CInterpreter::CreateBlockStatement(const CProtoStatement* pOpener,
                                               const CProtoStatement* pCloser) {
    const CString* pstrLine = pOpener->GetCodeLine();
    switch (pOpener->GetLineType()) {
    case LT_FOR:
        // FOR v=a TO b [STEP s] ... NEXT
        return CreateFor(pstrLine, true);
    case LT_DO:
        // DO [WHILE c | UNTIL c] ... LOOP [WHILE c | UNTIL c]
        return CreateLoopBlock(pstrLine, pCloser->GetLineType() == LT_LOOP ? pCloser->GetCodeLine()
                                                                           : nullptr);
    case LT_IF: {
        // IF cond THEN ... [ELSE ...] END IF
        CString* pstrCondition = nullptr;
        CString* pstrOnTrue = nullptr;
        CString* pstrOnFalse = nullptr;
        const int nPieces = SplitIf(pstrLine, &pstrCondition, &pstrOnTrue, &pstrOnFalse);
        auto* pBranch = Pushed(new CBranch(nullptr, nullptr, _pProgram));
        pBranch->SetExpressions(1, pstrCondition);
        return Finished(pBranch, nPieces);
    }
    case LT_FUNCTION: {
        // FUNCTION name(params) ... END FUNCTION
        CString* pstrName = nullptr;
        CString* pstrParams = nullptr;
        CString* pstrExpr = nullptr;
        const int nPieces = SplitFunction(pstrLine, &pstrName, &pstrParams, &pstrExpr);
        return Finished(
            Pushed(new CDefineFunction(_pProgram, pstrName, pstrParams, pstrExpr, false)), nPieces);
    }
    default: {
        // SUB name(params) ... END SUB
        OSTREL_ASSERT(pOpener->GetLineType() == LT_SUB);
        CString* pstrName = nullptr;
        CString* pstrParams = nullptr;
        const int nPieces = SplitSub(pstrLine, &pstrName, &pstrParams);
        return Finished(Pushed(new CDefineFunction(_pProgram, pstrName, pstrParams, nullptr, true)),
                        nPieces);
    }
    }
}

// The condition of the DO line wins; a bare DO takes that of its LOOP line;
// with neither the loop runs until EXIT LOOP or EXIT FUNCTION.
CStatement* CInterpreter::CreateLoopBlock(const CString* pstrOpener, const CString* pstrCloser) {
    CString* pstrPre = nullptr;
    CString* pstrPost = nullptr;
    int nPieces = 0;
    auto condition = [&nPieces](const CString* pstrLine, const char* pchWhile,
                                const char* pchUntil) -> CString* {
        const int iCondition = StartAfter(pchWhile);
        if (Starts(pstrLine, pchWhile)) {
            nPieces = 1;
            return PieceToEnd(pstrLine, iCondition, CString::Trimmed);
        }
        if (Starts(pstrLine, pchUntil)) {
            const CString* pstrText = PieceToEnd(pstrLine, iCondition, CString::Trimmed);
            nPieces = 2;
            return Joined("NOT(", pstrText, ")");
        }
        return nullptr;
    };
    pstrPre = condition(pstrOpener, "DO WHILE ", "DO UNTIL ");
    if (!pstrPre && pstrCloser) {
        pstrPost = condition(pstrCloser, "LOOP WHILE ", "LOOP UNTIL ");
    }
    auto* pRepeat = Pushed(new CRepeat(nullptr, nullptr, nullptr, _pProgram));
    pRepeat->SetConditions(pstrPre, pstrPost);
    return Finished(pRepeat, nPieces);
}

// The cursor's bookmark stands on the block's opener.
void CInterpreter::FillBlock(CLinkedList<CProtoStatement>* pList, CStatement* pBlock) {
    pList->GoToBookmark();
    CProtoStatement* pBodyEntry = pList->GetNext();
    if (!pBodyEntry || !pBodyEntry->HoldsStatement()) {
        RaiseError(ERR_CONTROL_STRUCTURE);
    }
    CStatement* pBody = pBodyEntry->GetStatement();
    switch (pBlock->GetClassNumber()) {
    case CN_REPEAT:
        static_cast<CRepeat*>(pBlock)->SetBody(pBody);
        break;
    case CN_DEFINEFUNCTION:
        static_cast<CDefineFunction*>(pBlock)->SetBody(pBody);
        break;
    default: {
        OSTREL_ASSERT(pBlock->GetClassNumber() == CN_BRANCH);
        pList->GoToNext();
        CProtoStatement* pElseEntry = pList->GetNext();
        CProtoStatement* pFalseEntry = nullptr;
        if (pElseEntry && pElseEntry->GetLineType() == LT_ELSE) {
            pList->GoToNext();
            pFalseEntry = pList->GetNext();
            if (pFalseEntry && !pFalseEntry->HoldsStatement()) {
                pFalseEntry = nullptr;
            }
        }
        static_cast<CBranch*>(pBlock)->SetBranches(pBody, pFalseEntry ? pFalseEntry->GetStatement()
                                                                      : nullptr);
        if (pFalseEntry) {
            pFalseEntry->SetStatement(nullptr);
        }
        break;
    }
    }
    pBodyEntry->SetStatement(nullptr);
}

void CInterpreter::ReplaceBlock(CLinkedList<CProtoStatement>* pList, CStatement* pBlock) {
    pList->GoToBookmark();
    auto* poEntry = Pushed(new CProtoStatement);
    poEntry->SetLineType(LT_BLOCK);
    pList->InsertBefore(poEntry);
    CleanupStack::Pop();
    // Taken only once the entry is in the list: the block has one owner at a
    // time, the cleanup stack until here.
    poEntry->SetStatement(pBlock);
    // From the opener to the closer, everything goes.
    pList->GoToPrevious();
    while (pList->GetNext() && pList->GetNext()->IsMarked()) {
        pList->RemoveNext();
    }
}
