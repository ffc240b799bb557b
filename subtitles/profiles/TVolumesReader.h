#pragma once
// Reads the volume file "volumes.vl" of a profile archive into the profile: the [Header] texts, the
// [Format] column lists and the [Volumes] with their fields, disc identifiers and languages.
#include <cstdint>
#include <string>
#include <string_view>

class TDVDProfile;

class TVolumesReader {
public:
    // Longest line; longer lines are read in pieces of this length.
    static constexpr std::size_t kMaxLine = 2500;

    explicit TVolumesReader(TDVDProfile& profile);

    // Reads every line of the text. Lines that name a volume field before any "Volume" line, or a
    // "Script" without a "Language" before it, are ignored.
    void Read(std::string_view text);

private:
    enum class Section : uint8_t { None, Header, Format, Volumes };

    bool SwitchSection(std::string_view line);
    void ReadHeaderLine(std::string_view key, std::string_view value);
    void ReadFormatLine(std::string_view key, std::string_view value);
    void ReadVolumesLine(std::string_view key, std::string_view value);

    TDVDProfile& profile_;
    Section section_ = Section::None;
    std::u16string language_; // the name of the next language, empty when none is remembered
    bool haveLanguage_ = false;
};
