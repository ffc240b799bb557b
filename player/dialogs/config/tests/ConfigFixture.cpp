#include "player/dialogs/config/tests/ConfigFixture.h"

#include "foundation/IniFile.h"
#include "player/model/settings/TTovrinConfig.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/model/settings/Tag_VokradConfig.h"
#include "subtitles/scripts/TScriptControl.h"

#include <fstream>

void ConfigFixture::SetUp() {
    VokradConfig() = Tag_VokradConfig{};
    PlayerConfig() = Tag_PlayerConfig{};
    GlobalDefaultStyle() = TSubtitleStyleRecord{};
}

void ConfigFixture::TearDown() {
    dialog.reset();
}

std::string ConfigFixture::StartFrom(const std::string& settings) {
    std::ofstream(host.SettingsFile(), std::ios::binary) << settings;
    TTovrinConfig config(host);
    EXPECT_TRUE(config.Load(host.SettingsFile().c_str()));
    EXPECT_TRUE(config.Save(host.SettingsFile().c_str()));
    EXPECT_TRUE(config.Load(host.SettingsFile().c_str()));
    EXPECT_TRUE(host.commands.SaveToFile(host.SettingsFolder() + TActionControler::kFileName));
    return FakeConfigHost::ReadFile(host.SettingsFile());
}

TConfig& ConfigFixture::Dialog() {
    if (!dialog) {
        dialog = std::make_unique<TConfig>(host, choosers);
    }
    return *dialog;
}

void ConfigFixture::ShowDialog() {
    Dialog().show();
}

std::string ConfigFixture::Setting(const char* section, const char* key) const {
    IniFile ini;
    EXPECT_TRUE(ini.Load(host.SettingsFile().c_str()));
    return ini.ReadString(section, key, "<none>");
}
