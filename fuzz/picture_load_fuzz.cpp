// SPDX-License-Identifier: GPL-3.0-or-later
// The picture loaders on arbitrary bytes: the first byte chooses the loader, the rest is the
// file. Nothing may crash, read out of bounds or allocate without limit.

#include "base/reporter.h"
#include "pictures/bmp_image.h"
#include "pictures/jpeg_image.h"
#include "pictures/picture_file.h"
#include "pictures/pixbuf_image.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::span<const std::uint8_t> file(data + 1, size - 1);
    base::RecordingReporter reporter;
    std::optional<pictures::Bitmap> bitmap;
    switch (data[0] % 4) {
    case 0:
        bitmap = pictures::DecodeBmpImage(file);
        break;
    case 1:
        bitmap = pictures::DecodeJpegImage(file);
        break;
    case 2:
        bitmap = pictures::DecodeWithPixbuf(file, "ico");
        break;
    default:
        bitmap = pictures::DecodeCmpPicture(file, "fuzz", reporter);
        break;
    }
    if (bitmap) {
        if (bitmap->empty() || bitmap->pixels.size() != static_cast<std::size_t>(bitmap->width) * bitmap->height) {
            std::abort();
        }
        // A loaded picture must write out as a .bmp image that loads again at the same size
        // (checked on small pictures, where it costs little).
        if (bitmap->pixels.size() > 65536) return 0;
        const auto again = pictures::DecodeBmpImage(pictures::EncodeBmpImage(*bitmap));
        if (!again || again->width != bitmap->width || again->height != bitmap->height) std::abort();
    }
    return 0;
}
