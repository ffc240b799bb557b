#pragma once
// One title of a title list: a real title of the disc or one the user made, with its chapters.
#include "foundation/TPointer.h"
#include "player/model/hub/TPlayerObjects.h"
#include "player/model/titles/TMyChapters.h"

#include <cstdint>
#include <string>

class TTitlesEntry : public TPlayerObjects, public TListItem<TTitlesEntry> {
public:
    static constexpr std::size_t kNameLength = 255;

    explicit TTitlesEntry(TPlayerObjects* parent) : TPlayerObjects(parent), Chapters(this) {}

    std::u16string Name;
    bool IsRealTitle = false;
    int32_t TitleNo = -1;
    bool Visible = false;
    TMyChapters Chapters;
};
