// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/drop_list.h"

#include "almanac/calendar_math.h"
#include "base/kanji_numbers.h"
#include "dialogs/column_list.h"

#include <cstdlib>

namespace app {
namespace {

int EntryCount(ListKind kind) {
    return kind == ListKind::kYear ? almanac::kYearCount : 12;
}

int EntryValue(ListKind kind, int i) {
    return kind == ListKind::kYear ? almanac::kFirstYear - 1 + i : i;
}

} // namespace

std::vector<ListEntry> ListEntries(ListKind kind, int font_height, int paint_height) {
    const int h = std::abs(font_height);
    std::vector<ListEntry> entries;
    int x = h + 5;
    for (int i = EntryCount(kind); i >= 1; --i) {
        entries.push_back(ListEntry{gfx::Rect{x - h, 2, x, paint_height}, EntryValue(kind, i)});
        x += dialogs::ColumnPitch(h);
    }
    return entries;
}

int ListScrollRange(ListKind kind, int font_height) {
    return dialogs::ViewWidthForColumns(EntryCount(kind), std::abs(font_height));
}

int ListViewWidth(ListKind kind, int font_height, int max_width) {
    const int h = std::abs(font_height);
    return dialogs::ViewWidthForColumns(dialogs::WholeColumnsInView(EntryCount(kind), h, max_width), h);
}

int ListPitch(int font_height) {
    return dialogs::ColumnPitch(std::abs(font_height));
}

double SnapListScroll(double value, int font_height, double last) {
    return dialogs::ColumnScrollStop(value, std::abs(font_height), last);
}

std::optional<int> ListHitTest(const std::vector<ListEntry>& entries, int x, int y) {
    for (const ListEntry& e : entries)
        if (x >= e.rect.left && x < e.rect.right && y >= e.rect.top && y < e.rect.bottom) return e.value;
    return std::nullopt;
}

std::string ListEntryText(ListKind kind, int value) {
    if (kind == ListKind::kYear) return base::FormatYearKanji(value) + "年";
    if (value < 1 || value > 12) return {};
    return std::string(base::KanjiNumerals[static_cast<std::size_t>(value)]) + "月";
}

int ListScrollPosition(const std::vector<ListEntry>& entries, int value) {
    for (const ListEntry& e : entries)
        if (e.value == value) return e.rect.left - entries.front().rect.left;
    return 0;
}

void DrawList(gfx::Canvas& canvas, ListKind kind, const std::vector<ListEntry>& entries, int current,
              const std::string& face, int font_height) {
    canvas.SelectFont(face, -std::abs(font_height), gfx::kVerticalEscapement);
    for (const ListEntry& e : entries) {
        const bool chosen = e.value == current;
        canvas.SetBrush(chosen ? base::kBlack : base::kWhite);
        canvas.SetTextColor(chosen ? base::kWhite : base::kBlack);
        canvas.FillRect(e.rect);
        canvas.TextOut(e.rect.right, 2, ListEntryText(kind, e.value));
    }
}

} // namespace app
