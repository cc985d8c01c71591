// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Platform colours (0x00BBGGRR) as Cairo sources.

#include "base/color.h"

#include <cairo.h>

namespace gfx {

inline void SetSourceColor(cairo_t* cr, base::Color color, double alpha = 1.0) {
    cairo_set_source_rgba(cr, (color & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0, ((color >> 16) & 0xFF) / 255.0,
                          alpha);
}

} // namespace gfx
