#pragma once
// Decodes SAMI subtitles: "SYNC" tags with a start in milliseconds, each followed by paragraphs of one
// or more language classes. The text of one class is kept, one event per "SYNC" interval.
#include "plugins/decoders/markup/TByteReader.h"
#include "plugins/decoders/markup/TMarkupEventList.h"
#include "plugins/decoders/markup/TSubtitleText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class TSamiDecoder {
public:
    static constexpr std::size_t kMaxClassChars = 259;
    // How long the last subtitle of a file stays when no "SYNC" follows it.
    static constexpr int32_t kLastSubtitleMs = 4000;

    // `classSetting` names the class whose paragraphs are taken; empty for the first class met.
    explicit TSamiDecoder(std::string_view classSetting);

    // Decodes the file's bytes; false when they hold no "SYNC" tag (no SAMI file).
    bool Decode(std::string_view data);

    const TMarkupEventList& Events() const { return FEvents; }
    // The class taken, handed back as the advanced setting.
    const std::string& ClassSetting() const { return FClass; }

private:
    enum class TState { BeforeSync, Skipping, Collecting };

    void ReadTagAt(TByteReader& reader);
    void ApplyTag(std::string_view name, std::string_view attributes);
    void ApplySync(std::string_view attributes);
    void ApplyParagraph(std::string_view attributes);
    void SetState(TState state);
    void ReadText(TByteReader& reader, char c);
    void Emit();

    std::string FClass;
    TSubtitleText FText;
    TMarkupEventList FEvents;
    TState FState = TState::BeforeSync;
    int32_t FStart = -1;
    int32_t FEnd = -1;
    bool FSawSync = false;
    bool FUtf8 = true;
};
