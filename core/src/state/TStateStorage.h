#pragma once
// Saved playback states in a per-disc storage file: one stream per state in the root storage, and
// for states the core names itself ("B%04d", 1 to 98) an entry in the index stream "Info". The file is
// held locked for the whole of an operation, and an indexed save writes its state stream and the
// index in one step after every check has passed, so a refused save never leaves a stream behind.
#include "core/include/StateIndex.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class TStateStorage {
public:
    static constexpr int kMaxStateNumber = 98;

    // Writes the stream, making the file or the stream when missing.
    static bool WriteState(const std::u16string& file, const std::u16string& stream,
                           const std::string& bytes);
    // The stream's bytes; nothing when the file or the stream cannot be read.
    static std::optional<std::string> ReadState(const std::u16string& file, const std::u16string& stream);
    // Removes the element; the index is left to the client.
    static bool DeleteState(const std::u16string& file, const std::u16string& stream);

    // "B%04d".
    static std::u16string StateName(int number);
    // The first number 1..98 whose name no element has (names compared without regard to case); 0
    // when every one is taken.
    static int FreeStateNumber(const std::vector<std::u16string>& names);

    // Saves a state under the first free "B%04d" name with an index entry captioned `caption`. The
    // capture gives the state's bytes and fills the entry's title, chapter and time; false from it, an
    // index holding kStateIndexAddLimit entries or more, no free name or a caption longer than its
    // field fail the save before anything is written. The entry's other bytes and the rest of the
    // index (the client's) are written back as read; an index stream shorter than the layout reads
    // as zeros beyond its end.
    using TCapture = std::function<bool(std::string& state, TStateIndexSlot& entry)>;
    static bool SaveIndexed(const std::u16string& file, const std::u16string& caption,
                            const TCapture& capture);
};
