#pragma once
// One time slot of a page: the events visible from its start time until the next slot starts, in
// layer order, with one placement entry per event once the slot was selected or laid out. The slot
// number is the list index (1, 2, ... in time order after TPointer::Renumber).
#include "core/src/pages/TEventPlacement.h"
#include "foundation/TPointer.h"

#include <cstdint>
#include <optional>
#include <vector>

class TSubEvents;

class TChronoEvents : public TListItem<TChronoEvents> {
public:
    TChronoEvents(std::int32_t startTime, std::vector<TSubEvents*> events);

    std::int32_t StartTime() const { return startTime_; }
    const std::vector<TSubEvents*>& Events() const { return events_; }
    std::int32_t Number() const { return Index; }

    // The placement array: none until the slot is first selected or laid out; a new layout discards
    // it.
    bool HasPlacements() const { return placements_.has_value(); }
    std::vector<TEventPlacement>& Placements() { return *placements_; }
    const std::vector<TEventPlacement>& Placements() const { return *placements_; }
    // One zeroed entry per event; entries of events that `previous` also holds are copied from it, so
    // that an event keeps its place while others come and go.
    void MakePlacements(const TChronoEvents* previous);
    void DiscardPlacements() { placements_.reset(); }

private:
    // Takes the events sorted by layer (ascending, stable), without placements.
    void SetEvents(std::vector<TSubEvents*> events);

    std::int32_t startTime_ = 0;
    std::vector<TSubEvents*> events_;
    std::optional<std::vector<TEventPlacement>> placements_;
};
