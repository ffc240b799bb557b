#include "core/src/TCoreErrorTexts.h"

#include "core/include/VokradNotifications.h"
#include "core/src/MediaErrorText.h"
#include "platform/text/Format.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// A report of one text, or of none for an empty text.
TCoreErrorReport One(std::string_view text, std::uint8_t severity, bool stops, bool answer) {
    TCoreErrorReport report{{}, stops, answer};
    if (!text.empty()) {
        report.texts.push_back({std::string(text), severity});
    }
    return report;
}

// Stops playback and answers false: the error ends what the engine was doing.
TCoreErrorReport Stopping(std::string_view text, std::uint8_t severity) {
    return One(text, severity, true, false);
}

template <class Key> struct TKeyedText {
    Key key;
    std::string_view text;
};

template <class Key, std::size_t N>
std::string_view Find(const std::array<TKeyedText<Key>, N>& table, Key key) {
    const auto* row = std::find_if(table.begin(), table.end(), [&](const auto& r) { return r.key == key; });
    return row != table.end() ? row->text : std::string_view{};
}

constexpr std::array kDvdPlaybackTexts{
    TKeyedText<std::uint32_t>{
        1, "An unexpected error (possibly incorrectly authored content)\nwas encountered.\n"
           "Can't playback this DVD-Video disc."},
    TKeyedText<std::uint32_t>{2, "This DVD-Video disc cannot be played on this system."},
    TKeyedText<std::uint32_t>{3, "This DVD-Video disc is incorrectly authored for v1.0  of the spec.\n"
                                 "Can't playback this disc."},
    TKeyedText<std::uint32_t>{4, "This DVD-Video disc is not authored to be played in the current system "
                                 "region.\nChanging the system region may fix the region mismatch."},
    TKeyedText<std::uint32_t>{
        5, "Player parental level is set lower than the lowest parental\n"
           "level available in this DVD-Video content.\nCannot playback this DVD-Video disc."},
    TKeyedText<std::uint32_t>{6, "This DVD-Video disc cannot be played on this system."},
    TKeyedText<std::uint32_t>{7, "No DVD-Video disc can be played on this system, because \n"
                                 "the system region does not match the decoder region.\n"
                                 "Please contact the manufacturer of this system."},
    TKeyedText<std::uint32_t>{8, "This DVD-Video disc cannot be played on this system, because it is\n"
                                 "not authored to be played in the installed decoder's region."},
};

constexpr std::array kDirectDrawTexts{
    TKeyedText<std::uint32_t>{1, "Error Creating DirectDraw Surface"},
    TKeyedText<std::uint32_t>{2, "Unable to set DirectDraw coop mode"},
    TKeyedText<std::uint32_t>{3, "Unable to create the surface"},
    TKeyedText<std::uint32_t>{4, "Unable to create the DirectDraw Clipper"},
    TKeyedText<std::uint32_t>{5, "Unable to create the Back Surface"},
};

constexpr std::string_view kDirectDrawAdvice =
    "Try to quit any directdraw application while running this program";

struct TFileResult {
    std::uint32_t result;
    std::string_view text;
    bool stops;
};

constexpr std::array kFileResults{
    TFileResult{kMediaUnsupportedStream, "Cannot play the file: the format is not supported.", true},
    TFileResult{kMediaPartialRender, "Some streams in this movie are in an unsupported format. ", false},
    TFileResult{kMediaVideoNotRendered, "Cannot play the video stream: could not find a suitable renderer.",
                true},
    TFileResult{kMediaCannotLoadSource, "The source filter for this file could not be loaded.", true},
    TFileResult{kMediaNotFound, "An object or name was not found.", true},
    TFileResult{kMediaInvalidFileFormat, "The file format is invalid", true},
    TFileResult{kMediaUnknownFileType, "The media type of this file is not recognized.", true},
};

constexpr std::array kFailedStreams{
    TKeyedText<std::uint32_t>{1, "Video stream failled"},
    TKeyedText<std::uint32_t>{2, "Audio stream failled"},
    TKeyedText<std::uint32_t>{4, "Subpicture stream failled"},
};

constexpr std::string_view kStreamsAdvice =
    "If the video stream have failled look if you dont have any open MediaPlayer Window.\n"
    "Event if it's only a explorer windows containing DivX file it can be \n"
    "enough for the DirectShow function to failled\n"
    "It is better if you close all explorer window containing video media file\n"
    "during execution of this program.";

} // namespace

TCoreErrorReport TCoreErrorTexts::For(std::uint32_t kind, std::uint32_t subCode, std::uint32_t result) {
    switch (kind) {
    case kTest:
        return One("This is a test", kSeverityWarning, false, true);
    case kGraphFailed:
        return Stopping(MediaErrorText(result), kSeverityFatal);
    case kGraphError:
        return Stopping(MediaErrorText(result), kSeverityError);
    case kNoDvdVolume:
        return NoDvdVolume(subCode);
    case kStreamsFailed:
        return StreamsFailed(subCode, result);
    case kClosedCaption:
        return One("Close caption rendering impossible", kSeverityWarning, false, true);
    case kDvdSoftware:
        return Stopping("DirectShow DVD software not installed properly.", kSeverityFatal);
    case kDvdPlayback:
        return Stopping(Find(kDvdPlaybackTexts, subCode), kSeverityFatal);
    case kDirectDraw:
        return DirectDraw(subCode);
    case kNoGraph:
        return One("DVD-Video playback graph hasn't been built yet", kSeverityWarning, false, false);
    case kFilePlayback:
        return FilePlayback(result);
    case kInterfaces:
        return Stopping(
            "Some DirectX 8 interfaces failled to load,\nMake sure you have DirectX 8 or more installed",
            kSeverityError);
    case kFileNotFound:
        return One("File Not Found", kSeverityWarning, false, true);
    case kOverlay:
        return Stopping(
            "Unable to access the overlay surface.\n\nPlease make sure that no other program\nis using it",
            kSeverityFatal);
    default: // kSilent and every kind above the table
        return {};
    }
}

TCoreErrorReport TCoreErrorTexts::NoDvdVolume(std::uint32_t subCode) {
    switch (subCode) {
    case 2:
        return Stopping("No valid DVD-Video volume could be located", kSeverityError);
    case 1:
        return Stopping("The format of the disk in DVD-Rom drive is invalid", kSeverityError);
    default:
        return Stopping({}, kSeverityError);
    }
}

TCoreErrorReport TCoreErrorTexts::StreamsFailed(std::uint32_t count, std::uint32_t streams) {
    TCoreErrorReport report{{{" ", kSeverityWarning}}, false, true};
    report.texts.push_back(
        {plat::text::FormatA("Number of failled stream : %d", static_cast<std::int32_t>(count)),
         kSeverityWarning});
    for (const auto& stream : kFailedStreams) {
        if ((streams & stream.key) != 0) {
            report.texts.push_back({std::string(stream.text), kSeverityWarning});
        }
    }
    report.texts.push_back({std::string(kStreamsAdvice), kSeverityAdvice});
    return report;
}

TCoreErrorReport TCoreErrorTexts::DirectDraw(std::uint32_t subCode) {
    TCoreErrorReport report = One(Find(kDirectDrawTexts, subCode), kSeverityFatal, false, false);
    report.texts.push_back({std::string(kDirectDrawAdvice), kSeverityFatal});
    return report;
}

TCoreErrorReport TCoreErrorTexts::FilePlayback(std::uint32_t result) {
    const auto* row = std::find_if(kFileResults.begin(), kFileResults.end(),
                                   [&](const auto& r) { return r.result == result; });
    if (row == kFileResults.end()) {
        return Stopping("Unable to playback file.", kSeverityError);
    }
    return One(row->text, kSeverityError, row->stops, !row->stops);
}
