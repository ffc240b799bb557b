#include "player/ui/PlayerSettingsApplication.h"

#include "platform/text/CodePage.h"
#include "platform/text/Path.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/model/settings/Tag_VokradConfig.h"

#include <algorithm>

namespace {

// Depth and width of the override that the scripts keep when the setting is off.
constexpr int32_t kKeepScriptValue = -1;

void ApplyScanSpeeds(TPlayControl& player, const Tag_PlayerConfig& config) {
    const int32_t count = std::clamp(config.SeekSpeedCount, 0, Tag_PlayerConfig::kSeekSpeeds);
    player.SetScanSpeedCount(count);
    for (int32_t i = 0; i < count; ++i) {
        player.SetScanSpeed(i, static_cast<double>(config.SeekSpeeds[static_cast<std::size_t>(i)]));
    }
}

void ApplyOnScreenMessages(IOSDControl& osd, const Tag_PlayerConfig& config,
                           const std::string& systemFolder) {
    const std::u16string script = plat::text::AnsiToWide(
        config.OSDScript.empty() ? std::string() : plat::text::path::Join(systemFolder, config.OSDScript));
    osd.LoadScript(script.c_str());
    const int32_t seconds = std::clamp(config.OSDDuration, 0, INT32_MAX / 1000);
    osd.SetStyle(&config.OSDStyle, static_cast<uint32_t>(seconds) * 1000u, config.OSDOn);
}

} // namespace

void ApplyPlayerSettings(TPlayControl& player, const std::string& systemFolder) {
    const Tag_PlayerConfig& config = PlayerConfig();
    const Tag_VokradConfig& common = VokradConfig();
    ApplyScanSpeeds(player, config);
    player.SetAutoBookmarkDelay(static_cast<uint32_t>(std::max(common.AutoBookmarkDelay, 0)));
    TPlayerControllers& controllers = player.Controllers();
    if (controllers.Video) {
        controllers.Video->SetColorKey(common.ColorKey, false);
    }
    if (controllers.OSD) {
        ApplyOnScreenMessages(*controllers.OSD, config, systemFolder);
    }
    player.SetStyleOverride(common.OverrideDropShadow ? common.Shadow : kKeepScriptValue, common.OutlineStyle,
                            common.OverrideOutline ? common.Outline : kKeepScriptValue);
    if (controllers.Video) {
        controllers.Video->SetAspectOptions(common.ForceSubsOnVideo, common.ForceSubsOnVideoOnlyInWindow);
    }
}
