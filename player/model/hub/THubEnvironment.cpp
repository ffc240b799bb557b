#include "player/model/hub/THubEnvironment.h"

#include "player/model/hub/LanguageNames.h"

bool THubEnvironment::IsShiftDown() const {
    return false;
}

std::u16string THubEnvironment::VolumeLabel(uint8_t driveLetter) const {
    return {};
}

std::u16string THubEnvironment::LanguageName(uint32_t lcid) const {
    return EnglishLanguageName(lcid);
}
