// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/bmp_image.h"
#include "pictures/bmp_direct.h"
#include "pictures/picture_limits.h"
#include "pictures/pixbuf_image.h"

#include <algorithm>
#include <cstdlib>

namespace pictures {

namespace {

std::uint32_t U16(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | b[at + 1] << 8;
}
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

void PutHeaders(std::vector<std::uint8_t>& out, const Bitmap& bitmap, int bit_count, std::uint32_t palette_bytes,
                std::uint32_t image_bytes) {
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + palette_bytes;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + image_bytes);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(bitmap.width));
    Put32(out, static_cast<std::uint32_t>(bitmap.height)); // positive: bottom row first
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bit_count));
    Put32(out, 0); // BI_RGB
    Put32(out, image_bytes);
    Put32(out, 3780); // 96 dpi in pixels per metre
    Put32(out, 3780);
    Put32(out, bit_count == 1 ? 2 : 0);
    Put32(out, 0);
}

int Luma(std::uint32_t p) {
    return static_cast<int>(((p >> 16 & 0xFF) * 299 + (p >> 8 & 0xFF) * 587 + (p & 0xFF) * 114) / 1000);
}

std::vector<std::uint8_t> EncodeMonochrome(const Bitmap& bitmap) {
    // The two colours of the picture, the darker one first; pixels of any third colour
    // take the nearer of the two by brightness.
    std::uint32_t dark = 0xFF000000u, light = 0xFFFFFFFFu;
    if (!bitmap.pixels.empty()) {
        const auto [lo, hi] = std::minmax_element(bitmap.pixels.begin(), bitmap.pixels.end(),
                                                  [](std::uint32_t a, std::uint32_t b) { return Luma(a) < Luma(b); });
        if (*lo != *hi) {
            dark = *lo;
            light = *hi;
        }
    }
    const int threshold = (Luma(dark) + Luma(light) + 1) / 2;
    const std::uint32_t stride = ((static_cast<std::uint32_t>(bitmap.width) + 31) / 32) * 4;
    std::vector<std::uint8_t> out;
    PutHeaders(out, bitmap, 1, 8, stride * static_cast<std::uint32_t>(bitmap.height));
    for (const std::uint32_t c : {dark, light}) {
        out.insert(out.end(), {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                               static_cast<std::uint8_t>(c >> 16), 0});
    }
    for (int y = bitmap.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(stride, 0);
        for (int x = 0; x < bitmap.width; ++x) {
            const std::uint32_t p = bitmap.at(x, y);
            const bool is_light = p == light || (p != dark && Luma(p) >= threshold);
            if (is_light) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace

std::optional<BmpHeader> ReadBmpHeader(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    const std::uint32_t info = U32(bytes, 14);
    BmpHeader h;
    h.info_size = info;
    h.data_offset = U32(bytes, 10);
    if (info == 12) {
        h.width = static_cast<int>(U16(bytes, 18));
        h.height = static_cast<int>(U16(bytes, 20));
        h.bit_count = static_cast<int>(U16(bytes, 24));
        return h;
    }
    if (info < 16 || bytes.size() < 30) return std::nullopt;
    h.width = static_cast<std::int32_t>(U32(bytes, 18));
    h.height = static_cast<std::int32_t>(U32(bytes, 22));
    h.bit_count = static_cast<int>(U16(bytes, 28));
    if (info >= 20 && bytes.size() >= 34) h.compression = U32(bytes, 30);
    if (info >= 40 && bytes.size() >= 50) h.colors_used = U32(bytes, 46);
    return h;
}

bool PlausibleBmpHeader(const BmpHeader& h, std::size_t file_size, std::size_t input_bytes) {
    // The loader sizes its buffers by these fields before it sees any pixel, so values no
    // bitmap writer produces are refused here: header sizes beyond the largest (124-byte)
    // header, palettes longer than the depth allows, pixels that start past the end.
    if (h.info_size != 12 && (h.info_size < 16 || h.info_size > 124)) return false;
    if (h.data_offset > file_size) return false;
    if (h.colors_used > 256 || (h.bit_count <= 8 && h.colors_used > (1u << h.bit_count))) return false;
    if (h.height == INT32_MIN) return false;
    const std::int64_t rows = std::abs(static_cast<std::int64_t>(h.height));
    if (!PictureSizeAllowed(h.width, rows) || h.bit_count == 0 || h.bit_count > 32) return false;
    const auto data = static_cast<std::int64_t>(file_size - h.data_offset);
    if (h.compression == 1 || h.compression == 2) {
        // A run of two bytes paints at most 255 pixels; skips can do more, but not more than
        // the decoding budget allows for the file the bitmap came from.
        return PictureWithinBudget(h.width, rows, static_cast<std::int64_t>(input_bytes ? input_bytes : file_size)) &&
               data > 0;
    }
    // Uncompressed rows are padded to four bytes; the last row's padding may be missing.
    const std::int64_t stride = (static_cast<std::int64_t>(h.width) * h.bit_count + 31) / 32 * 4;
    const std::int64_t last = (static_cast<std::int64_t>(h.width) * h.bit_count + 7) / 8;
    return stride * (rows - 1) + last <= data;
}

std::optional<Bitmap> DecodeBmpImage(std::span<const std::uint8_t> bytes, std::size_t input_bytes) {
    const std::optional<BmpHeader> header = ReadBmpHeader(bytes);
    if (!header || !PlausibleBmpHeader(*header, bytes.size(), input_bytes)) return std::nullopt;
    std::optional<Bitmap> bitmap = DecodeUncompressedBmp(bytes, *header);
    if (!bitmap) bitmap = DecodeWithPixbuf(bytes, "bmp");
    if (bitmap) bitmap->monochrome = header->bit_count == 1;
    return bitmap;
}

std::vector<std::uint8_t> EncodeBmpImage(const Bitmap& bitmap) {
    if (bitmap.empty() || bitmap.pixels.size() < static_cast<std::size_t>(bitmap.width) * bitmap.height) return {};
    if (bitmap.monochrome) return EncodeMonochrome(bitmap);
    const std::uint32_t stride = (static_cast<std::uint32_t>(bitmap.width) * 3 + 3) & ~3u;
    std::vector<std::uint8_t> out;
    out.reserve(kFileHeaderSize + kInfoHeaderSize + static_cast<std::size_t>(stride) * bitmap.height);
    PutHeaders(out, bitmap, 24, 0, stride * static_cast<std::uint32_t>(bitmap.height));
    std::vector<std::uint8_t> row(stride, 0);
    for (int y = bitmap.height - 1; y >= 0; --y) {
        const std::uint32_t* src = bitmap.pixels.data() + static_cast<std::size_t>(y) * bitmap.width;
        for (int x = 0; x < bitmap.width; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(src[x]);
            row[3 * x + 1] = static_cast<std::uint8_t>(src[x] >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(src[x] >> 16);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace pictures
