#pragma once
// What a player instance tells its client window: posted messages for time, disc and navigation
// events, and WM_COPYDATA records (TCoreMessage) for message texts, status changes and stream
// information. Records are packed and little-endian; the COPYDATASTRUCT that carries one has dwData 0
// and cbData the record's size. A client is registered with a mask whose bits 0-2 choose what it
// receives.
#include "platform/win/Types.h"

#include <cstddef>
#include <cstdint>

// Posted messages (PostMessage to every client whose mask has kClientEvents).
// 1525: wParam the playback time in ms; lParam the frame rate of the time code it came from: 25 or
// 30, or 0 when the time came in ms.
inline constexpr plat::win::UINT kMsgCoreTime = 1525;
// 1526: a disc or media file was opened: wParam and lParam the two values of the engine's event
// (the two halves of the DVD identifier; 0 and 0 for a media file).
inline constexpr plat::win::UINT kMsgCoreNewMedia = 1526;
// 1527: wParam and lParam the two values of the engine's event (duration in ms, 0).
inline constexpr plat::win::UINT kMsgCoreDuration = 1527;
// 1528: wParam and lParam the two values of the engine's register event.
inline constexpr plat::win::UINT kMsgCoreRegister = 1528;
// 1530: wParam kTitleChapterTitle (0) or kTitleChapterChapter (1); lParam the new title or chapter
// number.
inline constexpr plat::win::UINT kMsgCoreTitleChapter = 1530;
inline constexpr plat::win::WPARAM kTitleChapterTitle = 0;
inline constexpr plat::win::WPARAM kTitleChapterChapter = 1;

// Sent to the video panel of order 202 (a window of the host's own process): lParam the address of a
// std::shared_ptr<plat::video::VideoSurface>, the surface the panel paints from now on (the panel
// keeps its own copy), or 0 when the panel is to let go of the surface it has.
inline constexpr plat::win::UINT kMsgCoreVideoSurface = 1531;

// Record kinds (TCoreMessage::kind).
inline constexpr std::uint32_t kCoreMessageText = 1225;    // message text with a severity
inline constexpr std::uint32_t kCoreMessageStatus = 1629;  // status change
inline constexpr std::uint32_t kCoreMessageStreams = 1634; // stream information of a DVD title

// The value of TCoreMessage::headerSize.
inline constexpr std::uint32_t kCoreMessageHeaderSize = 12;

// Registration mask bits. Bits 0-2 route what a client receives; bits 3-8 are kept with the client
// and not read; bit 9 is not stored.
inline constexpr std::uint32_t kClientMessageTexts = 0x001; // kind-1225 records
inline constexpr std::uint32_t kClientEvents = 0x002;       // posted messages 1525-1528 and 1530
inline constexpr std::uint32_t kClientStatus = 0x004;       // kind-1629 and kind-1634 records
inline constexpr std::uint32_t kClientFlagBits = 9;         // bits 0-8 are stored as flags
// The mask the core registers its host window with when an instance is created.
inline constexpr std::uint32_t kHostClientMask = 0x31F;

// Severities of a message text; the client maps 0, 1, 2 and 3 to its levels 4, 5, 1 and 2.
inline constexpr std::uint8_t kSeverityFatal = 0;   // playback cannot go on
inline constexpr std::uint8_t kSeverityError = 1;   // the disc or file cannot be played
inline constexpr std::uint8_t kSeverityWarning = 2; // playback goes on
inline constexpr std::uint8_t kSeverityAdvice = 3;  // advice to the user

// Status kinds of kind-1629 records: (first value, second value).
inline constexpr std::uint32_t kStatusUserOperations = 3; // (allowed DVD user operation bits, 0)
inline constexpr std::uint32_t kStatusDrive = 5;          // (drive letter minus 'A', 0)
inline constexpr std::uint32_t kStatusAudioStream = 6;    // (2, current audio stream)
inline constexpr std::uint32_t kStatusSubpicture = 7;     // (2, subpicture stream in bits 0-15, bit 16 shown)
inline constexpr std::uint32_t kStatusAngle = 8;          // (0, current angle)
inline constexpr std::uint32_t kStatusConfiguration = 11; // (kConfig* bits of the engine, 0)
inline constexpr std::uint32_t kStatusEndOfMedia = 12;    // (0, 0) the engine stopped at the end
inline constexpr std::uint32_t kStatusGraphBuilt = 13;    // (0, 0)
inline constexpr std::uint32_t kStatusDomainChanged = 14; // (0, 0) DVD domain or title changed
inline constexpr std::uint32_t kStatusPlayState = 15;     // (play state of order 301, 0)
inline constexpr std::uint32_t kStatusFrameStepped = 16;  // (0, 0) a frame step ended, paused
inline constexpr std::uint32_t kSubpictureShownBit = 0x10000;

// Engine configuration bits of kStatusConfiguration.
inline constexpr std::uint32_t kConfigVideoWindow = 1;
inline constexpr std::uint32_t kConfigOverlayMixer = 2;
inline constexpr std::uint32_t kConfigDvd = 4;
inline constexpr std::uint32_t kConfigSampleGrabber = 8;
inline constexpr std::uint32_t kConfigWindowless = 16;

// Sizes of the fixed arrays of the records.
inline constexpr std::size_t kCoreMessageTextBytes = 2048;
inline constexpr std::size_t kStreamAudioEntries = 8;
inline constexpr std::size_t kStreamSubpictureEntries = 32;

#pragma pack(push, 1)

// The head of every record: {12, 0, kind, record size - 12}.
struct TCoreMessage {
    std::uint32_t headerSize;
    std::uint32_t reserved;
    std::uint32_t kind;
    std::uint32_t length;
};
static_assert(sizeof(TCoreMessage) == 16);

// 1225: a message text; the code is always 0; the 8-bit text is zero-filled.
struct TCoreMessageText {
    TCoreMessage head;
    std::uint32_t code;
    std::uint8_t severity;
    char text[kCoreMessageTextBytes];
    std::uint8_t reserved[3];
};
static_assert(sizeof(TCoreMessageText) == 2072);
static_assert(offsetof(TCoreMessageText, severity) == 20 && offsetof(TCoreMessageText, text) == 21);

// 1629: a status change.
struct TCoreMessageStatus {
    TCoreMessage head;
    std::uint32_t status;
    std::uint32_t value1;
    std::uint32_t value2;
};
static_assert(sizeof(TCoreMessageStatus) == 28);

// One audio stream of a DVD title.
struct TCoreStreamAudio {
    std::uint32_t language; // LCID
    std::uint32_t hasMultichannelInfo;
    std::uint32_t frequency;
    std::uint8_t quantization;
    std::uint8_t channels;
    std::uint8_t format;
    std::uint8_t reserved;
};
static_assert(sizeof(TCoreStreamAudio) == 16);

// One subpicture stream of a DVD title.
struct TCoreStreamSubpicture {
    std::uint8_t type;
    std::uint8_t codingMode;
    std::uint8_t reserved1[2];
    std::uint32_t language; // LCID
    std::uint8_t languageExtension;
    std::uint8_t reserved2[3];
};
static_assert(sizeof(TCoreStreamSubpicture) == 12);

// 1634: the streams of a DVD title. The counts are those of the title; entries are filled for at
// most 8 audio and 32 subpicture streams, the rest are zero.
struct TCoreMessageStreams {
    TCoreMessage head;
    std::uint32_t reserved1;
    std::uint32_t audioCount;
    TCoreStreamAudio audio[kStreamAudioEntries];
    std::uint32_t subpictureCount;
    TCoreStreamSubpicture subpicture[kStreamSubpictureEntries];
    std::uint32_t reserved2;
};
static_assert(sizeof(TCoreMessageStreams) == 544);
static_assert(offsetof(TCoreMessageStreams, audio) == 24 &&
              offsetof(TCoreMessageStreams, subpictureCount) == 152 &&
              offsetof(TCoreMessageStreams, subpicture) == 156);

#pragma pack(pop)

// The length field each kind carries.
inline constexpr std::uint32_t kCoreMessageTextLength = sizeof(TCoreMessageText) - kCoreMessageHeaderSize;
inline constexpr std::uint32_t kCoreMessageStatusLength = sizeof(TCoreMessageStatus) - kCoreMessageHeaderSize;
inline constexpr std::uint32_t kCoreMessageStreamsLength =
    sizeof(TCoreMessageStreams) - kCoreMessageHeaderSize;
static_assert(kCoreMessageTextLength == 2060 && kCoreMessageStatusLength == 16 &&
              kCoreMessageStreamsLength == 532);
