#pragma once
// The player's settings class: the common settings of TConfigControl plus the player's own sections
// of "Tovrin.ini" (into the program's Tag_PlayerConfig, the hint values into the application), the
// single keys the main window writes at once, and the disc the next DVD graph plays.
#include "player/model/settings/IHintSettings.h"
#include "player/model/settings/TConfigControl.h"

#include <string>
#include <string_view>

class TTovrinConfig : public TConfigControl {
public:
    // The product word of the player's default graph files.
    static constexpr const char* kProduct = "tovrin";

    // The hint settings must outlive the object.
    explicit TTovrinConfig(IHintSettings& hints);

    // The common keys, then the player's keys into a fresh record that replaces the program's record
    // at the end; the hint values go to the application. False, changing nothing, when the file
    // exists but cannot be read.
    bool Load(const char* path) override;
    // The common keys, then the player's keys from the program's record and the application's hints;
    // the file is written back whole. False on any failure.
    bool Save(const char* path) override;
    // The base class's choice with the product word "tovrin"; for a DVD then the disc the main window
    // asked for once (a pending disc override, which is cleared), else the play folder, names the
    // graph variable "FileName". Nothing without a hub.
    void LoadGraphForFile(const char* product, TPlayControl* hub, std::int32_t kind,
                          const char16_t* mediaFile) override;

    // Single keys of the remembered file, read or written at once; failures are swallowed and the
    // readers then answer "".
    void SaveVolume();
    std::string GetLastFilePath() const;
    void SetLastFilePath(std::string_view path);
    std::string GetLastAspectProfile() const;
    void SetLastAspectProfile(std::string_view name);
    std::string GetSkinFileName() const;

private:
    IHintSettings& hints_;
};
