// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/print_run.h"

#include "base/i18n.h"
#include "base/kanji_numbers.h"
#include "pages/page_routines.h"
#include "print/print_setup.h"

#include <algorithm>
#include <cstdio>

namespace print {
namespace {

constexpr int kPreviewColors = 256;

// "一月" … "十二月".
std::string MonthName(int month) {
    return std::string(base::KanjiNumerals[static_cast<std::size_t>(std::clamp(month, 1, 12))]) + "月";
}

// Draws the state's month into one document of the sink.
bool DrawDocument(pages::PrintState& state, const gfx::Device& device, DocumentSink& sink) {
    const pages::PageRoutineEntry* entry = pages::FindPageRoutine(static_cast<int>(state.format));
    if (!entry) return false;
    gfx::Canvas* canvas = sink.BeginDocument(state, device);
    if (!canvas) return false;
    canvas->BeginSection(0, std::to_string(state.year) + "年 " + MonthName(state.month));
    canvas->LabelPage(std::to_string(state.month) + "月");
    entry->draw(*canvas, state);
    return sink.EndDocument();
}

} // namespace

bool CheckMonthRange(const pages::PrintState& state) {
    const bool valid = state.from_month >= 1 && state.to_month <= 12 && state.from_month <= state.to_month;
    // The fixed text first, then which months and what to do, in the user's language.
    if (!valid && state.reporter) {
        std::string text(kMonthRangeError);
        if (state.from_month > state.to_month)
            text += "\r" + base::Format(_("The first month (%d) comes after the last month (%d): choose a first "
                                           "month no later than the last one."),
                                         state.from_month, state.to_month);
        state.reporter->ShowMessage(text, kErrorCaption);
    }
    return valid;
}

int PreviewDivisor(const pages::PrintState& state) {
    return state.settings.preview_scale < 1 ? 1 : state.settings.preview_scale;
}

gfx::Device PreviewDevice(const pages::PrintState& state, const Printer& printer) {
    const int d = PreviewDivisor(state);
    return gfx::Device{printer.page_width / d, printer.page_height / d, printer.dpi_x / d, printer.dpi_y / d,
                       kPreviewColors};
}

bool PrintRun(pages::PrintState& state, const Printer& printer, DocumentSink& sink) {
    if (!CheckMonthRange(state)) return false;
    state.dpi_x = printer.dpi_x;
    state.dpi_y = printer.dpi_y;
    state.printing = true;
    const gfx::Device device{printer.page_width, printer.page_height, printer.dpi_x,          printer.dpi_y,
                             state.colors,       printer.paper_width_pt, printer.paper_height_pt};
    bool all_written = true;
    for (int m = state.from_month; m <= state.to_month; ++m) {
        // A month whose days could not be read (reported by the loader) gets no page:
        // nothing is printed from records that are not there.
        if (!PrepareMonth(state, m)) {
            all_written = false;
            continue;
        }
        all_written = DrawDocument(state, device, sink) && all_written;
    }
    return all_written;
}

bool Preview(pages::PrintState& state, const Printer& printer, DocumentSink& sink) {
    if (!CheckMonthRange(state)) return false;
    const gfx::Device device = PreviewDevice(state, printer);
    if (!PrepareMonth(state, state.from_month)) return false;
    const int printer_colors = state.colors;
    const int first_day = state.first_day, last_day = state.last_day;
    state.colors = device.colors;
    state.dpi_x = device.dpi_x;
    state.dpi_y = device.dpi_y;
    state.printing = false;
    state.first_day = state.last_day = 1;
    const bool written = DrawDocument(state, device, sink);
    state.colors = printer_colors;
    state.first_day = first_day;
    state.last_day = last_day;
    return written;
}

std::string JobTitle(std::string_view months, int format) {
    std::string title = std::string(kDocumentTitle) + " " + std::string(months);
    if (const pages::PageRoutineEntry* routine = pages::FindPageRoutine(format))
        title.append(" ").append(routine->label);
    return title;
}

gfx::DocumentInfo DocumentInfoOf(const pages::PrintState& state, int from_month, int to_month) {
    const pages::PageRoutineEntry* routine = pages::FindPageRoutine(static_cast<int>(state.format));
    const std::string label = routine ? std::string(routine->label) : std::string();
    std::string months = MonthName(from_month);
    if (to_month != from_month) months += "〜" + MonthName(to_month);
    gfx::DocumentInfo info(std::string(kDocumentTitle) + " " + std::to_string(state.year) + "年 " + label + " " +
                           months);
    info.subject = "六曜・干支・節気・旧暦・吉凶の" + label + "、" + std::to_string(state.year) + "年" + months;
    info.creator = "Qelmarin";
    return info;
}

std::string JobTitle(const pages::PrintState& state) {
    char month[16];
    std::snprintf(month, sizeof month, "%04d-%02d", std::clamp(state.year, 0, 9999), std::clamp(state.month, 1, 12));
    return JobTitle(month, static_cast<int>(state.format));
}

} // namespace print
