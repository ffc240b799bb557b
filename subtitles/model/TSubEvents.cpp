#include "subtitles/model/TSubEvents.h"

#include <cstring>

TSubEvents::TSubEvents(std::uint8_t kind) : Kind(kind) {}

TSubEvents::~TSubEvents() = default;

bool TSubEvents::IsPositioned() const {
    return Record && Record->positioned != 0;
}

bool TSubEvents::ChangedAt(std::int32_t) const {
    return false;
}

void TSubEvents::SetExtent(std::int32_t width, std::int32_t height) {
    ExtentWidth = width;
    ExtentHeight = height;
}

void TSubEvents::GetExtent(std::int32_t& width, std::int32_t& height) const {
    width = ExtentWidth;
    height = ExtentHeight;
}

bool TSubEvents::EndsAtOrAfter(std::int32_t ms) const {
    return Record && Record->end > ms;
}

bool TSubEvents::Draw(plat::gdi::Dc*, std::int32_t, std::int32_t, std::int32_t, TFontPool*, double, double) {
    return false;
}

bool TSubEvents::GetStyleName(const char16_t*&) const {
    return false;
}

void TSubEvents::SetStyleAndScreen(const TSubtitleStyleRecord* style, TSubScreenControler* screen) {
    if (style) {
        Style = style;
    }
    if (screen) {
        Screen = screen;
    }
}

void TSubEvents::Layout(plat::gdi::TextMeasurer*, TFontPool*) {}

void TSubEvents::Reparse(const TSubtitleStyleRecord*) {}

double TSubEvents::GetScaleX() const {
    return ScaleX;
}

double TSubEvents::GetScaleY() const {
    return ScaleY;
}

void TSubEvents::SetScale(double x, double y) {
    ScaleX = x;
    ScaleY = y;
}

void TSubEvents::CreateRecord() {
    OwnedRecord = std::make_unique<TSubEventRecord>();
    OwnedRecord->kind = Kind;
    OwnedRecord->posX = -1;
    OwnedRecord->posY = -1;
    Record = OwnedRecord.get();
    RecordOwned = true;
}

void TSubEvents::DesignateRecord(TSubEventRecord* record, bool owned) {
    OwnedRecord.reset();
    Record = record;
    RecordOwned = record && owned;
}

bool TSubEvents::IsComment() const {
    return Record && Record->comment != 0;
}

std::size_t TSubEvents::GetRecordSize() const {
    return kSubEventRecordBytes;
}

std::size_t TSubEvents::WriteRecord(void* destination, std::size_t capacity) const {
    const std::size_t size = GetRecordSize();
    if (!Record || !destination || capacity < size) {
        return 0;
    }
    TSubEventRecord copy = *Record;
    copy.size = static_cast<std::uint32_t>(size);
    std::memcpy(destination, &copy, sizeof copy);
    return size;
}

bool TSubEvents::AssignRecord(const TSubEvents& other) {
    if (!other.Record) {
        return false;
    }
    if (!Record) {
        CreateRecord();
    }
    if (Record != other.Record) {
        *Record = *other.Record;
    }
    return true;
}

std::int32_t TSubEvents::GetDuration() const {
    return Record ? static_cast<std::int32_t>(static_cast<std::int64_t>(Record->end) - Record->start) : 0;
}

void TSubEvents::SetKind(std::uint8_t kind) {
    Kind = kind;
    if (Record) {
        Record->kind = kind;
    }
}
