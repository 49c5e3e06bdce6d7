#include "csourceplace.h"

#include "cleanupstack.h"
#include "cstring.h"

#include <new>

namespace {

SErrorPlace g_errorPlace;

CString* TextCopy(const char* pchText) {
    auto* poText = new CString;
    CleanupStack::PushObject(poText);
    poText->Set(pchText);
    CleanupStack::Pop();
    return poText;
}

} // namespace

CSourcePlace::CSourcePlace(int iLine) : _iLine(iLine) {
    AddInstance(CN_SOURCEPLACE);
}

CSourcePlace* CSourcePlace::New(const char* pchFile, int iLine, const char* pchText) {
    auto* poPlace = new CSourcePlace(iLine);
    CleanupStack::PushObject(poPlace);
    poPlace->_poFile = TextCopy(pchFile);
    poPlace->_poText = TextCopy(pchText);
    CleanupStack::Pop();
    return poPlace;
}

CSourcePlace::~CSourcePlace() {
    delete _poFile;
    delete _poText;
    RemoveInstance(CN_SOURCEPLACE);
}

std::uint8_t CSourcePlace::GetClassNumber() const {
    return CN_SOURCEPLACE;
}

CSourcePlace* CSourcePlace::Copy() const {
    return New(GetFile(), _iLine, GetText());
}

CSourcePlace* CopyOfPlace(const CSourcePlace* pPlace) {
    return pPlace ? pPlace->Copy() : nullptr;
}

const char* CSourcePlace::GetFile() const {
    return _poFile && _poFile->GetData() ? _poFile->GetData() : "";
}

const char* CSourcePlace::GetText() const {
    return _poText && _poText->GetData() ? _poText->GetData() : "";
}

void NoteErrorPlace() {
    if (g_errorPlace.bNoted || !g_pCurrentPlace) {
        return;
    }
    try {
        g_errorPlace.file = g_pCurrentPlace->GetFile();
        g_errorPlace.text = g_pCurrentPlace->GetText();
    } catch (const std::bad_alloc&) {
        // The error itself still reaches the user, without its place.
        return;
    }
    g_errorPlace.iLine = g_pCurrentPlace->GetLine();
    g_errorPlace.bNoted = true;
}

void ForgetErrorPlace() {
    g_errorPlace.bNoted = false;
}

const SErrorPlace& GetErrorPlace() {
    return g_errorPlace;
}
