// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a JPEG file, the path the commentary database's pictures and the
// picture dialogs take: nothing may crash, read out of bounds, allocate past the decoding
// budget, or make up rows that the file does not hold.

#include "pictures/jpeg_image.h"
#include "pictures/picture_limits.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const std::optional<pictures::Bitmap> bitmap = pictures::DecodeJpegImage(file);
    if (!bitmap) return 0;
    if (bitmap->empty() || bitmap->pixels.size() != static_cast<std::size_t>(bitmap->width) * bitmap->height ||
        !pictures::PictureWithinBudget(bitmap->width, bitmap->height, static_cast<std::int64_t>(size))) {
        std::abort();
    }
    return 0;
}
