// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/scaled_image.h"

#include <atkmm/object.h>
#include <gdk/gdk.h>
#include <glibmm/main.h>

#include <algorithm>

namespace controls {

ScaledImage::ScaledImage(Render render) : render_(std::move(render)), pending_(static_cast<bool>(render_)) {
    set_has_window(false);
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
    Gtk::Widget::on_map();
    // Seen by screen readers as a picture, as a GtkImage is (a name given meanwhile is kept).
    if (get_accessible()->get_role() == Atk::ROLE_UNKNOWN) get_accessible()->set_role(Atk::ROLE_ICON);
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
        Show({}, 0, 0);
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
    Show(Cairo::RefPtr<Cairo::Surface>(new Cairo::Surface(surface, true)), ww / scale, wh / scale);
}

void ScaledImage::Show(Cairo::RefPtr<Cairo::Surface> surface, int width, int height) {
    const bool resized = width != logical_width_ || height != logical_height_;
    surface_ = std::move(surface);
    logical_width_ = width;
    logical_height_ = height;
    if (resized) queue_resize();
    queue_draw();
}

bool ScaledImage::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
    if (!surface_) return false;
    // Centred in the place given, on whole logical pixels.
    const int x = (get_allocated_width() - logical_width_) / 2;
    const int y = (get_allocated_height() - logical_height_) / 2;
    cr->set_source(surface_, x, y);
    cr->paint();
    return false;
}

Gtk::SizeRequestMode ScaledImage::get_request_mode_vfunc() const {
    return Gtk::SIZE_REQUEST_CONSTANT_SIZE;
}

void ScaledImage::get_preferred_width_vfunc(int& minimum, int& natural) const {
    minimum = natural = logical_width_;
}

void ScaledImage::get_preferred_height_vfunc(int& minimum, int& natural) const {
    minimum = natural = logical_height_;
}

void ScaledImage::get_preferred_width_for_height_vfunc(int, int& minimum, int& natural) const {
    get_preferred_width_vfunc(minimum, natural);
}

void ScaledImage::get_preferred_height_for_width_vfunc(int, int& minimum, int& natural) const {
    get_preferred_height_vfunc(minimum, natural);
}

Glib::RefPtr<Gdk::Pixbuf> BitmapAtScale(const Glib::RefPtr<Gdk::Pixbuf>& bitmap, int scale) {
    if (!bitmap || scale <= 1) return bitmap;
    return bitmap->scale_simple(bitmap->get_width() * scale, bitmap->get_height() * scale, Gdk::INTERP_NEAREST);
}

} // namespace controls
