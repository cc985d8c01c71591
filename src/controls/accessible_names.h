// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names and roles screen readers read for the program's own controls: vertical labels,
// picture buttons, the painted boxes and lists. GTK names its own widgets by their text;
// a control that paints its caption itself has none unless it is given one.

#include <atkmm/object.h>
#include <gtkmm/widget.h>

#include <string>

namespace controls {

// Names a widget for assistive technology, and gives it a role when one is given.
void SetAccessibleName(Gtk::Widget& widget, const std::string& name, Atk::Role role = Atk::ROLE_INVALID);

// Names every button, toggle, picture and painted box inside widget that has no name yet:
// by the caption of the vertical label it holds, else by its tooltip.
void NameUnnamedControls(Gtk::Widget& widget);

} // namespace controls
