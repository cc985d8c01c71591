// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// For the tests of the list page and the poster: a print state with plain day records
// and a trace canvas whose lines can be searched.

#include "gfx/trace_canvas.h"
#include "pages/print_state.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace pages::testing {

// A month of `days` days whose 1st falls on first_weekday; every day has the same solar
// term, no named days, no seasonal days, and simple lunar dates.
inline PrintState ListState(int year, int month, int days, int first_weekday) {
    PrintState state;
    state.year = year;
    state.month = month;
    state.days_in_month = days;
    state.dpi_x = state.dpi_y = 600;
    state.face_name = "@ＭＳ ゴシック";
    state.settings.latitude = 0;
    for (int d = 0; d <= days; ++d) {
        almanac::DayRecord& r = state.days[static_cast<std::size_t>(d)];
        r.Date = d == 0 ? 0 : year * 10000 + month * 100 + d;
        r.YearCycle = 43;
        r.Weekday = static_cast<std::uint8_t>((first_weekday + d + 6) % 7);
        r.DayCycle = static_cast<std::uint8_t>(d + 1);
        r.Rokuyo = static_cast<std::uint8_t>(d % 6 + 1);
        r.SolarTerm = 23;
        r.SolarMonth = 12;
        r.Mansion = static_cast<std::uint8_t>(d % 28 + 1);
        r.Officer = static_cast<std::uint8_t>(d % 12 + 1);
        r.Pentad = 67;
        r.LunarMonth = 11;
        r.LunarDay = static_cast<std::uint8_t>(d % 30 + 1);
    }
    return state;
}

// The trace of one drawing, as lines.
class Trace {
public:
    // Draws with draw(canvas) on a trace canvas of the given page size at 600 dpi.
    template <class Draw> static Trace Record(int width, int height, Draw draw, int colors = 256) {
        std::ostringstream out;
        {
            gfx::TraceCanvas canvas(out, gfx::Device{width, height, 600, 600, colors});
            draw(canvas);
        }
        Trace trace;
        std::istringstream in(out.str());
        for (std::string line; std::getline(in, line);)
            trace.lines_.push_back(line);
        return trace;
    }

    const std::vector<std::string>& Lines() const { return lines_; }
    // The lines that begin with the prefix ("text\t", "rect\t3000\t").
    std::vector<std::string> With(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& line : lines_)
            if (line.starts_with(prefix)) found.push_back(line);
        return found;
    }
    bool Has(const std::string& line) const { return std::find(lines_.begin(), lines_.end(), line) != lines_.end(); }
    // The last "color" line before the given line; empty when there is none, a note when
    // the line itself is missing.
    std::string ColorBefore(const std::string& line) const {
        auto it = std::find(lines_.begin(), lines_.end(), line);
        if (it == lines_.end()) return "no line " + line;
        while (it != lines_.begin())
            if ((--it)->starts_with("color\t")) return *it;
        return {};
    }

private:
    std::vector<std::string> lines_;
};

} // namespace pages::testing
