// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// JPEG file images through the libjpeg API (libjpeg-turbo).

#include "pictures/bitmap.h"

#include <cstdint>
#include <optional>
#include <span>
#include <stop_token>
#include <vector>

namespace pictures {

// Decodes a JPEG image (greyscale, YCbCr, RGB, CMYK); bytes after its end are ignored.
// nullopt for data libjpeg cannot read, an image larger than the program allows, a
// progressive image of more scans than JpegScanAllowed allows, and when stop is requested
// (checked at every row of the image and every scan).
std::optional<Bitmap> DecodeJpegImage(std::span<const std::uint8_t> bytes, std::stop_token stop = {});

// A baseline JPEG of the bitmap at the given quality (1 … 100); empty for an empty bitmap.
std::vector<std::uint8_t> EncodeJpegImage(const Bitmap& bitmap, int quality);

} // namespace pictures
