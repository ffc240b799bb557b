#include "player/ui/skin/buttons/TGlyphCache.h"

#include <algorithm>

namespace {
// Widgets live on the GUI thread only, so the cache needs no lock.
std::unique_ptr<TGlyphCache> gCache;
} // namespace

TGlyphCache& TGlyphCache::Instance() {
    if (!gCache) {
        gCache = std::make_unique<TGlyphCache>();
    }
    return *gCache;
}

bool TGlyphCache::Exists() {
    return gCache != nullptr;
}

void TGlyphCache::FreeWhenEmpty() {
    if (gCache && gCache->IsEmpty()) {
        gCache.reset();
    }
}

TGlyphList* TGlyphCache::FindOrCreateList(int width, int height) {
    for (auto it = lists_.rbegin(); it != lists_.rend(); ++it) {
        if ((*it)->Width() == width && (*it)->Height() == height) {
            return it->get();
        }
    }
    lists_.push_back(std::make_unique<TGlyphList>(width, height));
    return lists_.back().get();
}

void TGlyphCache::ReleaseList(TGlyphList* list) {
    if (list == nullptr || list->Count() != 0) {
        return;
    }
    std::erase_if(lists_, [list](const std::unique_ptr<TGlyphList>& held) { return held.get() == list; });
}
