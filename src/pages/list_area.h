// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printing area that the list page's title, the small calendar and the almanac list
// hand on to each other: each takes a strip of it and shrinks it by that strip.

namespace pages {

struct ListArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const ListArea&) const = default;
};

} // namespace pages
