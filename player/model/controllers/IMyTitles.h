#pragma once
// What the hub needs of the titles and chapters controller.
#include <cstdint>

class IMyTitles {
public:
    virtual ~IMyTitles() = default;
    // Empties the list; event 24.
    virtual void Clear() = 0;
    // Loads the user's titles and chapters of a storage file (none for nullptr); event 24.
    virtual int32_t Load(const char16_t* storageFile) = 0;
    virtual void NotifyChanged() = 0;
    // Adds the real titles 1..count that the list lacks.
    virtual int32_t SetTitleCount(int32_t count) = 0;
    // Adds the real chapters 1..count that the real title numbered titleNumber lacks.
    virtual int32_t SetChapterCount(int32_t titleNumber, int32_t count) = 0;
    // Follows the title and chapter the core reports.
    virtual void SetCurrent(int32_t title, int32_t chapter) = 0;
    // Both answer the core's answer, -1 without a current title or chapter.
    virtual int32_t NextChapter() = 0;
    virtual int32_t PrevChapter() = 0;
};
