#pragma once
// The editor's settings: the settings both programs share (through the base) and the editor's own
// keys, in "Pellit.ini". Loading replaces the global editor settings record as a whole; the recent
// profiles are written only by SaveHistory, so saving the settings never touches them.
#include "player/model/settings/TConfigControl.h"

#include <array>
#include <cstdint>
#include <string>

struct TPellitSettings {
    static constexpr std::size_t kMaxText = 259;
    static constexpr std::size_t kHistorySize = 4;

    int32_t NbFramesToCapture = 30;
    int32_t SyncSubOffset = 0;
    std::string StylesTemplatePath;
    std::array<std::string, kHistorySize> History;
    uint8_t AutoHideInterfaceInSync = 0;
    uint8_t AutoCreateSelect = 1;
    uint8_t EventDoubleClickMode = 0;
};

// The global editor settings record.
TPellitSettings& PellitSettings();

class TPellitConf : public TConfigControl {
public:
    static constexpr const char* kEditorSection = "Profile Editor";
    static constexpr const char* kPathSection = "FilePath";

    bool Load(const char* path) override;
    bool Save(const char* path) override;
    // History_1 ... History_4 into the remembered file; silent when it cannot be written.
    void SaveHistory();
    void SaveSyncOffset();
};
