#include "core/src/engine/TEngineContext.h"

#include "core/include/VokradNotifications.h"

void TEngineContext::RaiseError(std::uint32_t kind, std::uint32_t value1, std::uint32_t value2) {
    if (building_) {
        held_.push_back({kind, value1, value2});
    } else if (callbacks.error) {
        callbacks.error(kind, value1, value2);
    }
}

void TEngineContext::RaiseStatus(std::uint32_t kind, std::uint32_t value1, std::uint32_t value2) const {
    if (callbacks.status) {
        callbacks.status(kind, value1, value2);
    }
}

void TEngineContext::RaiseEvent(std::uint32_t kind, std::uint32_t value1, std::uint32_t value2) const {
    if (callbacks.event) {
        callbacks.event(kind, value1, value2);
    }
}

void TEngineContext::EndBuild() {
    building_ = false;
    std::vector<THeldError> held;
    held.swap(held_);
    for (const THeldError& error : held) {
        RaiseError(error.kind, error.value1, error.value2);
    }
}

void TEngineContext::ChangePlayState(TPlayState state) {
    playState = state;
    pendingSeek = kNoPendingSeek;
    RaiseStatus(kStatusPlayState, 0, 0);
}
