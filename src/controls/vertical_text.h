// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a vertical label draws its caption on a canvas: the font it makes from the label's
// font, and the column of characters hanging from the top right corner of its rectangle.
// Kept apart from the widget so that the geometry is tested on the trace canvas.

#include "base/color.h"
#include "gfx/canvas.h"

#include <string>
#include <string_view>
#include <vector>

namespace controls {

// The font of a label as the window designer sets it.
struct LabelFont {
    std::string name = "ＭＳ Ｐゴシック";
    int height = -12;
    bool bold = false;
    bool italic = false;
    base::Color color = base::kBlack;
};

// The rotated font of a label: the vertical form of the face ("@" in front unless the
// name has one), escapement 2700, bold only when the style is bold and nothing else.
gfx::Font RotatedFont(const LabelFont& font);

// The characters of a caption, one UTF-8 sequence each (a double-byte character of the
// profile's code page is one code point here, so it is never split).
std::vector<std::string_view> CaptionCharacters(std::string_view caption);

// The accelerator of a caption: the character after the first "&" that is not doubled,
// lower-cased when ASCII; 0 when there is none.
char32_t AcceleratorOf(std::string_view caption);

// Where the column stands along the label: from its top (as designed), or placed by its
// measured length in the middle or at the bottom.
enum class LabelLayout { kTop, kCenter, kBottom };

struct LabelLook {
    std::string caption;
    LabelLayout layout = LabelLayout::kTop;
    LabelFont font;
    bool enabled = true;
    bool transparent = false;
    base::Color background = base::kWhite;
    base::Color highlight = base::kWhite; // button highlight, for the disabled look
    base::Color shadow = base::kBlack;    // button shadow, for the disabled look
};

// Paints a label into rect: the background unless transparent, then the column. Enabled:
// each character at (right, y), y advancing by the character's extent along the column
// plus one pixel; the column starts at the top, or lower by the room its length leaves
// (half of it centred, all of it at the bottom, never above the top). Disabled: the whole caption at (right + 1, top + 1) in the highlight
// colour, then at (right, top) in the shadow colour.
void DrawVerticalLabel(gfx::Canvas& canvas, const gfx::Rect& rect, const LabelLook& look);

// The length of the enabled column: the sum of the advances, each plus one pixel.
int ColumnLength(gfx::Canvas& canvas, const LabelLook& look);

} // namespace controls
