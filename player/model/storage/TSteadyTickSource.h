#pragma once
// The tick count of the machine's monotonic clock.
#include "player/model/storage/ITickSource.h"

class TSteadyTickSource : public ITickSource {
public:
    uint32_t GetTickCount() override;
};
