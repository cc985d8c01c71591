// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one bitmap type of the program: what a picture file, a resource or the codec's
// payload becomes in memory, and what the canvas stretches onto a page.

#include <cstdint>
#include <memory>
#include <vector>

namespace pictures {

struct Bitmap {
    int width = 0;
    int height = 0;
    // Row-major, top row first, one 32-bit pixel 0xFFRRGGBB each (opaque; the layout of
    // Cairo's CAIRO_FORMAT_RGB24 / ARGB32 on a little-endian machine).
    std::vector<std::uint32_t> pixels;
    // The picture came from a 1-bit (two-colour) source: the canvas draws it as a mask
    // whose set pixels take the text colour (the platform's monochrome bitmap rule).
    bool monochrome = false;
    // The bitmap stays, unchanged and at the same address, for the life of the program (the
    // built-in resources): what is made from its pixels for drawing can be made once and kept.
    bool permanent = false;
    // The JPEG file image the pixels were decoded from, when it is one a document can carry
    // as it is (grey, YCbCr or RGB); shared by the copies of the bitmap.
    std::shared_ptr<const std::vector<std::uint8_t>> jpeg = nullptr;

    bool empty() const { return width <= 0 || height <= 0; }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

} // namespace pictures
