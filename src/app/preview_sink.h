// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The document sink of the preview: the page drawn into an image in memory.

#include "gfx/cairo_canvas.h"
#include "print/print_run.h"

#include <memory>

namespace app {

class PreviewImageSink : public print::DocumentSink {
public:
    gfx::Canvas* BeginDocument(const pages::PrintState& state, const gfx::Device& device) override;
    bool EndDocument() override { return canvas_ != nullptr; }

    // The page, or null when it could not be made; owned by the sink.
    cairo_surface_t* surface() const { return canvas_ ? canvas_->surface() : nullptr; }
    int width() const { return device_.width; }
    int height() const { return device_.height; }

private:
    gfx::Device device_;
    std::unique_ptr<gfx::CairoCanvas> canvas_;
};

} // namespace app
