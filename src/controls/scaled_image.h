// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture drawn for the screen's scale. On a screen of scale 2 (GDK_SCALE=2, a HiDPI
// monitor) a picture made at its size in logical pixels would be enlarged by the toolkit
// and look blurred; this one asks for the picture at scale × its size and shows it with
// that device scale, pixel for pixel, and asks again when the window moves to a screen of
// another scale. A picture asked for before the widget is on the screen is made just after
// it is (the window appears without waiting for it: making one may load fonts).
//
// It is a light widget of its own rather than a GtkImage: it asks for the picture's size and
// draws it centred, and measuring it costs nothing (a GtkImage measures the font's metrics
// for its baseline each time it is measured, which for the window's many pictures was a
// noticeable part of the time to the first frame).

#include <cairomm/surface.h>
#include <gdkmm/pixbuf.h>
#include <gtkmm/widget.h>

#include <functional>

namespace controls {

class ScaledImage : public Gtk::Widget {
public:
    // Makes the picture for a scale: scale × the logical size, or empty for none.
    using Render = std::function<Glib::RefPtr<Gdk::Pixbuf>(int scale)>;

    explicit ScaledImage(Render render = {});
    ~ScaledImage() override;

    // A new way of making the picture; the picture is made at once for the widget's scale.
    void SetRender(Render render);
    // The picture as last made, in device pixels (empty before one was made).
    Glib::RefPtr<Gdk::Pixbuf> Shown() const { return shown_; }
    int ShownScale() const { return shown_scale_; }

protected:
    void on_map() override;
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
    Gtk::SizeRequestMode get_request_mode_vfunc() const override;
    void get_preferred_width_vfunc(int& minimum, int& natural) const override;
    void get_preferred_height_vfunc(int& minimum, int& natural) const override;
    void get_preferred_width_for_height_vfunc(int height, int& minimum, int& natural) const override;
    void get_preferred_height_for_width_vfunc(int width, int& minimum, int& natural) const override;

private:
    void Update();
    // Shows a surface of the given size in logical pixels (none: nothing).
    void Show(Cairo::RefPtr<Cairo::Surface> surface, int width, int height);

    Render render_;
    Glib::RefPtr<Gdk::Pixbuf> shown_;
    Cairo::RefPtr<Cairo::Surface> surface_; // the picture's device pixels, with the device scale
    int logical_width_ = 0, logical_height_ = 0;
    int shown_scale_ = 0;
    bool pending_ = false;
    sigc::connection later_;
};

// A bitmap at a scale: each of its pixels becomes scale × scale equal pixels, as a
// bitmap's pixels are meant to be seen (no blur between them).
Glib::RefPtr<Gdk::Pixbuf> BitmapAtScale(const Glib::RefPtr<Gdk::Pixbuf>& bitmap, int scale);

} // namespace controls
