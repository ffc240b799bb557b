#pragma once
// Shared pieces of the settings tests: the program-wide settings records reset for each test.
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/model/settings/Tag_VokradConfig.h"
#include "subtitles/scripts/TScriptControl.h"

#include <gtest/gtest.h>

class SettingsRecordsTest : public testing::Test {
protected:
    SettingsRecordsTest() { Reset(); }
    ~SettingsRecordsTest() override { Reset(); }

    static void Reset() {
        VokradConfig() = {};
        PlayerConfig() = {};
        GlobalDefaultStyle() = {};
    }
};
