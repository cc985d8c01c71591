// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/page_recorder.h"

namespace app {

PageRecorder::~PageRecorder() {
    Clear();
}

void PageRecorder::Clear() {
    canvas_.reset();
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
    cr_ = nullptr;
    surface_ = nullptr;
    for (cairo_surface_t* page : pages_) cairo_surface_destroy(page);
    pages_.clear();
}

gfx::Canvas* PageRecorder::Begin(const gfx::Device& device) {
    Clear();
    device_ = device;
    const cairo_rectangle_t extents{0, 0, static_cast<double>(device.width), static_cast<double>(device.height)};
    surface_ = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents);
    cr_ = cairo_create(surface_);
    canvas_ = std::make_unique<gfx::CairoCanvas>(cr_, device, [this] { KeepPage(); });
    return canvas_.get();
}

// Copies what was drawn into a page of its own, then empties the drawing surface for the
// next page (a clear over everything drops the recorded operations).
void PageRecorder::KeepPage() {
    const cairo_rectangle_t extents{0, 0, static_cast<double>(device_.width), static_cast<double>(device_.height)};
    cairo_surface_t* page = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents);
    cairo_t* copy = cairo_create(page);
    cairo_set_source_surface(copy, surface_, 0, 0);
    cairo_paint(copy);
    cairo_destroy(copy);
    pages_.push_back(page);
    cairo_save(cr_);
    cairo_identity_matrix(cr_);
    cairo_reset_clip(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr_);
    cairo_restore(cr_);
}

void PageRecorder::End() {
    if (!canvas_) return;
    KeepPage();
    canvas_.reset();
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
    cr_ = nullptr;
    surface_ = nullptr;
}

void PageRecorder::Replay(cairo_t* cr, int index) const {
    if (index < 0 || index >= PageCount()) return;
    cairo_save(cr);
    cairo_set_source_surface(cr, pages_[static_cast<std::size_t>(index)], 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

} // namespace app
