// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The memory budget of picture decoding, checked before anything is allocated for a picture.
//
// - Absolute caps: a picture has at most kMaxPicturePixels pixels (a 600-dpi A4 page is
//   about 35 million; nothing the program prints needs more), a .cmp file decodes to at most
//   kMaxDecodedBytes (a 32-bit bitmap of the largest picture, with its headers), and a
//   picture file larger than that, kMaxPictureFileBytes, is refused before it is read: no
//   picture the program takes needs a larger file.
// - A picture is imported (made into a .cmp file) at no more pixels than the largest paper
//   prints at 600 dpi: its long side at most kImportLongSide, its short side at most
//   kImportShortSide (the longest and the widest of the papers, at 600 dpi).
// - Proportional: a picture may have kFreePixels whatever its size on disk; beyond that, at
//   most kPixelsPerInputByte pixels for each byte of the file it came from (the .cmp file,
//   not the bitmap inside it). A run-length bitmap paints at most 127 pixels a byte with its
//   runs, and a flat baseline JPEG holds about 64 pixels a byte, so honest pictures stay
//   well inside; a small file that claims a huge picture is refused.
//
// With these, the worst small file costs the decoding of kFreePixels pixels (16 MiB for
// the decoded pixels, about 64 MiB in all while it is converted and drawn).

#include <algorithm>
#include <cstdint>

namespace pictures {

inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{48} << 20;
inline constexpr std::int64_t kMaxDecodedBytes = 4 * kMaxPicturePixels + (std::int64_t{64} << 10);
inline constexpr std::int64_t kMaxPictureFileBytes = kMaxDecodedBytes;
inline constexpr int kImportLongSide = 10200; // tabloid's 431.8 mm
inline constexpr int kImportShortSide = 7015; // A3's 297 mm
inline constexpr std::int64_t kFreePixels = std::int64_t{4} << 20;
inline constexpr std::int64_t kPixelsPerInputByte = 256;
// The scans of a progressive JPEG: an encoder's scripts use about ten to twenty. Each scan
// costs a pass over the picture's coefficients, so a file of thousands of tiny scans would
// take minutes to decode. A JPEG is refused past kMaxJpegScans scans, and past
// kMaxJpegScanPixels scans × pixels (about a second of decoding: 44 scans for the largest
// picture, all 500 up to 4 million pixels).
inline constexpr int kMaxJpegScans = 500;
inline constexpr std::int64_t kMaxJpegScanPixels = std::int64_t{2} << 30;

// Whether a JPEG of width × height may go on to scan number `scan`.
inline bool JpegScanAllowed(int scan, std::int64_t width, std::int64_t height) {
    return scan <= kMaxJpegScans && scan * width * height <= kMaxJpegScanPixels;
}

inline bool PictureSizeAllowed(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxPicturePixels && height <= kMaxPicturePixels &&
           width * height <= kMaxPicturePixels;
}

// Whether a picture of width × height pixels fits the budget of a file of input_bytes.
inline bool PictureWithinBudget(std::int64_t width, std::int64_t height, std::int64_t input_bytes) {
    if (!PictureSizeAllowed(width, height)) return false;
    const std::int64_t input = std::clamp<std::int64_t>(input_bytes, 0, kMaxPicturePixels);
    return width * height <= std::max(kFreePixels, kPixelsPerInputByte * input);
}

} // namespace pictures
