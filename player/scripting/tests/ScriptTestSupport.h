#pragma once
// A player for script tests: the recording stand-ins of ScriptFakes, and the real player hub with its
// real controllers over a recording core whose orders land in the same log.
#include "platform/testing/FakeDisplayModes.h"
#include "player/model/controllers/TPlayerControllerFactory.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/tests/PlayerTestSupport.h"
#include "player/model/tests/RecordingCore.h"
#include "player/scripting/TScriptValue.h"
#include "player/scripting/tests/ScriptFakes.h"

#include <string>

// What a script left behind.
struct TScriptOutcome {
    int32_t result = 0;
    std::string value;  // "-" nothing, "i:<number>", "t:<text>"
    std::string output; // the same form
    size_t consumed = 0;
    TCallLog calls;
};

// A value in the outcome's form.
std::string Describe(const TScriptValue& value);

class TScriptWorld {
public:
    TScriptWorld();
    ~TScriptWorld();

    // Runs the script as the player's callers do: a fresh value and output, then the recorded calls.
    TScriptOutcome Run(std::u16string_view script);
    // The filters the hub reports after a graph build: a FILTERSLIST document and a graph log.
    void BuildGraph(const std::u16string& filtersList, const std::u16string& graphLog);
    // Three filters, two of one class, with connected pins.
    void BuildSampleGraph();

    TCallLog log;
    TRecordingMainWindow main{log};
    TRecordingSettingsDialog settings{log};
    TRecordingPlaylistWindow playlistWindow{log};
    TFakePlayList playList{log};
    TFakeProfile profile{log};
    TFixedSystem system;
    TRecordingCore* core;
    TPlayerGlobalsScope globals;
    plat::display::FakeDisplayModes displayModes;
    TPlayerControllerFactory factory{&displayModes};
    TPlayControl hub{&factory};
    TScriptServices services;
};
