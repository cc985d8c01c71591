#pragma once
// Bounds on what a picture file may make the program allocate. A 600-dpi A4 page is about
// 35 million pixels; nothing the program prints needs more than that.

#include <cstdint>

namespace pictures {

inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{48} << 20;
inline constexpr std::int64_t kMaxPictureFileBytes = std::int64_t{512} << 20;

inline bool PictureSizeAllowed(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxPicturePixels && height <= kMaxPicturePixels &&
           width * height <= kMaxPicturePixels;
}

} // namespace pictures
