// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures on pages: the month's picture (a .cmp file in the data folder) or a picture the
// page already holds, scaled to fill an area (a full picture, under the page) or reduced
// into one of its corners, at a colour level.

#include "gfx/canvas.h"
#include "pages/print_state.h"
#include "pictures/bitmap.h"

#include <string_view>

namespace pages {

// Where a full picture that does not fill the area goes.
enum class Placement : int { kCentred = 0, kRightBottom = 1, kBottom = 2, kRight = 3 };

struct PictureRequest {
    gfx::Rect area;                        // left, top, right, bottom of the area
    Placement placement = Placement::kCentred;
    const pictures::Bitmap* picture = nullptr; // drawn when file_name is empty
    std::string_view file_name;            // a picture file in the data folder, or empty
    int color_level = 3;                   // "ColorLevel"
    int corner = 4;                        // "CornerBMP"
    bool full = true;                      // "FullBMP"
};

// Draws the picture. A picture that cannot be had (missing file, broken file, zero size)
// is reported once through the state's reporter and nothing is drawn.
void DrawPagePicture(gfx::Canvas& canvas, const PrintState& state, const PictureRequest& request);

} // namespace pages
