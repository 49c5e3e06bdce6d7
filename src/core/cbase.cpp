#include "cbase.h"

#include "cassert.h"
#include "cleanupstack.h"
#include "errorcodes.h"
#include "ui/cuserinterface.h"

#include <new>

int ObjectCount[OBJECT_COUNTERS];
int SnapshotCount[OBJECT_COUNTERS];
int n_ivcInstance;

void AddInstance(int nClassNumber, int nOffset) {
    const int i = nClassNumber + nOffset;
    OSTREL_ASSERT(i >= 0 && i < OBJECT_COUNTERS);
    ++ObjectCount[i];
}

void RemoveInstance(int nClassNumber, int nOffset) {
    const int i = nClassNumber + nOffset;
    OSTREL_ASSERT(i >= 0 && i < OBJECT_COUNTERS);
    --ObjectCount[i];
}

void SnapshotCounts() {
    for (int i = 0; i < OBJECT_COUNTERS; ++i) {
        SnapshotCount[i] = ObjectCount[i];
    }
}

bool ReportLeaks(CUserInterface* pUI) {
    OSTREL_ASSERT(pUI);
    if (n_ivcInstance > 1) {
        return false;
    }
    bool bPrinted = false;
    for (int i = 0; i < OBJECT_COUNTERS; ++i) {
        if (SnapshotCount[i] != 0) {
            pUI->PrintText("ObjectCount[");
            pUI->PrintInteger(i);
            pUI->PrintText("] = ");
            pUI->PrintInteger(SnapshotCount[i]);
            pUI->PrintText("\n");
            bPrinted = true;
        }
    }
    if (!bPrinted) {
        return false;
    }
    if (n_ivcInstance == 1) {
        pUI->PrintText("Some objects were not deleted properly, which means there is a memory "
                       "leak (an internal logic error). Please notify software manufacturer.\n");
    } else {
        pUI->PrintText("n_ivcInstance = ");
        pUI->PrintInteger(n_ivcInstance);
        pUI->PrintText("\nOops! If you get this message, please let the manufacturer know. It "
                       "means there's an unidentified internal error.\n");
    }
    return true;
}

CBase::CBase() {
    AddInstance(CN_BASE);
}

CBase::~CBase() {
    RemoveInstance(CN_BASE);
}

std::uint8_t CBase::GetClassNumber() const {
    return CN_BASE;
}

void* CBase::operator new(std::size_t nBytes) {
    void* p = ::operator new(nBytes, std::nothrow);
    if (!p) {
        RaiseError(ERR_OUT_OF_MEMORY);
    }
    return p;
}

void CBase::operator delete(void* p) noexcept {
    ::operator delete(p);
}
