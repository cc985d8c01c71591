// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The kinds of file the picture buttons ask for.

namespace dialogs {

enum class PictureFileType {
    kCmp,       // *.cmp: an existing compressed picture
    kBmpOrJpeg, // *.bmp, *.jpg, *.jpeg: a picture to make a .cmp from
};

} // namespace dialogs
