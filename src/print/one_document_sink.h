// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every month of a print run in one document, as a user who wants the whole range in one
// file asks for it: the months follow each other on new pages of the document that the
// underlying sink begins for the first month, so that a PDF embeds its fonts once.

#include "print/print_run.h"

namespace print {

class OneDocumentSink : public DocumentSink {
public:
    // The underlying sink is asked for one document, at the first month that draws.
    explicit OneDocumentSink(DocumentSink& document) : document_(document) {}

    // The first month begins the document; every later one begins a new page of it, with
    // the drawing state of a new canvas, as a document of its own would.
    gfx::Canvas* BeginDocument(const pages::PrintState& state, const gfx::Device& device) override;
    // The end of a month: nothing is written yet.
    bool EndDocument() override { return true; }

    // Ends the one document after the run; false when it could not be written, true when no
    // month was begun at all.
    bool Finish();

private:
    DocumentSink& document_;
    gfx::Canvas* canvas_ = nullptr;
};

} // namespace print
