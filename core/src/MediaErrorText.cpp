#include "core/src/MediaErrorText.h"

#include "platform/text/CodePage.h"
#include "platform/text/Format.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

struct TResultText {
    std::uint32_t result;
    std::string_view text;
};

constexpr std::array kTexts{
    TResultText{kMediaNotImplemented, "The operation is not implemented."},
    TResultText{kMediaNoInterface, "The object does not support the requested interface."},
    TResultText{kMediaPointer, "An invalid pointer was passed."},
    TResultText{kMediaAbort, "The operation was aborted."},
    TResultText{kMediaFail, "Unspecified error."},
    TResultText{kMediaUnexpected, "Unexpected failure."},
    TResultText{kMediaOutOfMemory, "Not enough memory to complete the operation."},
    TResultText{kMediaInvalidArgument, "An argument is invalid."},
    TResultText{kMediaNotFound, "An object or name was not found."},
    TResultText{kMediaCannotConnect,
                "No combination of intermediate filters could be found to make the connection."},
    TResultText{kMediaCannotRender, "No combination of filters could be found to render the stream."},
    TResultText{kMediaInvalidFileFormat, "The file format is invalid."},
    TResultText{kMediaUnknownFileType, "The media type of this file is not recognized."},
    TResultText{kMediaCannotLoadSource, "The source filter for this file could not be loaded."},
    TResultText{kMediaUnsupportedStream, "The file contains a stream in an unsupported format."},
    TResultText{kMediaPartialRender, "Some of the streams are in an unsupported format."},
    TResultText{kMediaVideoNotRendered,
                "The video stream could not be rendered: no suitable renderer was found."},
};

} // namespace

std::string MediaErrorText(std::uint32_t result) {
    const auto* row =
        std::find_if(kTexts.begin(), kTexts.end(), [&](const auto& r) { return r.result == result; });
    std::string text =
        row != kTexts.end() ? std::string(row->text) : plat::text::FormatA("Unknown error 0x%08X.", result);
    text.resize(plat::text::Utf8CutLength(text, kMediaErrorTextBytes));
    return text;
}
