#pragma once
// Builds the notification records of VokradNotifications.h: the head {12, 0, kind, size - 12} and
// the payload of each kind, every byte not written zero.
#include "core/include/VokradNotifications.h"
#include "core/src/TDvdTitleAttributes.h"

#include <cstdint>
#include <string_view>

class TCoreMessageBuilder {
public:
    // Kind 1225: code 0, the severity and the 8-bit text, cut at a character boundary so that a
    // terminator fits.
    static TCoreMessageText Text(std::string_view text, std::uint8_t severity);

    // Kind 1629.
    static TCoreMessageStatus Status(std::uint32_t status, std::uint32_t value1, std::uint32_t value2);

    // Kind 1634: the counts as the title gives them, the entries of at most 8 audio and 32 subpicture
    // streams.
    static TCoreMessageStreams Streams(const TDvdTitleAttributes& title);

private:
    static TCoreMessage Head(std::uint32_t kind, std::uint32_t recordSize);
};

static_assert(TDvdTitleAttributes::kAudioStreams == kStreamAudioEntries &&
              TDvdTitleAttributes::kSubpictureStreams == kStreamSubpictureEntries);
