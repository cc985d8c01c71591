// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures of the eight format buttons: each format's own page, drawn by the page
// routines for the current month and reduced to the button, so the button shows what it
// prints.

#include "pages/print_state.h"

#include <gdkmm/pixbuf.h>

namespace app {

// The page of `format` for the state's first month on paper of width_mm × height_mm,
// fitted into width × height pixels. Messages of the drawing are not shown.
Glib::RefPtr<Gdk::Pixbuf> FormatThumbnail(const pages::PrintState& state, pages::Format format, double width_mm,
                                          double height_mm, int width, int height);

} // namespace app
