// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/commentary_texts.h"
#include "pages/page_common.h"
#include "pages/page_routines.h"

#include <algorithm>
#include <string>
#include <vector>

namespace pages {
namespace {

struct CommentaryLine {
    base::Color color;
    std::string text;
};

// One commentary page: its title, its lines (one column each), the body unit f, the
// column step p, and whether the columns wrap into the lower half of the page.
struct CommentaryPage {
    std::string_view title;
    std::vector<CommentaryLine> lines;
    int f = 0;
    int p = 0;
    bool wraps = true;
};

std::string WithoutLeadingSpaces(std::string_view s) {
    const std::size_t at = s.find_first_not_of(' ');
    return at == std::string_view::npos ? std::string() : std::string(s.substr(at));
}

// The longest line of the page at body height f, along the line.
int LongestLine(gfx::Canvas& canvas, const PrintState& state, const std::vector<CommentaryLine>& lines, int f) {
    canvas.SelectFont(VerticalFont(state, -f));
    int longest = 0;
    for (const CommentaryLine& line : lines)
        longest = std::max(longest, canvas.TextExtent(line.text).cx);
    return longest;
}

// The body unit as the page's format gives it, reduced where the longest column would run
// past the bottom of its half (or of the page, for a page that does not wrap): on
// landscape paper a mansion's two texts make a column longer than the page is high.
int FittedUnit(gfx::Canvas& canvas, const PrintState& state, const std::vector<CommentaryLine>& lines, int f,
               int band_height) {
    for (int tries = 0; f > 1 && tries < 8; ++tries) {
        const int longest = LongestLine(canvas, state, lines, f);
        if (longest <= band_height - 3 * f) break;
        const int fitted = static_cast<int>(static_cast<long long>(band_height) * f / (longest + 3 * f));
        f = std::min(f - 1, fitted);
    }
    return f;
}

CommentaryPage MakePage(Format format, int w, int h, bool landscape) {
    CommentaryPage page;
    switch (format) {
    case Format::kKikkyouNotes:
        page.title = "吉凶解説";
        for (const almanac::ColoredLine& line : almanac::KikkyouCommentary)
            page.lines.push_back({line.color, std::string(line.text)});
        page.f = landscape ? h / 60 : w / 60;
        break;
    case Format::kPentadNotes:
        page.title = "七十二候解説";
        for (std::string_view text : almanac::PentadTexts)
            page.lines.push_back({base::kBlack, std::string(text)});
        page.f = landscape ? h / 50 : w / 40;
        page.p = page.f;
        break;
    case Format::kMansionNotes:
        page.title = "二十八宿解説";
        for (std::size_t m = 0; m < almanac::MansionTexts.size() / 2; ++m)
            page.lines.push_back({base::kBlack, std::string(almanac::MansionTexts[2 * m]) +
                                                    WithoutLeadingSpaces(almanac::MansionTexts[2 * m + 1])});
        page.f = landscape ? h / 32 : w / 32;
        page.p = w / 32;
        break;
    default: // the day-officers: new and old readings, one above the other
        page.title = "十二直解説";
        for (std::size_t i = 0; i < almanac::OfficerTexts.size(); ++i) {
            page.lines.push_back({base::kBlack, std::string(almanac::OfficerTexts[i])});
            page.lines.push_back({base::kBlack, std::string(almanac::OfficerTextsOld[i])});
        }
        page.f = landscape ? h / 50 : w / 40;
        page.wraps = false;
        break;
    }
    return page;
}

// The column step of the pages whose step follows from the body unit.
void SetStep(CommentaryPage& page, Format format, int w) {
    if (format == Format::kKikkyouNotes) page.p = (w - 3 * page.f) / 52;
    if (format == Format::kOfficerNotes) page.p = (w - 3 * page.f) / 38;
}

// The height the body text is drawn at: the unit f, made smaller where the column step p
// leaves less than a tenth of itself between neighbouring columns, so that the columns
// stay apart and the page reads in columns, not rows. The columns keep their places.
int BodyTextHeight(int f, int p) { return std::max(1, std::min(f, p - std::max(1, p / 10))); }

} // namespace

// Formats 5 … 8: a title column at the right edge, then the body in columns from right to
// left; the pages that wrap continue in the lower half of the page.
void DrawCommentaryPage(gfx::Canvas& canvas, PrintState& state) {
    const gfx::Font saved_font = canvas.CurrentFont();
    const gfx::Rect a = PageArea(canvas, state, 5);
    const int w = a.width(), h = a.height();
    const bool landscape = canvas.PageHeight() < canvas.PageWidth();
    CommentaryPage page = MakePage(state.format, w, h, landscape);
    if (w <= 0 || h <= 0 || page.f <= 0) return;
    // The officers stand in two halves, and so does a page whose columns do not fit in
    // one row; a column must end within its half, or within the page.
    SetStep(page, state.format, w);
    const bool one_row = state.format != Format::kOfficerNotes && page.p > 0 &&
                         static_cast<std::size_t>((a.right - 3 * page.f - a.left) / page.p + 1) >= page.lines.size();
    page.f = FittedUnit(canvas, state, page.lines, page.f, one_row ? h : h / 2);
    SetStep(page, state.format, w);
    const int f = page.f, p = page.p;
    if (f <= 0 || p <= 0) {
        canvas.SelectFont(saved_font);
        return;
    }

    canvas.SetBrush(base::kWhite, gfx::BrushStyle::kClear);
    canvas.SetTextColor(base::kBlack);
    canvas.SelectFont(VerticalFont(state, -2 * f));
    canvas.TextOut(a.right, a.top, page.title);

    const int y0 = a.top + 3 * f;
    const int right = a.right - 3 * f;
    canvas.SelectFont(VerticalFont(state, -BodyTextHeight(f, p)));
    canvas.SetPen(base::kBlack);
    int x = right, y = y0;

    if (state.format == Format::kOfficerNotes) {
        canvas.TextOut(x, a.top, "  新占い");
        canvas.TextOut(x, a.top + h / 2, "  旧占い");
        x -= 2 * p;
        for (std::size_t i = 0; i + 1 < page.lines.size(); i += 2) {
            canvas.TextOut(x, y0, page.lines[i].text);
            canvas.TextOut(x, y0 + h / 2, page.lines[i + 1].text);
            x -= p;
        }
    } else {
        bool lower_half = false;
        for (const CommentaryLine& line : page.lines) {
            if (x < a.left) {
                if (lower_half) break; // no third half: the rest would fall off the page
                lower_half = true;
                y += h / 2;
                x = right - f;
            }
            canvas.SetTextColor(line.color);
            canvas.TextOut(x, y, line.text);
            x -= p;
        }
    }
    canvas.SetTextColor(base::kBlack);
    canvas.SelectFont(saved_font);
}

} // namespace pages
