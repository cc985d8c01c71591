// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/pixbuf_image.h"
#include "pictures/picture_limits.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <string_view>

namespace pictures {

namespace {

struct SizeCheck {
    std::int64_t input_bytes = 0;
    bool too_big = false;
};

void OnSizePrepared(GdkPixbufLoader*, gint width, gint height, gpointer check) {
    auto* size = static_cast<SizeCheck*>(check);
    if (!PictureWithinBudget(width, height, size->input_bytes)) size->too_big = true;
}

std::uint32_t OnWhite(const guchar* p, bool blend) {
    std::uint32_t r = p[0], g = p[1], b = p[2];
    if (blend && p[3] != 255) {
        const std::uint32_t a = p[3];
        r = (r * a + 255 * (255 - a) + 127) / 255;
        g = (g * a + 255 * (255 - a) + 127) / 255;
        b = (b * a + 255 * (255 - a) + 127) / 255;
    }
    return 0xFF000000u | r << 16 | g << 8 | b;
}

} // namespace

std::optional<Bitmap> DecodeWithPixbuf(std::span<const std::uint8_t> bytes, const char* type) {
    if (bytes.empty()) return std::nullopt;
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type(type, nullptr);
    if (loader == nullptr) return std::nullopt;
    SizeCheck size{static_cast<std::int64_t>(bytes.size())};
    g_signal_connect(loader, "size-prepared", G_CALLBACK(OnSizePrepared), &size);
    bool ok = gdk_pixbuf_loader_write(loader, bytes.data(), bytes.size(), nullptr) && !size.too_big;
    // close must run in every case, or the loader complains when it is released.
    ok = gdk_pixbuf_loader_close(loader, nullptr) && ok && !size.too_big;
    GdkPixbuf* pixbuf = ok ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
    std::optional<Bitmap> result;
    if (pixbuf != nullptr && gdk_pixbuf_get_colorspace(pixbuf) == GDK_COLORSPACE_RGB &&
        gdk_pixbuf_get_bits_per_sample(pixbuf) == 8 &&
        PictureSizeAllowed(gdk_pixbuf_get_width(pixbuf), gdk_pixbuf_get_height(pixbuf))) {
        const int w = gdk_pixbuf_get_width(pixbuf);
        const int h = gdk_pixbuf_get_height(pixbuf);
        const int channels = gdk_pixbuf_get_n_channels(pixbuf);
        const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
        // The fourth byte of a Windows bitmap is unused and mostly zero, and the platform
        // ignores it when it copies the bitmap; only icons carry real transparency.
        const bool blend = alpha && std::string_view(type) != "bmp";
        const int stride = gdk_pixbuf_get_rowstride(pixbuf);
        const guchar* data = gdk_pixbuf_read_pixels(pixbuf);
        if (channels >= (alpha ? 4 : 3)) {
            Bitmap bmp;
            bmp.width = w;
            bmp.height = h;
            bmp.pixels.resize(static_cast<std::size_t>(w) * h);
            for (int y = 0; y < h; ++y) {
                const guchar* row = data + static_cast<std::size_t>(y) * stride;
                std::uint32_t* out = bmp.pixels.data() + static_cast<std::size_t>(y) * w;
                for (int x = 0; x < w; ++x)
                    out[x] = OnWhite(row + static_cast<std::size_t>(x) * channels, blend);
            }
            result = std::move(bmp);
        }
    }
    g_object_unref(loader);
    return result;
}

} // namespace pictures
