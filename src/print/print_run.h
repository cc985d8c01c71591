// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The print run over a month range and the preview of its first month, without windows:
// the caller says what the printer is and where each month's document goes.

#include "gfx/canvas.h"
#include "pages/print_state.h"

#include <memory>
#include <string>
#include <string_view>

namespace print {

inline constexpr std::string_view kDocumentTitle = "Kalvorin";
inline constexpr std::string_view kMonthRangeError = "月エラー";
inline constexpr std::string_view kErrorCaption = "ｴﾗｰ";

// The name of a print job: "Kalvorin 2027-01 暦" — the document title, the months the job
// holds ("2027-01", or "2027-01-to-03" for a run in one document) and the label of the
// format, so that the jobs of a queue can be told apart.
std::string JobTitle(std::string_view months, int format);
// The job of the state's month.
std::string JobTitle(const pages::PrintState& state);

// What a document of the months from_month … to_month of the state's year and format says
// of itself: its title ("Kalvorin 2027年 暦 一月〜十二月", one month "Kalvorin 2027年 暦 一月"),
// subject and creator.
gfx::DocumentInfo DocumentInfoOf(const pages::PrintState& state, int from_month, int to_month);

// What the target printer reports: its page in device pixels and its resolution. (Its
// colour count and paper width are in the print state, read once at start-up.)
struct Printer {
    int page_width = 0;
    int page_height = 0;
    int dpi_x = 600;
    int dpi_y = 600;
    // The paper in points, when known: a document's page is then exactly the paper.
    double paper_width_pt = 0;
    double paper_height_pt = 0;
};

// Where the documents of a run go: one document per month (DocumentInfoOf). Each month
// begins an outline entry of the document ("2027年 一月") on its first page.
class DocumentSink {
public:
    virtual ~DocumentSink() = default;
    // Begins the document of the state's month on a canvas of that device. Null when it
    // cannot be begun (the sink has said why); the run then goes on with the next month.
    virtual gfx::Canvas* BeginDocument(const pages::PrintState& state, const gfx::Device& device) = 0;
    // Ends the document begun last; false when it could not be written (the sink has said why).
    virtual bool EndDocument() = 0;
};

// "月エラー" (caption "ｴﾗｰ") through the state's reporter and false when the month range is
// reversed or outside 1 … 12: the first check of both the print run and the preview.
bool CheckMonthRange(const pages::PrintState& state);

// "TESTSize" as the preview divides by it: values below 1 (a hand-edited file) count as 1.
int PreviewDivisor(const pages::PrintState& state);

// The whole run: "月エラー" (caption "ｴﾗｰ") through the reporter and false when the range
// is reversed or outside 1 … 12; otherwise, for each month from `from_month` to `to_month`, the
// month is prepared (print_setup.h) and drawn by the routine of the state's format into a
// document of its own. A month whose day records could not be loaded (the loader has said
// why) is not drawn, and the run goes on with the next. Format 3 draws the days
// `first_day` … `last_day` of every month, printing flag set. Returns whether every
// document was written.
bool PrintRun(pages::PrintState& state, const Printer& printer, DocumentSink& sink);

// The preview: the first month of the range on a page of the printer's size divided by
// PreviewDivisor, at the resolution divided likewise, drawn as for a colour printer (256
// colours; the state's colour count is restored afterwards). Format 3 draws day 1 with the
// printing flag off. False, after "月エラー", for a reversed range, and when the month's
// day records could not be loaded; the document is then not begun.
bool Preview(pages::PrintState& state, const Printer& printer, DocumentSink& sink);

// The page the preview draws on for a printer.
gfx::Device PreviewDevice(const pages::PrintState& state, const Printer& printer);

} // namespace print
