// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/birth_sign.h"

#include "almanac/day_notes.h"
#include "base/i18n.h"
#include "base/reporter.h"

#include <cstdio>

namespace almanac {

int YearSignOf(int year) {
    return ((year - 4) % 60 + 60) % 60 + 1;
}

bool HasBirthSign(int eto, base::Reporter& reporter) {
    if (IsBirthSign(eto)) return true;
    reporter.ShowMessage(_("no fortune: Kalvorin.CFG gives no birth sign (ETO needs a number from 1 to 60); give "
                           "one for the run (--eto N or --born DATE)"),
                         base::kNoteCaption);
    return false;
}

std::optional<int> BirthSignOn(const DayFile& file, int year, int month, int day, base::Reporter& reporter) {
    MonthDays days{};
    if (year < kFirstYear || year > kLastYear || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
        reporter.ShowMessage(_("the birth date lies outside 1901-01-01 ... 2100-12-31, the years of the day file"),
                             "Error");
        return std::nullopt;
    }
    if (!file.LoadMonth(days, year, month, DaysInMonth(year, month), reporter)) return std::nullopt;
    const DayRecord& record = days[static_cast<std::size_t>(day)];
    if (record.Date != year * 10000 + month * 100 + day || record.YearCycle < 1 || record.YearCycle > 60) {
        reporter.ShowMessage(
            base::Format(_("%s holds no record of %04d-%02d-%02d"), file.path().c_str(), year, month, day), "Error");
        return std::nullopt;
    }
    return record.YearCycle;
}

std::string YearGivenForSignHint(int year) {
    const int sign = YearSignOf(year);
    return base::Format(_("%d is a year: its sign is %d (%s), or give --born"), year, sign, CycleName(sign).c_str());
}

} // namespace almanac
