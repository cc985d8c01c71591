// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading pixels back from an image page, for the tests of the Cairo canvas.

#include "gfx/cairo_canvas.h"

#include <cairo.h>

#include <algorithm>
#include <cstdint>

namespace gfx::testing {

// The pixel at (x, y) of an RGB24 image surface as 0xRRGGBB.
inline std::uint32_t PixelAt(cairo_surface_t* surface, int x, int y) {
    cairo_surface_flush(surface);
    const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
}

inline int Brightness(std::uint32_t rgb) {
    return ((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF);
}

// Ink: anything clearly darker than the paper, including the edges of smoothed glyphs.
inline bool IsInkPixel(std::uint32_t rgb) {
    return Brightness(rgb) < 3 * 200;
}

// The bounding box of the ink inside the area; an inverted empty box when there is none.
inline Rect InkBox(cairo_surface_t* surface, const Rect& area) {
    Rect box{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (IsInkPixel(PixelAt(surface, x, y))) {
                box = Rect{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                           std::max(box.bottom, y + 1)};
            }
        }
    }
    return box;
}

inline std::uint32_t PixelAt(CairoCanvas& canvas, int x, int y) {
    return PixelAt(canvas.surface(), x, y);
}
inline Rect InkBox(CairoCanvas& canvas, const Rect& area) {
    return InkBox(canvas.surface(), area);
}

} // namespace gfx::testing
