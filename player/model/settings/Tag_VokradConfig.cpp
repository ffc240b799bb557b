#include "player/model/settings/Tag_VokradConfig.h"

Tag_VokradConfig& VokradConfig() {
    static Tag_VokradConfig record;
    return record;
}
