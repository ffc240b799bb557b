#include "core/src/TCoreMessageBuilder.h"

#include "platform/text/CodePage.h"

#include <algorithm>

TCoreMessage TCoreMessageBuilder::Head(std::uint32_t kind, std::uint32_t recordSize) {
    return {kCoreMessageHeaderSize, 0, kind, recordSize - kCoreMessageHeaderSize};
}

TCoreMessageText TCoreMessageBuilder::Text(std::string_view text, std::uint8_t severity) {
    TCoreMessageText record{};
    record.head = Head(kCoreMessageText, sizeof(record));
    record.severity = severity;
    plat::text::CopyToFixedField(text, record.text, sizeof(record.text));
    return record;
}

TCoreMessageStatus TCoreMessageBuilder::Status(std::uint32_t status, std::uint32_t value1,
                                               std::uint32_t value2) {
    TCoreMessageStatus record{};
    record.head = Head(kCoreMessageStatus, sizeof(record));
    record.status = status;
    record.value1 = value1;
    record.value2 = value2;
    return record;
}

TCoreMessageStreams TCoreMessageBuilder::Streams(const TDvdTitleAttributes& title) {
    TCoreMessageStreams record{};
    record.head = Head(kCoreMessageStreams, sizeof(record));
    record.audioCount = title.audioCount;
    const std::size_t audio = std::min<std::size_t>(title.audioCount, kStreamAudioEntries);
    for (std::size_t i = 0; i < audio; ++i) {
        const TDvdAudioAttributes& from = title.audio[i];
        record.audio[i] = {from.language,
                           from.hasMultichannelInfo ? 1u : 0u,
                           from.frequency,
                           from.quantization,
                           from.channels,
                           from.format,
                           0};
    }
    record.subpictureCount = title.subpictureCount;
    const std::size_t subpictures = std::min<std::size_t>(title.subpictureCount, kStreamSubpictureEntries);
    for (std::size_t i = 0; i < subpictures; ++i) {
        const TDvdSubpictureAttributes& from = title.subpicture[i];
        record.subpicture[i] = {from.type, from.codingMode, {}, from.language, from.languageExtension, {}};
    }
    return record;
}
