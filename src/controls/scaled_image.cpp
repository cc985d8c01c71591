// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/scaled_image.h"

#include <gdk/gdk.h>
#include <glibmm/main.h>

#include <algorithm>

namespace controls {

ScaledImage::ScaledImage(Render render) : render_(std::move(render)), pending_(static_cast<bool>(render_)) {
    connect_property_changed("scale-factor", [this] {
        if (get_mapped()) Update();
    });
}

ScaledImage::~ScaledImage() {
    later_.disconnect();
}

void ScaledImage::SetRender(Render render) {
    render_ = std::move(render);
    pending_ = !get_mapped();
    if (!pending_) Update();
}

void ScaledImage::on_map() {
    Gtk::Image::on_map();
    if (!pending_ || later_.connected()) return;
    // After the window's first frame, not before it is mapped.
    later_ = Glib::signal_idle().connect([this] {
        pending_ = false;
        Update();
        return false;
    });
}

void ScaledImage::Update() {
    const int scale = std::max(1, get_scale_factor());
    shown_ = render_ ? render_(scale) : Glib::RefPtr<Gdk::Pixbuf>();
    shown_scale_ = scale;
    if (!shown_) {
        clear();
        return;
    }
    // A picture whose sides are not whole logical pixels would be placed between device
    // pixels and blurred again: it gets a transparent edge up to the next whole one.
    Glib::RefPtr<Gdk::Pixbuf> whole = shown_;
    const int w = shown_->get_width(), h = shown_->get_height();
    const int ww = (w + scale - 1) / scale * scale, wh = (h + scale - 1) / scale * scale;
    if (ww != w || wh != h) {
        whole = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, true, 8, ww, wh);
        whole->fill(0);
        shown_->add_alpha(false, 0, 0, 0)->copy_area(0, 0, w, h, whole, 0, 0);
    }
    // A surface of the picture's device pixels with the device scale: drawn 1:1 on the screen.
    cairo_surface_t* surface = gdk_cairo_surface_create_from_pixbuf(whole->gobj(), scale, nullptr);
    set(Cairo::RefPtr<Cairo::Surface>(new Cairo::Surface(surface, true)));
}

Glib::RefPtr<Gdk::Pixbuf> BitmapAtScale(const Glib::RefPtr<Gdk::Pixbuf>& bitmap, int scale) {
    if (!bitmap || scale <= 1) return bitmap;
    return bitmap->scale_simple(bitmap->get_width() * scale, bitmap->get_height() * scale, Gdk::INTERP_NEAREST);
}

} // namespace controls
