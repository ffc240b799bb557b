#pragma once
// The system's intrusive doubly linked list with one cursor. Items derive from TListItem<T> and carry
// their own links; the list owns its items and deletes them.
#include <cstdint>
#include <memory>

template <class T> struct TListItem {
    T* Next = nullptr;
    T* Prev = nullptr;
    int32_t Index = 0; // 0 while linked in; 1-based position after TPointer::Renumber
};

template <class T> class TPointer {
public:
    TPointer() = default;
    ~TPointer() { Clear(); }
    TPointer(const TPointer&) = delete;
    TPointer& operator=(const TPointer&) = delete;

    // Creates a default item after `after` (the tail when none); the cursor is on it.
    T* Add(T* after = nullptr) { return Insert(after, std::make_unique<T>()); }
    // Creates a default item before `before` (the head when none); the cursor is on it.
    T* AddBefore(T* before = nullptr) { return InsertBefore(before, std::make_unique<T>()); }

    // Links the item after `after` (an item of this list; the tail when none) and takes ownership.
    T* Insert(T* after, std::unique_ptr<T> item) {
        if (!item) {
            return nullptr;
        }
        T* node = item.release();
        after = after ? after : Tail;
        node->Prev = after;
        node->Next = after ? after->Next : nullptr;
        Link(node);
        return node;
    }

    // Links the item before `before` (an item of this list; the head when none) and takes ownership.
    T* InsertBefore(T* before, std::unique_ptr<T> item) {
        if (!item) {
            return nullptr;
        }
        T* node = item.release();
        before = before ? before : Head;
        node->Next = before;
        node->Prev = before ? before->Prev : nullptr;
        Link(node);
        return node;
    }

    // Unlinks and destroys the item (the current one when none is given). A deleted cursor moves to
    // the previous item; an empty cursor then moves to the head.
    bool Delete(T* item = nullptr) { return Unlink(item) != nullptr; }

    // Unlinks the item (the current one when none is given) without destroying it and hands it
    // over; the cursor moves as for Delete. nullptr when there is no item.
    std::unique_ptr<T> Unlink(T* item = nullptr) {
        item = item ? item : Current;
        if (!item) {
            return nullptr;
        }
        (item->Prev ? item->Prev->Next : Head) = item->Next;
        (item->Next ? item->Next->Prev : Tail) = item->Prev;
        if (Current == item) {
            Current = item->Prev;
        }
        if (!Current) {
            Current = Head;
        }
        --Count;
        item->Next = item->Prev = nullptr;
        return std::unique_ptr<T>(item);
    }

    // Exchanges the item with the one after it; false when it is the last (or none is given).
    bool SwapWithNext(T* item) {
        if (!item || !item->Next) {
            return false;
        }
        T* next = item->Next;
        (item->Prev ? item->Prev->Next : Head) = next;
        (next->Next ? next->Next->Prev : Tail) = item;
        next->Prev = item->Prev;
        item->Next = next->Next;
        next->Next = item;
        item->Prev = next;
        return true;
    }

    void SetCursor(T* item) { Current = item; }

    // Deletes every item, tail first; answers how many there were. The cursor ends empty.
    int32_t Clear() {
        int32_t deleted = 0;
        Current = Tail;
        while (Delete()) {
            ++deleted;
        }
        return deleted;
    }

    bool First() {
        Current = Head;
        return Current != nullptr;
    }

    bool Last() {
        Current = Tail;
        return Current != nullptr;
    }

    // Moves to the next item; an empty cursor moves to the tail. At the end the cursor stays.
    bool Next() {
        if (!Current) {
            return Last();
        }
        if (!Current->Next) {
            return false;
        }
        Current = Current->Next;
        return true;
    }

    // Moves to the previous item; an empty cursor moves to the head. At the start the cursor stays.
    bool Prev() {
        if (!Current) {
            return First();
        }
        if (!Current->Prev) {
            return false;
        }
        Current = Current->Prev;
        return true;
    }

    // Writes the 1-based positions into the items' index words; the cursor does not move.
    void Renumber() {
        int32_t index = 0;
        for (T* item = Head; item; item = item->Next) {
            item->Index = ++index;
        }
    }

    // Hands the whole chain (linked through Next) to the caller without destroying it and leaves
    // the list empty; answers the former head.
    T* Release() {
        T* chain = Head;
        Head = Tail = Current = nullptr;
        Count = 0;
        return chain;
    }

    T* Head = nullptr;
    T* Tail = nullptr;
    T* Current = nullptr;
    int32_t Count = 0;

private:
    // Completes linking a node whose Prev and Next are already set.
    void Link(T* node) {
        (node->Prev ? node->Prev->Next : Head) = node;
        (node->Next ? node->Next->Prev : Tail) = node;
        node->Index = 0;
        Current = node;
        ++Count;
    }
};
