// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small pictures the dialogs' buttons carry, drawn by the program's canvas.

#include "base/color.h"

#include <gdkmm/pixbuf.h>

#include <string>

namespace dialogs {

// A caption written downward in the middle of a transparent picture.
Glib::RefPtr<Gdk::Pixbuf> CaptionGlyph(const std::string& text, int width, int height, base::Color color = base::kBlack,
                                       int font_height = -12);

// The list page's calendar positions 1 … 8: a small calendar block beside a list grid
// (1 above left, 2 above right, 3 below left, 4 below right, 5 left top, 6 left bottom,
// 7 right top, 8 right bottom).
Glib::RefPtr<Gdk::Pixbuf> ListPositionGlyph(int position, int width, int height);
// The poster's calendar positions 1 … 4: top left, top right, bottom left, bottom right of
// the poster picture.
Glib::RefPtr<Gdk::Pixbuf> PosterPositionGlyph(int position, int width, int height);

} // namespace dialogs
