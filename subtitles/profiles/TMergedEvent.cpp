#include "subtitles/profiles/TMergedEvent.h"
#include "subtitles/model/TTextEvent.h"
#include "subtitles/profiles/TSelect.h"

#include <cstring>

namespace {

template <class T> void Put(void* destination, std::size_t offset, const T& value) {
    std::memcpy(static_cast<char*>(destination) + offset, &value, sizeof value);
}

} // namespace

TMergedEvent::TMergedEvent(const TSubEvents& source, TSelect& select)
    : TSubEvents(source.GetKind()), Source(source), Select(select), TitleNumber(select.TitleNumber) {
    CreateRecord();
    AssignRecord(source);
}

bool TMergedEvent::IsComment() const {
    return Source.IsComment();
}

bool TMergedEvent::GetStyleName(const char16_t*& name) const {
    return Source.GetStyleName(name);
}

std::size_t TMergedEvent::GetRecordSize() const {
    return Source.GetRecordSize();
}

std::size_t TMergedEvent::WriteRecord(void* destination, std::size_t capacity) const {
    const std::size_t written = Source.WriteRecord(destination, capacity);
    if (written >= kSubEventRecordBytes) {
        const TSubEventRecord& own = *GetRecord();
        Put(destination, offsetof(TSubEventRecord, start), own.start);
        Put(destination, offsetof(TSubEventRecord, end), own.end);
        Put(destination, offsetof(TSubEventRecord, resY), own.resY);
        Put(destination, offsetof(TSubEventRecord, clientReference), own.clientReference);
        Put(destination, offsetof(TSubEventRecord, clientValue), own.clientValue);
    }
    return written;
}

const TTextEvent* TMergedEvent::SourceOf(const TSubEvents& event) {
    const auto* merged = dynamic_cast<const TMergedEvent*>(&event);
    return merged ? dynamic_cast<const TTextEvent*>(&merged->Source) : nullptr;
}
