#pragma once
// The program's one list of glyph image lists: engines whose frames have the same size share a list.
// It exists while an engine or a list needs it.
#include "player/ui/skin/buttons/TGlyphList.h"

#include <memory>
#include <vector>

class TGlyphCache {
public:
    // The cache, made when missing.
    static TGlyphCache& Instance();
    // Whether the cache exists now.
    static bool Exists();
    // Frees the cache when it holds no list.
    static void FreeWhenEmpty();

    // The most recent list of that frame size, or a new one appended.
    TGlyphList* FindOrCreateList(int width, int height);
    // Frees the list when none of its slots is used any more.
    void ReleaseList(TGlyphList* list);
    bool IsEmpty() const { return lists_.empty(); }
    std::size_t ListCount() const { return lists_.size(); }

private:
    std::vector<std::unique_ptr<TGlyphList>> lists_;
};
