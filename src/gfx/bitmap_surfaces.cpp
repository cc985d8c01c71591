// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/bitmap_surfaces.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace gfx {

namespace {

// A cleared A1 surface of the size whose rows fill_row(row, y) then sets.
template <typename FillRow> SurfaceRef A1Surface(int width, int height, FillRow fill_row) {
    SurfaceRef made = SurfaceRef::Adopt(cairo_image_surface_create(CAIRO_FORMAT_A1, width, height));
    cairo_surface_t* surface = made.get();
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return made;
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y) {
        unsigned char* row = data + static_cast<std::ptrdiff_t>(y) * stride;
        std::memset(row, 0, static_cast<std::size_t>(stride));
        fill_row(row, y);
    }
    cairo_surface_mark_dirty(surface);
    return made;
}

} // namespace

SurfaceRef InkMaskSurface(const pictures::Bitmap& bitmap) {
    return A1Surface(bitmap.width, bitmap.height, [&bitmap](unsigned char* bytes, int y) {
        auto* row = reinterpret_cast<std::uint32_t*>(bytes);
        const std::uint32_t* source = bitmap.pixels.data() + static_cast<std::size_t>(y) * bitmap.width;
        // A1 pixels are packed into native 32-bit words, first pixel in the lowest bit on a
        // little-endian machine; a word is made at a time, without branches.
        for (int x0 = 0; x0 < bitmap.width; x0 += 32) {
            const int count = std::min(32, bitmap.width - x0);
            std::uint32_t word = 0;
            for (int b = 0; b < count; ++b) {
                const int shift = std::endian::native == std::endian::little ? b : 31 - b;
                word |= std::uint32_t{IsInk(source[x0 + b])} << shift;
            }
            row[x0 / 32] = word;
        }
    });
}

SurfaceRef InkMaskSurface(const pictures::InkBitmap& ink) {
    // A1 takes the first pixel in the lowest bit of a native word: on a little-endian
    // machine the lowest bit of the first byte, so each byte of ink bits is mirrored.
    static_assert(std::endian::native == std::endian::little, "A1 rows are written byte by byte");
    static const auto kMirror = [] {
        std::array<std::uint8_t, 256> mirror{};
        for (int b = 0; b < 256; ++b) {
            int m = 0;
            for (int i = 0; i < 8; ++i)
                m |= (b >> i & 1) << (7 - i);
            mirror[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(m);
        }
        return mirror;
    }();
    // The bytes of the width only, the bits past it cleared, whatever the rows' stride holds.
    const int bytes = (ink.width + 7) / 8;
    const auto last = static_cast<std::uint8_t>(0xFF >> (bytes * 8 - ink.width));
    return A1Surface(ink.width, ink.height, [&ink, bytes, last](unsigned char* row, int y) {
        const std::uint8_t* source =
            ink.rows.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(ink.stride);
        for (int i = 0; i < bytes; ++i)
            row[i] = kMirror[source[i]];
        if (bytes > 0) row[bytes - 1] &= last;
    });
}

std::string MaskKey(cairo_surface_t* mask) {
    cairo_surface_flush(mask);
    const int width = cairo_image_surface_get_width(mask);
    const int height = cairo_image_surface_get_height(mask);
    const int stride = cairo_image_surface_get_stride(mask);
    std::string key = std::to_string(width) + 'x' + std::to_string(height) + ':';
    // The rows in full: InkMaskSurface clears their padding, so equal masks give equal bytes.
    const unsigned char* data = cairo_image_surface_get_data(mask);
    if (data != nullptr) key.append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(stride) * height);
    return key;
}

SurfaceRef ColorSurface(const pictures::Bitmap& bitmap, const Rect& part, bool invert, double white, bool gray) {
    SurfaceRef made = SurfaceRef::Adopt(cairo_image_surface_create(CAIRO_FORMAT_RGB24, part.width(), part.height()));
    cairo_surface_t* surface = made.get();
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return made;
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const std::uint32_t flip = invert ? 0x00FFFFFF : 0;
    // The blend is baked into the pixels: the page stays opaque, which printers and PDF
    // viewers handle best, and tiles blend alike wherever they meet.
    std::uint8_t toward_white[256];
    for (int v = 0; v < 256; ++v)
        toward_white[v] = static_cast<std::uint8_t>(v + (255 - v) * white + 0.5);
    for (int y = 0; y < part.height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        const std::uint32_t* source = bitmap.pixels.data() +
                                      static_cast<std::size_t>(part.top + y) * static_cast<std::size_t>(bitmap.width) +
                                      part.left;
        for (int x = 0; x < part.width(); ++x) {
            std::uint32_t pixel = source[x] ^ flip;
            if (gray) {
                // Rec. 601 luma in eighths of a unit: 0.299 R + 0.587 G + 0.114 B.
                const std::uint32_t y8 = (77 * ((pixel >> 16) & 0xFF) + 150 * ((pixel >> 8) & 0xFF) + 29 * (pixel & 0xFF) +
                                          128) >> 8;
                pixel = y8 << 16 | y8 << 8 | y8;
            }
            row[x] = 0xFF000000u | std::uint32_t{toward_white[(pixel >> 16) & 0xFF]} << 16 |
                     std::uint32_t{toward_white[(pixel >> 8) & 0xFF]} << 8 | toward_white[pixel & 0xFF];
        }
    }
    cairo_surface_mark_dirty(surface);
    return made;
}

} // namespace gfx
