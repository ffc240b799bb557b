#include "player/model/settings/TPlayerConfigKeys.h"

#include "platform/text/Format.h"

#include <algorithm>

namespace {

constexpr std::size_t kPathBytes = 259;
constexpr std::size_t kOsdFontNameUnits = 50;
constexpr std::uint32_t kYellow = 0x00FFFF;
constexpr std::int32_t kOsdBorderStyle = 1;
constexpr std::int32_t kOsdOutline = 2;

} // namespace

void TPlayerConfigKeys::ExchangeCapture(TIniExchange& keys, Tag_PlayerConfig& config) {
    keys.Text("Capture", "Path", config.CapturePath, "", kPathBytes);
    keys.Flag("Capture", "ToClipboard", config.CaptureToClipboard, false);
    keys.Flag("Capture", "SaveToJPG", config.CaptureAsJPEG, false);
    keys.Number("Capture", "JPGQuality", config.JPGQuality, 75);
    keys.Flag("Capture", "DoResize", config.ResizeCapture, false);
    keys.Number("Capture", "XResize", config.CaptureWidth, 320);
    keys.Number("Capture", "YResize", config.CaptureHeight, 240);
}

void TPlayerConfigKeys::ExchangeOsd(TIniExchange& keys, Tag_PlayerConfig& config) {
    TSubtitleStyleRecord& style = config.OSDStyle;
    keys.Flag("OSD", "IsOn", config.OSDOn, false);
    keys.Number("OSD", "Duration", config.OSDDuration, 2);
    keys.Number("OSD", "Position", style.alignment, 0);
    keys.Colour("OSD", "Color_", style.primaryColour, 0);
    keys.Text("OSD", "Script", config.OSDScript, "", kPathBytes);
    keys.WideField("OSD", "FontName", style.fontName, kStyleFontNameUnits, kOsdFontNameUnits, u"Arial");
    keys.Number("OSD", "FontSize", style.fontSize, 16);
    keys.Flag("OSD", "Bold", style.bold, false);
    keys.Flag("OSD", "Italic", style.italic, false);
    keys.Number("OSD", "MarginL", style.marginL, 30);
    keys.Number("OSD", "MarginR", style.marginR, 30);
    keys.Number("OSD", "MarginV", style.marginV, 30);
    if (keys.Reading()) {
        style.borderStyle = kOsdBorderStyle;
        style.outline = kOsdOutline;
    }
}

void TPlayerConfigKeys::ExchangeSeekSpeeds(TIniExchange& keys, Tag_PlayerConfig& config) {
    auto& speeds = config.SeekSpeeds;
    if (!keys.Reading()) {
        const std::int32_t count = std::clamp(config.SeekSpeedCount, 1, Tag_PlayerConfig::kSeekSpeeds);
        for (std::int32_t entry = 1; entry <= count; ++entry) {
            const std::int32_t value =
                entry < Tag_PlayerConfig::kSeekSpeeds ? speeds[static_cast<std::size_t>(entry)] : 0;
            keys.Put("SeekSpeed", plat::text::FormatA("Speed_%d", entry + 1), value);
        }
        return;
    }
    speeds[0] = 1;
    config.SeekSpeedCount = 1;
    bool growing = true;
    for (std::int32_t entry = 1; entry < Tag_PlayerConfig::kSeekSpeeds; ++entry) {
        std::int32_t& speed = speeds[static_cast<std::size_t>(entry)];
        keys.Number("SeekSpeed", plat::text::FormatA("Speed_%d", entry + 1), speed, 0);
        growing = growing && speed > 0;
        config.SeekSpeedCount += growing ? 1 : 0;
    }
}

void TPlayerConfigKeys::ExchangeExtensions(TIniExchange& keys, Tag_PlayerConfig& config) {
    std::int32_t count = static_cast<std::int32_t>(config.Extensions.size());
    keys.Number("Ext_0", "NbExtention", count, 0);
    if (keys.Reading()) {
        config.Extensions.assign(
            static_cast<std::size_t>(std::clamp(count, 0, Tag_PlayerConfig::kMaxExtensions)), {});
    }
    for (std::size_t i = 0; i < config.Extensions.size(); ++i) {
        TExtensionEntry& entry = config.Extensions[i];
        const std::string section = plat::text::FormatA("Ext_%d", static_cast<std::int32_t>(i + 1));
        keys.WideText(section, "Ext", entry.Extension, u"", TExtensionEntry::kMaxUnits);
        keys.Flag(section, "IsAsso", entry.Associate, false);
        keys.Flag(section, "IsOpenWithFileMan", entry.OpenWithFileManager, false);
        keys.Byte(section, "Type", entry.Type, 0);
    }
}

void TPlayerConfigKeys::Exchange(TIniExchange& keys, Tag_PlayerConfig& config, THintValues& hints) {
    keys.Flag("General", "AutoHideMouse", config.AutoHideMouse, false);
    keys.Number("General", "AutoHideMouseTime", config.AutoHideMouseTime, 20);
    keys.Text("ISOTools", "Path", config.ISOToolsPath, "", kPathBytes);
    keys.Flag("ISOTools", "Enable", config.ISOToolsEnabled, false);
    ExchangeCapture(keys, config);
    keys.Flag("Sound", "Mute", config.Mute, false);
    keys.Number("Sound", "Volume", config.Volume, 0);
    keys.Number("Sound", "VolumeIncrement", config.VolumeIncrement, 1);
    keys.Flag("Hints", "ShowHints", hints.ShowHints, false);
    keys.Colour("Hints", "Color_", hints.Colour, kYellow);
    keys.Number("Hints", "TimeBeforeShow", hints.PauseMs, 0);
    keys.Number("Hints", "Duration", hints.HidePauseMs, 0);
    ExchangeOsd(keys, config);
    ExchangeSeekSpeeds(keys, config);
    keys.Flag("Tips", "Main", config.TipsAtStart, false);
    keys.Number("General", "MouseWheelFunction", config.MouseWheelFunction, 0);
    keys.Number("General", "DoubleClickFunction", config.DoubleClickFunction, 0);
    ExchangeExtensions(keys, config);
    keys.Text("Skin", "Filename", config.SkinFileName, "Default.zip", kPathBytes);
}
