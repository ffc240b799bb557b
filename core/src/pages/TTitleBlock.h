#pragma once
// One subtitle page: its key, its own copy of the order-502 block (the events borrow their records
// from it), the text events rebuilt from it, and its timeline cut into time slots. The page remembers
// the styles and the screen mapping it was laid out for, the time it was last given and the slot
// whose events are on screen.
//
// An event is visible from its start up to, not including, its end: a slot holds the events with
// start <= slot start < end, so an event that ends when another starts never shares its picture.
#include "core/src/pages/TChronoEvents.h"
#include "core/src/pages/TSubtitleStyleNode.h"
#include "foundation/TPointer.h"
#include "subtitles/model/TSubEvents.h"
#include "subtitles/model/TSubScreenControler.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class TPageLayouter;

class TTitleBlock : public TListItem<TTitleBlock> {
public:
    TTitleBlock() = default;
    ~TTitleBlock();
    TTitleBlock(const TTitleBlock&) = delete;
    TTitleBlock& operator=(const TTitleBlock&) = delete;

    // Loads a block that passed CheckPageBlock (`recordOffsets` are its records): copies its head and
    // records, each record on an 8-byte boundary, rebuilds each text event in place on the copy with
    // its runs, skips other kinds, and builds the slots.
    void Load(std::uint32_t key, std::span<const std::byte> block,
              std::span<const std::size_t> recordOffsets);
    std::uint32_t GetKey() const { return key_; }

    // Cuts the timeline into slots: one at 0, one at every time an event starts or ends.
    void BuildSlots();
    // Selects the slot for `time` (the last one starting at or before it, else the first); answers its
    // number, -1 without slots.
    std::int32_t FindSlot(std::int32_t time);
    // Stores the time and shows its slot; true when the picture must change.
    bool SetTime(std::int32_t time);

    // Stores the style list and a copy of the mapping (each when given); unless `storeOnly`, and when
    // it has a style list and a layouter, lets the layouter lay the page out.
    void Layout(TPageLayouter* layouter, const TPointer<TSubtitleStyleNode>* styles,
                const TSubScreenControler* mapping, bool storeOnly, std::int32_t wrapOverride);
    // Lets the layouter draw the shown slot; false without a layouter.
    bool Paint(TPageLayouter* layouter, plat::gdi::Dc* dc, std::int32_t time, bool replace,
               TSubEvents* single);

    // A layout that lays out events and places slots when they are first shown: every event is to be
    // laid out again with the wrap override (-1: none), and every slot placed again. From then on
    // selecting a slot leaves its placements to the layouter.
    void StartLazyLayout(std::int32_t wrapOverride);
    bool LaysOutLazily() const { return lazyLayout_; }
    std::int32_t LayoutWrapOverride() const { return layoutWrap_; }
    // Whether the event (of this page) was laid out since the layout started; MarkLaidOut records it.
    bool IsLaidOut(const TSubEvents& event) const;
    void MarkLaidOut(const TSubEvents& event);

    TPointer<TSubEvents>& Events() { return events_; }
    TPointer<TChronoEvents>& Slots() { return slots_; }
    const TPointer<TChronoEvents>& Slots() const { return slots_; }
    TChronoEvents* ShownSlot() const { return shownSlot_; }
    std::int32_t ShownCount() const { return shownCount_; }
    std::int32_t CurrentTime() const { return currentTime_; }
    const TPointer<TSubtitleStyleNode>* Styles() const { return styles_; }
    TSubScreenControler& Mapping() { return mapping_; }

private:
    void AddTextEvent(std::byte* record);

    std::uint32_t key_ = 0;
    TSubScreenControler mapping_;
    const TPointer<TSubtitleStyleNode>* styles_ = nullptr;
    std::int32_t currentTime_ = 0;
    // The block copy outlives the events that borrow from it: members go in reverse order.
    std::unique_ptr<std::byte[]> data_;
    TPointer<TSubEvents> events_;
    TPointer<TChronoEvents> slots_;
    TChronoEvents* shownSlot_ = nullptr;
    std::int32_t shownCount_ = 0;
    bool lazyLayout_ = false;
    std::int32_t layoutWrap_ = -1;
    std::vector<bool> laidOut_; // by event index - 1
};
