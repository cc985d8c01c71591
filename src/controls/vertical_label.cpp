// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/vertical_label.h"

#include "controls/accessible_names.h"
#include "controls/gdk_bitmap.h"
#include "gfx/cairo_canvas.h"

#include <gtkmm/window.h>

namespace controls {

VerticalLabel::VerticalLabel(std::string caption, int width, int height) {
    look_.caption = std::move(caption);
    look_.background = SystemColor(SystemColorRole::kButtonFace);
    look_.highlight = SystemColor(SystemColorRole::kButtonHighlight);
    look_.shadow = SystemColor(SystemColorRole::kButtonShadow);
    set_size_request(width, height);
    SetAccessibleName(*this, look_.caption, Atk::ROLE_LABEL);
}

VerticalLabel::~VerticalLabel() {
    SetFocusControl(nullptr);
}

void VerticalLabel::SetCaption(std::string caption) {
    if (caption == look_.caption) return;
    look_.caption = std::move(caption);
    SetAccessibleName(*this, look_.caption);
    queue_draw();
}

void VerticalLabel::SetFont(const LabelFont& font) {
    look_.font = font;
    queue_draw();
}

void VerticalLabel::SetFontColor(base::Color color) {
    look_.font.color = color;
    queue_draw();
}

void VerticalLabel::SetTransparent(bool transparent) {
    if (transparent == look_.transparent) return;
    look_.transparent = transparent;
    queue_draw();
}

void VerticalLabel::SetColor(base::Color color) {
    if (color == look_.background) return;
    look_.background = color;
    queue_draw();
}

void VerticalLabel::SetAlignment(LabelAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    queue_draw();
}

void VerticalLabel::SetLayout(LabelLayout layout) {
    if (layout == look_.layout) return;
    look_.layout = layout;
    queue_draw();
}

void VerticalLabel::SetWordWrap(bool word_wrap) {
    if (word_wrap == word_wrap_) return;
    word_wrap_ = word_wrap;
    queue_draw();
}

void VerticalLabel::SetShowAccelChar(bool show) {
    if (show == show_accel_char_) return;
    show_accel_char_ = show;
    queue_draw();
}

void VerticalLabel::SetFocusControl(Gtk::Widget* widget) {
    // The label no longer hears of the destruction of a control it has let go.
    if (focus_control_) focus_control_->remove_destroy_notify_callback(this);
    focus_control_ = widget;
    if (widget) {
        widget->add_destroy_notify_callback(this, [](void* data) -> void* {
            static_cast<VerticalLabel*>(data)->focus_control_ = nullptr;
            return nullptr;
        });
    }
}

bool VerticalLabel::HandleAccelerator(guint keyval) {
    if (!focus_control_ || !show_accel_char_ || !is_sensitive()) return false;
    const char32_t accel = AcceleratorOf(look_.caption);
    if (accel == 0 || static_cast<char32_t>(gdk_keyval_to_unicode(gdk_keyval_to_lower(keyval))) != accel) return false;
    if (!focus_control_->get_can_focus() || !focus_control_->is_sensitive()) return false;
    focus_control_->grab_focus();
    return true;
}

LabelLook VerticalLabel::Look() const {
    LabelLook look = look_;
    look.enabled = is_sensitive(); // also off inside a disabled container
    return look;
}

bool VerticalLabel::on_draw(const Cairo::RefPtr<Cairo::Context>& cr) {
    const int width = get_allocated_width();
    const int height = get_allocated_height();
    gfx::CairoCanvas canvas(cr->cobj(), gfx::Device{width, height, gfx::kPixelsPerInch, gfx::kPixelsPerInch, 256});
    DrawVerticalLabel(canvas, gfx::Rect{0, 0, width, height}, Look());
    return true;
}

// The accelerator reaches the label through its window's key presses (Alt + key).
void VerticalLabel::on_hierarchy_changed(Gtk::Widget* previous_toplevel) {
    Gtk::DrawingArea::on_hierarchy_changed(previous_toplevel);
    key_connection_.disconnect();
    auto* window = dynamic_cast<Gtk::Window*>(get_toplevel());
    if (!window) return;
    key_connection_ = window->signal_key_press_event().connect(
        [this](GdkEventKey* event) {
            if (!(event->state & GDK_MOD1_MASK)) return false;
            return HandleAccelerator(event->keyval);
        },
        false);
}

} // namespace controls
