// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wheel on a list that scrolls only sideways: up and left go back, down and right go
// on, whichever way the wheel turns.

#include <gdk/gdk.h>

#include <cmath>

namespace controls {

// Steps the wheel event moves a sideways list: −1 back, 1 on, or a smooth scroll's larger
// component.
inline double SidewaysWheelSteps(const GdkEventScroll* event) {
    switch (event->direction) {
    case GDK_SCROLL_UP:
    case GDK_SCROLL_LEFT: return -1;
    case GDK_SCROLL_DOWN:
    case GDK_SCROLL_RIGHT: return 1;
    case GDK_SCROLL_SMOOTH:
        return std::abs(event->delta_x) > std::abs(event->delta_y) ? event->delta_x : event->delta_y;
    }
    return 0;
}

} // namespace controls
