// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/canvas.h"

namespace gfx {
namespace {

// Only the low 24 bits of a platform colour are a colour (0x00BBGGRR).
constexpr base::Color kColorMask = 0xFFFFFF;

} // namespace

std::string DrawTextFlagsName(unsigned flags) {
    std::string name = (flags & dt::kCenter) ? "center" : (flags & dt::kRight) ? "right" : "left";
    name += (flags & dt::kVCenter) ? "|vcenter" : (flags & dt::kBottom) ? "|bottom" : "|top";
    if (flags & dt::kSingleLine) name += "|singleline";
    if (flags & dt::kNoClip) name += "|noclip";
    return name;
}

double WhiteBlendForLevel(int level) {
    // Level 1 is for a picture that must stay in the background of dense text, level 2
    // lightens half as much, level 3 leaves the picture as it is.
    switch (level) {
    case 1:
        return 0.6;
    case 2:
        return 0.3;
    default:
        return 0.0;
    }
}

void Canvas::SelectFont(const Font& font) {
    font_ = font;
    OnFontSelected();
}

void Canvas::SelectFont(std::string_view face, int height, int escapement, bool bold) {
    SelectFont(Font{std::string(face), height, escapement, bold});
}

void Canvas::SetTextColor(base::Color color) {
    text_color_ = color & kColorMask;
    OnTextColorSet();
}

void Canvas::SetBrush(base::Color color, BrushStyle style) {
    brush_ = Brush{color & kColorMask, style};
    OnBrushSet();
}

void Canvas::SetPen(base::Color color) {
    pen_ = color & kColorMask;
    OnPenSet();
}

void Canvas::ResetDrawingState() {
    SelectFont(Font{});
    SetTextColor(base::kBlack);
    const Brush brush;
    SetBrush(brush.color, brush.style);
    SetPen(base::kBlack);
}

} // namespace gfx
