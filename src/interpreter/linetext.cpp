#include "linetext.h"

#include "core/cleanupstack.h"
#include "core/cstring.h"

namespace linetext {

bool Starts(const CString* pstr, const char* pch) {
    return pstr->GetLength() > 0 && pstr->StartsWith(pch, Length(pch), false);
}

bool Equals(const CString* pstr, const char* pch) {
    return pstr->Compare(pch, false);
}

CString* Piece(const CString* pstr, int iCh, int nCount, CString::EMidMode mode) {
    CString* poPiece = pstr->Mid(iCh, nCount, mode);
    CleanupStack::PushObject(poPiece);
    return poPiece;
}

CString* PieceToEnd(const CString* pstr, int iCh, CString::EMidMode mode) {
    return Piece(pstr, iCh, pstr->GetLength() - iCh + 1, mode);
}

CString* AfterKeyword(const CString* pstrLine, const char* pchKeyword, CString::EMidMode mode) {
    return PieceToEnd(pstrLine, StartAfter(pchKeyword), mode);
}

CString* Joined(const char* pchBefore, const CString* pstrMiddle, const char* pchAfter) {
    auto* poText = new CString;
    CleanupStack::PushObject(poText);
    poText->Set(pchBefore);
    poText->Insert(pstrMiddle, CString::Append);
    poText->Insert(pchAfter, Length(pchAfter), CString::Append);
    return poText;
}

CStatement* Finished(CStatement* pStatement, int nPieces) {
    CleanupStack::Pop();
    CleanupStack::PopAndDestroy(nPieces);
    return pStatement;
}

} // namespace linetext
