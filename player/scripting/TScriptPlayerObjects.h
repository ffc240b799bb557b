#pragma once
// The built-in objects through which a script reads and drives the player: "video.", "player.",
// "interface.", "graph.", "playlist.", "volume." and "profile.", each a prefix followed directly by a
// member name. Members that yield an object (a filter, a play-list item, a volume, a language) hand it
// to TScriptObjectMembers for the member written behind it.
#include "player/scripting/TScriptCall.h"

#include <string>

class IScriptMainWindow;

class TScriptPlayerObjects {
public:
    // Each reads the member at the cursor (behind the prefix) and answers its result code.
    static int32_t Video(TScriptCall& call);
    static int32_t Player(TScriptCall& call);
    static int32_t Interface(TScriptCall& call);
    static int32_t Graph(TScriptCall& call);
    static int32_t Playlist(TScriptCall& call);
    static int32_t Volume(TScriptCall& call);
    static int32_t Profile(TScriptCall& call);

    // Runs an action for a script: the main window's direct control is on while it runs, so that the
    // action runs even while the user's own actions are switched off.
    static void ExecuteAction(IScriptMainWindow& main, const std::string& action);
    // The core's play state as scripts see it: 3 playing, 2 paused, 1 stopped, 4 playing at another
    // rate, 0 nothing loaded.
    static int32_t ScriptPlayState(uint32_t coreState);
};
