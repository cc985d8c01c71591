// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/jpeg_image.h"
#include "pictures/picture_limits.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>
// jpeglib.h needs FILE and size_t declared before it.
#include <jerror.h>
#include <jpeglib.h>

namespace pictures {

namespace {

// libjpeg reports fatal errors by calling error_exit, which must not return: it jumps back
// to the call that started the work. Warnings (corrupt data it can step over) are silent.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}
void OutputMessage(j_common_ptr) {}

// Corrupt data that libjpeg can step over is let pass, as the platform's JPEG object does;
// scan data that ends early is an error, whether the file ends or a marker (the end marker
// of a cut file, or of one whose size fields were raised) comes before the last row: libjpeg
// would otherwise make up every missing row.
void EmitMessage(j_common_ptr cinfo, int level) {
    if (level < 0 && (cinfo->err->msg_code == JWRN_JPEG_EOF || cinfo->err->msg_code == JWRN_HIT_MARKER))
        ErrorExit(cinfo);
}

// Called by libjpeg at every row and between scans: stops a decoding that was asked to stop
// or that reads more scans than the picture may have (JpegScanAllowed).
struct ProgressMonitor {
    jpeg_progress_mgr pub;
    std::stop_token stop;
};

void MonitorProgress(j_common_ptr cinfo) {
    const auto* monitor = reinterpret_cast<const ProgressMonitor*>(cinfo->progress);
    const auto* decompress = reinterpret_cast<const jpeg_decompress_struct*>(cinfo);
    if (!JpegScanAllowed(decompress->input_scan_number, decompress->image_width, decompress->image_height) ||
        monitor->stop.stop_requested())
        ErrorExit(cinfo);
}

std::uint32_t Pack(unsigned r, unsigned g, unsigned b) {
    return 0xFF000000u | r << 16 | g << 8 | b;
}

// The decoding proper, kept apart so that nothing with a destructor lives in the frame that
// longjmp unwinds. Returns false on a fatal libjpeg error.
bool DecodeInto(jpeg_decompress_struct& cinfo, ErrorManager& err, ProgressMonitor& monitor,
                std::span<const std::uint8_t> bytes, Bitmap& out, std::vector<JSAMPLE>& row) {
    if (setjmp(err.jump) != 0) return false;
    jpeg_create_decompress(&cinfo);
    cinfo.progress = &monitor.pub; // after the creation, which clears the struct
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) return false;
    // A header that promises more than the file can hold is refused before libjpeg
    // allocates its buffers for the whole picture.
    if (!PictureWithinBudget(cinfo.image_width, cinfo.image_height, static_cast<std::int64_t>(bytes.size())))
        return false;
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const int w = static_cast<int>(cinfo.output_width);
    const int h = static_cast<int>(cinfo.output_height);
    const int comps = cinfo.output_components;
    if (comps != (cmyk ? 4 : 3) || !PictureSizeAllowed(w, h)) return false;
    out.width = w;
    out.height = h;
    // Reserved, not filled: rows are appended as they decode, so a header that promises more
    // than the data holds costs no work.
    out.pixels.clear();
    out.pixels.reserve(static_cast<std::size_t>(w) * h);
    row.resize(static_cast<std::size_t>(w) * comps);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[1] = {row.data()};
        if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) return false;
        out.pixels.resize(out.pixels.size() + static_cast<std::size_t>(w));
        std::uint32_t* dst = out.pixels.data() + out.pixels.size() - static_cast<std::size_t>(w);
        for (int x = 0; x < w; ++x) {
            const JSAMPLE* p = row.data() + static_cast<std::size_t>(x) * comps;
            if (cmyk) {
                // Adobe writes CMYK inverted: the stored values are 255 − ink.
                dst[x] = Pack(p[0] * p[3] / 255u, p[1] * p[3] / 255u, p[2] * p[3] / 255u);
            } else {
                dst[x] = Pack(p[0], p[1], p[2]);
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

bool EncodeInto(jpeg_compress_struct& cinfo, ErrorManager& err, const Bitmap& bitmap, int quality,
                unsigned char** buffer, unsigned long* size, std::vector<JSAMPLE>& row) {
    if (setjmp(err.jump) != 0) return false;
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, buffer, size);
    cinfo.image_width = static_cast<JDIMENSION>(bitmap.width);
    cinfo.image_height = static_cast<JDIMENSION>(bitmap.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality < 1 ? 1 : quality > 100 ? 100 : quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    row.resize(static_cast<std::size_t>(bitmap.width) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const std::uint32_t* src = bitmap.pixels.data() + static_cast<std::size_t>(cinfo.next_scanline) * bitmap.width;
        for (int x = 0; x < bitmap.width; ++x) {
            row[3 * x] = static_cast<JSAMPLE>(src[x] >> 16);
            row[3 * x + 1] = static_cast<JSAMPLE>(src[x] >> 8);
            row[3 * x + 2] = static_cast<JSAMPLE>(src[x]);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    return true;
}

} // namespace

std::optional<Bitmap> DecodeJpegImage(std::span<const std::uint8_t> bytes, std::stop_token stop) {
    if (bytes.size() < 4) return std::nullopt;
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.output_message = OutputMessage;
    err.pub.emit_message = EmitMessage;
    Bitmap bitmap;
    std::vector<JSAMPLE> row;
    ProgressMonitor monitor{};
    monitor.pub.progress_monitor = MonitorProgress;
    monitor.stop = std::move(stop);
    const bool ok = DecodeInto(cinfo, err, monitor, bytes, bitmap, row);
    const bool four_colours = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    jpeg_destroy_decompress(&cinfo);
    if (!ok) return std::nullopt;
    if (!four_colours) bitmap.jpeg = std::make_shared<const std::vector<std::uint8_t>>(bytes.begin(), bytes.end());
    return bitmap;
}

std::vector<std::uint8_t> EncodeJpegImage(const Bitmap& bitmap, int quality) {
    if (bitmap.empty() || bitmap.pixels.size() < static_cast<std::size_t>(bitmap.width) * bitmap.height) return {};
    jpeg_compress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.output_message = OutputMessage;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    std::vector<JSAMPLE> row;
    const bool ok = EncodeInto(cinfo, err, bitmap, quality, &buffer, &size, row);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> out;
    if (ok && buffer != nullptr) out.assign(buffer, buffer + size);
    std::free(buffer);
    return out;
}

} // namespace pictures
