#include "core/src/pages/TChronoEvents.h"

#include "subtitles/model/TSubEvents.h"

#include <algorithm>

TChronoEvents::TChronoEvents(std::int32_t startTime, std::vector<TSubEvents*> events)
    : startTime_(startTime) {
    SetEvents(std::move(events));
}

void TChronoEvents::SetEvents(std::vector<TSubEvents*> events) {
    events_ = std::move(events);
    std::stable_sort(events_.begin(), events_.end(), [](const TSubEvents* a, const TSubEvents* b) {
        return a->GetRecord()->layer < b->GetRecord()->layer;
    });
    placements_.reset();
}

void TChronoEvents::MakePlacements(const TChronoEvents* previous) {
    placements_.emplace(events_.size());
    if (previous == nullptr || !previous->HasPlacements()) {
        return;
    }
    for (std::size_t i = 0; i < events_.size(); ++i) {
        const auto found = std::find(previous->events_.begin(), previous->events_.end(), events_[i]);
        if (found != previous->events_.end()) {
            (*placements_)[i] =
                previous->Placements()[static_cast<std::size_t>(found - previous->events_.begin())];
        }
    }
}
