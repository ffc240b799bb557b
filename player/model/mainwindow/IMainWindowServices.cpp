#include "player/model/mainwindow/IMainWindowServices.h"

uint8_t IMainWindowServices::PlayerEventCallback(void* userData, uint32_t tag, uint32_t event, intptr_t a,
                                                 intptr_t b, intptr_t c) {
    return static_cast<IMainWindowServices*>(userData)->OnPlayerEvent(event, a, b, c);
}
