#include "player/model/settings/TVokradConfigKeys.h"

namespace {

constexpr std::uint32_t kDefaultColour = 0x101010; // red, green and blue 16
constexpr std::size_t kFontNameUnits = 99;
constexpr std::size_t kUnbounded = std::string::npos;

} // namespace

void TVokradConfigKeys::ExchangeStyle(TIniExchange& keys, Tag_VokradConfig& config,
                                      TSubtitleStyleRecord& style) {
    constexpr std::string_view s = "DefaultStyle";
    keys.Colour(s, "PrimaryColor_", style.primaryColour, kDefaultColour);
    keys.Colour(s, "SecondaryColor_", style.secondaryColour, kDefaultColour);
    keys.Colour(s, "TertiaryColor_", style.tertiaryColour, kDefaultColour);
    keys.Colour(s, "BackColor_", style.backColour, kDefaultColour);
    keys.Byte(s, "BorderStyle", style.borderStyle, 0);
    keys.Byte(s, "Outline", style.outline, 0);
    keys.Byte(s, "Shadow", style.shadow, 0);
    keys.WideField(s, "FontName", style.fontName, kStyleFontNameUnits, kFontNameUnits, u"Arial");
    keys.Number(s, "FontSize", style.fontSize, 16);
    keys.Number(s, "Encoding", style.encoding, 0);
    keys.Flag(s, "Bold", style.bold, false);
    keys.Flag(s, "Italic", style.italic, false);
    keys.Number(s, "MarginL", style.marginL, 0);
    keys.Number(s, "MarginR", style.marginR, 0);
    keys.Number(s, "MarginV", style.marginV, 0);
    keys.Number(s, "Alignment", style.alignment, 2);
    keys.Flag(s, "UseScriptDef", config.UseScriptDef, false);
    keys.Flag(s, "ForceSubsOnVideo", config.ForceSubsOnVideo, false);
    keys.Flag(s, "ForceSubsOnVideoOnlyInWindow", config.ForceSubsOnVideoOnlyInWindow, false);
}

void TVokradConfigKeys::Exchange(TIniExchange& keys, Tag_VokradConfig& config, TSubtitleStyleRecord& style) {
    constexpr std::size_t path = Tag_VokradConfig::kPathBytes;
    ExchangeStyle(keys, config, style);
    keys.Text("FilePath", "DVDScriptPath", config.DVDScriptPath, "", path);
    keys.Text("FilePath", "TimedScriptPath", config.TimedScriptPath, "", path);
    keys.Text("FilePath", "PlaylistPath", config.PlaylistPath, "", path);
    keys.Text("FilePath", "MediaFilesPath", config.MediaFilesPath, "", path);
    keys.Text("FilePath", "DVDISOFilesPath", config.DVDISOFilesPath, "", path);
    keys.Flag("StyleOverride", "OverrideDropShadow", config.OverrideDropShadow, false);
    keys.Flag("StyleOverride", "OverrideOutline", config.OverrideOutline, false);
    keys.Number("StyleOverride", "Shadow", config.Shadow, 0);
    keys.Number("StyleOverride", "Outline", config.Outline, 0);
    keys.Byte("StyleOverride", "OutlineStyle", config.OutlineStyle, 4);
    keys.Text("DVDGeneral", "Drive", config.Drive, "", path);
    keys.Colour("ColorKey", "", config.ColorKey, kDefaultColour);
    keys.Flag("General", "NotFirstStart", config.NotFirstStart, false);
    keys.Text("General", "Language", config.Language, "default.tovrin.lang", path);
    keys.Text("General", "GenerateTranslationFile", config.GenerateTranslationFile, "", path);
    keys.Text("Filters", "CustomDVDGraph", config.CustomDVDGraph, "", kUnbounded);
    keys.Text("Filters", "CustomMediaGraph", config.CustomMediaGraph, "", kUnbounded);
    keys.Text("Filters", "CustomTransGraph", config.CustomTransGraph, "", kUnbounded);
    keys.Number("General", "AutoBookmarkDelay", config.AutoBookmarkDelay, 700);
    keys.Flag("General", "CheckForUpdates", config.CheckForUpdates, true);
}
