// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/format_thumbnails.h"

#include "controls/picture_fit.h"
#include "gfx/cairo_canvas.h"
#include "pages/page_routines.h"
#include "print/paper_sizes.h"
#include "print/print_setup.h"

#include <algorithm>

namespace app {

Glib::RefPtr<Gdk::Pixbuf> FormatThumbnail(const pages::PrintState& state, pages::Format format, double width_mm,
                                          double height_mm, int width, int height) {
    // Drawn at three times the button's scale, and at no fewer than 60 dots per inch
    // (below about 50 the list page leaves its columns out), then reduced, so that lines
    // and text read as a miniature rather than vanish.
    constexpr int kOversample = 3;
    constexpr int kMinimumDpi = 60;
    const double inches_w = width_mm / 25.4, inches_h = height_mm / 25.4;
    const int dpi =
        std::max(kMinimumDpi, static_cast<int>(std::min(width / inches_w, height / inches_h) * kOversample));
    const gfx::Device device{print::PaperPixels(width_mm, dpi), print::PaperPixels(height_mm, dpi), dpi, dpi, 256};
    std::string error;
    auto canvas = gfx::CairoCanvas::CreateImage(device, &error);
    const pages::PageRoutineEntry* entry = pages::FindPageRoutine(static_cast<int>(format));
    if (!canvas || !entry) return {};

    pages::PrintState page = state;
    base::RecordingReporter quiet;
    page.reporter = &quiet;
    page.progress = {};
    page.format = format;
    page.dpi_x = page.dpi_y = dpi;
    page.colors = 256;
    page.printing = false;
    page.first_day = page.last_day = 1;
    if (!print::PrepareMonth(page, page.from_month)) return {}; // no picture from days not there
    entry->draw(*canvas, page);

    cairo_surface_t* surface = canvas->surface();
    cairo_surface_flush(surface);
    const controls::PixelView page_pixels{reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface)),
                                          cairo_image_surface_get_width(surface),
                                          cairo_image_surface_get_height(surface),
                                          cairo_image_surface_get_stride(surface) / 4};
    return controls::FitPicture(page_pixels, width, height);
}

} // namespace app
