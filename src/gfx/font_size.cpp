// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/font_size.h"

#include <climits>
#include <cmath>

namespace gfx {
namespace {

int ClampToInt(long long v) {
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
}

} // namespace

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    long long product = static_cast<long long>(a) * b;
    long long divisor = c;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const long long half = divisor / 2;
    return ClampToInt(product >= 0 ? (product + half) / divisor : -((-product + half) / divisor));
}

int HeightFromPoints(int points, int dpi) {
    return ClampToInt(-static_cast<long long>(MulDiv(points, dpi, 72)));
}

int PointsFromHeight(int height, int dpi) {
    if (dpi <= 0) return 0;
    return ClampToInt(static_cast<long long>(-std::nearbyint(static_cast<double>(height) * 72.0 / dpi)));
}

} // namespace gfx
