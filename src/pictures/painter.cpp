// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/painter.h"

#include <algorithm>
#include <cmath>

namespace pictures {

Rgb MixRgb(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    Rgb out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        out |= static_cast<Rgb>(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return out;
}

void Painter::Blend(int x, int y, Rgb colour, double alpha) {
    if (x < 0 || y < 0 || x >= b_.width || y >= b_.height || alpha <= 0) return;
    std::uint32_t& p = b_.pixels[static_cast<std::size_t>(y) * b_.width + x];
    p = 0xFF000000u | MixRgb(p & 0xFFFFFF, colour, alpha);
}

void Painter::VerticalGradient(int y0, int y1, Rgb top, Rgb bottom) {
    y0 = std::max(y0, 0);
    y1 = std::min(y1, b_.height);
    for (int y = y0; y < y1; ++y) {
        const std::uint32_t c =
            0xFF000000u | MixRgb(top, bottom, static_cast<double>(y - y0) / std::max(1, y1 - y0 - 1));
        std::fill_n(b_.pixels.begin() + static_cast<std::ptrdiff_t>(y) * b_.width, b_.width, c);
    }
}

void Painter::FillEllipse(double cx, double cy, double rx, double ry, double angle, Rgb colour, double alpha) {
    if (rx <= 0 || ry <= 0) return;
    const double c = std::cos(angle), s = std::sin(angle);
    const double r = std::max(rx, ry) + 1;
    const int x0 = static_cast<int>(std::floor(cx - r)), x1 = static_cast<int>(std::ceil(cx + r));
    const int y0 = static_cast<int>(std::floor(cy - r)), y1 = static_cast<int>(std::ceil(cy + r));
    const double scale = std::min(rx, ry);
    for (int y = std::max(y0, 0); y <= std::min(y1, b_.height - 1); ++y) {
        for (int x = std::max(x0, 0); x <= std::min(x1, b_.width - 1); ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double u = (dx * c + dy * s) / rx, v = (-dx * s + dy * c) / ry;
            // Distance to the edge in pixels, roughly: a one-pixel ramp makes the edge soft.
            const double edge = (1.0 - std::sqrt(u * u + v * v)) * scale;
            if (edge > -0.5) Blend(x, y, colour, alpha * std::clamp(edge + 0.5, 0.0, 1.0));
        }
    }
}

void Painter::Line(double x0, double y0, double x1, double y1, double width, Rgb colour, double alpha) {
    const double len = std::hypot(x1 - x0, y1 - y0);
    const double hw = width / 2;
    const int bx0 = static_cast<int>(std::floor(std::min(x0, x1) - hw - 1)),
              bx1 = static_cast<int>(std::ceil(std::max(x0, x1) + hw + 1));
    const int by0 = static_cast<int>(std::floor(std::min(y0, y1) - hw - 1)),
              by1 = static_cast<int>(std::ceil(std::max(y0, y1) + hw + 1));
    for (int y = std::max(by0, 0); y <= std::min(by1, b_.height - 1); ++y) {
        for (int x = std::max(bx0, 0); x <= std::min(bx1, b_.width - 1); ++x) {
            const double px = x + 0.5, py = y + 0.5;
            double t = len > 0 ? ((px - x0) * (x1 - x0) + (py - y0) * (y1 - y0)) / (len * len) : 0;
            t = std::clamp(t, 0.0, 1.0);
            const double d = std::hypot(px - (x0 + t * (x1 - x0)), py - (y0 + t * (y1 - y0)));
            if (d < hw + 0.5) Blend(x, y, colour, alpha * std::clamp(hw + 0.5 - d, 0.0, 1.0));
        }
    }
}

void Painter::FillBelow(const std::vector<double>& ridge, Rgb colour, double alpha) {
    for (int x = 0; x < b_.width && x < static_cast<int>(ridge.size()); ++x) {
        const double top = ridge[static_cast<std::size_t>(x)];
        const int y0 = std::max(0, static_cast<int>(std::floor(top)));
        for (int y = y0; y < b_.height; ++y)
            Blend(x, y, colour, alpha * std::clamp(y + 1 - top, 0.0, 1.0));
    }
}

void Painter::FillPolygon(const std::vector<std::pair<double, double>>& points, Rgb colour, double alpha) {
    if (points.size() < 3) return;
    double miny = points[0].second, maxy = miny;
    for (const auto& p : points)
        miny = std::min(miny, p.second), maxy = std::max(maxy, p.second);
    std::vector<double> xs;
    for (int y = std::max(0, static_cast<int>(miny)); y <= std::min(b_.height - 1, static_cast<int>(maxy)); ++y) {
        const double py = y + 0.5;
        xs.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const auto& a = points[i];
            const auto& b = points[(i + 1) % points.size()];
            if ((a.second <= py) != (b.second <= py)) {
                xs.push_back(a.first + (py - a.second) * (b.first - a.first) / (b.second - a.second));
            }
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            for (int x = std::max(0, static_cast<int>(std::ceil(xs[i] - 0.5)));
                 x < std::min(b_.width, static_cast<int>(std::ceil(xs[i + 1] - 0.5))); ++x) {
                Blend(x, y, colour, alpha);
            }
        }
    }
}

void Painter::DrawLabel(const Bitmap& label, int x, int y, double scale, Rgb colour, Rgb halo) {
    if (label.empty() || scale <= 0) return;
    // Coverage of the label at a point, sampled bilinearly so that a scaled 1-bit label
    // keeps smooth edges.
    auto ink = [&](double lx, double ly) {
        const int ix = static_cast<int>(std::floor(lx)), iy = static_cast<int>(std::floor(ly));
        const double fx = lx - ix, fy = ly - iy;
        auto at = [&](int px, int py) {
            if (px < 0 || py < 0 || px >= label.width || py >= label.height) return 0.0;
            return (label.at(px, py) & 0xFF) < 128 ? 1.0 : 0.0;
        };
        return (at(ix, iy) * (1 - fx) + at(ix + 1, iy) * fx) * (1 - fy) +
               (at(ix, iy + 1) * (1 - fx) + at(ix + 1, iy + 1) * fx) * fy;
    };
    const int w = static_cast<int>(label.width * scale), h = static_cast<int>(label.height * scale);
    const int pad = static_cast<int>(std::ceil(3 * scale));
    for (int ty = -pad; ty < h + pad; ++ty) {
        for (int tx = -pad; tx < w + pad; ++tx) {
            const double lx = (tx + 0.5) / scale - 0.5, ly = (ty + 0.5) / scale - 0.5;
            double glow = 0;
            for (const auto& [ox, oy] : {std::pair{-2.0, 0.0},
                                         {2.0, 0.0},
                                         {0.0, -2.0},
                                         {0.0, 2.0},
                                         {-1.5, -1.5},
                                         {1.5, 1.5},
                                         {-1.5, 1.5},
                                         {1.5, -1.5}}) {
                glow = std::max(glow, ink(lx + ox, ly + oy));
            }
            Blend(x + tx, y + ty, halo, 0.75 * glow);
            Blend(x + tx, y + ty, colour, ink(lx, ly));
        }
    }
}

} // namespace pictures
