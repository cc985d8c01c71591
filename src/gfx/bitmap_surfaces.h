#pragma once
// Cairo image surfaces made from the program's bitmaps.

#include "gfx/canvas.h"
#include "pictures/ink_bitmap.h"

#include <cairo.h>

#include <string>

namespace gfx {

using pictures::IsInk;

// A bitmap that can be drawn: a size Cairo can hold and a pixel for every place.
inline bool UsableBitmap(const pictures::Bitmap& bitmap) {
    constexpr int kMaxSide = 32767;
    return !bitmap.empty() && bitmap.width <= kMaxSide && bitmap.height <= kMaxSide &&
           bitmap.pixels.size() >= static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height);
}

// An A1 mask whose set bits are the ink pixels of the bitmap. The caller destroys it.
cairo_surface_t* InkMaskSurface(const pictures::Bitmap& bitmap);

// An A1 mask of the ink bits (rows of at least (width + 7) / 8 bytes; bits past the width
// are left out). The caller destroys it.
cairo_surface_t* InkMaskSurface(const pictures::InkBitmap& ink);

// A mask made by InkMaskSurface as bytes, its size and its bits: equal for equal masks.
std::string MaskKey(cairo_surface_t* mask);

// An RGB24 copy of the part of the bitmap (inside its bounds), every pixel inverted when
// asked, then moved toward white by the share white (0 leaves it). The caller destroys it.
cairo_surface_t* ColorSurface(const pictures::Bitmap& bitmap, const Rect& part, bool invert, double white = 0);

} // namespace gfx
