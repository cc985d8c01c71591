// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/gdk_bitmap.h"

#include "controls/picture_fit.h"
#include "pictures/builtin_bitmaps.h"

namespace controls {

base::Color SystemColor(SystemColorRole role) {
    switch (role) {
    case SystemColorRole::kButtonFace: return 0xC0C0C0;
    case SystemColorRole::kButtonHighlight: return 0xFFFFFF;
    case SystemColorRole::kButtonShadow: return 0x808080;
    case SystemColorRole::kNavy: return 0x800000;
    case SystemColorRole::kWindow: return 0xFFFFFF;
    case SystemColorRole::kWindowText: return 0x000000;
    }
    return 0;
}

Gdk::RGBA ToRgba(base::Color color) {
    Gdk::RGBA rgba;
    rgba.set_rgba_u(static_cast<gushort>((color & 0xFF) * 257), static_cast<gushort>(((color >> 8) & 0xFF) * 257),
                    static_cast<gushort>(((color >> 16) & 0xFF) * 257));
    return rgba;
}

Glib::RefPtr<Gdk::Pixbuf> BuiltinPixbuf(std::string_view name) {
    const pictures::Bitmap* bitmap = pictures::BuiltinBitmap(name);
    return bitmap ? FitPicture(*bitmap, bitmap->width, bitmap->height) : Glib::RefPtr<Gdk::Pixbuf>{};
}

} // namespace controls
