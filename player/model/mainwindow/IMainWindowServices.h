#pragma once
// What the player model relies on of the program's main window, which implements this interface.
// The main window listens to the error control, the hub and the audio controller with the tag
// kListenerTag: it shows error texts (event 32) in its own message box unless their level is 6,
// runs its Next Chapter action at the end of the media (event 33), chooses the hub's bookmarks root
// by graph kind (event 36) and opens the disc's profile (event 2).
#include "player/model/events/TCallbackFunction.h"

#include <cstdint>

class IMainWindowServices {
public:
    static constexpr uint32_t kListenerTag = 1;

    virtual ~IMainWindowServices() = default;

    // The main window's player-event listener; it answers 1.
    virtual uint8_t OnPlayerEvent(uint32_t event, intptr_t a, intptr_t b, intptr_t c) = 0;

    // The listener callback to register with the main window as user data.
    static uint8_t PlayerEventCallback(void* userData, uint32_t tag, uint32_t event, intptr_t a, intptr_t b,
                                       intptr_t c);
};
