// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/launch_error.h"

namespace app {

std::string_view LaunchErrorText(int code) {
    switch (code) {
    case 0:
    case 8: return "Memory error..";
    case 2: return "File not Found..";
    case 3: return "Path not Found..";
    case 11: return ".EXE File Invalid(non-Win32).";
    case 31: return "拡張子に対応したｱﾌﾟﾘｹｰｼｮﾝが見つからない..";
    default: return "unknown Error";
    }
}

} // namespace app
