#pragma once
// The machine as the command scripts see it: the local clock, the locale of the environment (LC_TIME)
// for the time and date texts, and the resident set size of the process.
#include "player/scripting/IScriptSystem.h"

class TSystemScriptServices : public IScriptSystem {
public:
    TLocalTime Now() const override;
    std::u16string TimeText(const TLocalTime& time) const override;
    std::u16string DateText(const TLocalTime& time) const override;
    int64_t WorkingSetBytes() const override;
};
