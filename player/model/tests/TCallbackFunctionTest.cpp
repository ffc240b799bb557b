#include "player/model/events/TCallbackFunction.h"
#include "player/model/tests/EventRecorder.h"

#include <gtest/gtest.h>

namespace {

TEST(TCallbackFunction, BroadcastCallsListenersInRegistrationOrderWithTheirTags) {
    TPointer<TCallbackFunction> list;
    TEventRecorder first, second;
    EXPECT_EQ(TCallbackFunction::Register(&list, &first, 7, &TEventRecorder::Callback), 0);
    EXPECT_EQ(TCallbackFunction::Register(&list, &second, 8, &TEventRecorder::Callback), 0);
    EXPECT_EQ(TCallbackFunction::Register(&list, &first, 9, &TEventRecorder::Callback), 0);
    // Listeners without user data are kept but never called.
    EXPECT_EQ(TCallbackFunction::Register(&list, nullptr, 10, &TEventRecorder::Callback), 0);
    EXPECT_EQ(list.Count, 4);

    EXPECT_EQ(TCallbackFunction::Broadcast(&list, 5, -1, 2, 3), 0);
    EXPECT_EQ(first.events, (std::vector{TRecordedEvent{5, -1, 2, 3, {}}, TRecordedEvent{5, -1, 2, 3, {}}}));
    EXPECT_EQ(first.tags, (std::vector<uint32_t>{7, 9}));
    EXPECT_EQ(second.tags, (std::vector<uint32_t>{8}));
}

TEST(TCallbackFunction, RegisteringWithoutCallbackRemovesTheFirstListenerOfTheUserData) {
    TPointer<TCallbackFunction> list;
    TEventRecorder a, b;
    TCallbackFunction::Register(&list, &a, 1, &TEventRecorder::Callback);
    TCallbackFunction::Register(&list, &b, 2, &TEventRecorder::Callback);
    TCallbackFunction::Register(&list, &a, 3, &TEventRecorder::Callback);
    EXPECT_EQ(TCallbackFunction::Register(&list, &a, 0, nullptr), 0);
    EXPECT_EQ(TCallbackFunction::Register(&list, &list, 0, nullptr), 0); // nobody: nothing removed
    TCallbackFunction::Broadcast(&list, 1, 0, 0, 0);
    EXPECT_EQ(a.tags, (std::vector<uint32_t>{3}));
    EXPECT_EQ(b.tags, (std::vector<uint32_t>{2}));
}

TEST(TCallbackFunction, MissingOrEmptyListAnswersMinusOne) {
    TPointer<TCallbackFunction> list;
    EXPECT_EQ(TCallbackFunction::Register(nullptr, &list, 0, &TEventRecorder::Callback), -1);
    EXPECT_EQ(TCallbackFunction::Broadcast(nullptr, 1, 0, 0, 0), -1);
    EXPECT_EQ(TCallbackFunction::Broadcast(&list, 1, 0, 0, 0), -1);
}

// A listener that removes itself and the next one while it is called.
struct TSelfRemover {
    TPointer<TCallbackFunction>* list;
    void* next;
    int calls = 0;
    static uint8_t Callback(void* self, uint32_t, uint32_t, intptr_t, intptr_t, intptr_t) {
        auto* s = static_cast<TSelfRemover*>(self);
        ++s->calls;
        TCallbackFunction::Register(s->list, s, 0, nullptr);
        TCallbackFunction::Register(s->list, s->next, 0, nullptr);
        return 1;
    }
};

TEST(TCallbackFunction, ListenersMayChangeTheListDuringABroadcast) {
    TPointer<TCallbackFunction> list;
    TEventRecorder later;
    TSelfRemover remover{&list, &later};
    TCallbackFunction::Register(&list, &remover, 0, &TSelfRemover::Callback);
    TCallbackFunction::Register(&list, &later, 0, &TEventRecorder::Callback);
    EXPECT_EQ(TCallbackFunction::Broadcast(&list, 1, 0, 0, 0), 0);
    EXPECT_EQ(list.Count, 0);
    EXPECT_EQ(remover.calls, 1);
    EXPECT_EQ(later.events.size(), 1u); // called: it was listening when the broadcast began
    EXPECT_EQ(TCallbackFunction::Broadcast(&list, 1, 0, 0, 0), -1);
}

} // namespace
