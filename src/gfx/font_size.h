// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Font sizes in points and heights in device pixels, converted as the platform's font
// objects do: a page routine that sets a size in points gets the height the platform
// would have made of it.

namespace gfx {

// The platform's MulDiv: a * b / c rounded to the nearest integer, halves away from zero;
// -1 when c is 0 (as the platform answers).
int MulDiv(int a, int b, int c);

// The height of a font of the given size in points on a device of dpi dots per inch:
// -MulDiv(points, dpi, 72) (negative: character height).
int HeightFromPoints(int points, int dpi);

// The size in points of a font height: -Round(height * 72 / dpi), halves to even; 0 for a
// dpi of 0 or less.
int PointsFromHeight(int height, int dpi);

} // namespace gfx
