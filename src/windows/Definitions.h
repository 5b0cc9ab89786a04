// The two windows as they are created: titles, show states and initial
// rectangles in twips. Both are frame-less and black.
#pragma once

#include "platform/Platform.h"

namespace kvs {

// The backdrop: maximized over the whole screen, with the program icon.
inline constexpr WindowDefinition kBackdropDefinition{
    .title = u"Form1",
    .showState = ShowState::Maximized,
    .initial = {.left = 1785, .top = 1905, .width = 6690, .height = 5715},
    .hasProgramIcon = true,
    .timerIntervalMs = 0,
};

// The video window: no icon, and the 1000 ms timer that keeps the clip looping.
inline constexpr WindowDefinition kVideoDefinition{
    .title = u"DUZ Edav 1",
    .showState = ShowState::Normal,
    .initial = {.left = 3660, .top = 2850, .width = 1800, .height = 4590},
    .hasProgramIcon = false,
    .timerIntervalMs = 1000,
};

}  // namespace kvs
