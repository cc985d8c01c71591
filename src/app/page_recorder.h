// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A month's document drawn once into Cairo recording surfaces, one per page, so that a
// print operation (which asks for pages one at a time) can replay them; the pages stay
// vector drawings.

#include "gfx/cairo_canvas.h"

#include <memory>
#include <vector>

namespace app {

class PageRecorder {
public:
    PageRecorder() = default;
    ~PageRecorder();
    PageRecorder(const PageRecorder&) = delete;
    PageRecorder& operator=(const PageRecorder&) = delete;

    // A canvas of the device whose NewPage starts the next recorded page. Earlier pages are
    // dropped.
    gfx::Canvas* Begin(const gfx::Device& device);
    // Ends the last page.
    void End();

    int PageCount() const { return static_cast<int>(pages_.size()); }
    const gfx::Device& device() const { return device_; }
    // Paints page index (0-based) on a context whose unit is scaled to device pixels.
    void Replay(cairo_t* cr, int index) const;

private:
    void KeepPage();
    void Clear();

    gfx::Device device_;
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
    std::unique_ptr<gfx::CairoCanvas> canvas_;
    std::vector<cairo_surface_t*> pages_;
};

} // namespace app
