#include "player/model/controllers/TAngleInfo.h"

#include "player/model/binding/PlayerGlobals.h"
#include "player/model/events/PlayerEvents.h"

#include <utility>

TAngleInfo::TAngleInfo(TPlayerObjects& hub) : TPlayerObjects(&hub) {}

int32_t TAngleInfo::AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback) {
    return TCallbackFunction::Register(&listeners_, userData, tag, callback);
}

void TAngleInfo::Clear(bool silent) {
    current_ = -1;
    count_ = 0;
    asked_ = false;
    if (!silent) {
        TCallbackFunction::Broadcast(&listeners_, kEventAnglesCleared, 0, 0, 0);
    }
}

bool TAngleInfo::SetCurrent(int32_t index) {
    current_ = index;
    TCallbackFunction::Broadcast(&listeners_, kEventAngle, index, 0, 0);
    return std::exchange(asked_, false);
}

int32_t TAngleInfo::SelectAngle(int32_t index) {
    if (index < 0 || index >= count_) {
        ReportError(0, u"::ANG::SET:: Invalid Angle");
        return -1;
    }
    asked_ = true;
    TOrderStreams record{};
    record.angle = static_cast<uint32_t>(index) + 1; // the core and the disc count angles from 1
    return SendRecord(kOrderAngle, record);
}

int32_t TAngleInfo::NextAngle() {
    return SelectAngle(current_ + 1 >= count_ ? 0 : current_ + 1);
}
