#pragma once
// A text event read from a script line. Besides the record and text of every text event it keeps
// the line's Actor (or Name) and Effect texts, which the record cannot hold (its effect field is a
// number), so that writing the script back loses neither.
#include "subtitles/model/TTextEvent.h"

#include <string>

class TScriptTextEvent : public TTextEvent {
public:
    std::u16string Actor;
    std::u16string Effect;
};
