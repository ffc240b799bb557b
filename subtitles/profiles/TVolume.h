#pragma once
// One volume (disc) of a profile: its descriptive fields, the disc identifiers it is recognised by
// and its languages, which share the profile's script pool.
#include "foundation/TPointer.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class TLanguage;
class TScriptsPool;
class TZipControl;

class TVolume : public TListItem<TVolume> {
public:
    // The 8-bit fields keep at most this many bytes (a fixed field less its terminator).
    static constexpr std::size_t kMaxName = 254;
    static constexpr std::size_t kMaxCreatedBy = 99;
    static constexpr std::size_t kMaxVersion = 9;
    static constexpr std::size_t kMaxLastUpdate = 99;
    static constexpr std::size_t kMaxStudio = 149;
    static constexpr std::size_t kMaxPartNumber = 99;
    // Disc identifier slots: slot i of IDHigh pairs with slot i of IDLow.
    static constexpr std::size_t kIdSlots = 10;

    TVolume();
    ~TVolume();
    TVolume(const TVolume&) = delete;
    TVolume& operator=(const TVolume&) = delete;

    // With no name, whether the volume has any language; else whether one has that name, compared
    // without regard to case.
    bool HasLanguage(std::u16string_view name = {}) const;
    // The language numbered index + 1, nullptr beyond the count; the list cursor stays.
    TLanguage* GetLanguage(int32_t index) const;
    TLanguage* CurrentLanguage() const { return Languages.Current; }
    // Appends a language with the volume's pool and that name; it becomes the current one and the
    // languages are renumbered. With name, entry and archive path all given, also sets its file.
    // Answers 1, or 0 when no language could be appended.
    int AddLanguage(std::u16string_view name, std::u16string_view entry, std::u16string_view archivePath);
    // Loads every language that has a file (a new language has nothing to read); answers whether the
    // volume has any language.
    bool LoadLanguages(TZipControl* archive, bool force);
    // Whether a language with a file is not loaded.
    bool HasUnloadedLanguage() const;
    // Clears every language, releasing their scripts; answers false.
    bool UnloadLanguages();

    // Stores the value in the first IDHigh (IDLow) slot that holds 0; false when all ten are taken.
    bool AddIdHigh(int32_t value);
    bool AddIdLow(int32_t value);
    // Whether slot i holds a pair: both halves not 0.
    bool HasIdPair(std::size_t slot) const;
    // Whether a slot holds this pair (both halves not 0).
    bool MatchesDiscId(int32_t high, int32_t low) const;

    TScriptsPool* Pool = nullptr;
    TPointer<TLanguage> Languages;
    std::string Name = "Unnamed...";
    std::string CreatedBy;
    std::string Version;
    std::string LastUpdate;
    uint8_t Region = 0;
    std::string Studio;
    std::string PartNumber;
    uint8_t ChapterChange = 0; // the "UseChapterChange" flag
    std::array<int32_t, kIdSlots> IDHigh{};
    std::array<int32_t, kIdSlots> IDLow{};
};
