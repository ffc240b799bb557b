#pragma once
// The picture geometry the playback engine reports: the native picture size, the box of the
// picture's display aspect, and the size of its video window.
#include "subtitles/model/TSubScreenControler.h"

struct TVideoSizes {
    TScreenSize native;
    TScreenSize aspectBox;
    TScreenSize window;
};
