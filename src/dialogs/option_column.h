// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The controls of the configuration dialog's pages: a bare check box or radio button with
// its vertical caption below it (a click on the caption acts on the box), a framed group
// with its vertical caption at the right, and a margin button with its value label.

#include "controls/vertical_label.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/radiobutton.h>

#include <memory>
#include <string>
#include <vector>

namespace dialogs {

class OptionColumn : public Gtk::Box {
public:
    // A check box, or a radio button of group when one is given.
    OptionColumn(const std::string& caption, int label_height, Gtk::RadioButtonGroup* group = nullptr);

    Gtk::ToggleButton& Box() { return *toggle_; }
    bool Active() const { return toggle_->get_active(); }
    void SetActive(bool active) { toggle_->set_active(active); }
    bool IsRadio() const { return radio_; }
    controls::VerticalLabel& Label() { return label_; }
    Gtk::EventBox& LabelArea() { return label_area_; }
    const std::string& Caption() const { return label_.Caption(); }
    // The box and its caption look and act enabled or not.
    void Enable(bool enabled);
    // What a click on the caption does: a check box is toggled, a radio button checked.
    void ToggleFromLabel();

private:
    bool radio_;
    std::unique_ptr<Gtk::ToggleButton> toggle_;
    Gtk::EventBox label_area_;
    controls::VerticalLabel label_;
};

// Columns side by side from right to left under a vertical caption at the right edge.
class OptionGroup : public Gtk::Box {
public:
    OptionGroup(const std::string& caption, int caption_height);

    // Adds a column to the left of the ones before.
    void AddColumn(Gtk::Widget& column);
    controls::VerticalLabel& CaptionLabel() { return caption_; }

private:
    controls::VerticalLabel caption_;
    Gtk::Box columns_;
};

// A margin button ("上", "下", "左", "右") over the label that shows its value.
class MarginItem : public Gtk::Box {
public:
    MarginItem(int tag, const std::string& side);

    int Tag() const { return tag_; }
    Gtk::Button& Button() { return button_; }
    controls::VerticalLabel& ValueLabel() { return value_; }

private:
    int tag_;
    Gtk::Button button_;
    controls::VerticalLabel side_;
    controls::VerticalLabel value_;
};

} // namespace dialogs
