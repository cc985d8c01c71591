// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/picture_fit.h"

#include <gdkmm/display.h>
#include <gdkmm/monitor.h>

#include <algorithm>
#include <vector>

namespace controls {
namespace {

constexpr int kSamplesPerSide = 4;

// The source positions sampled for each of `shown` output pixels along a side of `size`
// source pixels: up to kSamplesPerSide per output pixel, spread evenly over the source
// pixels it covers. Entry i * kSamplesPerSide + k; `counts` says how many are used.
void SamplePositions(int size, int shown, std::vector<std::int64_t>& positions, std::vector<int>& counts) {
    positions.assign(static_cast<std::size_t>(shown) * kSamplesPerSide, 0);
    counts.assign(static_cast<std::size_t>(shown), 1);
    for (int i = 0; i < shown; ++i) {
        const std::int64_t begin = static_cast<std::int64_t>(i) * size / shown;
        const std::int64_t end = std::max(begin + 1, static_cast<std::int64_t>(i + 1) * size / shown);
        const std::int64_t span = end - begin;
        const int n = static_cast<int>(std::min<std::int64_t>(span, kSamplesPerSide));
        counts[static_cast<std::size_t>(i)] = n;
        for (int k = 0; k < n; ++k)
            positions[static_cast<std::size_t>(i) * kSamplesPerSide + k] = begin + (2 * k + 1) * span / (2 * n);
    }
}

} // namespace

ShownSize FittedSize(int pw, int ph, int rw, int rh) {
    if (pw <= 0 || ph <= 0 || rw <= 0 || rh <= 0) return {};
    if (pw <= rw && ph <= rh) return {pw, ph};
    auto scale = [](std::int64_t v, std::int64_t num, std::int64_t den) {
        return static_cast<int>(std::max<std::int64_t>(1, (v * num + den / 2) / den));
    };
    if (static_cast<std::int64_t>(pw) * rh >= static_cast<std::int64_t>(ph) * rw)
        return {rw, std::min(rh, scale(ph, rw, pw))};
    return {std::min(rw, scale(pw, rh, ph)), rh};
}

Glib::RefPtr<Gdk::Pixbuf> FitPicture(const PixelView& picture, int rw, int rh) {
    if (!picture.pixels || picture.stride < picture.width) return {};
    const ShownSize shown = FittedSize(picture.width, picture.height, rw, rh);
    if (shown.width <= 0 || shown.height <= 0) return {};
    Glib::RefPtr<Gdk::Pixbuf> pixbuf;
    try {
        pixbuf = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, false, 8, shown.width, shown.height);
    } catch (const std::exception&) {
        return {};
    }
    if (!pixbuf) return {};
    std::vector<std::int64_t> xs, ys;
    std::vector<int> x_counts, y_counts;
    SamplePositions(picture.width, shown.width, xs, x_counts);
    SamplePositions(picture.height, shown.height, ys, y_counts);
    const int stride = pixbuf->get_rowstride();
    guint8* rows = pixbuf->get_pixels();
    for (int oy = 0; oy < shown.height; ++oy) {
        guint8* out = rows + static_cast<std::ptrdiff_t>(oy) * stride;
        const int ny = y_counts[static_cast<std::size_t>(oy)];
        for (int ox = 0; ox < shown.width; ++ox) {
            const int nx = x_counts[static_cast<std::size_t>(ox)];
            unsigned r = 0, g = 0, b = 0;
            for (int ky = 0; ky < ny; ++ky) {
                const std::uint32_t* row =
                    picture.pixels + ys[static_cast<std::size_t>(oy) * kSamplesPerSide + ky] * picture.stride;
                for (int kx = 0; kx < nx; ++kx) {
                    const std::uint32_t v = row[xs[static_cast<std::size_t>(ox) * kSamplesPerSide + kx]];
                    r += (v >> 16) & 0xFF;
                    g += (v >> 8) & 0xFF;
                    b += v & 0xFF;
                }
            }
            const unsigned n = static_cast<unsigned>(nx * ny);
            *out++ = static_cast<guint8>((r + n / 2) / n);
            *out++ = static_cast<guint8>((g + n / 2) / n);
            *out++ = static_cast<guint8>((b + n / 2) / n);
        }
    }
    return pixbuf;
}

Glib::RefPtr<Gdk::Pixbuf> FitPicture(const pictures::Bitmap& picture, int rw, int rh) {
    if (picture.empty() ||
        picture.pixels.size() < static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height))
        return {};
    return FitPicture(PixelView{picture.pixels.data(), picture.width, picture.height, picture.width}, rw, rh);
}

ShownSize ScreenRoom(int frame_width, int frame_height) {
    int width = 1024, height = 768; // without a display: a small screen
    if (auto display = Gdk::Display::get_default()) {
        Glib::RefPtr<Gdk::Monitor> monitor = display->get_primary_monitor();
        if (!monitor && display->get_n_monitors() > 0) monitor = display->get_monitor(0);
        if (monitor) {
            Gdk::Rectangle area;
            monitor->get_workarea(area);
            width = area.get_width();
            height = area.get_height();
        }
    }
    return {std::max(1, width - frame_width), std::max(1, height - frame_height)};
}

} // namespace controls
