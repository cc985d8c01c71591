// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preview_zoom.h"

namespace app {

gfx::Rect ZoomDisplayRect(const gfx::Rect& current, const gfx::Rect& initial, Zoom zoom) {
    gfx::Rect r = current;
    switch (zoom) {
    case Zoom::kShrink:
        r.right = r.right * 8 / 10;
        r.bottom = r.bottom * 8 / 10;
        break;
    case Zoom::kGrow:
        r.right = r.right * 12 / 10;
        r.bottom = r.bottom * 12 / 10;
        break;
    case Zoom::kOriginal:
        r = initial;
        break;
    }
    return r;
}

} // namespace app
