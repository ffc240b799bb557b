#pragma once
// Times of a select's script and times on the video, as the player shows the select's events: a
// script time after the window's start is stretched from it by the select's scale factor, then the
// window's start is moved to the select's DVD start.
#include <cstdint>

struct TSelect;

int32_t SelectToVideoTime(const TSelect& select, int32_t time);
// The inverse: a video time before the select's DVD start gives 0.
int32_t VideoToSelectTime(const TSelect& select, int32_t time);
