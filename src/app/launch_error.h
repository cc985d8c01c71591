// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of a failed start of the help text's application, by the platform's code.

#include <string_view>

namespace app {

// The codes the window uses: 2 the file is missing, 31 no application for its type.
constexpr int kLaunchFileNotFound = 2;
constexpr int kLaunchNoAssociation = 31;

// 0 or 8 "Memory error..", 2 "File not Found..", 3 "Path not Found..", 11 ".EXE File
// Invalid(non-Win32).", 31 "拡張子に対応したｱﾌﾟﾘｹｰｼｮﾝが見つからない..", any other "unknown Error".
std::string_view LaunchErrorText(int code);

} // namespace app
