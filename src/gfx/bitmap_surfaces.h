// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cairo image surfaces made from the program's bitmaps.

#include "gfx/cairo_ref.h"
#include "gfx/canvas.h"
#include "pictures/ink_bitmap.h"

#include <cairo.h>

#include <string>

namespace gfx {

using pictures::IsInk;

// Cairo's image surfaces and this program's pages stay below this many pixels a side.
inline constexpr int kMaxSurfaceSide = 32767;

// A bitmap that can be drawn: a size Cairo can hold and a pixel for every place.
inline bool UsableBitmap(const pictures::Bitmap& bitmap) {
    return !bitmap.empty() && bitmap.width <= kMaxSurfaceSide && bitmap.height <= kMaxSurfaceSide &&
           bitmap.pixels.size() >= static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height);
}

// Ink bits that can be drawn: a size Cairo can hold and whole rows for it.
inline bool UsableInk(const pictures::InkBitmap& ink) {
    return !ink.empty() && ink.width <= kMaxSurfaceSide && ink.height <= kMaxSurfaceSide &&
           ink.stride >= (ink.width + 7) / 8 &&
           ink.rows.size() >= static_cast<std::size_t>(ink.stride) * static_cast<std::size_t>(ink.height);
}

// An A1 mask whose set bits are the ink pixels of the bitmap.
SurfaceRef InkMaskSurface(const pictures::Bitmap& bitmap);

// An A1 mask of the ink bits (rows of at least (width + 7) / 8 bytes; bits past the width
// are left out).
SurfaceRef InkMaskSurface(const pictures::InkBitmap& ink);

// A mask made by InkMaskSurface as bytes, its size and its bits: equal for equal masks.
std::string MaskKey(cairo_surface_t* mask);

// An RGB24 copy of the part of the bitmap (inside its bounds), every pixel inverted when
// asked, then moved toward white by the share white (0 leaves it); with gray, every pixel
// its luma (red, green and blue equal), as a black-and-white printer shows it.
SurfaceRef ColorSurface(const pictures::Bitmap& bitmap, const Rect& part, bool invert, double white = 0,
                        bool gray = false);

} // namespace gfx
