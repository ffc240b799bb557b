#include "player/model/settings/TTovrinConfig.h"

#include "platform/text/CodePage.h"
#include "platform/text/Path.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/settings/TIniExchange.h"
#include "player/model/settings/TPlayerConfigKeys.h"

namespace text = plat::text;

TTovrinConfig::TTovrinConfig(IHintSettings& hints) : hints_(hints) {}

bool TTovrinConfig::Load(const char* path) {
    IniFile ini;
    if (!OpenIni(path, ini)) {
        return false;
    }
    ReadCommonKeys(ini);
    Tag_PlayerConfig config;
    THintValues hints;
    TIniExchange keys(ini, TIniExchange::Direction::Read);
    TPlayerConfigKeys::Exchange(keys, config, hints);
    PlayerConfig() = std::move(config);
    hints_.SetHints(hints);
    return true;
}

bool TTovrinConfig::Save(const char* path) {
    IniFile ini;
    if (!OpenIni(path, ini) || !WriteCommonKeys(ini)) {
        return false;
    }
    Tag_PlayerConfig config = PlayerConfig();
    THintValues hints = hints_.Hints();
    TIniExchange keys(ini, TIniExchange::Direction::Write);
    TPlayerConfigKeys::Exchange(keys, config, hints);
    return keys.Ok() && ini.Save(path);
}

void TTovrinConfig::LoadGraphForFile(const char* /*product*/, TPlayControl* hub, std::int32_t kind,
                                     const char16_t* mediaFile) {
    TConfigControl::LoadGraphForFile(kProduct, hub, kind, mediaFile);
    if (hub == nullptr || kind != kDvdMedia) {
        return;
    }
    Tag_PlayerConfig& config = PlayerConfig();
    if (config.DiscOverridePending) {
        const std::string disc = text::path::Join(config.DiscOverrideDrive, "VIDEO_TS");
        hub->SetGraphVariable(u"FileName", text::AnsiToWide(disc).c_str());
        config.DiscOverridePending = false;
        config.DiscOverrideDrive.clear();
    } else if (config.PlayFolderSet) {
        hub->SetGraphVariable(u"FileName", text::AnsiToWide(config.PlayFolder).c_str());
    }
}

void TTovrinConfig::SaveVolume() {
    const Tag_PlayerConfig& config = PlayerConfig();
    ChangeFile([&config](IniFile& ini) {
        return ini.WriteBool("Sound", "Mute", config.Mute) &&
               ini.WriteInteger("Sound", "Volume", config.Volume);
    });
}

std::string TTovrinConfig::GetLastFilePath() const {
    return ReadKey("FilePath", "LastFilePath");
}

void TTovrinConfig::SetLastFilePath(std::string_view path) {
    ChangeFile([path](IniFile& ini) { return ini.WriteString("FilePath", "LastFilePath", path); });
}

std::string TTovrinConfig::GetLastAspectProfile() const {
    return ReadKey("AspectRatio", "LastUsed");
}

void TTovrinConfig::SetLastAspectProfile(std::string_view name) {
    ChangeFile([name](IniFile& ini) { return ini.WriteString("AspectRatio", "LastUsed", name); });
}

std::string TTovrinConfig::GetSkinFileName() const {
    return PlayerConfig().SkinFileName;
}
