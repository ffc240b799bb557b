#pragma once
// Keeps the orders of one player instance and its free apart: orders in flight finish before the
// free proceeds, and no order gets in once the free has begun. Orders may run side by side and may
// nest (an order whose notification makes the host send another). The player is released on the
// thread that frees it, which answers the messages other threads send to its windows while it
// waits, so an order that notifies that thread still finishes.
#include "platform/win/MessageAwareCondition.h"

#include <mutex>
#include <thread>

class TOrderGate {
public:
    enum class TFree {
        Now,      // no order in flight on another thread any more: the caller releases now
        Deferred, // the caller is inside an order: it releases as its outermost order leaves
        Begun,    // a free had begun already
        Refused,  // the caller answers a message sent from another thread while orders are in
                  // flight, one of which may be waiting for it: waiting could never end
    };

    // Lets an order in; false once a free has begun.
    bool Enter();
    // The order that entered last on this thread leaves. True when this thread's outermost order
    // leaves with a free deferred to it; the caller then waits (AwaitOrders) and releases.
    bool Leave();
    // Closes the gate to new orders and, unless the free is deferred or refused, waits for the
    // orders in flight.
    TFree BeginFree();
    // Waits until no order is in flight.
    void AwaitOrders();

private:
    bool CallerInside() const;

    std::mutex mutex_;
    plat::win::MessageAwareCondition ordersLeft_;
    int inFlight_ = 0;
    bool freeing_ = false;
    std::thread::id deferredTo_; // the thread whose outermost order releases; none when not deferred
};
