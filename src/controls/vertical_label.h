// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// VerticalLabel: the one vertical label of every window and dialog. Its caption runs top to
// bottom from the top right corner, drawn through the program's canvas on the widget's
// Cairo context, so a label on screen and a column on paper are set alike.

#include "controls/vertical_text.h"

#include <gtkmm/drawingarea.h>

namespace controls {

enum class LabelAlignment { kLeftJustify, kRightJustify, kCenter };

class VerticalLabel : public Gtk::DrawingArea {
public:
    // Designed size 15 × 65 unless given.
    explicit VerticalLabel(std::string caption = {}, int width = 15, int height = 65);
    ~VerticalLabel() override;

    const std::string& Caption() const { return look_.caption; }
    void SetCaption(std::string caption);
    const LabelFont& Font() const { return look_.font; }
    // A new font takes effect at once: the rotated font is made again from it.
    void SetFont(const LabelFont& font);
    void SetFontColor(base::Color color);
    bool Transparent() const { return look_.transparent; }
    void SetTransparent(bool transparent);
    void SetColor(base::Color color);
    base::Color Color() const { return look_.background; }
    LabelAlignment Alignment() const { return alignment_; }
    void SetAlignment(LabelAlignment alignment);
    LabelLayout Layout() const { return look_.layout; }
    void SetLayout(LabelLayout layout);
    bool WordWrap() const { return word_wrap_; }
    void SetWordWrap(bool word_wrap);
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool auto_size) { auto_size_ = auto_size; }
    bool ShowAccelChar() const { return show_accel_char_; }
    void SetShowAccelChar(bool show);
    // The widget that takes the focus when the caption's accelerator (the character after
    // "&") is pressed with Alt; null for none. Forgotten when that widget is destroyed.
    Gtk::Widget* FocusControl() const { return focus_control_; }
    void SetFocusControl(Gtk::Widget* widget);
    // Moves the focus for an accelerator key; true when it did (the key is then handled).
    bool HandleAccelerator(guint keyval);

    // The look the label paints, for tests and for drawing it elsewhere.
    LabelLook Look() const;

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
    void on_hierarchy_changed(Gtk::Widget* previous_toplevel) override;

private:
    LabelLook look_;
    LabelAlignment alignment_ = LabelAlignment::kLeftJustify;
    bool word_wrap_ = false;
    bool auto_size_ = true;
    bool show_accel_char_ = true;
    Gtk::Widget* focus_control_ = nullptr;
    sigc::connection key_connection_;
};

} // namespace controls
