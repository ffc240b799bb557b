#pragma once
// Pushes the player's settings (as the settings classes last read them) into the client model: scan
// speeds, the auto-bookmark delay, the colour key, the on-screen messages' script and style, the
// subtitle style override and the aspect options. No file is read here but the on-screen script.
#include <string>

class TPlayControl;

// `systemFolder` holds the on-screen script the settings name.
void ApplyPlayerSettings(TPlayControl& player, const std::string& systemFolder);
