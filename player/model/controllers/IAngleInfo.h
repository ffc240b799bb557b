#pragma once
// The angle controller as the hub, the windows and the command scripts use it. Angles are 0-based here
// and 1-based in the core's orders and reports.
#include "player/model/events/TCallbackFunction.h"

#include <cstdint>

class IAngleInfo {
public:
    virtual ~IAngleInfo() = default;
    virtual int32_t AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback) = 0;

    // No angles; event 19 unless silent.
    virtual void Clear(bool silent) = 0;
    virtual void SetCount(int32_t count) = 0;
    virtual int32_t GetCount() const = 0;
    virtual int32_t GetCurrent() const = 0;
    // Stores the current angle (0-based) and raises event 9; answers whether the user asked for the
    // change (and forgets that).
    virtual bool SetCurrent(int32_t index) = 0;
    // Asks the core for the angle (order 122); -1 for an index that is not an angle.
    virtual int32_t SelectAngle(int32_t index) = 0;
    virtual int32_t NextAngle() = 0;
};
