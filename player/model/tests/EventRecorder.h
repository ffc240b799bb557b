#pragma once
// A listener that records the player events it hears (event 32's text is copied while it lives).
#include "player/model/events/PlayerEvents.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

struct TRecordedEvent {
    uint32_t event;
    intptr_t a;
    intptr_t b;
    intptr_t c;
    std::u16string text; // event 32 only
    bool operator==(const TRecordedEvent&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TRecordedEvent& e);

class TEventRecorder {
public:
    static uint8_t Callback(void* userData, uint32_t tag, uint32_t event, intptr_t a, intptr_t b, intptr_t c);

    std::vector<TRecordedEvent> events;
    std::vector<uint32_t> tags;
};

// An event without text.
inline TRecordedEvent Ev(uint32_t event, intptr_t a = 0, intptr_t b = 0) {
    return {event, a, b, 0, {}};
}
