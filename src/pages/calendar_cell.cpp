// One day cell of the monthly calendar page: frame, number box, and the notes written in
// vertical columns from left to right below the box.

#include "almanac/day_notes.h"
#include "almanac/day_rules.h"
#include "almanac/fortune.h"
#include "almanac/name_tables.h"
#include "almanac/named_days.h"
#include "pages/calendar_layout.h"
#include "pages/page_common.h"
#include "pictures/builtin_bitmaps.h"

namespace pages::calendar {
namespace {

// The rows of the named-day table that the two options print: flag days first ("Kikkyou
// 1"), then the days of the rules ("Kikkyou 2").
bool PrintsRow(const config::PageOptions& o, const almanac::NamedDay& row) {
    return row.from_rule ? o.kikkyou2 : o.kikkyou1;
}

// 時下食 is written with the branch of its hour: "時下食(卯刻)".
std::string CellNoteText(int row, const almanac::DayKeys& keys) {
    if (row != almanac::kJigejikiRow) return std::string(almanac::NamedDays[static_cast<std::size_t>(row)].text);
    const int hour = almanac::JigejikiHour(keys.lunar_month, keys.day_branch);
    return "時下食(" + std::string(almanac::TableText(almanac::BranchNames, hour - 1)) + "刻)";
}

// The named days flow down a column and on into the next when the cell bottom is reached;
// every note after the first of the cell is prefixed with "・", except at the top of a
// new column.
class NoteWriter {
public:
    NoteWriter(gfx::Canvas& canvas, const PrintState& state, int c, int ty0, int bottom)
        : canvas_(canvas), state_(state), c_(c), ty_(ty0), ty0_(ty0), bottom_(bottom) {}

    void Write(const std::string& note, base::Color color) {
        std::string text = first_ ? note : "・" + note;
        gfx::TextSize extent = canvas_.TextExtent(text);
        if (ty_ + extent.cx > bottom_) {
            c_ += extent.cy + 2;
            ty_ = ty0_;
            text = note;
            extent = canvas_.TextExtent(text);
        }
        canvas_.SetTextColor(PrintColor(state_, color));
        canvas_.TextOut(c_, ty_, text);
        ty_ += extent.cx;
        first_ = false;
    }
    int column() const { return c_; }

private:
    gfx::Canvas& canvas_;
    const PrintState& state_;
    int c_, ty_, ty0_, bottom_;
    bool first_ = true;
};

base::Color RokuyoColor(int rokuyo) {
    switch (rokuyo) {
    case 4: // 仏滅
        return base::kBlue;
    case 5: // 大安
        return base::kRed;
    default:
        return base::kBlack;
    }
}

void DrawNumberBox(gfx::Canvas& canvas, const PrintState& state, const gfx::Rect& box, int d) {
    const config::PageOptions& o = state.page(kSection);
    const bool inverted = o.holiday_reverse && state.holidays.IsMarked(state.month, d);
    if (!o.day_english) {
        canvas.SetBrush(base::kWhite);
        canvas.SetTextColor(base::kBlack);
        if (const pictures::Bitmap* number = state.day_number_bitmaps[static_cast<std::size_t>(d)])
            canvas.StretchBitmap(box, *number, pictures::DayNumberBitmapName(d),
                                 inverted ? gfx::BitmapCopy::kInvert : gfx::BitmapCopy::kCopy);
        return;
    }
    canvas.SetBrush(inverted ? PrintColor(state, base::kRed) : base::kWhite);
    canvas.Rectangle(box);
    canvas.Rectangle({box.left, box.top, box.right - 1, box.bottom - 1});
}

} // namespace

gfx::Rect DrawDayCell(gfx::Canvas& canvas, const PrintState& state, const Layout& layout, int d, int x, int y) {
    const config::PageOptions& o = state.page(kSection);
    const almanac::DayRecord& day = state.day(d);
    const int w_cell = layout.cell_width, h = layout.row_height;
    const int bottom = y + h;

    canvas.SetPen(base::kBlack);
    canvas.SetBrush(base::kWhite, gfx::BrushStyle::kClear);
    canvas.Rectangle({x, y, x + w_cell + 1, y + h + 1});
    canvas.Rectangle({x + 1, y + 1, x + w_cell, y + h});
    canvas.Rectangle({x + 2, y + 2, x + w_cell - 1, y + h - 1});

    const gfx::Rect box = NumberBox(layout, x, y);
    DrawNumberBox(canvas, state, box, d);
    canvas.SetBrush(base::kWhite, gfx::BrushStyle::kClear);

    const gfx::Font notes_font = VerticalFont(state, layout.notes_height);
    canvas.SelectFont(notes_font);
    int w = canvas.TextExtent("XXX").cy;
    int c = x;
    const int ty0 = box.bottom + 5;
    int ty = ty0;

    if (o.old_day_print) {
        const std::string text = OldDateText(day.LunarMonth, day.LunarDay, day.LeapMonth);
        canvas.SetTextColor(base::kBlack);
        canvas.TextOut(c + canvas.TextExtent(text).cy + 2, ty0, text);
        c += w + 2;
    }
    if (o.eto_print) {
        const std::string text = almanac::CycleName(day.DayCycle) + " ";
        canvas.SetTextColor(base::kBlack);
        canvas.TextOut(c + w + 2, ty0, text);
        ty = ty0 + canvas.TextExtent(text).cx;
    }
    if (o.rokuyou_print) {
        canvas.SetTextColor(PrintColor(state, RokuyoColor(day.Rokuyo)));
        canvas.TextOut(c + w + 2, ty, almanac::TableText(almanac::RokuyoNames, day.Rokuyo - 1));
    }
    if (o.eto_print || o.rokuyou_print) c += w + 2;
    if (o.zatsu_print) {
        const std::string text = SeasonText(day.SeasonFlags);
        canvas.SetTextColor(base::kBlack);
        if (!text.empty()) canvas.TextOut(c + w + 2, ty0, text);
        c += w + 2;
    }

    if (o.kikkyou1 || o.kikkyou2) {
        c += w + 2;
        const almanac::DayKeys keys = almanac::MakeDayKeys(day, state.settings.birth_eto, state.day(1).YearCycle);
        NoteWriter writer(canvas, state, c, ty0, bottom);
        for (int row : almanac::NamedDaysOf(day, keys)) {
            const almanac::NamedDay& named = almanac::NamedDays[static_cast<std::size_t>(row)];
            if (PrintsRow(o, named)) writer.Write(CellNoteText(row, keys), almanac::ClassColor(named.kind));
        }
        c = writer.column();
    }

    if (o.unki) {
        canvas.SelectFont(VerticalFont(state, -RoundHalfEven(layout.box_design * layout.h_scale / 2)));
        const int rank_w = canvas.TextExtent("XXX").cy;
        almanac::FortuneWork work;
        const int net =
            almanac::EvaluateDayFortune(day, static_cast<std::uint8_t>(state.settings.birth_eto), day.YearCycle, work);
        const std::string_view rank = almanac::FortuneRank(work.good, work.bad);
        canvas.SetTextColor(PrintColor(state, net < 0 ? base::kBlue : base::kRed));
        canvas.TextOut(c + rank_w + 2, ty0, rank);
        ty = ty0 + canvas.TextExtent(rank).cx;
        canvas.SelectFont(notes_font);
        w = canvas.TextExtent("XXX").cy;
        const std::string lucky = FortuneNumberText("吉", work.good, layout.portrait);
        const std::string unlucky = FortuneNumberText("凶", work.bad, layout.portrait);
        if (ty + canvas.TextExtent(lucky).cx < bottom) {
            canvas.SetTextColor(PrintColor(state, base::kRed));
            canvas.TextOut(c + w + 2, ty, lucky);
            canvas.SetTextColor(PrintColor(state, base::kBlue));
            canvas.TextOut(c + 2 * w + 2, ty, unlucky);
        }
    }

    if (o.sekki && almanac::SolarTermBegins(day, state.day(d - 1))) {
        const std::string_view name = almanac::TableText(almanac::SolarTermNames, day.SolarTerm - 1);
        canvas.SelectFont(VerticalFont(state, -RoundHalfEven(layout.box_design * layout.v_scale / 2 - 6)));
        canvas.SetTextColor(base::kBlack);
        canvas.TextOut(box.right - 1 + canvas.TextExtent(name).cy + 3, y + 4, name);
        canvas.SelectFont(notes_font);
    }
    return box;
}

} // namespace pages::calendar
