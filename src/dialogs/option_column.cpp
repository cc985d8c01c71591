// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/option_column.h"

#include "controls/accessible_names.h"

namespace dialogs {

OptionColumn::OptionColumn(const std::string& caption, int label_height, Gtk::RadioButtonGroup* group)
    : Gtk::Box(Gtk::ORIENTATION_VERTICAL), radio_(group != nullptr), label_(caption, 15, label_height) {
    if (group) {
        toggle_ = std::make_unique<Gtk::RadioButton>(*group);
    } else {
        toggle_ = std::make_unique<Gtk::CheckButton>();
    }
    toggle_->set_halign(Gtk::ALIGN_CENTER);
    // The box is read by the caption beside it.
    controls::SetAccessibleName(*toggle_, caption);
    toggle_->set_focus_on_click(false);
    pack_start(*toggle_, false, false);
    label_.SetTransparent(true);
    label_area_.set_visible_window(false);
    label_area_.set_above_child(true); // the caption draws in a window of its own
    label_area_.add(label_);
    label_area_.add_events(Gdk::BUTTON_PRESS_MASK);
    label_area_.signal_button_press_event().connect([this](GdkEventButton* event) {
        if (event->type == GDK_BUTTON_PRESS && event->button == 1) ToggleFromLabel();
        return true;
    });
    label_area_.set_halign(Gtk::ALIGN_CENTER);
    pack_start(label_area_, false, false, 2);
    set_size_request(22, -1);
}

void OptionColumn::ToggleFromLabel() {
    if (!toggle_->is_sensitive()) return;
    toggle_->set_active(radio_ ? true : !toggle_->get_active());
}

void OptionColumn::Enable(bool enabled) {
    toggle_->set_sensitive(enabled);
    label_.set_sensitive(enabled);
    label_.queue_draw();
}

OptionGroup::OptionGroup(const std::string& caption, int caption_height)
    : Gtk::Box(Gtk::ORIENTATION_HORIZONTAL), caption_(caption, 15, caption_height),
      columns_(Gtk::ORIENTATION_HORIZONTAL) {
    set_border_width(3);
    caption_.SetTransparent(true);
    controls::LabelFont font;
    font.color = 0x800000;
    caption_.SetFont(font);
    pack_end(caption_, false, false, 2);
    pack_end(columns_, false, false);
    columns_.set_spacing(1);
}

void OptionGroup::AddColumn(Gtk::Widget& column) {
    columns_.pack_end(column, false, false);
}

MarginItem::MarginItem(int tag, const std::string& side)
    // The value label holds three numerals: margins run to 999 millimetres.
    : Gtk::Box(Gtk::ORIENTATION_VERTICAL), tag_(tag), side_(side, 15, 15), value_("", 15, 42) {
    side_.SetTransparent(true);
    button_.add(side_);
    button_.set_size_request(22, 22);
    button_.set_focus_on_click(false);
    button_.get_style_context()->add_class("qelmarin-flat");
    pack_start(button_, false, false);
    value_.SetColor(0xFFFFFF);
    value_.set_halign(Gtk::ALIGN_CENTER);
    pack_start(value_, false, false, 2);
}

} // namespace dialogs
