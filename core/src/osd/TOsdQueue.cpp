#include "core/src/osd/TOsdQueue.h"

#include "core/src/layout/CutTowardZero.h"
#include "core/src/pages/TBitmapItem.h"
#include "subtitles/model/TFontPool.h"
#include "subtitles/model/TTextEvent.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace {

constexpr std::uint32_t kYellow = 0x0000FFFF; // 0x00BBGGRR

void CopyName(char16_t* field, std::size_t units, std::u16string_view name) {
    const std::size_t length = std::min(name.size(), units - 1);
    std::copy_n(name.data(), length, field);
    field[length] = u'\0';
}

// A text item ends with its terminator inside the data.
bool TerminatedText(std::span<const std::byte> data) {
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        if (data[i] == std::byte{0} && data[i + 1] == std::byte{0}) {
            return true;
        }
    }
    return false;
}

} // namespace

TOsdQueue::TOsdQueue(std::shared_ptr<TClockSource> clocks)
    : clocks_(std::move(clocks)), style_(DefaultStyle()) {}

TSubtitleStyleRecord TOsdQueue::DefaultStyle() {
    TSubtitleStyleRecord style;
    std::memset(&style, 0, sizeof(style));
    CopyName(style.fontName, kStyleFontNameUnits, u"Arial");
    style.fontSize = 28;
    style.primaryColour = kYellow;
    style.secondaryColour = kYellow;
    style.borderStyle = 1;
    style.outline = 2;
    style.shadow = 1;
    style.alignment = 5;
    return style;
}

TOsdItem* TOsdQueue::FindLayer(std::int32_t layer) const {
    for (TOsdItem* item = items_.Head; item != nullptr; item = item->Next) {
        if (item->layer == layer) {
            return item;
        }
    }
    return nullptr;
}

bool TOsdQueue::AddItem(std::span<const std::byte> data, std::uint8_t type, std::int32_t duration,
                        std::int32_t layer) {
    TOsdItem* existing = FindLayer(layer);
    if (type != TOsdItem::kText && type != TOsdItem::kBitmap) {
        return false;
    }
    if (existing != nullptr) {
        if (duration == TOsdItem::kRemove) {
            items_.Delete(existing);
        }
        return true;
    }
    if (data.size() > kMaxItemBytes || (type == TOsdItem::kText && !TerminatedText(data))) {
        return false;
    }
    auto item = std::make_unique<TOsdItem>();
    item->layer = layer;
    item->duration = duration == 0 ? defaultDuration_ : duration;
    item->startTick = clocks_->GetTickCount();
    item->type = type;
    if (type == TOsdItem::kBitmap) {
        item->picture = std::make_unique<TBitmapItem>();
        item->picture->SetImage(data.data(), data.size());
    } else {
        item->data.assign(data.begin(), data.end());
    }
    items_.Insert(nullptr, std::move(item));
    return true;
}

// The next pass is due when the earliest of the remaining timed items runs out.
std::int32_t TOsdQueue::Expire() {
    const std::uint32_t now = clocks_->GetTickCount();
    std::optional<std::uint32_t> next;
    for (TOsdItem* item = items_.Head; item != nullptr;) {
        TOsdItem* following = item->Next;
        if (item->Timed()) {
            const std::uint32_t remaining = item->Remaining(now);
            if (remaining == 0) {
                items_.Delete(item);
            } else {
                next = std::min(next.value_or(remaining), remaining);
            }
        }
        item = following;
    }
    return next ? static_cast<std::int32_t>(*next) : -1;
}

void TOsdQueue::SetStyle(const TSubtitleStyleRecord& style, std::uint32_t defaultDuration, bool enabled) {
    style_ = style;
    if (defaultDuration > 0) {
        defaultDuration_ = static_cast<std::int32_t>(
            std::min<std::uint32_t>(defaultDuration, std::numeric_limits<std::int32_t>::max()));
    }
    enabled_ = enabled;
    if (!enabled) {
        items_.Clear();
    }
}

bool TOsdQueue::SetVariable(const char16_t* name, const char16_t* value) {
    return variables_.Add(name, value, false);
}

std::u16string TOsdQueue::Expand(std::u16string_view text) {
    std::u16string out;
    std::size_t at = 0;
    for (std::size_t open = text.find(u"$("); open != std::u16string_view::npos;
         open = text.find(u"$(", at)) {
        const std::size_t close = text.find(u')', open + 2);
        out.append(text.substr(at, open - at));
        if (close == std::u16string_view::npos) {
            at = open + 2;
            break;
        }
        const std::u16string name(text.substr(open + 2, close - open - 2));
        std::u16string value;
        if (!name.empty() && variables_.GetValue(name.c_str(), value)) {
            out += value;
        }
        at = close + 1;
    }
    out.append(text.substr(at));
    return out;
}

// The mapping covers the video rectangle both as its frame and as its area, so that its scales turn
// the style's margins into pixels of that rectangle.
void TOsdQueue::Draw(plat::gdi::Dc& dc, const plat::win::RECT& video) {
    if (!enabled_ || IsEmpty()) {
        return;
    }
    TFontPool pool(&dc);
    const std::int32_t width = std::abs(video.right - video.left);
    const std::int32_t height = std::abs(video.bottom - video.top);
    mapping_.SetAreaRect(video.top, video.left, width, height);
    mapping_.SetFrameRect(video.top, video.left, width, height);
    std::vector<std::unique_ptr<TTextEvent>> texts;
    std::vector<TSubEvents*> drawables;
    for (const TOsdItem* item = items_.Head; item != nullptr; item = item->Next) {
        if (item->picture != nullptr) {
            drawables.push_back(item->picture.get());
        } else if (item->type == TOsdItem::kText) {
            texts.push_back(LaidOutText(*item, dc, pool));
            drawables.push_back(texts.back().get());
        }
    }
    for (TSubEvents* drawable : drawables) {
        dc.SetBkMode(plat::gdi::BkMode::Transparent);
        dc.SetTextAlign(plat::gdi::TextAlign::Bottom);
        const TAlignedBlock place = Place(*drawable);
        drawable->Draw(&dc, video.left + place.x, video.top + place.y, 0, &pool, mapping_.GetScaleY(),
                       mapping_.GetScaleX());
    }
}

std::unique_ptr<TTextEvent> TOsdQueue::LaidOutText(const TOsdItem& item, plat::gdi::Dc& dc, TFontPool& pool) {
    std::u16string text(item.data.size() / sizeof(char16_t), u'\0');
    std::memcpy(text.data(), item.data.data(), text.size() * sizeof(char16_t));
    text.resize(std::char_traits<char16_t>::length(text.c_str()));
    auto event = std::make_unique<TTextEvent>();
    event->CreateRecord();
    event->SetText(Expand(text), false);
    event->BuildRuns();
    event->SetStyleAndScreen(&style_, &mapping_);
    event->Layout(&dc, &pool);
    return event;
}

// A \pos position counts in the mapping's units; otherwise the queue's style places the block (a
// text's own alignment, from an alignment tag, goes before the style's).
TAlignedBlock TOsdQueue::Place(const TSubEvents& drawable) const {
    std::int32_t w = 0;
    std::int32_t h = 0;
    drawable.GetExtent(w, h);
    const double sx = mapping_.GetScaleX();
    const double sy = mapping_.GetScaleY();
    const TSubEventRecord* record = drawable.GetRecord();
    if (record != nullptr && record->placedByPosition != 0) {
        return {CutTowardZero(record->posX * sx), CutTowardZero(record->posY * sy)};
    }
    std::int32_t alignment = style_.alignment;
    if (drawable.GetKind() == kSubItemText) {
        alignment = static_cast<const TTextEvent&>(drawable).GetTextRecord()->alignment;
    }
    return TAlignedBlock::Place(alignment, {style_.marginL, style_.marginR, style_.marginV}, sx, sy,
                                mapping_.GetScreenWidth(false), mapping_.GetScreenHeight(false), w, h);
}
