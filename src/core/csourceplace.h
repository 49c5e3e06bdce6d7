#pragma once

#include "cbase.h"

#include <string>

class CString;

// Where a statement of a program file was written: the file's name as given
// to RUNFILE, the 1-based line number, and the line as written, trimmed.
class CSourcePlace : public CBase {
public:
    static CSourcePlace* New(const char* pchFile, int iLine, const char* pchText);
    ~CSourcePlace() override;
    std::uint8_t GetClassNumber() const override;

    CSourcePlace* Copy() const;
    const char* GetFile() const;
    int GetLine() const { return _iLine; }
    const char* GetText() const;

private:
    explicit CSourcePlace(int iLine);

    CString* _poFile = nullptr;
    CString* _poText = nullptr;
    int _iLine;
};

// A copy of the place, or none for none.
CSourcePlace* CopyOfPlace(const CSourcePlace* pPlace);

// While a statement of a program file compiles, links or runs, its place is
// the current one. Scopes nest: a statement inside another, or a function
// called from it, has the innermost place; a scope without a place leaves
// the current one as it is.
//
// Entered for every statement run and every user function called, so kept
// inline.
inline const CSourcePlace* g_pCurrentPlace = nullptr;

class CPlaceScope {
public:
    explicit CPlaceScope(const CSourcePlace* pPlace)
        : _pPrevious(g_pCurrentPlace), _bEntered(pPlace != nullptr) {
        if (_bEntered) {
            g_pCurrentPlace = pPlace;
        }
    }
    ~CPlaceScope() {
        if (_bEntered) {
            g_pCurrentPlace = _pPrevious;
        }
    }
    CPlaceScope(const CPlaceScope&) = delete;
    CPlaceScope& operator=(const CPlaceScope&) = delete;

private:
    const CSourcePlace* _pPrevious;
    bool _bEntered;
};

// The place of the last error: RaiseError notes the current place, unless a
// place is noted already (the innermost one came first); whoever reports
// errors forgets it before running a line and reads it after a failure.
struct SErrorPlace {
    bool bNoted = false;
    std::string file;
    int iLine = 0;
    std::string text;
};
void NoteErrorPlace();
void ForgetErrorPlace();
const SErrorPlace& GetErrorPlace();
