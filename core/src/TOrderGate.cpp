#include "core/src/TOrderGate.h"

#include "platform/win/Message.h"

#include <algorithm>
#include <vector>

namespace {

// The gates whose orders the calling thread is inside, innermost last.
thread_local std::vector<const TOrderGate*> enteredGates;

} // namespace

bool TOrderGate::Enter() {
    const std::lock_guard lock(mutex_);
    if (freeing_) {
        return false;
    }
    ++inFlight_;
    enteredGates.push_back(this);
    return true;
}

bool TOrderGate::Leave() {
    enteredGates.pop_back();
    bool freeing = false;
    bool releaseHere = false;
    {
        const std::lock_guard lock(mutex_);
        --inFlight_;
        freeing = freeing_;
        releaseHere = deferredTo_ == std::this_thread::get_id() && !CallerInside();
    }
    if (freeing) {
        ordersLeft_.NotifyAll();
    }
    return releaseHere;
}

bool TOrderGate::CallerInside() const {
    return std::find(enteredGates.begin(), enteredGates.end(), this) != enteredGates.end();
}

TOrderGate::TFree TOrderGate::BeginFree() {
    {
        const std::lock_guard lock(mutex_);
        if (freeing_) {
            return TFree::Begun;
        }
        if (CallerInside()) {
            freeing_ = true;
            deferredTo_ = std::this_thread::get_id();
            return TFree::Deferred;
        }
        if (inFlight_ > 0 && plat::win::InSendMessage()) {
            return TFree::Refused;
        }
        freeing_ = true;
    }
    AwaitOrders();
    return TFree::Now;
}

void TOrderGate::AwaitOrders() {
    ordersLeft_.Wait([this] {
        const std::lock_guard lock(mutex_);
        return inFlight_ == 0;
    });
}
