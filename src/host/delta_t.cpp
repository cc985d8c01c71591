// SPDX-License-Identifier: GPL-3.0-or-later
// ΔT = TT − UT in seconds on 1 January of each year 1900 … 2101: measured values up to the
// mid-2020s, a smooth extrapolation after. Interpolated linearly between years.
#include "host/delta_t.h"

#include <array>
#include <cmath>

#include "host/civil_date.h"

namespace host {
namespace {

constexpr int kFirstYear = 1900;
constexpr std::array<double, 202> kDeltaT = {
    -1.99, -0.76, 0.61,  2.05,  3.50,  4.91,  6.23,  7.48,  8.68,  9.89,  11.13, 12.43, 13.74, 15.05, 16.31, 17.47,
    18.51, 19.43, 20.25, 20.97, 21.61, 22.18, 22.68, 23.12, 23.48, 23.78, 24.02, 24.19, 24.31, 24.39, 24.42, 24.41,
    24.37, 24.32, 24.24, 24.16, 24.08, 24.04, 24.06, 24.17, 24.42, 24.83, 25.35, 25.92, 26.51, 27.05, 27.50, 27.89,
    28.24, 28.58, 28.93, 29.32, 29.70, 30.18, 30.62, 31.07, 31.35, 31.68, 32.18, 32.68, 33.15, 33.59, 34.00, 34.47,
    35.03, 35.73, 36.54, 37.43, 38.29, 39.20, 40.18, 41.17, 42.23, 43.37, 44.49, 45.48, 46.46, 47.52, 48.54, 49.59,
    50.54, 51.38, 52.17, 52.96, 53.79, 54.34, 54.87, 55.32, 55.82, 56.30, 56.86, 57.57, 58.31, 59.12, 59.99, 60.79,
    61.63, 62.30, 62.97, 63.47, 63.83, 64.09, 64.30, 64.47, 64.57, 64.69, 64.85, 65.15, 65.46, 65.78, 66.07, 66.32,
    66.60, 66.91, 67.28, 67.64, 68.10, 68.59, 68.97, 69.22, 69.36, 69.36, 69.29, 69.18, 69.10, 69.00, 68.90, 68.80,
    68.80, 69.04, 69.28, 69.52, 69.76, 70.01, 70.26, 70.51, 70.76, 71.02, 71.28, 71.54, 71.80, 72.07, 72.33, 72.61,
    72.88, 73.16, 73.44, 73.72, 74.00, 74.29, 74.58, 74.87, 75.17, 75.47, 75.77, 76.07, 76.38, 76.69, 77.01, 77.32,
    77.64, 77.97, 78.29, 78.62, 78.95, 79.29, 79.62, 79.97, 80.31, 80.66, 81.01, 81.36, 81.72, 82.08, 82.45, 82.81,
    83.19, 83.56, 83.94, 84.32, 84.70, 85.09, 85.49, 85.88, 86.28, 86.68, 87.09, 87.50, 87.92, 88.33, 88.76, 89.18,
    89.61, 90.04, 90.48, 90.92, 91.36, 91.81, 92.27, 92.72, 93.18, 93.65,
};

double JdOfJanuaryFirst(int year) {
    return JdnFromCivil({year, 1, 1}) - 0.5;
}

} // namespace

double DeltaTSeconds(double jd_ut) {
    const int last_year = kFirstYear + static_cast<int>(kDeltaT.size()) - 1;
    int year = CivilFromJdn(JstJdnOf(jd_ut)).year; // a first guess; corrected below
    if (JdOfJanuaryFirst(year) > jd_ut) --year;
    if (year < kFirstYear) return kDeltaT.front();
    if (year >= last_year) return kDeltaT.back();
    const double start = JdOfJanuaryFirst(year);
    const double fraction = (jd_ut - start) / (JdOfJanuaryFirst(year + 1) - start);
    const double before = kDeltaT[year - kFirstYear];
    const double after = kDeltaT[year - kFirstYear + 1];
    return before + (after - before) * fraction;
}

double TtFromUt(double jd_ut) {
    return jd_ut + DeltaTSeconds(jd_ut) / 86400.0;
}

double UtFromTt(double jd_tt) {
    // ΔT changes by under a second a year, so two fixed-point steps are exact to far below a millisecond.
    double jd_ut = jd_tt - DeltaTSeconds(jd_tt) / 86400.0;
    jd_ut = jd_tt - DeltaTSeconds(jd_ut) / 86400.0;
    return jd_ut;
}

} // namespace host
