// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures from files: the month-picture loader, the loaders of the dialogs, and making a
// .cmp file from a .bmp or JPEG picture.
//
// A picture that cannot be had (missing or unreadable file, a file larger than
// kMaxPictureFileBytes, refused before it is read, broken .cmp, bitmap that does not load,
// no pixels) is reported once through the reporter, the file named in the message's body,
// and gives nullopt; callers then go on without the picture.

#include "base/reporter.h"
#include "pictures/bitmap.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <stop_token>
#include <string_view>
#include <vector>

namespace pictures {

inline constexpr std::string_view kReadErrorText = "ファイル読込みエラー";
inline constexpr std::string_view kReadErrorCaption = "ファイル異常";

// Decodes a .cmp file image and loads its payload as a .bmp image. `what` names the
// picture in the message when the payload does not load (the codec reports its own errors).
std::optional<Bitmap> DecodeCmpPicture(std::span<const std::uint8_t> cmp, std::string_view what,
                                       base::Reporter& reporter);

// The .cmp file at path.
std::optional<Bitmap> LoadCmpFile(const std::filesystem::path& path, base::Reporter& reporter);

// "Load picture file": the month picture `name` in `folder`, always a .cmp file.
std::optional<Bitmap> LoadPictureFile(const std::filesystem::path& folder, std::string_view name,
                                      base::Reporter& reporter);

// A .bmp or JPEG picture held in memory, recognised by its first bytes. A JPEG's decoding
// ends, giving nullopt, when stop is requested.
std::optional<Bitmap> DecodeBmpOrJpeg(std::span<const std::uint8_t> bytes, std::stop_token stop = {});

// True for the extensions LoadPictureByExtension reads (.cmp, .bmp, .jpg, .jpeg, .ico), in
// any letter case.
bool IsPictureExtension(const std::filesystem::path& path);

// Any picture the open dialog previews, by its extension in any case. Files of other
// extensions give nullopt without a message. A JPEG's decoding ends, giving nullopt
// without a message, when stop is requested.
std::optional<Bitmap> LoadPictureByExtension(const std::filesystem::path& path, base::Reporter& reporter,
                                             std::stop_token stop = {});

// The .cmp file image of a bitmap: its .bmp file image, compressed.
std::vector<std::uint8_t> MakeCmpImage(const Bitmap& bitmap, base::Reporter& reporter);

// The .cmp file image of the .bmp or JPEG file `picture`; nullopt, after a message, when
// the picture cannot be read.
std::optional<std::vector<std::uint8_t>> MakeCmpImageOfFile(const std::filesystem::path& picture,
                                                            base::Reporter& reporter);

// Writes a .cmp file image to target; false, after a message, when it cannot be written.
bool WriteCmpFile(const std::filesystem::path& target, std::span<const std::uint8_t> cmp, base::Reporter& reporter);

// Makes the .cmp file `target` from the .bmp or JPEG file `picture`, as the picture dialogs
// do, at no more pixels than the largest paper prints at 600 dpi (kImportLongSide ×
// kImportShortSide; a larger picture is shrunk). False, after a message, when the picture
// cannot be read or the file not written.
bool MakeCmpFile(const std::filesystem::path& picture, const std::filesystem::path& target, base::Reporter& reporter);

} // namespace pictures
