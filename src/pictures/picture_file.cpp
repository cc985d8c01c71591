// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/picture_file.h"
#include "pictures/bmp_image.h"
#include "pictures/byte_stream.h"
#include "pictures/cmp_codec.h"
#include "pictures/file_bytes.h"
#include "pictures/jpeg_image.h"
#include "pictures/picture_limits.h"
#include "pictures/picture_shrink.h"
#include "pictures/pixbuf_image.h"

#include "base/file_io.h"
#include "base/i18n.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace pictures {

namespace {

void ReportUnreadable(std::string_view what, base::Reporter& reporter) {
    std::string text(kReadErrorText);
    if (!what.empty()) {
        text += '\r';
        text += what;
    }
    reporter.ShowMessage(text, kReadErrorCaption);
}

std::string LowerExtension(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

// The bytes of a picture file, refused unread when it is larger than any picture file the
// program takes; nothing, after a message naming the file and why, when they cannot be had.
std::optional<std::vector<std::uint8_t>> ReadPictureBytes(const std::filesystem::path& path, base::Reporter& reporter) {
    base::FileBytesRead read = base::ReadFileBytesBounded(path, static_cast<std::size_t>(kMaxPictureFileBytes));
    switch (read.status) {
    case base::FileBytesRead::Status::Ok:
        return std::move(read.bytes);
    case base::FileBytesRead::Status::TooLarge:
        ReportUnreadable(base::Format(_("%s: larger than %d MiB, the most a picture file may have"), path.c_str(),
                                      static_cast<int>(kMaxPictureFileBytes >> 20)),
                         reporter);
        break;
    case base::FileBytesRead::Status::Failed:
        ReportUnreadable(base::NamingFile(path, read.error), reporter);
        break;
    case base::FileBytesRead::Status::Missing:
        ReportUnreadable(path.string(), reporter);
        break;
    }
    return std::nullopt;
}

std::optional<Bitmap> Reported(std::optional<Bitmap> bitmap, std::string_view what, base::Reporter& reporter) {
    if (!bitmap || bitmap->empty()) {
        ReportUnreadable(what, reporter);
        return std::nullopt;
    }
    return bitmap;
}

} // namespace

std::optional<Bitmap> DecodeCmpPicture(std::span<const std::uint8_t> cmp, std::string_view what,
                                       base::Reporter& reporter) {
    ByteStream source(std::vector<std::uint8_t>(cmp.begin(), cmp.end()));
    ByteStream payload;
    base::NamingReporter naming(what, reporter); // the codec's own texts name no file
    if (DecodeCmpStream(source, payload, naming) != 0) return std::nullopt;
    return Reported(DecodeBmpImage(payload.bytes(), cmp.size()), what, reporter);
}

std::optional<Bitmap> LoadCmpFile(const std::filesystem::path& path, base::Reporter& reporter) {
    const auto bytes = ReadPictureBytes(path, reporter);
    if (!bytes) return std::nullopt;
    return DecodeCmpPicture(*bytes, path.string(), reporter);
}

std::optional<Bitmap> LoadPictureFile(const std::filesystem::path& folder, std::string_view name,
                                      base::Reporter& reporter) {
    if (name.empty()) {
        ReportUnreadable(folder.string(), reporter);
        return std::nullopt;
    }
    return LoadCmpFile(folder / std::filesystem::path(std::string(name)), reporter);
}

std::optional<Bitmap> DecodeBmpOrJpeg(std::span<const std::uint8_t> bytes, std::stop_token stop) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return DecodeBmpImage(bytes);
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return DecodeJpegImage(bytes, std::move(stop));
    return std::nullopt;
}

bool IsPictureExtension(const std::filesystem::path& path) {
    const std::string ext = LowerExtension(path);
    return ext == ".cmp" || ext == ".bmp" || ext == ".jpg" || ext == ".jpeg" || ext == ".ico";
}

std::optional<Bitmap> LoadPictureByExtension(const std::filesystem::path& path, base::Reporter& reporter,
                                             std::stop_token stop) {
    const std::string ext = LowerExtension(path);
    if (!IsPictureExtension(path)) return std::nullopt;
    if (ext == ".cmp") return LoadCmpFile(path, reporter);
    const auto bytes = ReadPictureBytes(path, reporter);
    if (!bytes) return std::nullopt;
    if (ext == ".ico") return Reported(DecodeWithPixbuf(*bytes, "ico"), path.string(), reporter);
    std::optional<Bitmap> picture = DecodeBmpOrJpeg(*bytes, stop);
    if (stop.stop_requested()) return std::nullopt;
    return Reported(std::move(picture), path.string(), reporter);
}

std::vector<std::uint8_t> MakeCmpImage(const Bitmap& bitmap, base::Reporter& reporter) {
    ByteStream source(EncodeBmpImage(bitmap));
    ByteStream target;
    EncodeCmpStream(source, target, reporter);
    return std::move(target.bytes());
}

std::optional<std::vector<std::uint8_t>> MakeCmpImageOfFile(const std::filesystem::path& picture,
                                                            base::Reporter& reporter) {
    const auto bytes = ReadPictureBytes(picture, reporter);
    if (!bytes) return std::nullopt;
    std::optional<Bitmap> bitmap = DecodeBmpOrJpeg(*bytes);
    if (!bitmap || bitmap->empty()) {
        ReportUnreadable(picture.string(), reporter);
        return std::nullopt;
    }
    return MakeCmpImage(ShrinkToFit(*std::move(bitmap), kImportLongSide, kImportShortSide), reporter);
}

bool WriteCmpFile(const std::filesystem::path& target, std::span<const std::uint8_t> cmp, base::Reporter& reporter) {
    if (WriteFileBytes(target, cmp)) return true;
    reporter.ShowMessage("ファイル書込みエラー\r" + target.string(), kReadErrorCaption);
    return false;
}

bool MakeCmpFile(const std::filesystem::path& picture, const std::filesystem::path& target, base::Reporter& reporter) {
    const std::optional<std::vector<std::uint8_t>> cmp = MakeCmpImageOfFile(picture, reporter);
    return cmp && WriteCmpFile(target, *cmp, reporter);
}

} // namespace pictures
