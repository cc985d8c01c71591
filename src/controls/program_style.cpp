// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/program_style.h"

#include <gtkmm/cssprovider.h>
#include <gtkmm/stylecontext.h>

namespace controls {

void InstallProgramStyle() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    auto css = Gtk::CssProvider::create();
    css->load_from_data(R"(
        window.qelmarin, window.qelmarin frame, window.qelmarin scrolledwindow { background-color: #c0c0c0; }
        button.qelmarin-flat, button.qelmarin-format, button.qelmarin-strip-button {
            padding: 0; min-width: 0; min-height: 0; border-radius: 2px;
        }
        button.qelmarin-format:checked { background-image: none; background-color: #a8a8a8; border-color: #000080; }
        /* The format buttons are drawn without their radio mark: the theme's mark picture is
           never loaded for them. */
        button.qelmarin-format radio { -gtk-icon-source: none; }
        /* The keyboard's place, plain to see on the grey buttons (drawn once a key is used). */
        button.qelmarin-flat:focus, button.qelmarin-format:focus, button.qelmarin-strip-button:focus {
            border-color: #000080; box-shadow: inset 0 0 0 2px #000080;
        }
        progressbar trough, progressbar progress { min-height: 14px; }
        /* Check boxes and radio buttons: a white box in a dark frame, the mark in navy like
           every other choice; disabled, the box takes the window's grey and the frame and mark
           the grey of the disabled captions beside them. */
        check, radio {
            background-image: none; background-color: #ffffff; border: 1px solid #404040;
            box-shadow: none; color: #000080; -gtk-icon-shadow: none;
        }
        check { border-radius: 2px; }
        check:disabled, radio:disabled { background-color: #c0c0c0; border-color: #808080; color: #808080; }
    )");
    Gtk::StyleContext::add_provider_for_screen(Gdk::Screen::get_default(), css,
                                               GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

} // namespace controls
