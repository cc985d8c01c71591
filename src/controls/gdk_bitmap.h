#pragma once
// The program's bitmaps and colours on screen: a Bitmap as a GDK picture, and the
// platform's system colours that the windows are designed in.

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

// A copy of the bitmap as an opaque GDK picture; empty for an empty bitmap.
Glib::RefPtr<Gdk::Pixbuf> ToPixbuf(const pictures::Bitmap& bitmap);

// A built-in bitmap ("SYSCLOSE", "PREVIEWGLYPH", …) as a GDK picture; empty when missing.
Glib::RefPtr<Gdk::Pixbuf> BuiltinPixbuf(std::string_view name);

} // namespace controls
