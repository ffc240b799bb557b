#pragma once
// What the command scripts read and change of the player's subtitle profile: its volumes and their
// languages.
#include <cstdint>
#include <optional>
#include <string>

struct TScriptVolume {
    std::string Name; // 8-bit texts of the profile
    std::string CreatedBy;
    int32_t Number = 0; // 1-based
    int32_t LanguageCount = 0;
};

struct TScriptLanguage {
    std::u16string Name;
    std::string CreatedBy;
    int32_t Number = 0; // 1-based
};

class IScriptProfile {
public:
    virtual ~IScriptProfile() = default;
    virtual void SelectVolume(int32_t index) = 0;
    virtual void SelectLanguage(int32_t index) = 0;
    virtual int32_t VolumeCount() const = 0;
    // The volume at a 0-based index, -1 for the current one; nothing when there is none.
    virtual std::optional<TScriptVolume> Volume(int32_t index) const = 0;
    // The current language of the current volume.
    virtual std::optional<TScriptLanguage> CurrentLanguage() const = 0;
    // The language at a 0-based index of the volume at a 0-based index.
    virtual std::optional<TScriptLanguage> VolumeLanguage(int32_t volume, int32_t index) const = 0;
};
