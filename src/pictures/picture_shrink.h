// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture made smaller before it is imported: no page prints more pixels than the largest
// paper has at 600 dpi, so a larger picture only costs memory and disk.

#include "pictures/bitmap.h"

namespace pictures {

// The bitmap shrunk, its proportions kept, until its long side is at most long_side, its
// short side at most short_side and its pixels within the picture size limit; unchanged
// when it fits. Colour pictures are averaged over each new pixel's area; a two-colour
// picture takes the nearest pixel, so that it stays two colours.
Bitmap ShrinkToFit(Bitmap bitmap, int long_side, int short_side);

} // namespace pictures
