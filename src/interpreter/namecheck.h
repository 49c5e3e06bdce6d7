#pragma once

class CProgram;
class CString;

// The codes a declaring statement raises for its first two checks; each
// statement has its own pair (a constant -2002 and -2001, a variable -2004
// and -2003, a function -2006 and -2005, a parameter -2008 and -2007).
struct SNameErrorCodes {
    int nDuplicate;
    int nIllegal;
};

// Checks a name that a statement is about to declare, in three steps that
// stop at the first failure, each raised through the interpreter's
// RaiseNamedError so that the message quotes the name:
//  1. bDuplicate, the statement's own verdict on the lists it searched,
//     raises codes.nDuplicate;
//  2. a name that is not valid (CString::IsValidName) raises codes.nIllegal;
//  3. a reserved word raises "Cannot use reserved word as symbol name: ".
// A top-level CONST, say, after looking at the functions, the built-in
// constants and the program's constants, variables and arrays:
//   CheckNewName(pProg, pstrName, bFound,
//                {ERR_DUPLICATE_CONSTANT, ERR_ILLEGAL_CONSTANT});
void CheckNewName(const CProgram* pProg, const CString* pstrName, bool bDuplicate,
                  SNameErrorCodes codes);

// Whether the name is in the program's reserved-words list; the comparison
// is exact, on the upper-case text every name is stored as.
bool IsReservedWord(const CProgram* pProg, const CString* pstrName);
