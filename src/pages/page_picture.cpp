// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/page_picture.h"

#include "base/reporter.h"
#include "pictures/picture_file.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace pages {
namespace {

// Full pictures are scaled and drawn this many picture pixels square at a time, so that
// long drawing reports its progress tile by tile.
constexpr int kTile = 80;

constexpr std::string_view kProgressText = "絵を印刷中";

// The corner picture's width for "BMPPrintSize": 0 its own width, 1 half, 2 a quarter, 3
// a sixth of the page width. Values outside 0 … 3 (a hand-edited file) count as the
// default 3.
int CornerWidth(int picture_size, int picture_width, int page_width) {
    switch (picture_size) {
    case 0:
        return picture_width;
    case 1:
        return page_width / 2;
    case 2:
        return page_width / 4;
    default:
        return page_width / 6;
    }
}

// A monochrome printer gets the picture in grey (the luminance of each pixel), so that a
// colour picture prints as shades rather than at the mercy of the driver's colour mapping.
pictures::Bitmap GreyPicture(const pictures::Bitmap& picture) {
    pictures::Bitmap grey = picture;
    for (std::uint32_t& p : grey.pixels) {
        const std::uint32_t r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
        const std::uint32_t y = (299 * r + 587 * g + 114 * b + 500) / 1000;
        p = (p & 0xFF000000u) | y << 16 | y << 8 | y;
    }
    return grey;
}

void DrawFullPicture(gfx::Canvas& canvas, const PrintState& state, const PictureRequest& request,
                     const pictures::Bitmap& picture) {
    const gfx::Rect& area = request.area;
    const int aw = area.width(), ah = area.height();
    const int w = picture.width, h = picture.height;
    double s = static_cast<double>(ah) / h;
    if (static_cast<double>(aw) / w < s) s = static_cast<double>(aw) / w;
    const int dw = static_cast<int>(std::trunc(w * s));
    const int dh = static_cast<int>(std::trunc(h * s));
    if (dw <= 0 || dh <= 0) return;

    gfx::Rect drawn{area.left, area.top, area.left + dw, area.top + dh};
    const int free_width = aw - dw;
    auto move_to = [&](int left, int top) { drawn = {left, top, left + dw, top + dh}; };
    switch (request.placement) {
    case Placement::kCentred:
        move_to(area.left + (dw < aw ? free_width / 2 : 0), area.top + (dh < ah ? (ah - dh) / 2 : 0));
        break;
    case Placement::kRightBottom:
        move_to(area.left + free_width, area.top + ah - dh);
        break;
    case Placement::kBottom:
        move_to(area.left, area.top + ah - dh);
        break;
    case Placement::kRight:
        move_to(area.left + free_width, area.top);
        break;
    }

    // Each 80 × 80 piece of the picture goes to the part of the drawn rectangle it scales
    // to, edges rounded down alike for neighbours, so tiles meet without gaps and the last
    // row and column end exactly at the picture's edge.
    auto edge = [s](int start, int offset, int limit) {
        return std::min(limit, start + static_cast<int>(std::trunc(offset * s)));
    };
    // The tiles all come from this picture, which lives until the last one is drawn; they
    // cover the drawn rectangle, where a document places the picture once, whole. The tiles
    // still pace the progress reports (and the window's repaints between them).
    const gfx::PictureHold hold(canvas, picture, request.color_level, drawn);
    const int columns = (w + kTile - 1) / kTile, rows = (h + kTile - 1) / kTile;
    const int total = columns * rows;
    int counter = 0;
    for (int sy = 0; sy < h; sy += kTile) {
        const int th = std::min(kTile, h - sy);
        const int top = edge(drawn.top, sy, drawn.bottom);
        const int bottom = sy + th >= h ? drawn.bottom : edge(drawn.top, sy + th, drawn.bottom);
        for (int sx = 0; sx < w; sx += kTile) {
            const int tw = std::min(kTile, w - sx);
            const int left = edge(drawn.left, sx, drawn.right);
            const int right = sx + tw >= w ? drawn.right : edge(drawn.left, sx + tw, drawn.right);
            ++counter;
            if (state.progress) state.progress(kProgressText, counter * 100 / total);
            if (right > left && bottom > top)
                canvas.DrawPicture({left, top, right, bottom}, picture, request.color_level,
                                   gfx::Rect{sx, sy, sx + tw, sy + th});
        }
    }
}

void DrawCornerPicture(gfx::Canvas& canvas, const PrintState& state, const PictureRequest& request,
                       const pictures::Bitmap& picture) {
    const int w = CornerWidth(state.settings.picture_size, picture.width, canvas.PageWidth());
    const int h = state.settings.picture_size == 0
                      ? picture.height
                      : static_cast<int>(static_cast<long long>(picture.height) * w / picture.width);
    if (w <= 0 || h <= 0) return;
    const gfx::Rect& area = request.area;
    int left = area.left, top = area.top;
    switch (request.corner) {
    case 1: // bottom right
        left = area.right - w;
        top = area.bottom - h;
        break;
    case 2: // top right
        left = area.right - w;
        break;
    case 3: // bottom left
        top = area.bottom - h;
        break;
    default: // 4 top left, and any other value
        break;
    }
    canvas.DrawPicture({left, top, left + w, top + h}, picture, request.color_level);
}

} // namespace

void DrawPagePicture(gfx::Canvas& canvas, const PrintState& state, const PictureRequest& request) {
    std::optional<pictures::Bitmap> loaded;
    const pictures::Bitmap* picture = request.picture;
    if (!request.file_name.empty()) {
        base::RecordingReporter quiet;
        base::Reporter& reporter = state.reporter ? *state.reporter : quiet;
        loaded = pictures::LoadPictureFile(state.settings.data_folder, request.file_name, reporter);
        picture = loaded ? &*loaded : nullptr;
    }
    if (!picture || picture->empty()) return;
    std::optional<pictures::Bitmap> grey;
    if (state.monochrome() && !picture->monochrome) {
        grey = GreyPicture(*picture);
        picture = &*grey;
    }
    if (request.full) {
        if (request.area.empty()) return;
        DrawFullPicture(canvas, state, request, *picture);
    } else {
        DrawCornerPicture(canvas, state, request, *picture);
    }
}

} // namespace pages
