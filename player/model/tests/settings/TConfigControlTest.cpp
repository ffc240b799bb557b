// The common keys of the settings file through the base class: values read and cut to their fields,
// other sections kept, and the folders derived from the program folder.
#include "player/model/settings/TConfigControl.h"

#include "foundation/IniFile.h"
#include "foundation/tests/TempDir.h"
#include "player/model/tests/settings/SettingsRecordsTest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class TConfigControlTest : public SettingsRecordsTest {
protected:
    TempDir dir_;
    TConfigControl config_;
};

TEST_F(TConfigControlTest, CommonValuesAreReadAndCutToTheirFields) {
    const std::string longPath = std::string(258, 'p') + "\xC3\xA9" + "tail"; // é straddles byte 259
    const std::string path = dir_.Write(
        "Pellit.ini", "[DefaultStyle]\nFontName=" + std::string(120, 'F') +
                          "\nPrimaryColor_R=1\nPrimaryColor_G=2\nPrimaryColor_B=3\nBold=5\nAlignment=9\n"
                          "BorderStyle=258\nUseScriptDef=1\n"
                          "[FilePath]\nPlaylistPath=" +
                          longPath +
                          "\n"
                          "[StyleOverride]\nOverrideOutline=1\nOutline=-3\nOutlineStyle=-1\n"
                          "[DVDGeneral]\nDrive=/media/cdrom0\n[ColorKey]\nR=0\nG=255\nB=1\n"
                          "[General]\nNotFirstStart=1\nAutoBookmarkDelay=-5\nCheckForUpdates=0\n"
                          "[Filters]\nCustomMediaGraph=my graph.xgr\n");
    ASSERT_TRUE(config_.Load(path.c_str()));
    EXPECT_EQ(config_.IniFileName(), path);
    const TSubtitleStyleRecord& style = GlobalDefaultStyle();
    EXPECT_EQ(std::u16string(style.fontName), std::u16string(99, u'F'));
    EXPECT_EQ(style.primaryColour, 0x030201u);
    EXPECT_EQ(style.bold, 1);
    EXPECT_EQ(style.alignment, 9);
    EXPECT_EQ(style.borderStyle, 2);
    const Tag_VokradConfig& config = VokradConfig();
    EXPECT_TRUE(config.UseScriptDef);
    EXPECT_EQ(config.PlaylistPath, std::string(258, 'p'));
    EXPECT_TRUE(config.OverrideOutline);
    EXPECT_EQ(config.Outline, -3);
    EXPECT_EQ(config.OutlineStyle, 255);
    EXPECT_EQ(config.Drive, "/media/cdrom0");
    EXPECT_EQ(config.ColorKey, 0x01FF00u);
    EXPECT_TRUE(config.NotFirstStart);
    EXPECT_EQ(config.AutoBookmarkDelay, -5);
    EXPECT_FALSE(config.CheckForUpdates);
    EXPECT_EQ(config.CustomMediaGraph, "my graph.xgr");
    EXPECT_EQ(config.Language, "default.tovrin.lang");
}

TEST_F(TConfigControlTest, SavingTheCommonKeysKeepsThePlayersSections) {
    const std::string text = "[Sound]\r\nVolume=7\r\n[General]\r\nAutoHideMouse=1\r\nLanguage=de.lang\r\n";
    const std::string path = dir_.Write("Tovrin.ini", text);
    ASSERT_TRUE(config_.Load(path.c_str()));
    VokradConfig().Language = "fr.lang";
    ASSERT_TRUE(config_.SaveToCurrentFile());
    const std::string saved = TempDir::Read(path);
    const std::string kept = "[Sound]\r\nVolume=7\r\n[General]\r\nAutoHideMouse=1\r\nLanguage=fr.lang\r\n";
    EXPECT_EQ(saved.substr(0, kept.size()), kept);
    IniFile ini;
    ASSERT_TRUE(ini.Load(path.c_str()));
    EXPECT_EQ(ini.ReadString("DefaultStyle", "FontName", ""), "Arial");
    EXPECT_FALSE(ini.ValueExists("Sound", "Mute")); // the base class writes no player keys

    // A value that cannot stand in an ini line fails the save and leaves the file as it was.
    VokradConfig().Drive = "a\nb";
    EXPECT_FALSE(config_.Save(path.c_str()));
    EXPECT_EQ(TempDir::Read(path), saved);
}

TEST_F(TConfigControlTest, TheFoldersAreDerivedFromTheProgramFolder) {
    for (const std::string root : {"/opt/tovrin", "/opt/tovrin/"}) {
        config_.SetRootFolder(root);
        EXPECT_EQ(config_.RootFolder(), "/opt/tovrin/");
        EXPECT_EQ(config_.SkinsFolder(), "/opt/tovrin/Skins/");
        EXPECT_EQ(config_.MediaFiltersFolder(), "/opt/tovrin/Media/Filters/");
        EXPECT_EQ(config_.DVDFiltersFolder(), "/opt/tovrin/DVD/Filters/");
        EXPECT_EQ(config_.DVDGraphFolder(), "/opt/tovrin/DVD/Graph/");
        EXPECT_EQ(config_.MediaGraphFolder(), "/opt/tovrin/Media/Graph/");
    }
}

} // namespace
