#include "editor/SelectTimeMapping.h"

#include "subtitles/profiles/TSelect.h"
#include "subtitles/profiles/TimeScale.h"

int32_t SelectToVideoTime(const TSelect& select, int32_t time) {
    ScaleTimeFromOrigin(select.FirstSub, time, select.ScaleFactor);
    return SaturatedSum(select.DVDStart, int64_t{time} - select.FirstSub);
}

int32_t VideoToSelectTime(const TSelect& select, int32_t time) {
    const int64_t shift = int64_t{select.DVDStart} - select.FirstSub;
    int32_t scriptTime = time > shift ? SaturatedSum(time, -shift) : 0;
    return UnscaleTimeFromOrigin(select.FirstSub, scriptTime, select.ScaleFactor);
}
