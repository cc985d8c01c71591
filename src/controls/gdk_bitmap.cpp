#include "controls/gdk_bitmap.h"

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

Glib::RefPtr<Gdk::Pixbuf> ToPixbuf(const pictures::Bitmap& bitmap) {
    if (bitmap.empty() ||
        bitmap.pixels.size() < static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height))
        return {};
    auto pixbuf = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, false, 8, bitmap.width, bitmap.height);
    const int stride = pixbuf->get_rowstride();
    guint8* rows = pixbuf->get_pixels();
    for (int y = 0; y < bitmap.height; ++y) {
        guint8* p = rows + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < bitmap.width; ++x) {
            const std::uint32_t v = bitmap.at(x, y);
            *p++ = static_cast<guint8>(v >> 16);
            *p++ = static_cast<guint8>(v >> 8);
            *p++ = static_cast<guint8>(v);
        }
    }
    return pixbuf;
}

Glib::RefPtr<Gdk::Pixbuf> BuiltinPixbuf(std::string_view name) {
    const pictures::Bitmap* bitmap = pictures::BuiltinBitmap(name);
    return bitmap ? ToPixbuf(*bitmap) : Glib::RefPtr<Gdk::Pixbuf>{};
}

} // namespace controls
