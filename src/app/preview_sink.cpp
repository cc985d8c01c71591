// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preview_sink.h"

namespace app {

gfx::Canvas* PreviewImageSink::BeginDocument(const pages::PrintState& state, const gfx::Device& device) {
    device_ = device;
    std::string error;
    canvas_ = gfx::CairoCanvas::CreateImage(device, &error);
    if (!canvas_ && state.reporter) state.reporter->ShowMessage(error, "Error");
    return canvas_.get();
}

} // namespace app
