// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ΔT = TT − UT, from the table of 1 January values 1900 … 2101, interpolated linearly.

namespace host {

// ΔT in seconds at the instant jd_ut (Julian Date, UT). Outside 1900 … 2101 the end values hold.
double DeltaTSeconds(double jd_ut);

// The conversions between the two scales, TT = UT + ΔT.
double TtFromUt(double jd_ut);
double UtFromTt(double jd_tt);

} // namespace host
