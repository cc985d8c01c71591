// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/launch_error.h"
#include "app/preview_zoom.h"

#include <gtest/gtest.h>

namespace app {
namespace {

TEST(PreviewZoom, StepsTruncateAndOriginalRestoresExactly) {
    const gfx::Rect initial{0, 0, 1653, 2338};
    gfx::Rect r = ZoomDisplayRect(initial, initial, Zoom::kShrink);
    EXPECT_EQ((gfx::Rect{0, 0, 1322, 1870}), r);
    r = ZoomDisplayRect(r, initial, Zoom::kShrink);
    EXPECT_EQ((gfx::Rect{0, 0, 1057, 1496}), r); // 64 % of the first size, truncated twice
    r = ZoomDisplayRect(r, initial, Zoom::kGrow);
    EXPECT_EQ((gfx::Rect{0, 0, 1268, 1795}), r); // not back where it was
    EXPECT_EQ(initial, ZoomDisplayRect(r, initial, Zoom::kOriginal));
}

TEST(LaunchError, TextsByCode) {
    EXPECT_EQ("Memory error..", LaunchErrorText(0));
    EXPECT_EQ("Memory error..", LaunchErrorText(8));
    EXPECT_EQ("File not Found..", LaunchErrorText(kLaunchFileNotFound));
    EXPECT_EQ("Path not Found..", LaunchErrorText(3));
    EXPECT_EQ(".EXE File Invalid(non-Win32).", LaunchErrorText(11));
    EXPECT_EQ("拡張子に対応したｱﾌﾟﾘｹｰｼｮﾝが見つからない..", LaunchErrorText(kLaunchNoAssociation));
    EXPECT_EQ("unknown Error", LaunchErrorText(5));
}

} // namespace
} // namespace app
