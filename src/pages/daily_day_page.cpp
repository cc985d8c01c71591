// SPDX-License-Identifier: GPL-3.0-or-later
#include "pages/daily_day_page.h"

#include "almanac/day_notes.h"
#include "almanac/day_rules.h"
#include "almanac/fortune.h"
#include "almanac/name_tables.h"
#include "almanac/named_days.h"
#include "base/kanji_numbers.h"
#include "pages/page_common.h"
#include "pages/page_picture.h"

#include <cstdio>

namespace pages {
namespace {

using almanac::TableText;

constexpr std::string_view kLatinFace = "Times New Roman";
constexpr unsigned kCentredLine = gfx::dt::kCenter | gfx::dt::kVCenter | gfx::dt::kSingleLine;

std::string Numeral(int n) {
    return std::string(TableText(base::KanjiNumerals, n));
}

// Everything the day page measures from: the area of "PRINT 3" and the two scales of the
// target against the design resolution.
struct DailyGeometry {
    gfx::Rect area;
    int aw = 0;
    int ah = 0;
    double hs = 1;
    double vs = 1;
};

DailyGeometry MakeGeometry(const gfx::Canvas& canvas, const PrintState& state) {
    DailyGeometry g;
    g.area = PageArea(canvas, state, 3);
    g.aw = g.area.width();
    g.ah = g.area.height();
    g.hs = DesignScale(state.dpi_x);
    g.vs = DesignScale(state.dpi_y);
    return g;
}

// "旧暦: 正月 一日", "旧暦: 閏六月 十日".
std::string OldDateText(const almanac::DayRecord& day) {
    std::string s = "旧暦: ";
    if (day.LeapMonth) s += "閏";
    s += day.LunarMonth == 1 ? std::string("正月") : Numeral(day.LunarMonth) + "月";
    s.append(" ").append(Numeral(day.LunarDay)).append("日");
    return s;
}

base::Color RokuyoColor(const PrintState& state, int rokuyo) {
    if (rokuyo == 4) return PrintColor(state, base::kBlue); // 仏滅
    if (rokuyo == 5) return PrintColor(state, base::kRed);  // 大安
    return base::kBlack;
}

// The named day of a row as the daily page writes it: 時下食 carries its double hour and
// the clock time of that hour.
std::string NamedDayColumnText(int row, const almanac::DayKeys& keys) {
    const almanac::NamedDay& named = almanac::NamedDays[static_cast<std::size_t>(row)];
    std::string text(named.text);
    if (row == almanac::kJigejikiRow) {
        const int h = almanac::JigejikiHour(keys.lunar_month, keys.day_branch);
        text += "(";
        text += TableText(almanac::BranchNames, h - 1);
        text += "刻)";
        text += TableText(almanac::ClockNames, h - 1);
    }
    return text;
}

// The note columns, left to right: each column first moves the cursor right by the gap
// and the body height, then is drawn from the top of the area.
class NoteColumns {
public:
    NoteColumns(gfx::Canvas& canvas, const PrintState& state, const DailyGeometry& g, int x, int d)
        : canvas_(canvas), state_(state), options_(state.page(3)), day_(state.day(d)), day_before_(state.day(d - 1)),
          y_(g.area.top), p_(g.aw / 30), gap_(RoundHalfEven(5 * g.hs)), x_(x),
          keys_(almanac::MakeDayKeys(day_, state.settings.birth_eto, state.day(1).YearCycle)) {}

    void Draw() {
        canvas_.SelectFont(VerticalFont(state_, -p_));
        x_ += gap_;
        canvas_.SetTextColor(base::kBlack);
        if (options_.sekki && almanac::SolarTermBegins(day_, day_before_)) {
            std::string text(TableText(almanac::SolarTermSeasons, day_.SolarTerm - 1));
            text += TableText(almanac::SolarTermNames, day_.SolarTerm - 1);
            Column(text);
        }
        if (options_.old_day_print) Column(OldDateText(day_));
        if (options_.eto_print || options_.rokuyou_print) SignColumn();
        canvas_.SetTextColor(base::kBlack);
        if (options_.zatsu_print) {
            std::string text = "雑節: ";
            for (const almanac::SeasonDay& s : almanac::SeasonDays)
                if (day_.SeasonFlags & s.bit) text += std::string(s.name) + " ";
            Column(text);
        }
        if (PrintsFortune(state_, 3)) FortuneColumn();
        NamedDays();
    }

private:
    void Column(const std::string& text) {
        x_ += gap_ + p_;
        canvas_.TextOut(x_, y_, text);
    }

    void SignColumn() {
        Column("干支: ");
        int ty = y_ + 3 * p_;
        if (options_.eto_print) {
            const std::string sign = almanac::CycleName(day_.DayCycle) + " ";
            canvas_.TextOut(x_, ty, sign);
            ty += canvas_.TextExtent(sign).cx;
        }
        if (options_.rokuyou_print) {
            canvas_.SetTextColor(RokuyoColor(state_, day_.Rokuyo));
            canvas_.TextOut(x_, ty, TableText(almanac::RokuyoNames, day_.Rokuyo - 1));
        }
    }

    void FortuneColumn() {
        almanac::FortuneWork work;
        const int net = almanac::EvaluateDayFortune(day_, static_cast<std::uint8_t>(state_.settings.birth_eto),
                                                    day_.YearCycle, work);
        const std::string_view rank = almanac::FortuneRank(work.good, work.bad);
        canvas_.SetTextColor(net < 0 ? base::kBlue : base::kRed);
        Column(std::string(rank));
        int ty = y_ + canvas_.TextExtent(rank).cx;
        const std::string lucky = " [吉" + base::FormatNumberKanji(work.good) + "]";
        canvas_.SetTextColor(base::kRed);
        canvas_.TextOut(x_, ty, lucky);
        ty += canvas_.TextExtent(lucky).cx;
        canvas_.SetTextColor(base::kBlue);
        canvas_.TextOut(x_, ty, " [凶" + base::FormatNumberKanji(work.bad) + "]");
    }

    // Both kinds of named days, one column each, in their colours on every printer.
    void NamedDays() {
        if (options_.kikkyou1) x_ += gap_;
        for (int row : almanac::NamedDaysOf(day_, keys_)) {
            const almanac::NamedDay& named = almanac::NamedDays[static_cast<std::size_t>(row)];
            if (!(named.from_rule ? options_.kikkyou2 : options_.kikkyou1)) continue;
            x_ += p_;
            canvas_.SetTextColor(almanac::ClassColor(named.kind));
            canvas_.TextOut(x_, y_ + 3 * p_, NamedDayColumnText(row, keys_));
        }
    }

    gfx::Canvas& canvas_;
    const PrintState& state_;
    const config::PageOptions& options_;
    const almanac::DayRecord& day_;
    const almanac::DayRecord& day_before_;
    const int y_;
    const int p_;
    const int gap_;
    int x_;
    const almanac::DayKeys keys_;
};

// The day number at the right edge; returns the day-number rectangle.
gfx::Rect DrawDayNumber(gfx::Canvas& canvas, const PrintState& state, const DailyGeometry& g, int d) {
    const config::PageOptions& o = state.page(3);
    const almanac::DayRecord& day = state.day(d);
    const gfx::Rect& a = g.area;
    const bool top = o.day_print_pos == 1;
    if (o.day_english) {
        const int b = g.aw / 5, line = g.aw / 30, weekday = g.aw / 20;
        gfx::Rect ym, number, wd;
        if (top) {
            ym = {a.right - b, a.top, a.right, a.top + line};
            number = {a.right - b, ym.bottom, a.right, ym.bottom + b};
            wd = {a.right - b, number.bottom, a.right, number.bottom + weekday};
        } else {
            ym = {a.right - b, a.bottom - line, a.right, a.bottom};
            number = {a.right - b, ym.top - b, a.right, ym.top};
            wd = {a.right - b, number.top - weekday, a.right, number.top};
        }
        char ym_text[32];
        std::snprintf(ym_text, sizeof ym_text, "%d.%d", state.year, state.month);
        canvas.SelectFont(kLatinFace, -line, 0, true);
        canvas.DrawText(ym, kCentredLine, ym_text);
        canvas.SelectFont(kLatinFace, -b, 0, true);
        canvas.DrawText(number, kCentredLine, std::to_string(d));
        canvas.SelectFont(kLatinFace, -weekday, 0, true);
        canvas.DrawText(wd, kCentredLine, TableText(almanac::WeekdayNamesLatin, day.Weekday));
        return number;
    }
    const int b = g.aw / 10;
    const std::string numeral = Numeral(d);
    const std::string_view weekday = TableText(almanac::WeekdayNames, day.Weekday);
    canvas.SelectFont(VerticalFont(state, -b));
    if (top) {
        canvas.TextOut(a.right, a.top, numeral);
        canvas.TextOut(a.right, a.top + canvas.TextExtent(numeral).cx + RoundHalfEven(5 * g.vs), weekday);
        return {a.right - b, a.top, a.right, a.top + 2 * b};
    }
    canvas.TextOut(a.right, a.bottom - 3 * b, numeral);
    canvas.TextOut(a.right, a.bottom - b, weekday);
    return {a.right - b, a.bottom - 3 * b, a.right, a.bottom};
}

} // namespace

std::string DailyMonthText(const PrintState& state) {
    return base::FormatYearKanji(state.year) + "年 " +
           std::string(TableText(almanac::LunarMonthNames, state.month - 1));
}

void DrawDailyMonthPage(gfx::Canvas& canvas, const PrintState& state) {
    const DailyGeometry g = MakeGeometry(canvas, state);
    if (g.aw <= 0 || g.ah <= 0) return;
    const bool landscape = canvas.PageHeight() < canvas.PageWidth();
    const std::string text = DailyMonthText(state);
    int h = (landscape ? g.aw : g.ah) / 9;
    canvas.SelectFont(VerticalFont(state, -h));
    // A ninth of a landscape area's width makes a column longer than the area is high:
    // the font is reduced until the column fits.
    if (const int length = canvas.TextExtent(text).cx; length > g.ah) {
        h = static_cast<int>(static_cast<long long>(h) * g.ah / length);
        canvas.SelectFont(VerticalFont(state, -h));
    }
    canvas.SetBrush(base::kWhite, gfx::BrushStyle::kClear);
    canvas.SetTextColor(base::kBlack);
    canvas.TextOut(g.area.left + g.aw - (g.aw - h) / 2, g.area.top, text);
}

void DrawDailyDayPage(gfx::Canvas& canvas, const PrintState& state, int d, const DayPicture& picture) {
    const DailyGeometry g = MakeGeometry(canvas, state);
    if (g.aw <= 0 || g.ah <= 0) return;
    const config::PageOptions& o = state.page(3);
    const gfx::Rect& a = g.area;

    if (o.under_bitmap && (picture.picture || !picture.skip_month_picture)) {
        PictureRequest request;
        request.area = a;
        request.placement = Placement::kCentred;
        request.picture = picture.picture;
        if (!picture.picture) request.file_name = MonthPictureName(state);
        request.color_level = o.color_level;
        request.corner = o.corner_bmp;
        request.full = o.full_bmp;
        DrawPagePicture(canvas, state, request);
    }

    canvas.SetBrush(base::kWhite, gfx::BrushStyle::kClear);
    canvas.SetTextColor(base::kBlack);
    const int head = g.aw / 20;
    const int gap = RoundHalfEven(5 * g.hs);
    int x = a.left + head;
    canvas.SelectFont(VerticalFont(state, -head));
    canvas.TextOut(x, a.top, DailyMonthText(state) + " " + Numeral(d) + "日");
    x += gap + head;
    canvas.TextOut(x, a.top,
                   std::string(TableText(almanac::MonthOldNames, state.month - 1)) + " " +
                       std::string(TableText(almanac::MonthOldNameReadings, state.month - 1)));

    NoteColumns(canvas, state, g, x, d).Draw();

    const bool holiday = state.holidays.IsMarked(state.month, d);
    canvas.SetTextColor(holiday ? base::kRed : base::kBlack);
    const gfx::Rect number = DrawDayNumber(canvas, state, g, d);
    if (holiday) {
        const int b = o.day_english ? g.aw / 20 : g.aw / 10;
        canvas.SetBrush(base::kWhite, gfx::BrushStyle::kClear);
        canvas.SetPen(base::kRed);
        canvas.RoundRect(number, RoundHalfEven(g.hs * (b / 4)), RoundHalfEven(g.vs * (b / 4)));
        canvas.SetPen(base::kBlack);
    }
}

int DailyPreviewDay(int today_day, int month) {
    const int last = month == 2 ? 28 : 30;
    return today_day > last ? last : (today_day < 1 ? 1 : today_day);
}

} // namespace pages
