// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/vertical_text.h"

#include <glib.h>

#include <algorithm>

namespace controls {

gfx::Font RotatedFont(const LabelFont& font) {
    gfx::Font rotated;
    rotated.face = font.name.starts_with("@") ? font.name : "@" + font.name;
    rotated.height = font.height;
    rotated.escapement = gfx::kVerticalEscapement;
    rotated.bold = font.bold && !font.italic;
    return rotated;
}

std::vector<std::string_view> CaptionCharacters(std::string_view caption) {
    std::vector<std::string_view> characters;
    const char* p = caption.data();
    const char* end = p + caption.size();
    while (p < end) {
        const char* next = g_utf8_find_next_char(p, end);
        if (!next || next > end) next = end;
        characters.emplace_back(p, static_cast<std::size_t>(next - p));
        p = next;
    }
    return characters;
}

char32_t AcceleratorOf(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        const gunichar c = g_utf8_get_char_validated(caption.data() + i + 1,
                                                     static_cast<gssize>(caption.size() - i - 1));
        if (c == static_cast<gunichar>(-1) || c == static_cast<gunichar>(-2)) return 0;
        return static_cast<char32_t>(g_unichar_tolower(c));
    }
    return 0;
}

void DrawVerticalLabel(gfx::Canvas& canvas, const gfx::Rect& rect, const LabelLook& look) {
    if (!look.transparent) {
        canvas.SetBrush(look.background);
        canvas.FillRect(rect);
    }
    canvas.SetBrush(look.background, gfx::BrushStyle::kClear);
    int top = rect.top;
    if (look.layout != LabelLayout::kTop) {
        const int room = std::max(0, rect.height() - ColumnLength(canvas, look));
        top += look.layout == LabelLayout::kCenter ? room / 2 : room;
    }
    canvas.SelectFont(RotatedFont(look.font));
    if (!look.enabled) {
        canvas.SetTextColor(look.highlight);
        canvas.TextOut(rect.right + 1, top + 1, look.caption);
        canvas.SetTextColor(look.shadow);
        canvas.TextOut(rect.right, top, look.caption);
        return;
    }
    canvas.SetTextColor(look.font.color);
    int y = top;
    for (std::string_view c : CaptionCharacters(look.caption)) {
        canvas.TextOut(rect.right, y, c);
        y += canvas.TextExtent(c).cx + 1;
    }
}

int ColumnLength(gfx::Canvas& canvas, const LabelLook& look) {
    canvas.SelectFont(RotatedFont(look.font));
    int length = 0;
    for (std::string_view c : CaptionCharacters(look.caption)) length += canvas.TextExtent(c).cx + 1;
    return length;
}

} // namespace controls
