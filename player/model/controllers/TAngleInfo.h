#pragma once
// The camera angles of the current title. The controller numbers them from 0; the core's order 122 and
// its reports number them from 1.
#include "player/model/controllers/IAngleInfo.h"
#include "player/model/hub/TPlayerObjects.h"

class TAngleInfo : public TPlayerObjects, public IAngleInfo {
public:
    explicit TAngleInfo(TPlayerObjects& hub);

    int32_t AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback) override;
    void Clear(bool silent) override;
    void SetCount(int32_t count) override { count_ = count; }
    int32_t GetCount() const override { return count_; }
    int32_t GetCurrent() const override { return current_; }
    bool SetCurrent(int32_t index) override;
    int32_t SelectAngle(int32_t index) override;
    int32_t NextAngle() override;

private:
    TPointer<TCallbackFunction> listeners_;
    int32_t count_ = 0;
    int32_t current_ = -1;
    bool asked_ = false;
};
