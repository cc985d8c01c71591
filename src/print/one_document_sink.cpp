// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/one_document_sink.h"

namespace print {

gfx::Canvas* OneDocumentSink::BeginDocument(const pages::PrintState& state, const gfx::Device& device) {
    if (canvas_ == nullptr) {
        canvas_ = document_.BeginDocument(state, device);
    } else {
        canvas_->NewPage();
        canvas_->ResetDrawingState();
    }
    return canvas_;
}

bool OneDocumentSink::Finish() {
    if (canvas_ == nullptr) return true;
    canvas_ = nullptr;
    return document_.EndDocument();
}

} // namespace print
