// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The zoom of the preview window: the rectangle the preview page is stretched into.

#include "gfx/canvas.h"

namespace app {

enum class Zoom { kShrink, kGrow, kOriginal };

// Shrink: right and bottom × 8 div 10; grow: × 12 div 10 (each step truncates, so the
// steps drift); original: the rectangle as first shown. Left and top stay.
gfx::Rect ZoomDisplayRect(const gfx::Rect& current, const gfx::Rect& initial, Zoom zoom);

} // namespace app
