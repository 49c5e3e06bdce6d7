#include "cleanupstack.h"

#include "cassert.h"
#include "cbase.h"
#include "csourceplace.h"
#include "errorcodes.h"

#include <new>
#include <vector>

namespace {

enum class EKind { Object = 1, Numbers = 2, Buffer = 3 };

struct SEntry {
    EKind kind;
    void* p;
};

// One stack in registration order; the entry popped is always the one pushed
// last, whatever its kind. It grows as needed and never drops an entry.
std::vector<SEntry>& Entries() {
    static std::vector<SEntry> entries;
    return entries;
}

void Destroy(const SEntry& entry) {
    switch (entry.kind) {
    case EKind::Object:
        delete static_cast<CBase*>(entry.p);
        break;
    case EKind::Numbers:
        FreeNumbers(static_cast<Extended*>(entry.p));
        break;
    case EKind::Buffer:
        FreeBuffer(static_cast<char*>(entry.p));
        break;
    }
}

void Push(EKind kind, void* p) {
    try {
        Entries().push_back({kind, p});
    } catch (const std::bad_alloc&) {
        // The entry could not be registered: release it here, as a raise
        // would have done, so that nothing leaks.
        Destroy({kind, p});
        RaiseError(ERR_OUT_OF_MEMORY);
    }
}

} // namespace

void RaiseError(int nCode) {
    // Before anything is destroyed: the place may belong to a temporary.
    NoteErrorPlace();
    CleanupStack::PopAndDestroyAll();
    throw nCode;
}

Extended* AllocateNumbers(std::size_t nCount) {
    return AllocateArray<Extended>(nCount);
}

char* AllocateBuffer(std::size_t nBytes) {
    return AllocateArray<char>(nBytes);
}

void FreeNumbers(Extended* p) noexcept {
    delete[] p;
}

void FreeBuffer(char* p) noexcept {
    delete[] p;
}

void CleanupStack::PushObject(CBase* pObject) {
    Push(EKind::Object, pObject);
}

void CleanupStack::PushNumbers(Extended* pNumbers) {
    Push(EKind::Numbers, pNumbers);
}

void CleanupStack::PushBuffer(char* pBuffer) {
    Push(EKind::Buffer, pBuffer);
}

void CleanupStack::Pop(int nCount) {
    for (int i = 0; i < nCount; ++i) {
        OSTREL_ASSERT(!Entries().empty());
        Entries().pop_back();
    }
}

void CleanupStack::PopAndDestroy(int nCount) {
    for (int i = 0; i < nCount; ++i) {
        OSTREL_ASSERT(!Entries().empty());
        // Unregister before destroying, so that a destructor that uses the
        // stack itself finds it consistent.
        const SEntry entry = Entries().back();
        Entries().pop_back();
        Destroy(entry);
    }
}

void CleanupStack::PopAndDestroyAll() {
    while (!Entries().empty()) {
        PopAndDestroy();
    }
}

int CleanupStack::GetCount() {
    return static_cast<int>(Entries().size());
}
