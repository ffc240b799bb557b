#pragma once
// Everything a script reaches: the main window and the two dialogs it drives, the player hub with its
// controllers, the machine, the version of the build, and the limits that keep a script from taking
// the player down. Any of the pointers may be null: what needs a missing one does nothing or answers
// as the language says for a missing object.
#include "player/scripting/IScriptMainWindow.h"
#include "player/scripting/IScriptPlayList.h"
#include "player/scripting/IScriptPlaylistWindow.h"
#include "player/scripting/IScriptProfile.h"
#include "player/scripting/IScriptSettingsDialog.h"
#include "player/scripting/IScriptSystem.h"
#include "player/scripting/TScriptVersion.h"

#include <cstddef>
#include <cstdint>

class TPlayControl;

struct TScriptLimits {
    // Blocks and expressions open at once inside one user function call (each call starts counting
    // anew, so recursion is not held to it).
    int32_t MaxNesting = 256;
    // The stack a script leaves to the built-ins it runs: nesting and calls end before the thread's
    // stack comes closer to its end than this, so a runaway recursion ends with an error, not a crash.
    size_t StackReserve = size_t{512} << 10;
    // Statements run by one script. Keeps a script that calls itself in a tree from hanging the player.
    int64_t MaxSteps = 10'000'000;
    // The longest text value, in UTF-16 units.
    size_t MaxTextUnits = size_t{1} << 20;
};

struct TScriptServices {
    IScriptMainWindow* MainWindow = nullptr;
    IScriptSettingsDialog* SettingsDialog = nullptr;
    IScriptPlaylistWindow* PlaylistWindow = nullptr;
    TPlayControl* Hub = nullptr;
    // Null: the machine's own.
    const IScriptSystem* System = nullptr;
    TScriptVersion Version = TScriptVersion::OfBuild();
    TScriptLimits Limits;
};
