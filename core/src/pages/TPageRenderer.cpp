#include "core/src/pages/TPageRenderer.h"

#include "core/src/pages/TAlignedBlock.h"
#include "core/src/pages/TTitleBlock.h"
#include "platform/gdi/Geometry.h"
#include "platform/gdi/MemoryDc.h"
#include "platform/text/CaseFold.h"
#include "subtitles/model/FixedText.h"
#include "subtitles/model/TFontPool.h"
#include "subtitles/model/TTextEvent.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

std::int32_t Truncate(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<std::int32_t>(std::clamp(std::trunc(value), double{INT32_MIN}, double{INT32_MAX}));
}

const TSubtitleStyleRecord* FindStyle(const TPointer<TSubtitleStyleNode>& styles, const char16_t* name) {
    const std::u16string_view wanted = FixedTextView(name, kStyleNameUnits);
    for (const TSubtitleStyleNode* node = styles.Head; node != nullptr; node = node->Next) {
        if (plat::text::EqualsNoCase(FixedTextView(node->record.name, kStyleNameUnits), wanted)) {
            return &node->record;
        }
    }
    return styles.Head != nullptr ? &styles.Head->record : nullptr;
}

// Where an event's block goes before stacking, relative to the mapping's origin.
struct TBlockPosition {
    std::int32_t x;
    std::int32_t y;
};

TBlockPosition AlignedPosition(const TTextEventRecord& record, const TSubEvents& event,
                               const TSubScreenControler& mapping, std::int32_t w, std::int32_t h) {
    const bool positioned = record.head.positioned != 0;
    const double width = mapping.GetScreenWidth(positioned);
    const double height = mapping.GetScreenHeight(positioned);
    const double sx = mapping.GetScaleX();
    const double sy = mapping.GetScaleY();
    if (record.head.placedByPosition != 0) {
        return {Truncate(sx * record.head.posX * event.GetScaleX()),
                Truncate(sy * record.head.posY * event.GetScaleY())};
    }
    const TAlignedBlock block = TAlignedBlock::Place(
        record.alignment, {record.effectiveMarginL, record.effectiveMarginR, record.effectiveMarginV}, sx, sy,
        width, height, w, h);
    return {block.x, block.y};
}

// Whether the two slots hold an event in common.
bool SharesEvents(const TChronoEvents& earlier, const TChronoEvents& later) {
    return std::any_of(later.Events().begin(), later.Events().end(), [&](const TSubEvents* event) {
        return std::find(earlier.Events().begin(), earlier.Events().end(), event) != earlier.Events().end();
    });
}

bool Overlaps(const TEventPlacement& other, std::int32_t otherWidth, std::int32_t otherHeight, std::int64_t x,
              std::int64_t y, std::int32_t w, std::int32_t h) {
    return x <= std::int64_t{other.x} + otherWidth && other.x <= x + w &&
           y <= std::int64_t{other.y} + otherHeight && other.y <= y + h;
}

} // namespace

TPageRenderer::TPageRenderer() : TPageRenderer([] { return std::make_unique<plat::gdi::MemoryDc>(); }) {}

TPageRenderer::TPageRenderer(MeasurerFactory makeMeasurer) : makeMeasurer_(std::move(makeMeasurer)) {}

void TPageRenderer::Layout(TTitleBlock& page, std::int32_t wrapOverride) {
    if (page.Styles() == nullptr) {
        return;
    }
    page.StartLazyLayout(wrapOverride);
    LayOutShown(page);
}

void TPageRenderer::LayOutShown(TTitleBlock& page) {
    TChronoEvents* shown = page.ShownSlot();
    if (shown == nullptr || shown->HasPlacements() || !page.LaysOutLazily() || page.Styles() == nullptr) {
        return;
    }
    // The shown slot and the unplaced slots before it whose places it inherits, latest first.
    std::vector<TChronoEvents*> chain{shown};
    for (TChronoEvents* slot = shown;
         slot->Prev != nullptr && !slot->Prev->HasPlacements() && SharesEvents(*slot->Prev, *slot);
         slot = slot->Prev) {
        chain.push_back(slot->Prev);
    }
    const std::unique_ptr<plat::gdi::TextMeasurer> measurer = makeMeasurer_();
    TFontPool pool(measurer.get());
    for (auto slot = chain.rbegin(); slot != chain.rend(); ++slot) {
        PlaceSlot(page, **slot, pool);
    }
}

void TPageRenderer::PlaceSlot(TTitleBlock& page, TChronoEvents& slot, TFontPool& pool) {
    for (TSubEvents* event : slot.Events()) {
        LayOutEvent(page, *event, pool);
    }
    slot.MakePlacements(slot.Prev);
    for (std::size_t i = 0; i < slot.Events().size(); ++i) {
        if (!slot.Placements()[i].placed) {
            Place(page, slot, i);
        }
    }
}

void TPageRenderer::LayOutEvent(TTitleBlock& page, TSubEvents& event, TFontPool& pool) {
    if (page.IsLaidOut(event)) {
        return;
    }
    const char16_t* name = nullptr;
    const TSubtitleStyleRecord* style = event.GetStyleName(name) ? FindStyle(*page.Styles(), name) : nullptr;
    event.SetStyleAndScreen(style, &page.Mapping());
    const std::int32_t wrapOverride = page.LayoutWrapOverride();
    if (wrapOverride > 0 && event.GetKind() == kSubItemText) {
        static_cast<TTextEvent&>(event).LayoutWith(pool, wrapOverride);
    } else {
        event.Layout(pool.Measurer(), &pool);
    }
    page.MarkLaidOut(event);
}

bool TPageRenderer::Paint(TTitleBlock& page, plat::gdi::Dc* dc, std::int32_t time, bool replace,
                          TSubEvents* single) {
    LayOutShown(page);
    TChronoEvents* slot = page.ShownSlot();
    if (slot == nullptr || dc == nullptr || !slot->HasPlacements()) {
        return false;
    }
    if (time == -1) {
        time = page.CurrentTime();
    }
    dc->SetBkMode(plat::gdi::BkMode::Transparent);
    dc->SetTextAlign(plat::gdi::TextAlign::Bottom);
    TFontPool pool(dc);
    pool.SetOverrides(overrides_);
    const TSubScreenControler& mapping = page.Mapping();
    for (std::size_t i = 0; i < slot->Events().size(); ++i) {
        TSubEvents* event = slot->Events()[i];
        if (!event->EndsAtOrAfter(time) || (single != nullptr && event != single)) {
            continue;
        }
        TEventPlacement& entry = slot->Placements()[i];
        if (!entry.placed || replace) {
            Place(page, *slot, i);
        }
        const bool positioned = event->IsPositioned();
        event->Draw(dc, plat::gdi::SaturatedAdd(mapping.GetLeft(positioned), entry.x),
                    plat::gdi::SaturatedAdd(mapping.GetTop(positioned), entry.y), entry.moves, &pool,
                    mapping.GetScaleY(), mapping.GetScaleX());
    }
    return true;
}

// Stacking: each earlier event of the same layer that overlaps moves this one out of its way, above
// it (below for top-aligned events), and the comparison starts again while the event stays on screen;
// at an edge it stays at the edge and the remaining events are compared.
void TPageRenderer::Place(TTitleBlock& page, TChronoEvents& slot, std::size_t index) {
    TEventPlacement& entry = slot.Placements()[index];
    TSubEvents* event = slot.Events()[index];
    entry.placed = true;
    if (event->GetKind() != kSubItemText) {
        return;
    }
    const TTextEventRecord& record = *static_cast<TTextEvent*>(event)->GetTextRecord();
    const TSubScreenControler& mapping = page.Mapping();
    std::int32_t w = 0;
    std::int32_t h = 0;
    event->GetExtent(w, h);
    const TBlockPosition position = AlignedPosition(record, *event, mapping, w, h);
    const std::int32_t layer = record.head.layer;
    const bool top = (record.alignment & TAlignedBlock::kTop) != 0;
    const double bottomLimit =
        mapping.GetScaleY() * mapping.GetScreenHeight(record.head.positioned != 0) - (std::int64_t{h} + 1);
    std::int64_t y = position.y;
    std::int32_t moves = 0;
    for (std::size_t j = 0; j < index;) {
        const TSubEvents* other = slot.Events()[j];
        const TEventPlacement& placed = slot.Placements()[j];
        std::int32_t ow = 0;
        std::int32_t oh = 0;
        other->GetExtent(ow, oh);
        if (other->GetRecord()->layer != layer || !Overlaps(placed, ow, oh, position.x, y, w, h)) {
            ++j;
            continue;
        }
        ++moves;
        if (top) {
            y = std::int64_t{placed.y} + oh + 1;
            if (static_cast<double>(y) < bottomLimit) {
                j = 0;
            } else {
                y = Truncate(bottomLimit);
                ++j;
            }
        } else {
            y = std::int64_t{placed.y} - h - 1;
            if (y >= 0) {
                j = 0;
            } else {
                y = 0;
                ++j;
            }
        }
    }
    entry.x = position.x;
    entry.y = static_cast<std::int32_t>(std::clamp<std::int64_t>(y, INT32_MIN, INT32_MAX));
    entry.width = w;
    entry.height = h;
    entry.moves = moves;
}
