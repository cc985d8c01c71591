// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The last step of a PDF document, after Cairo has written it, for what Cairo cannot say:
// grays are written as grays (Cairo writes every colour as RGB, so a printer would make its
// black from four inks), and the document's language.

#include <string>
#include <string_view>

namespace gfx {

// A content stream with every `r g b rg` / `r g b RG` whose three numbers are equal written
// as `r g` / `r G`; everything else as it was.
std::string GrayColours(std::string_view content);

// The document rewritten: every colour of its page and form contents whose red, green and
// blue are equal becomes that gray (`0 g` for `0 0 0 rg`), and the catalog gets /Lang
// language (when not empty) and asks viewers to show the document's title. Empty, with the
// reason in *error, when the document cannot be read.
std::string FinishPdf(std::string_view pdf, std::string_view language, std::string* error);

} // namespace gfx
