// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Picture decoding through gdk-pixbuf's loaders, for the formats it reads well (BMP, icons).

#include "pictures/bitmap.h"

#include <cstdint>
#include <optional>
#include <span>

namespace pictures {

// Decodes an image of the given gdk-pixbuf loader type ("bmp", "ico"). Transparent pixels
// are laid on white. nullopt when the loader fails, the image has no pixels or it exceeds
// the program's picture size limit.
std::optional<Bitmap> DecodeWithPixbuf(std::span<const std::uint8_t> bytes, const char* type);

} // namespace pictures
