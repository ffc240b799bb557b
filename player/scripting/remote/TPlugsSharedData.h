#pragma once
// The command hand-over between a plug-in's thread and the player's main thread: one command at a
// time, guarded by the host's state lock.
#include <cstddef>
#include <cstdint>
#include <string>

struct TPlugsSharedData {
    enum class State { Idle, Posted, Running, Done, Cancelled };

    State state = State::Idle;
    int32_t result = 0;
    std::size_t consumed = 0;
    uint64_t serial = 0; // tells a late answer to a cancelled command from the next command
    std::u16string command;
    std::u16string answer;
};
