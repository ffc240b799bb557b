#pragma once
// The order protocol of Fct_SendOrder: order numbers and the request records. All records are packed
// and little-endian. Fields that hold pointers are pointer-sized, so the records that carry one are
// larger than on a 32-bit system; window handles are 32-bit window ids.
#include "platform/win/Types.h"

#include <cstddef>
#include <cstdint>

// Order numbers.
inline constexpr std::uint32_t kOrderPlay = 100;
inline constexpr std::uint32_t kOrderPauseToggle = 101;
inline constexpr std::uint32_t kOrderStop = 102;
inline constexpr std::uint32_t kOrderRate = 103;
inline constexpr std::uint32_t kOrderFrameStep = 104;
inline constexpr std::uint32_t kOrderPlayAtTime = 105;
inline constexpr std::uint32_t kOrderPlayAtTimeInTitle = 106;
inline constexpr std::uint32_t kOrderRelativeSeek = 107;
inline constexpr std::uint32_t kOrderDvdMenu = 108;
inline constexpr std::uint32_t kOrderDvdButton = 109;
inline constexpr std::uint32_t kOrderTitleChapter = 110;
inline constexpr std::uint32_t kOrderVolume = 111;
inline constexpr std::uint32_t kOrderCursor = 112;
inline constexpr std::uint32_t kOrderNextChapter = 113;
inline constexpr std::uint32_t kOrderPreviousChapter = 114;
inline constexpr std::uint32_t kOrderAudioStream = 120;
inline constexpr std::uint32_t kOrderSubpictureStream = 121;
inline constexpr std::uint32_t kOrderAngle = 122;
inline constexpr std::uint32_t kOrderRefreshPosition = 150;
inline constexpr std::uint32_t kOrderShowVideo = 151;
inline constexpr std::uint32_t kOrderHideVideo = 152;
inline constexpr std::uint32_t kOrderGraphDescription = 200;
inline constexpr std::uint32_t kOrderSaveGraph = 201;
inline constexpr std::uint32_t kOrderParentWindows = 202;
inline constexpr std::uint32_t kOrderColourKey = 203;
inline constexpr std::uint32_t kOrderGraphVariable = 204;
inline constexpr std::uint32_t kOrderDisplayMode = 205;
inline constexpr std::uint32_t kOrderFilterProperties = 206;
inline constexpr std::uint32_t kOrderLogFile = 207;
inline constexpr std::uint32_t kOrderCaptureRing = 208;
inline constexpr std::uint32_t kOrderVideoLayout = 209;
inline constexpr std::uint32_t kOrderSaveDvdState = 250;
inline constexpr std::uint32_t kOrderRestoreDvdState = 251;
inline constexpr std::uint32_t kOrderDeleteDvdState = 252;
inline constexpr std::uint32_t kOrderCurrentPicture = 260;
inline constexpr std::uint32_t kOrderDiscInformation = 300;
inline constexpr std::uint32_t kOrderPlayState = 301;
inline constexpr std::uint32_t kOrderMediaName = 302;
inline constexpr std::uint32_t kOrderTitlesChapters = 303;
inline constexpr std::uint32_t kOrderFilterList = 304;
inline constexpr std::uint32_t kOrderMediaContent = 305;
inline constexpr std::uint32_t kOrderGraphLog = 306;
inline constexpr std::uint32_t kOrderClockTime = 307;
inline constexpr std::uint32_t kOrderVideoRectangle = 308;
inline constexpr std::uint32_t kOrderCapturedFrame = 400;
inline constexpr std::uint32_t kOrderClearSubtitles = 500;
inline constexpr std::uint32_t kOrderSubtitlesOn = 501;
inline constexpr std::uint32_t kOrderSubtitlePages = 502;
inline constexpr std::uint32_t kOrderStyles = 503;
inline constexpr std::uint32_t kOrderProfileFlag = 504;
inline constexpr std::uint32_t kOrderProfileTitle = 505;
inline constexpr std::uint32_t kOrderSubtitleOffset = 506;
inline constexpr std::uint32_t kOrderStyleOverride = 507;
inline constexpr std::uint32_t kOrderFreezeMessages = 600;
inline constexpr std::uint32_t kOrderUnfreezeMessages = 601;
inline constexpr std::uint32_t kOrderOsdItem = 602;
inline constexpr std::uint32_t kOrderClearOsdItems = 603;
inline constexpr std::uint32_t kOrderOsdStyle = 604;
inline constexpr std::uint32_t kOrderOsdVariable = 605;
inline constexpr std::uint32_t kOrderClearOsdVariables = 606;
inline constexpr std::uint32_t kOrderPing = 999;

// Play states answered by order 301.
inline constexpr std::uint32_t kPlayStateNoEngine = 0;
inline constexpr std::uint32_t kPlayStateFirstPlay = 1;
inline constexpr std::uint32_t kPlayStatePlaying = 2;
inline constexpr std::uint32_t kPlayStatePaused = 3;
inline constexpr std::uint32_t kPlayStateStopped = 4;
inline constexpr std::uint32_t kPlayStateScanning = 5;

// Display modes of order 205.
inline constexpr std::uint32_t kDisplayModeAsk = 0;
inline constexpr std::uint32_t kDisplayModeWindow = 1;
inline constexpr std::uint32_t kDisplayModeFullScreen = 2;

// Item types of order 602, and the duration that removes the item of a layer.
inline constexpr std::uint8_t kOsdItemText = 1;   // UTF-16 text with its terminator
inline constexpr std::uint8_t kOsdItemBitmap = 2; // a bitmap file image
inline constexpr std::int32_t kOsdRemoveLayer = -999;

// Sizes of the fixed-width fields.
inline constexpr std::size_t kGraphVariableNameUnits = 151;
inline constexpr std::size_t kGraphVariableValueUnits = 257;
inline constexpr std::size_t kDvdStateNameUnits = 260;
inline constexpr std::size_t kStyleRecordBytes = 404;
inline constexpr std::size_t kAspectWords = 18;

#pragma pack(push, 1)

// The head of every order record. The core never reads the tag.
struct TOrderRecord {
    std::uint32_t tag;
    std::uint32_t size;
};
static_assert(sizeof(TOrderRecord) == 8);

// 103: the rate times 1000.
struct TOrderRate {
    TOrderRecord head;
    std::int32_t rateX1000;
};
static_assert(sizeof(TOrderRate) == 12);

// 104: frames to step (negative refused).
struct TOrderFrameStep {
    TOrderRecord head;
    std::int32_t count;
};
static_assert(sizeof(TOrderFrameStep) == 12);

// 105: position in milliseconds.
struct TOrderPlayAtTime {
    TOrderRecord head;
    std::uint32_t milliseconds;
};
static_assert(sizeof(TOrderPlayAtTime) == 12);

// 106: title (0 = current) and a time code of bytes hours, minutes, seconds, frames.
struct TOrderPlayAtTimeInTitle {
    TOrderRecord head;
    std::uint8_t title;
    std::uint8_t unused;
    std::uint8_t reserved[2];
    std::uint32_t timeCode;
};
static_assert(sizeof(TOrderPlayAtTimeInTitle) == 16);

// 107: relative seek in milliseconds.
struct TOrderRelativeSeek {
    TOrderRecord head;
    std::int32_t milliseconds;
};
static_assert(sizeof(TOrderRelativeSeek) == 12);

// 108: DVD menu id (2 title, 3 root, 4 subpicture, 5 audio, 6 angle, 7 chapter).
struct TOrderDvdMenu {
    TOrderRecord head;
    std::uint8_t menu;
    std::uint8_t reserved[3];
};
static_assert(sizeof(TOrderDvdMenu) == 12);

// 109: DVD button (0 up, 1 down, 2 left, 3 right, 4 select).
struct TOrderDvdButton {
    TOrderRecord head;
    std::uint8_t button;
    std::uint8_t reserved[3];
};
static_assert(sizeof(TOrderDvdButton) == 12);

// 110: title and chapter.
struct TOrderTitleChapter {
    TOrderRecord head;
    std::uint32_t title;
    std::uint32_t chapter;
};
static_assert(sizeof(TOrderTitleChapter) == 16);

// 111: volume in (with the set flag) and out.
struct TOrderVolume {
    TOrderRecord head;
    std::int32_t volume;
    std::uint8_t set;
    std::uint8_t reserved[3];
};
static_assert(sizeof(TOrderVolume) == 16);

// 112: mouse cursor visible (any non-zero value).
struct TOrderCursor {
    TOrderRecord head;
    std::uint8_t visible;
    std::uint8_t reserved[3];
};
static_assert(sizeof(TOrderCursor) == 12);

// 120, 121 and 122 share one record: each reads its own fields.
struct TOrderStreams {
    TOrderRecord head;
    std::uint32_t audio;
    std::uint32_t subpicture;
    std::uint8_t subpictureShown;
    std::uint8_t reserved[3];
    std::uint32_t angle;
};
static_assert(sizeof(TOrderStreams) == 24);

// 200: graph description: kind 1 XGR text, 2 a ".grf" file name, 3 a legacy graph script.
struct TOrderGraphDescription {
    TOrderRecord head;
    std::uint32_t kind;
    const char16_t* text;
};
static_assert(sizeof(TOrderGraphDescription) == 20);

// 201: ".grf" file to save the current graph to.
struct TOrderSaveGraph {
    TOrderRecord head;
    const char16_t* fileName;
};
static_assert(sizeof(TOrderSaveGraph) == 16);

// 202: the subtitle screen's two parent windows.
struct TOrderParentWindows {
    TOrderRecord head;
    plat::win::HWND videoPanel;
    plat::win::HWND fullScreenWindow;
};
static_assert(sizeof(TOrderParentWindows) == 16);

// 203: colour key (RGB).
struct TOrderColourKey {
    TOrderRecord head;
    std::uint32_t colour;
};
static_assert(sizeof(TOrderColourKey) == 12);

// 204: a graph variable; both texts are terminated inside their fields.
struct TOrderGraphVariable {
    TOrderRecord head;
    char16_t name[kGraphVariableNameUnits];
    char16_t value[kGraphVariableValueUnits];
};
static_assert(sizeof(TOrderGraphVariable) == 824);

// 205: display mode; 0 asks, and the current mode is written back.
struct TOrderDisplayMode {
    TOrderRecord head;
    std::uint32_t mode;
};
static_assert(sizeof(TOrderDisplayMode) == 12);

// 206: property pages of the 1-based filter number, owned by a window.
struct TOrderFilterProperties {
    TOrderRecord head;
    plat::win::HWND ownerWindow;
    std::uint32_t filterNumber;
};
static_assert(sizeof(TOrderFilterProperties) == 16);

// 208: frames the capture ring keeps.
struct TOrderCaptureRing {
    TOrderRecord head;
    std::uint32_t frames;
};
static_assert(sizeof(TOrderCaptureRing) == 12);

// 209: the first words of the aspect record, blanking colour and apply flag.
struct TOrderVideoLayout {
    TOrderRecord head;
    std::uint32_t aspect[kAspectWords];
    std::uint32_t blankingColour;
    std::uint32_t apply;
};
static_assert(sizeof(TOrderVideoLayout) == 88);

// 250, 251 and 252: DVD state in a storage file and stream; the flag is read by 250 only. 250 with
// flag 0 adds an entry to the index stream "Info" (StateIndex.h) only while it holds fewer than
// kStateIndexAddLimit entries.
struct TOrderDvdState {
    TOrderRecord head;
    char16_t storageFile[kDvdStateNameUnits];
    char16_t streamName[kDvdStateNameUnits];
    std::uint8_t flag;
    std::uint8_t reserved[3];
};
static_assert(sizeof(TOrderDvdState) == 1052);

// 300: disc information of a title; the attribute blocks are written by the core.
struct TOrderDiscInformation {
    TOrderRecord head;
    std::uint32_t title;
    std::uint8_t menuAttributes[148];
    std::uint8_t titleAttributes[3208];
    std::uint32_t audioStream;
    std::uint32_t subpictureStream;
    std::uint32_t angle;
    std::uint32_t unused;
};
static_assert(sizeof(TOrderDiscInformation) == 3384);

// 301: play state out.
struct TOrderPlayState {
    TOrderRecord head;
    std::uint32_t state;
};
static_assert(sizeof(TOrderPlayState) == 12);

// 308: the picture rectangle out.
struct TOrderVideoRectangle {
    TOrderRecord head;
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};
static_assert(sizeof(TOrderVideoRectangle) == 24);

// 400: a captured frame: the number in (bit 31 ignored), everything else out.
struct TOrderCapturedFrame {
    TOrderRecord head;
    std::uint32_t frameNumber;
    const void* pixels;
    std::uint32_t byteSize;
    std::uint32_t unused;
    std::uint32_t frameNumberOut;
    std::uint32_t timeStamp;
    std::uint32_t height;
    std::uint32_t width;
    std::uint32_t bitsPerPixel;
};
static_assert(sizeof(TOrderCapturedFrame) == 48);

// 501: subtitles on or off.
struct TOrderSubtitlesOn {
    TOrderRecord head;
    std::uint8_t on;
    std::uint8_t reserved[3];
};
static_assert(sizeof(TOrderSubtitlesOn) == 12);

// 502: the fixed start of a page record: the total size again, then the page block head
// {12, title, item count}; the items follow up to the total size.
struct TOrderSubtitlePages {
    TOrderRecord head;
    std::uint32_t length;
    std::uint32_t pageHeadSize;
    std::uint32_t title;
    std::uint32_t itemCount;
};
static_assert(sizeof(TOrderSubtitlePages) == 24);

// 503: style step (1 clear, 2 layout updates off, 3 on, 4 add the style).
struct TOrderStyles {
    TOrderRecord head;
    std::uint32_t step;
    std::uint8_t style[kStyleRecordBytes];
};
static_assert(sizeof(TOrderStyles) == 416);

// 504: pages keyed by title and chapter.
struct TOrderProfileFlag {
    TOrderRecord head;
    std::uint8_t flag;
    std::uint8_t reserved[3];
};
static_assert(sizeof(TOrderProfileFlag) == 12);

// 505: profile title (-1 none).
struct TOrderProfileTitle {
    TOrderRecord head;
    std::int32_t title;
};
static_assert(sizeof(TOrderProfileTitle) == 12);

// 506: subtitle offset in milliseconds.
struct TOrderSubtitleOffset {
    TOrderRecord head;
    std::int32_t milliseconds;
};
static_assert(sizeof(TOrderSubtitleOffset) == 12);

// 507: drawing overrides (-1 none for the depth and the width).
struct TOrderStyleOverride {
    TOrderRecord head;
    std::int32_t shadowDepth;
    std::int32_t outlineStyle;
    std::int32_t outlineWidth;
};
static_assert(sizeof(TOrderStyleOverride) == 20);

// 602: an on-screen item: type, duration, layer and the data bytes.
struct TOrderOsdItem {
    TOrderRecord head;
    std::uint8_t type;
    std::uint8_t reserved[3];
    std::int32_t duration;
    std::int32_t layer;
    const void* data;
    std::uint32_t dataBytes;
};
static_assert(sizeof(TOrderOsdItem) == 32);

// 604: on-screen style, default duration and enabled flag.
struct TOrderOsdStyle {
    TOrderRecord head;
    std::uint32_t flag;
    std::uint8_t style[kStyleRecordBytes];
    std::uint32_t defaultDuration;
    std::uint8_t enabled;
    std::uint8_t reserved[3];
};
static_assert(sizeof(TOrderOsdStyle) == 424);

// 605: an on-screen variable.
struct TOrderOsdVariable {
    TOrderRecord head;
    const char16_t* name;
    const char16_t* value;
};
static_assert(sizeof(TOrderOsdVariable) == 24);

#pragma pack(pop)
