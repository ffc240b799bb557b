#pragma once
// The player's keys of its settings file: mouse behaviour, disc image tools, screen capture, sound,
// hints, the on-screen message style, the seek speeds, the tips, the file types and the skin.
#include "player/model/settings/IHintSettings.h"
#include "player/model/settings/TIniExchange.h"
#include "player/model/settings/Tag_PlayerConfig.h"

class TPlayerConfigKeys {
public:
    // Reads or writes every key in the file's order.
    static void Exchange(TIniExchange& keys, Tag_PlayerConfig& config, THintValues& hints);

private:
    static void ExchangeCapture(TIniExchange& keys, Tag_PlayerConfig& config);
    static void ExchangeOsd(TIniExchange& keys, Tag_PlayerConfig& config);
    // Entry 0 is 1; the keys Speed_2 to Speed_11 fill the rest, and the count grows with each until
    // the first value that is not positive ends the list. Writing puts the valid speeds and the entry
    // after them (the one that ended the list) back.
    static void ExchangeSeekSpeeds(TIniExchange& keys, Tag_PlayerConfig& config);
    // Ext_0 / NbExtention entries in the sections Ext_1 onwards; a count outside 0 to kMaxExtensions
    // is taken as the nearest bound.
    static void ExchangeExtensions(TIniExchange& keys, Tag_PlayerConfig& config);
};
