// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's bitmaps and colours on screen: the built-in bitmaps as GDK pictures, and
// the platform's system colours that the windows are designed in. (Pictures from files
// are shown through FitPicture, picture_fit.h.)

#include "base/color.h"
#include "pictures/bitmap.h"

#include <gdkmm/pixbuf.h>
#include <gdkmm/rgba.h>

#include <string_view>

namespace controls {

enum class SystemColorRole { kButtonFace, kButtonHighlight, kButtonShadow, kNavy, kWindow, kWindowText };

// The classic values of the platform's system colours, 0x00BBGGRR.
base::Color SystemColor(SystemColorRole role);

Gdk::RGBA ToRgba(base::Color color);

// A built-in bitmap ("SYSCLOSE", "PREVIEWGLYPH", …) as a GDK picture; empty when missing.
Glib::RefPtr<Gdk::Pixbuf> BuiltinPixbuf(std::string_view name);

} // namespace controls
