#pragma once
// Orders a TPointer list by a key, items of equal keys keeping their order (the result of the
// neighbour-swapping passes the profile model describes, in n log n).
#include "foundation/TPointer.h"

#include <algorithm>
#include <memory>
#include <vector>

template <class T, class Key> void StableSortList(TPointer<T>& list, Key key) {
    std::vector<T*> items;
    items.reserve(static_cast<std::size_t>(list.Count));
    for (T* item = list.Head; item; item = item->Next) {
        items.push_back(item);
    }
    const auto before = [&](const T* a, const T* b) { return key(*a) < key(*b); };
    if (std::is_sorted(items.begin(), items.end(), before)) {
        return;
    }
    std::stable_sort(items.begin(), items.end(), before);
    list.Release();
    for (T* item : items) {
        item->Next = item->Prev = nullptr;
        list.Insert(nullptr, std::unique_ptr<T>(item));
    }
}
