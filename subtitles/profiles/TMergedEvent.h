#pragma once
// A merged copy of a script event in a title's page: its own record with the times moved onto the
// title's time line, linked to the source event and to the selection it came through. Everything
// but the times comes from the source event: the record it serialises is the source's, with the
// copy's start, end, client fields and vertical script resolution written over it.
#include "subtitles/model/TSubEvents.h"

#include <cstddef>
#include <cstdint>

struct TSelect;
class TTextEvent;

class TMergedEvent : public TSubEvents {
public:
    // A copy with a fresh record holding the source's head; the title number is the selection's.
    TMergedEvent(const TSubEvents& source, TSelect& select);

    bool IsComment() const override;
    bool GetStyleName(const char16_t*& name) const override;
    std::size_t GetRecordSize() const override;
    std::size_t WriteRecord(void* destination, std::size_t capacity) const override;

    const TSubEvents& GetSource() const { return Source; }
    TSelect& GetSelect() const { return Select; }
    int32_t GetTitleNumber() const { return TitleNumber; }

    // The text event a merged copy came from (for the script writers), nullptr for other items.
    static const TTextEvent* SourceOf(const TSubEvents& event);

private:
    const TSubEvents& Source;
    TSelect& Select;
    int32_t TitleNumber;
};
