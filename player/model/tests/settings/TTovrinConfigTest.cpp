// The player's settings file: every key and default, hand-written files kept byte for byte, hostile
// values, the seek-speed table, the file types and the single keys.
#include "player/model/settings/TTovrinConfig.h"

#include "foundation/IniFile.h"
#include "foundation/tests/TempDir.h"
#include "player/model/tests/settings/FakeHintSettings.h"
#include "player/model/tests/settings/SettingsRecordsTest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Key {
    const char* section;
    const char* key;
    const char* value;
};

// Every key of the settings file, in the order it is written, with the value an empty file loads.
const std::vector<Key> kDefaults = {
    {"DefaultStyle", "PrimaryColor_R", "16"},
    {"DefaultStyle", "PrimaryColor_G", "16"},
    {"DefaultStyle", "PrimaryColor_B", "16"},
    {"DefaultStyle", "SecondaryColor_R", "16"},
    {"DefaultStyle", "SecondaryColor_G", "16"},
    {"DefaultStyle", "SecondaryColor_B", "16"},
    {"DefaultStyle", "TertiaryColor_R", "16"},
    {"DefaultStyle", "TertiaryColor_G", "16"},
    {"DefaultStyle", "TertiaryColor_B", "16"},
    {"DefaultStyle", "BackColor_R", "16"},
    {"DefaultStyle", "BackColor_G", "16"},
    {"DefaultStyle", "BackColor_B", "16"},
    {"DefaultStyle", "BorderStyle", "0"},
    {"DefaultStyle", "Outline", "0"},
    {"DefaultStyle", "Shadow", "0"},
    {"DefaultStyle", "FontName", "Arial"},
    {"DefaultStyle", "FontSize", "16"},
    {"DefaultStyle", "Encoding", "0"},
    {"DefaultStyle", "Bold", "0"},
    {"DefaultStyle", "Italic", "0"},
    {"DefaultStyle", "MarginL", "0"},
    {"DefaultStyle", "MarginR", "0"},
    {"DefaultStyle", "MarginV", "0"},
    {"DefaultStyle", "Alignment", "2"},
    {"DefaultStyle", "UseScriptDef", "0"},
    {"DefaultStyle", "ForceSubsOnVideo", "0"},
    {"DefaultStyle", "ForceSubsOnVideoOnlyInWindow", "0"},
    {"FilePath", "DVDScriptPath", ""},
    {"FilePath", "TimedScriptPath", ""},
    {"FilePath", "PlaylistPath", ""},
    {"FilePath", "MediaFilesPath", ""},
    {"FilePath", "DVDISOFilesPath", ""},
    {"StyleOverride", "OverrideDropShadow", "0"},
    {"StyleOverride", "OverrideOutline", "0"},
    {"StyleOverride", "Shadow", "0"},
    {"StyleOverride", "Outline", "0"},
    {"StyleOverride", "OutlineStyle", "4"},
    {"DVDGeneral", "Drive", ""},
    {"ColorKey", "R", "16"},
    {"ColorKey", "G", "16"},
    {"ColorKey", "B", "16"},
    {"General", "NotFirstStart", "0"},
    {"General", "Language", "default.tovrin.lang"},
    {"General", "GenerateTranslationFile", ""},
    {"Filters", "CustomDVDGraph", ""},
    {"Filters", "CustomMediaGraph", ""},
    {"Filters", "CustomTransGraph", ""},
    {"General", "AutoBookmarkDelay", "700"},
    {"General", "CheckForUpdates", "1"},
    {"General", "AutoHideMouse", "0"},
    {"General", "AutoHideMouseTime", "20"},
    {"ISOTools", "Path", ""},
    {"ISOTools", "Enable", "0"},
    {"Capture", "Path", ""},
    {"Capture", "ToClipboard", "0"},
    {"Capture", "SaveToJPG", "0"},
    {"Capture", "JPGQuality", "75"},
    {"Capture", "DoResize", "0"},
    {"Capture", "XResize", "320"},
    {"Capture", "YResize", "240"},
    {"Sound", "Mute", "0"},
    {"Sound", "Volume", "0"},
    {"Sound", "VolumeIncrement", "1"},
    {"Hints", "ShowHints", "0"},
    {"Hints", "Color_R", "255"},
    {"Hints", "Color_G", "255"},
    {"Hints", "Color_B", "0"},
    {"Hints", "TimeBeforeShow", "0"},
    {"Hints", "Duration", "0"},
    {"OSD", "IsOn", "0"},
    {"OSD", "Duration", "2"},
    {"OSD", "Position", "0"},
    {"OSD", "Color_R", "0"},
    {"OSD", "Color_G", "0"},
    {"OSD", "Color_B", "0"},
    {"OSD", "Script", ""},
    {"OSD", "FontName", "Arial"},
    {"OSD", "FontSize", "16"},
    {"OSD", "Bold", "0"},
    {"OSD", "Italic", "0"},
    {"OSD", "MarginL", "30"},
    {"OSD", "MarginR", "30"},
    {"OSD", "MarginV", "30"},
    {"SeekSpeed", "Speed_2", "0"}, // the entry after the one valid speed
    {"Tips", "Main", "0"},
    {"General", "MouseWheelFunction", "0"},
    {"General", "DoubleClickFunction", "0"},
    {"Ext_0", "NbExtention", "0"},
    {"Skin", "Filename", "Default.zip"},
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

class TTovrinConfigTest : public SettingsRecordsTest {
protected:
    // Loads the text as the settings file; the file's path.
    std::string LoadText(const std::string& text) {
        const std::string path = dir_.Write("Tovrin.ini", text);
        EXPECT_TRUE(config_.Load(path.c_str()));
        return path;
    }

    TempDir dir_;
    FakeHintSettings hints_;
    TTovrinConfig config_{hints_};
};

TEST_F(TTovrinConfigTest, AnEmptyFileLoadsEveryDefaultAndSavesEveryKeyInOrder) {
    const std::string path = dir_.Path("Tovrin.ini");
    ASSERT_TRUE(config_.Load(path.c_str())); // the file does not exist
    hints_.values = {};
    ASSERT_TRUE(config_.Load(path.c_str()));

    const Tag_PlayerConfig& player = PlayerConfig();
    EXPECT_EQ(hints_.values, (THintValues{false, 0x00FFFF, 0, 0}));
    EXPECT_EQ(player.SeekSpeedCount, 1);
    EXPECT_EQ(player.SeekSpeeds[0], 1);
    EXPECT_TRUE(player.Extensions.empty());
    EXPECT_EQ(player.OSDStyle.borderStyle, 1);
    EXPECT_EQ(player.OSDStyle.outline, 2);
    EXPECT_EQ(std::u16string(player.OSDStyle.fontName), u"Arial");
    EXPECT_EQ(GlobalDefaultStyle().primaryColour, 0x101010u);
    EXPECT_EQ(VokradConfig().ColorKey, 0x101010u);
    EXPECT_EQ(config_.GetSkinFileName(), "Default.zip");

    ASSERT_TRUE(config_.Save(path.c_str()));
    IniFile saved;
    ASSERT_TRUE(saved.Load(path.c_str()));
    std::vector<std::string> expectedLines;
    std::string section;
    for (const Key& key : kDefaults) {
        SCOPED_TRACE(std::string(key.section) + "/" + key.key);
        EXPECT_EQ(saved.ReadString(key.section, key.key, "<missing>"), key.value);
    }
    // Nothing but these keys and their sections.
    std::size_t values = 0;
    for (const std::string& line : Lines(TempDir::Read(path))) {
        values += line.find('=') != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(values, kDefaults.size());
}

TEST_F(TTovrinConfigTest, AHandWrittenFileKeepsEveryByteButTheChangedValue) {
    const std::string path = dir_.Path("Tovrin.ini");
    ASSERT_TRUE(config_.Load(path.c_str()));
    ASSERT_TRUE(config_.Save(path.c_str()));
    // Edit the saved file by hand: comments, blank lines, a foreign section, blanks around values,
    // section names in other cases, LF and CR LF line ends and no line end at the very end.
    std::string text = "; my settings\r\n\r\n[Mine]\nkey = 1;not a comment\n# hash\r\n";
    for (std::string line : Lines(TempDir::Read(path))) {
        if (line == "[Sound]\r") {
            line = "[ sound ]\r";
        }
        if (line == "Volume=0\r") {
            line = "  Volume =   0   \r";
        }
        text += line + "\n";
    }
    text += "[Trailing]\r\nlast=value";
    LoadText(text);
    ASSERT_TRUE(config_.Save(path.c_str()));
    EXPECT_EQ(TempDir::Read(path), text);

    PlayerConfig().Volume = -35;
    ASSERT_TRUE(config_.Save(path.c_str()));
    std::string expected = text;
    expected.replace(expected.find("  Volume =   0   "), 17, "  Volume =   -35   ");
    EXPECT_EQ(TempDir::Read(path), expected);
}

TEST_F(TTovrinConfigTest, HostileValuesAreBoundedAndNeverBreakTheFile) {
    const std::string huge(100 * 1024, 'a');
    const std::string text = "[Ext_0]\nNbExtention=2000000000\n"
                             "[Capture]\nPath=" +
                             huge +
                             "\nJPGQuality=abc\nXResize=99999999999\n"
                             "[DefaultStyle]\nFontName=" +
                             huge +
                             "\nPrimaryColor_R=300\nPrimaryColor_G=-1\n"
                             "[OSD]\nFontName=" +
                             huge +
                             "\n"
                             "[DVDGeneral]\nDrive=" +
                             huge +
                             "\n"
                             "[Junk]\n" +
                             huge +
                             "\n"
                             "[SeekSpeed]\nSpeed_2=2\nSpeed_3=-4\nSpeed_4=8\n"
                             "[Ext_1]\nExt=ThisIsAVeryLongExtension\nType=513\nIsAsso=7\n"
                             "[Ext_2]\nExt=abcdefghijklm\xF0\x9F\x98\x80\n";
    const std::string path = LoadText(text);

    const Tag_PlayerConfig& player = PlayerConfig();
    ASSERT_EQ(player.Extensions.size(), static_cast<std::size_t>(Tag_PlayerConfig::kMaxExtensions));
    EXPECT_EQ(player.Extensions[0], (TExtensionEntry{u"ThisIsAVeryLon", true, false, 1}));
    EXPECT_EQ(player.Extensions[1].Extension, u"abcdefghijklm"); // the emoji's pair does not fit
    EXPECT_EQ(player.CapturePath.size(), 259u);
    EXPECT_EQ(player.JPGQuality, 75);
    EXPECT_EQ(player.CaptureWidth, 320);
    EXPECT_EQ(std::char_traits<char16_t>::length(GlobalDefaultStyle().fontName), 99u);
    EXPECT_EQ(std::char_traits<char16_t>::length(player.OSDStyle.fontName), 50u);
    EXPECT_EQ(GlobalDefaultStyle().primaryColour & 0xFFFF, 0xFF2Cu); // low 8 bits of 300 and of -1
    EXPECT_EQ(VokradConfig().Drive.size(), 259u);
    EXPECT_EQ(player.SeekSpeedCount, 2); // a speed that is not positive ends the list
    EXPECT_EQ(player.SeekSpeeds[3], 8);

    for (const char* count : {"-5", "99999999999", "x"}) {
        SCOPED_TRACE(count);
        LoadText(std::string("[Ext_0]\nNbExtention=") + count + "\n");
        EXPECT_TRUE(PlayerConfig().Extensions.empty());
    }

    // Saving the hostile file keeps its foreign line whole and writes the bounded values.
    LoadText(text);
    ASSERT_TRUE(config_.Save(path.c_str()));
    IniFile saved;
    ASSERT_TRUE(saved.Load(path.c_str()));
    EXPECT_EQ(saved.ReadInteger("Ext_0", "NbExtention", 0), Tag_PlayerConfig::kMaxExtensions);
    EXPECT_EQ(saved.ReadString("Capture", "Path", "").size(), 259u);
    EXPECT_NE(TempDir::Read(path).find("[Junk]\n" + huge + "\n"), std::string::npos);
}

TEST_F(TTovrinConfigTest, SeekSpeedsCountUntilTheFirstZeroAndSaveWhereTheListEnds) {
    const std::string speeds = "[SeekSpeed]\nSpeed_2=2\nSpeed_3=4\nSpeed_4=0\nSpeed_5=8\n";
    const std::string path = LoadText(speeds);
    EXPECT_EQ(PlayerConfig().SeekSpeedCount, 3);
    EXPECT_EQ((std::vector<int>(PlayerConfig().SeekSpeeds.begin(), PlayerConfig().SeekSpeeds.begin() + 5)),
              (std::vector<int>{1, 2, 4, 0, 8}));

    // Into a new file: Speed_2 to Speed_4, no Speed_5.
    const std::string fresh = dir_.Path("fresh.ini");
    ASSERT_TRUE(config_.Save(fresh.c_str()));
    IniFile saved;
    ASSERT_TRUE(saved.Load(fresh.c_str()));
    EXPECT_EQ(saved.ReadString("SeekSpeed", "Speed_2", ""), "2");
    EXPECT_EQ(saved.ReadString("SeekSpeed", "Speed_3", ""), "4");
    EXPECT_EQ(saved.ReadString("SeekSpeed", "Speed_4", ""), "0");
    EXPECT_FALSE(saved.ValueExists("SeekSpeed", "Speed_5"));
    // Into the file it came from: its Speed_5 stays, and the next load stops at the same place.
    ASSERT_TRUE(config_.Save(path.c_str()));
    EXPECT_NE(TempDir::Read(path).find(speeds), std::string::npos);
    ASSERT_TRUE(config_.Load(path.c_str()));
    EXPECT_EQ(PlayerConfig().SeekSpeedCount, 3);

    // A full table: the key after the eleventh speed holds 0 and is never read.
    std::string full = "[SeekSpeed]\n";
    for (int key = 2; key <= 11; ++key) {
        full += "Speed_" + std::to_string(key) + "=" + std::to_string(key * 2) + "\n";
    }
    LoadText(full);
    EXPECT_EQ(PlayerConfig().SeekSpeedCount, 11);
    PlayerConfig().SeekSpeedCount = 40; // a record changed elsewhere cannot push the save past the table
    ASSERT_TRUE(config_.Save(fresh.c_str()));
    ASSERT_TRUE(saved.Load(fresh.c_str()));
    EXPECT_EQ(saved.ReadString("SeekSpeed", "Speed_11", ""), "22");
    EXPECT_EQ(saved.ReadString("SeekSpeed", "Speed_12", ""), "0");
    EXPECT_FALSE(saved.ValueExists("SeekSpeed", "Speed_13"));
    ASSERT_TRUE(config_.Load(fresh.c_str()));
    EXPECT_EQ(PlayerConfig().SeekSpeedCount, 11);
}

TEST_F(TTovrinConfigTest, FileTypesAndPlayerValuesRoundTrip) {
    const std::string path = LoadText("[Ext_0]\nNbExtention=2\n[Ext_1]\nExt=.avi\nIsAsso=1\nType=3\n"
                                      "[Ext_2]\nExt=.mkv\nIsOpenWithFileMan=1\n");
    EXPECT_EQ(PlayerConfig().Extensions,
              (std::vector<TExtensionEntry>{{u".avi", true, false, 3}, {u".mkv", false, true, 0}}));

    Tag_PlayerConfig& player = PlayerConfig();
    player.Extensions.push_back({u".\u00E9t\u00E9", true, true, 255});
    player.CapturePath = "/home/user/Captures \u00E9";
    player.OSDStyle.alignment = 7;
    player.OSDStyle.primaryColour = 0x123456;
    player.DiscOverridePending = true;
    player.PlayFolderSet = true;
    hints_.values = {true, 0x0000FF, 250, 4000};
    const Tag_PlayerConfig before = player;
    ASSERT_TRUE(config_.Save(path.c_str()));

    PlayerConfig() = {};
    hints_.values = {};
    ASSERT_TRUE(config_.Load(path.c_str()));
    const Tag_PlayerConfig& after = PlayerConfig();
    EXPECT_EQ(after.Extensions, before.Extensions);
    EXPECT_EQ(after.CapturePath, before.CapturePath);
    EXPECT_EQ(after.OSDStyle.alignment, 7);
    EXPECT_EQ(after.OSDStyle.primaryColour, 0x123456u);
    EXPECT_EQ(hints_.values, (THintValues{true, 0x0000FF, 250, 4000}));
    // The disc override and play folder are never read from the file: every load clears them.
    EXPECT_FALSE(after.DiscOverridePending);
    EXPECT_FALSE(after.PlayFolderSet);
}

TEST_F(TTovrinConfigTest, AFileThatCannotBeReadChangesNothing) {
    const std::string path = LoadText("[Sound]\nVolume=12\n[General]\nLanguage=x.lang\n");
    const std::string folder = dir_.Path("folder.ini");
    std::filesystem::create_directory(folder);
    hints_.values.PauseMs = 77;
    EXPECT_FALSE(config_.Load(folder.c_str()));
    EXPECT_EQ(PlayerConfig().Volume, 12);
    EXPECT_EQ(VokradConfig().Language, "x.lang");
    EXPECT_EQ(hints_.values.PauseMs, 77);
    EXPECT_FALSE(config_.Save(folder.c_str()));
    EXPECT_FALSE(config_.Save(dir_.Path("no/such/folder/Tovrin.ini").c_str()));
    EXPECT_EQ(TempDir::Read(path), "[Sound]\nVolume=12\n[General]\nLanguage=x.lang\n");
}

TEST_F(TTovrinConfigTest, SingleKeysChangeOnlyTheirLineOfTheRememberedFile) {
    // Without a remembered file nothing is read or written.
    EXPECT_EQ(config_.GetLastFilePath(), "");
    config_.SetLastFilePath("/nowhere");
    config_.MarkNotFirstStart();
    EXPECT_EQ(dir_.EntryCount(), 0u);

    const std::string text = "; keep\n[FilePath]\nLastFilePath=/old\n[Sound]\nMute=0\nVolume=3\n";
    const std::string path = LoadText(text);
    EXPECT_EQ(config_.GetLastFilePath(), "/old");
    EXPECT_EQ(config_.GetLastAspectProfile(), "");
    config_.SetLastFilePath("/media/Films");
    config_.SetLastAspectProfile("Wide");
    PlayerConfig().Mute = true;
    PlayerConfig().Volume = -1200;
    config_.SaveVolume();
    config_.MarkNotFirstStart();
    EXPECT_EQ(TempDir::Read(path),
              "; keep\n[FilePath]\nLastFilePath=/media/Films\n[Sound]\nMute=1\nVolume=-1200\n"
              "\n[AspectRatio]\nLastUsed=Wide\n\n[General]\nNotFirstStart=1\n");
    EXPECT_EQ(config_.GetLastAspectProfile(), "Wide");
    EXPECT_FALSE(VokradConfig().NotFirstStart); // only the file is marked

    // SaveToCurrentFile saves to the remembered file.
    PlayerConfig().SkinFileName = "Blue.zip";
    ASSERT_TRUE(config_.SaveToCurrentFile());
    IniFile saved;
    ASSERT_TRUE(saved.Load(path.c_str()));
    EXPECT_EQ(saved.ReadString("Skin", "Filename", ""), "Blue.zip");
}

TEST_F(TTovrinConfigTest, TheSettingsObjectIsDeletedWholeThroughItsBaseClass) {
    static_assert(std::has_virtual_destructor_v<TConfigControl>);
    std::unique_ptr<TConfigControl> config = std::make_unique<TTovrinConfig>(hints_);
    EXPECT_TRUE(config->Load(dir_.Path("missing.ini").c_str()));
    config.reset(); // ASan reports a mismatched delete when the destructor is not virtual
}

} // namespace
