#pragma once
// One chapter of a title list: a real chapter of the disc, or a user chapter that starts the title
// at a time of its own. Playing goes to the core through the parent chain.
#include "foundation/TPointer.h"
#include "player/model/hub/TPlayerObjects.h"

#include <cstdint>
#include <string>

class TChaptersEntry : public TPlayerObjects, public TListItem<TChaptersEntry> {
public:
    static constexpr std::size_t kNameLength = 255;

    explicit TChaptersEntry(TPlayerObjects* parent) : TPlayerObjects(parent) {}

    // A real chapter is played by order 110 (title, chapter); a user chapter by order 106 with its
    // title and its time as a packed time code (whole seconds). The core's answer; -1 with nothing
    // sent when the title or the time does not fit the order's record.
    int32_t Play();

    std::u16string Name;
    bool IsRealChapter = false;
    bool Visible = false;
    int32_t ChapterNo = -1;
    int32_t TitleNo = -1;
    int32_t Time = -1; // milliseconds in the title; user chapters only
};
