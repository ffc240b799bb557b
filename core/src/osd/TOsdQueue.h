#pragma once
// The on-screen messages of one player: short texts and pictures the client asks the core to show
// over the video for a while, one per layer (orders 600-606). Texts are drawn as subtitle text events
// in the queue's own style after their variable references "$(name)" are replaced. Every operation
// runs under the player's subtitle lock.
#include "core/include/SubtitleRecords.h"
#include "core/src/TClockSource.h"
#include "core/src/osd/TOsdItem.h"
#include "core/src/pages/TAlignedBlock.h"
#include "foundation/TPointer.h"
#include "foundation/TvcParametersList.h"
#include "platform/gdi/Dc.h"
#include "platform/win/Types.h"
#include "subtitles/model/TSubScreenControler.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

class TFontPool;
class TSubEvents;
class TTextEvent;

class TOsdQueue {
public:
    // The largest item the queue copies: a full-screen bitmap fits many times over.
    static constexpr std::size_t kMaxItemBytes = 64u << 20;

    // The tick count of `clocks` dates the items. Empty, disabled, default duration 0, the default
    // style.
    explicit TOsdQueue(std::shared_ptr<TClockSource> clocks);

    // The style of a fresh queue: "Arial" 28, yellow, outline 2, shadow 1, top left.
    static TSubtitleStyleRecord DefaultStyle();

    // Adds an item on its layer unless one is there already; a duration of kRemove instead removes
    // the one there. A duration of 0 takes the default duration. Refuses types other than text and
    // bitmap, and new items larger than kMaxItemBytes or texts without a terminator.
    bool AddItem(std::span<const std::byte> data, std::uint8_t type, std::int32_t duration,
                 std::int32_t layer);
    // Deletes the items whose time ran out; answers the ms until the next timed item runs out, or -1
    // when none is left to run out.
    std::int32_t Expire();
    void Clear() { items_.Clear(); }
    // Takes the style, a default duration above 0, and the enabled flag; disabling deletes every item.
    void SetStyle(const TSubtitleStyleRecord& style, std::uint32_t defaultDuration, bool enabled);
    // Sets or replaces a variable; false for a missing or empty name.
    bool SetVariable(const char16_t* name, const char16_t* value);
    void ClearVariables() { variables_.Clear(); }

    // Draws every item, in queue order, into `video` (left, top, right, bottom) of the context: texts
    // in the queue's style, placed by its alignment and margins or their \pos position, pictures at
    // the style's place. Nothing while the queue is disabled.
    void Draw(plat::gdi::Dc& dc, const plat::win::RECT& video);

    // The text with every "$(name)" replaced by the variable's value (nothing for an unknown or empty
    // name); a "$(" without a ")" is dropped and the rest kept.
    std::u16string Expand(std::u16string_view text);

    bool IsEnabled() const { return enabled_; }
    bool IsEmpty() const { return items_.Count == 0; }
    std::int32_t DefaultDuration() const { return defaultDuration_; }
    const TSubtitleStyleRecord& Style() const { return style_; }
    const TPointer<TOsdItem>& Items() const { return items_; }

private:
    TOsdItem* FindLayer(std::int32_t layer) const;
    // A text item's event with its variables expanded, laid out on the context.
    std::unique_ptr<TTextEvent> LaidOutText(const TOsdItem& item, plat::gdi::Dc& dc, TFontPool& pool);
    // The top-left corner of a laid-out drawable of the queue.
    TAlignedBlock Place(const TSubEvents& drawable) const;

    std::shared_ptr<TClockSource> clocks_;
    TPointer<TOsdItem> items_;
    std::int32_t defaultDuration_ = 0;
    bool enabled_ = false;
    TSubScreenControler mapping_;
    TSubtitleStyleRecord style_;
    TvcParametersList variables_;
};
