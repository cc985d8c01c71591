#include "gfx/bitmap_surfaces.h"

#include <cstring>

namespace gfx {

cairo_surface_t* InkMaskSurface(const pictures::Bitmap& bitmap) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A1, bitmap.width, bitmap.height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return surface;
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < bitmap.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        std::memset(row, 0, static_cast<std::size_t>(stride));
        for (int x = 0; x < bitmap.width; ++x) {
            // A1 pixels are packed into native 32-bit words, first pixel in the lowest
            // bit on a little-endian machine.
            if (IsInk(bitmap.at(x, y))) {
                const std::uint32_t bit = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? 1u << (x % 32) : 0x80000000u >> (x % 32);
                row[x / 32] |= bit;
            }
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

cairo_surface_t* ColorSurface(const pictures::Bitmap& bitmap, const Rect& part, bool invert) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, part.width(), part.height());
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return surface;
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const std::uint32_t flip = invert ? 0x00FFFFFF : 0;
    for (int y = 0; y < part.height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        const std::uint32_t* source = bitmap.pixels.data() +
                                      static_cast<std::size_t>(part.top + y) * static_cast<std::size_t>(bitmap.width) +
                                      part.left;
        for (int x = 0; x < part.width(); ++x) row[x] = (source[x] ^ flip) | 0xFF000000u;
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

} // namespace gfx
