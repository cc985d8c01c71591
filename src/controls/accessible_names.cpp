// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/accessible_names.h"

#include "controls/scaled_image.h"
#include "controls/vertical_label.h"

#include <gtkmm/button.h>
#include <gtkmm/container.h>
#include <gtkmm/drawingarea.h>
#include <gtkmm/image.h>

namespace controls {
namespace {

std::string CaptionInside(Gtk::Widget& widget) {
    if (auto* label = dynamic_cast<VerticalLabel*>(&widget)) return label->Caption();
    if (auto* container = dynamic_cast<Gtk::Container*>(&widget))
        for (Gtk::Widget* child : container->get_children())
            if (std::string caption = CaptionInside(*child); !caption.empty()) return caption;
    return {};
}

} // namespace

void SetAccessibleName(Gtk::Widget& widget, const std::string& name, Atk::Role role) {
    Glib::RefPtr<Atk::Object> accessible = widget.get_accessible();
    if (!accessible) return;
    accessible->set_name(name);
    if (role != Atk::ROLE_INVALID) accessible->set_role(role);
}

void NameUnnamedControls(Gtk::Widget& widget) {
    const bool button = dynamic_cast<Gtk::Button*>(&widget) != nullptr;
    if (button || dynamic_cast<Gtk::DrawingArea*>(&widget) || dynamic_cast<Gtk::Image*>(&widget) ||
        dynamic_cast<ScaledImage*>(&widget)) {
        Glib::RefPtr<Atk::Object> accessible = widget.get_accessible();
        if (accessible && accessible->get_name().empty()) {
            std::string name = button ? CaptionInside(widget) : std::string();
            if (name.empty()) name = widget.get_tooltip_text();
            if (!name.empty()) accessible->set_name(name);
        }
    }
    if (auto* container = dynamic_cast<Gtk::Container*>(&widget))
        for (Gtk::Widget* child : container->get_children())
            NameUnnamedControls(*child);
}

} // namespace controls
