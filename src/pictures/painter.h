// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A few soft-edged shapes painted straight into a Bitmap: enough to draw the sample
// pictures of a new host folder without any drawing library.

#include "pictures/bitmap.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace pictures {

using Rgb = std::uint32_t; // 0xRRGGBB

// The colour a fraction t (0 … 1) of the way from a to b.
Rgb MixRgb(Rgb a, Rgb b, double t);

class Painter {
public:
    explicit Painter(Bitmap& target) : b_(target) {}

    // Blends colour into one pixel with coverage alpha (0 … 1); outside pixels are ignored.
    void Blend(int x, int y, Rgb colour, double alpha);

    // Top to bottom from `top` to `bottom` colour over rows y0 … y1 − 1.
    void VerticalGradient(int y0, int y1, Rgb top, Rgb bottom);
    // An ellipse turned by angle (radians), with a one-pixel soft edge.
    void FillEllipse(double cx, double cy, double rx, double ry, double angle, Rgb colour, double alpha = 1.0);
    void FillCircle(double cx, double cy, double r, Rgb colour, double alpha = 1.0) {
        FillEllipse(cx, cy, r, r, 0, colour, alpha);
    }
    // A straight stroke of the given width with round ends.
    void Line(double x0, double y0, double x1, double y1, double width, Rgb colour, double alpha = 1.0);
    // Everything below the ridge ridge[x] (one value per column) in colour.
    void FillBelow(const std::vector<double>& ridge, Rgb colour, double alpha = 1.0);
    // A closed polygon, even-odd rule, sampled at pixel centres.
    void FillPolygon(const std::vector<std::pair<double, double>>& points, Rgb colour, double alpha = 1.0);
    // A 1-bit label (ink = its dark pixels) scaled by `scale`, its ink in colour with a soft
    // light halo so that it reads on any ground.
    void DrawLabel(const Bitmap& label, int x, int y, double scale, Rgb colour, Rgb halo);

private:
    Bitmap& b_;
};

} // namespace pictures
