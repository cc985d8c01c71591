// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/picture_shrink.h"

#include "pictures/picture_limits.h"

#include <algorithm>
#include <cmath>

namespace pictures {

Bitmap ShrinkToFit(Bitmap bitmap, int long_side, int short_side) {
    if (bitmap.empty()) return bitmap;
    const int w = bitmap.width, h = bitmap.height;
    const double longest = std::max(w, h), shortest = std::min(w, h);
    double scale = std::min({1.0, long_side / longest, short_side / shortest});
    scale = std::min(scale, std::sqrt(static_cast<double>(kMaxPicturePixels) / (static_cast<double>(w) * h)));
    if (scale >= 1.0) return bitmap;
    Bitmap out;
    out.width = std::max(1, static_cast<int>(w * scale));
    out.height = std::max(1, static_cast<int>(h * scale));
    out.monochrome = bitmap.monochrome;
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        const int top = static_cast<int>(static_cast<std::int64_t>(y) * h / out.height);
        const int bottom = std::max(top + 1, static_cast<int>(static_cast<std::int64_t>(y + 1) * h / out.height));
        for (int x = 0; x < out.width; ++x) {
            const int left = static_cast<int>(static_cast<std::int64_t>(x) * w / out.width);
            const int right = std::max(left + 1, static_cast<int>(static_cast<std::int64_t>(x + 1) * w / out.width));
            std::uint32_t& pixel = out.pixels[static_cast<std::size_t>(y) * out.width + x];
            if (bitmap.monochrome) {
                pixel = bitmap.at((left + right) / 2, (top + bottom) / 2);
                continue;
            }
            std::uint64_t r = 0, g = 0, b = 0;
            for (int sy = top; sy < bottom; ++sy)
                for (int sx = left; sx < right; ++sx) {
                    const std::uint32_t p = bitmap.at(sx, sy);
                    r += (p >> 16) & 0xFF;
                    g += (p >> 8) & 0xFF;
                    b += p & 0xFF;
                }
            const std::uint64_t n = static_cast<std::uint64_t>(bottom - top) * (right - left);
            pixel = 0xFF000000u | static_cast<std::uint32_t>((r + n / 2) / n) << 16 |
                    static_cast<std::uint32_t>((g + n / 2) / n) << 8 | static_cast<std::uint32_t>((b + n / 2) / n);
        }
    }
    return out;
}

} // namespace pictures
