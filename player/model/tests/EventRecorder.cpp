#include "player/model/tests/EventRecorder.h"

#include "platform/text/CodePage.h"

std::ostream& operator<<(std::ostream& out, const TRecordedEvent& e) {
    out << "{event " << e.event << ", a " << e.a << ", b " << e.b << ", c " << e.c;
    if (!e.text.empty()) {
        out << ", \"" << plat::text::WideToAnsi(e.text) << '"';
    }
    return out << '}';
}

uint8_t TEventRecorder::Callback(void* userData, uint32_t tag, uint32_t event, intptr_t a, intptr_t b,
                                 intptr_t c) {
    auto* self = static_cast<TEventRecorder*>(userData);
    TRecordedEvent e{event, a, b, c, {}};
    if (event == kEventError) {
        e.text = reinterpret_cast<const char16_t*>(a);
        e.a = 0;
    }
    self->events.push_back(std::move(e));
    self->tags.push_back(tag);
    return 1;
}
