#pragma once
// Writes per-disc storage files as the core does when it saves and deletes playback states, so that
// the client's tests meet the files the core leaves: a state stream named "B%04d" (the first free
// number) or as given, and for an indexed state one more slot in "Info", all in one locked update.
#include <cstdint>
#include <string>

class StateFileWriter {
public:
    // Saves a state with an index slot (caption, title, chapter, time). False when the file cannot be
    // updated, holds 69 or more slots, or has no free name.
    static bool AddIndexedState(const std::string& file, const std::string& caption, uint8_t title,
                                uint8_t chapter, uint32_t time, const std::string& state);
    // Saves a state under its own name without touching the index.
    static bool SaveNamedState(const std::string& file, const std::u16string& name, const std::string& state);
};
