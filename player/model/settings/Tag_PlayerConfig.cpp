#include "player/model/settings/Tag_PlayerConfig.h"

Tag_PlayerConfig& PlayerConfig() {
    static Tag_PlayerConfig record;
    return record;
}
