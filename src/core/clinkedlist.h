#pragma once

#include "cassert.h"
#include "cbase.h"
#include "extended.h"

class CNamedNumeric;
class CString;

template <class T> class CLinkedList;

// A list node; it records whether the list destroys its item with it.
template <class T> class CNode : public CBase {
public:
    explicit CNode(T* pItem) : _pItem(pItem) { AddInstance(CN_NODE); }
    ~CNode() override { RemoveInstance(CN_NODE); }

private:
    friend class CLinkedList<T>;
    CNode* _pPrevious = nullptr;
    CNode* _pNext = nullptr;
    T* _pItem;
    bool _bOwnsItem = true;
};

// The program's one container: a doubly linked list with a cursor (the
// current node) and one bookmark. All walking moves the cursor.
template <class T> class CLinkedList : public CBase {
public:
    CLinkedList() { AddInstance(CN_LINKEDLIST); }

    ~CLinkedList() override {
        while (_pxNodeEnd) {
            _pxNodeCurrent = _pxNodeEnd;
            RemoveCurrent();
        }
        RemoveInstance(CN_LINKEDLIST);
    }

    void GoToStart() {
        OSTREL_ASSERT(_pxNodeStart);
        _pxNodeCurrent = _pxNodeStart;
    }
    void GoToEnd() {
        OSTREL_ASSERT(_pxNodeEnd);
        _pxNodeCurrent = _pxNodeEnd;
    }
    void GoToNext() {
        OSTREL_ASSERT(_pxNodeCurrent);
        _pxNodeCurrent = _pxNodeCurrent->_pNext;
    }
    void GoToPrevious() {
        OSTREL_ASSERT(_pxNodeCurrent);
        _pxNodeCurrent = _pxNodeCurrent->_pPrevious;
    }
    void SetBookmark() {
        OSTREL_ASSERT(_pxNodeCurrent);
        _pxNodeBookmark = _pxNodeCurrent;
    }
    void GoToBookmark() {
        OSTREL_ASSERT(_pxNodeBookmark);
        _pxNodeCurrent = _pxNodeBookmark;
    }

    T* GetCurrent() const { return _pxNodeCurrent ? _pxNodeCurrent->_pItem : nullptr; }
    T* GetNext() const {
        return _pxNodeCurrent && _pxNodeCurrent->_pNext ? _pxNodeCurrent->_pNext->_pItem : nullptr;
    }
    T* GetPrevious() const {
        return _pxNodeCurrent && _pxNodeCurrent->_pPrevious ? _pxNodeCurrent->_pPrevious->_pItem
                                                            : nullptr;
    }
    int GetCount() const { return _nCount; }

    void AddLast(T* pNewItem) {
        OSTREL_ASSERT(pNewItem);
        if (!AddToEmpty(pNewItem)) {
            CNode<T>* pxRemembered = _pxNodeCurrent;
            _pxNodeCurrent = _pxNodeEnd;
            InsertAfter(pNewItem);
            _pxNodeCurrent = pxRemembered;
        }
    }

    void AddFirst(T* pNewItem) {
        OSTREL_ASSERT(pNewItem);
        if (!AddToEmpty(pNewItem)) {
            CNode<T>* pxRemembered = _pxNodeCurrent;
            _pxNodeCurrent = _pxNodeStart;
            InsertBefore(pNewItem);
            _pxNodeCurrent = pxRemembered;
        }
    }

    void InsertAfter(T* pNewItem) {
        OSTREL_ASSERT(_pxNodeCurrent);
        OSTREL_ASSERT(pNewItem);
        auto* pxNode = new CNode<T>(pNewItem);
        pxNode->_pPrevious = _pxNodeCurrent;
        pxNode->_pNext = _pxNodeCurrent->_pNext;
        (pxNode->_pNext ? pxNode->_pNext->_pPrevious : _pxNodeEnd) = pxNode;
        _pxNodeCurrent->_pNext = pxNode;
        ++_nCount;
    }

    void InsertBefore(T* pNewItem) {
        OSTREL_ASSERT(_pxNodeCurrent);
        OSTREL_ASSERT(pNewItem);
        auto* pxNode = new CNode<T>(pNewItem);
        pxNode->_pNext = _pxNodeCurrent;
        pxNode->_pPrevious = _pxNodeCurrent->_pPrevious;
        (pxNode->_pPrevious ? pxNode->_pPrevious->_pNext : _pxNodeStart) = pxNode;
        _pxNodeCurrent->_pPrevious = pxNode;
        ++_nCount;
    }

    void RemoveCurrent() {
        OSTREL_ASSERT(_pxNodeCurrent);
        CNode<T>* pxNode = _pxNodeCurrent;
        CNode<T>* pxPrevious = pxNode->_pPrevious;
        CNode<T>* pxNext = pxNode->_pNext;
        _pxNodeCurrent = nullptr;
        (pxPrevious ? pxPrevious->_pNext : _pxNodeStart) = pxNext;
        (pxNext ? pxNext->_pPrevious : _pxNodeEnd) = pxPrevious;
        --_nCount;
        // Unlinked first: the item's destructor may walk other lists, never
        // a half-removed one.
        if (pxNode->_bOwnsItem) {
            delete pxNode->_pItem;
        }
        delete pxNode;
    }

    void RemoveNext() {
        OSTREL_ASSERT(_pxNodeCurrent);
        OSTREL_ASSERT(_pxNodeCurrent->_pNext);
        CNode<T>* pxRemembered = _pxNodeCurrent;
        _pxNodeCurrent = _pxNodeCurrent->_pNext;
        RemoveCurrent();
        _pxNodeCurrent = pxRemembered;
    }

    void RemovePrevious() {
        OSTREL_ASSERT(_pxNodeCurrent);
        OSTREL_ASSERT(_pxNodeCurrent->_pPrevious);
        CNode<T>* pxRemembered = _pxNodeCurrent;
        _pxNodeCurrent = _pxNodeCurrent->_pPrevious;
        RemoveCurrent();
        _pxNodeCurrent = pxRemembered;
    }

    void ReplaceCurrent(T* pNewItem) {
        OSTREL_ASSERT(_pxNodeCurrent);
        OSTREL_ASSERT(pNewItem);
        InsertAfter(pNewItem);
        GoToNext();
        RemovePrevious();
    }

    void ReleaseCurrent() {
        if (_pxNodeCurrent) {
            _pxNodeCurrent->_bOwnsItem = false;
        }
    }

    void ReleaseAll() {
        for (CNode<T>* pxNode = _pxNodeStart; pxNode; pxNode = pxNode->_pNext) {
            pxNode->_bOwnsItem = false;
        }
        _pxNodeCurrent = nullptr;
    }

    // The first item whose name equals the given one exactly; moves the
    // cursor. Only for lists of named symbols.
    T* FindByName(const CString* pstrName);

private:
    bool AddToEmpty(T* pNewItem) {
        if (_pxNodeStart) {
            return false;
        }
        auto* pxNode = new CNode<T>(pNewItem);
        _pxNodeStart = _pxNodeEnd = _pxNodeCurrent = pxNode;
        _nCount = 1;
        return true;
    }

    CNode<T>* _pxNodeStart = nullptr;
    CNode<T>* _pxNodeEnd = nullptr;
    CNode<T>* _pxNodeCurrent = nullptr;
    CNode<T>* _pxNodeBookmark = nullptr;
    int _nCount = 0;
};

template <> CNamedNumeric* CLinkedList<CNamedNumeric>::FindByName(const CString* pstrName);
