#include "editor/TPellitConf.h"

#include "foundation/IniFile.h"
#include "subtitles/profiles/ProfileField.h"

namespace {

std::string HistoryKey(std::size_t index) {
    return "History_" + std::to_string(index + 1);
}

std::string CutText(const std::string& text) {
    return CutToField(text, TPellitSettings::kMaxText);
}

} // namespace

TPellitSettings& PellitSettings() {
    static TPellitSettings settings;
    return settings;
}

bool TPellitConf::Load(const char* path) {
    if (!TConfigControl::Load(path)) {
        return false;
    }
    IniFile ini;
    ini.Load(path);
    TPellitSettings settings;
    settings.NbFramesToCapture = ini.ReadInteger(kEditorSection, "NbFramesToCapture", 30);
    settings.SyncSubOffset = ini.ReadInteger(kEditorSection, "Sync_SubOffset", 0);
    settings.StylesTemplatePath = CutText(ini.ReadString(kPathSection, "StylesTemplatePath", ""));
    for (std::size_t i = 0; i < settings.History.size(); ++i) {
        settings.History[i] = CutText(ini.ReadString(kEditorSection, HistoryKey(i), ""));
    }
    settings.AutoHideInterfaceInSync = ini.ReadInteger(kEditorSection, "AutoHideInterfaceInSync", 0) != 0;
    settings.AutoCreateSelect = ini.ReadInteger(kEditorSection, "AutoCreateSelect", 1) != 0;
    settings.EventDoubleClickMode =
        static_cast<uint8_t>(ini.ReadInteger(kEditorSection, "EventDoubleClickMode", 0));
    PellitSettings() = settings;
    return true;
}

bool TPellitConf::Save(const char* path) {
    if (!TConfigControl::Save(path)) {
        return false;
    }
    IniFile ini;
    if (!ini.Load(path)) {
        return false;
    }
    const TPellitSettings& settings = PellitSettings();
    const bool written =
        ini.WriteString(kPathSection, "StylesTemplatePath", settings.StylesTemplatePath) &&
        ini.WriteInteger(kEditorSection, "NbFramesToCapture", settings.NbFramesToCapture) &&
        ini.WriteInteger(kEditorSection, "EventDoubleClickMode", settings.EventDoubleClickMode) &&
        ini.WriteInteger(kEditorSection, "Sync_SubOffset", settings.SyncSubOffset) &&
        ini.WriteInteger(kEditorSection, "AutoHideInterfaceInSync", settings.AutoHideInterfaceInSync) &&
        ini.WriteInteger(kEditorSection, "AutoCreateSelect", settings.AutoCreateSelect);
    return written && ini.Save(path);
}

void TPellitConf::SaveHistory() {
    ChangeFile([](IniFile& ini) {
        const TPellitSettings& settings = PellitSettings();
        for (std::size_t i = 0; i < settings.History.size(); ++i) {
            if (!ini.WriteString(kEditorSection, HistoryKey(i), settings.History[i])) {
                return false;
            }
        }
        return true;
    });
}

void TPellitConf::SaveSyncOffset() {
    ChangeFile([](IniFile& ini) {
        return ini.WriteInteger(kEditorSection, "Sync_SubOffset", PellitSettings().SyncSubOffset);
    });
}
