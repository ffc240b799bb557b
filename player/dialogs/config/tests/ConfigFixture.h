#pragma once
// A settings dialog over a fake main window with a program folder of its own; the settings records
// start from a settings file the settings class wrote itself, so that saving unchanged values changes
// no byte of it.
#include "player/dialogs/config/TConfig.h"
#include "player/dialogs/config/tests/FakeConfigChoosers.h"
#include "player/dialogs/config/tests/FakeConfigHost.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <memory>
#include <string>

class ConfigFixture : public ::testing::Test {
public:
    // Part of the settings file the tests start from; the settings class adds every other key.
    static constexpr const char* kStartSettings = "; the user's own comment\n"
                                                  "[General]\n"
                                                  "Language=english.tovrin.lang\n"
                                                  "AutoHideMouseTime=12\n"
                                                  "[OSD]\n"
                                                  "Position=7\n"
                                                  "Script=big.OSD\n"
                                                  "[SeekSpeed]\n"
                                                  "Speed_2=2\n"
                                                  "Speed_3=4\n"
                                                  "Speed_4=0\n"
                                                  "[DefaultStyle]\n"
                                                  "Alignment=6\n"
                                                  "[Unknown]\n"
                                                  "Kept=yes\n";

    void SetUp() override;
    void TearDown() override;

    // Writes the start file, lets the settings class complete it and load it; answers its bytes.
    std::string StartFrom(const std::string& settings);
    // The dialog, made on first use.
    TConfig& Dialog();
    void ShowDialog();
    template <class Control> Control* Find(const char* name) {
        auto* control = Dialog().findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    std::string Setting(const char* section, const char* key) const;

    FakeConfigHost host;
    FakeConfigChoosers choosers;
    std::unique_ptr<TConfig> dialog;
};
