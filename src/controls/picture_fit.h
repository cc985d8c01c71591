// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way a window shows a picture: reduced to the room it is shown in, and never
// turned into a surface larger than that room. A picture may be far wider or taller than
// any window or X pixmap can be (the loaders take up to 48 million pixels in a row); a
// full-size copy of it would fail to allocate in the X server or in memory. So the
// picture is sampled straight into a surface of the size shown, at a cost set by that
// size, not by the picture's.

#include "pictures/bitmap.h"

#include <gdkmm/pixbuf.h>

#include <cstddef>
#include <cstdint>

namespace controls {

struct ShownSize {
    int width = 0;
    int height = 0;
    bool operator==(const ShownSize&) const = default;
};

// Pixels of 0x??RRGGBB (a Bitmap's, or those of a Cairo RGB24 image), rows `stride`
// pixels apart.
struct PixelView {
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
};

// The size a picture of pw × ph is shown at in a room of rw × rh: its own size when it
// fits, else reduced by the tighter of the two ratios, keeping its proportions (rounded
// to nearest, each side at least one pixel). {0, 0} for a picture or room without pixels.
ShownSize FittedSize(int pw, int ph, int rw, int rh);

// The picture at its FittedSize in the room, as an opaque GDK picture: each pixel the mean
// of up to 4 × 4 samples of the part of the picture it covers. Empty (refused) when the
// picture cannot be shown: no pixels, fewer pixels than its size claims, a room without
// pixels, or no memory for the surface.
Glib::RefPtr<Gdk::Pixbuf> FitPicture(const PixelView& picture, int rw, int rh);
Glib::RefPtr<Gdk::Pixbuf> FitPicture(const pictures::Bitmap& picture, int rw, int rh);

// The room a window has for a picture shown at its own size: the work area of the screen's
// main monitor less the given frame around it (at least one pixel each way).
ShownSize ScreenRoom(int frame_width, int frame_height);

} // namespace controls
