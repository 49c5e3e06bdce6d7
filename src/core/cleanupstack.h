#pragma once

#include "errorcodes.h"
#include "extended.h"

#include <cstddef>
#include <new>

class CBase;

// Destroys everything on the cleanup stack, then throws the code as a plain
// int. Every failure the user can cause leaves through here.
[[noreturn]] void RaiseError(int nCode);

// The program's own allocation of blocks: raises "Out of memory." when the
// heap has nothing left, so no caller checks for a null result.
template <class T> T* AllocateArray(std::size_t nCount) {
    T* p = new (std::nothrow) T[nCount];
    if (!p) {
        RaiseError(ERR_OUT_OF_MEMORY);
    }
    return p;
}
Extended* AllocateNumbers(std::size_t nCount);
char* AllocateBuffer(std::size_t nBytes);
void FreeNumbers(Extended* p) noexcept;
void FreeBuffer(char* p) noexcept;

// Temporaries and objects under construction are held by plain pointers; the
// code that makes one registers it here and takes it off again once it has
// been handed to its owner or freed. A raise destroys whatever is still on
// the stack, newest first.
class CleanupStack {
public:
    static void PushObject(CBase* pObject);
    static void PushNumbers(Extended* pNumbers);
    static void PushBuffer(char* pBuffer);

    static void Pop(int nCount = 1);
    static void PopAndDestroy(int nCount = 1);
    static void PopAndDestroyAll();

    static int GetCount();
};
