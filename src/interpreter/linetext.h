#pragma once

#include "core/cleanupstack.h"
#include "core/cstring.h"

#include <string>

class CStatement;

// Small tools on the text of a line, shared by the interpreter's recognition
// of lines and its compiling of blocks. Character positions count from 1, as
// CString's do; the pieces they make are left on the cleanup stack.
namespace linetext {

constexpr int Length(const char* pch) {
    return static_cast<int>(std::char_traits<char>::length(pch));
}

// Where the text after a leading keyword begins; keywords carry their
// blanks, so their lengths come from their texts.
constexpr int StartAfter(const char* pchKeyword) {
    return Length(pchKeyword) + 1;
}

bool Starts(const CString* pstr, const char* pch);
bool Equals(const CString* pstr, const char* pch);

// A piece of the line, left on the cleanup stack.
CString* Piece(const CString* pstr, int iCh, int nCount, CString::EMidMode mode = CString::Plain);
CString* PieceToEnd(const CString* pstr, int iCh, CString::EMidMode mode = CString::Plain);
// The rest of a line after its leading keyword, left on the cleanup stack.
CString* AfterKeyword(const CString* pstrLine, const char* pchKeyword,
                      CString::EMidMode mode = CString::Plain);
// A new text made of three parts, left on the cleanup stack.
CString* Joined(const char* pchBefore, const CString* pstrMiddle, const char* pchAfter);

template <class T> T* Pushed(T* pObject) {
    CleanupStack::PushObject(pObject);
    return pObject;
}

// Hands a statement under construction back to the caller: off the cleanup
// stack, then the nPieces texts below it destroyed.
CStatement* Finished(CStatement* pStatement, int nPieces);

} // namespace linetext
