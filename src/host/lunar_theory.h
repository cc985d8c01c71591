// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Moon's geocentric position from one of two lunar theories.
//
// - Moon98: ERFA's eraMoon98 (the Meeus series). Fast (3 µs); against DE431 over 1901 … 2100
//   its longitude is off by 2.7″ rms, 17″ at worst, which moves new moons by 6 s rms, 21 s at
//   worst.
// - Elp82b: the ELP 2000-82B series (libnova) without its terms below 0.2 mas, where the build
//   found the library: 0.6″ rms, 1.7″ at worst (new moons within about 3 s), but 0.6 ms a
//   position. The searches use it to refine what Moon98 found.

namespace host {

enum class MoonTheory { Moon98, Elp82b };

// Whether the ELP 2000-82B series is built in; without it Elp82b gives Moon98's positions.
bool HasFullLunarTheory();

// Geocentric geometric position of the Moon at jd_tt (TT), in au, GCRS axes.
void MoonPosition(double jd_tt, MoonTheory theory, double position[3]);

} // namespace host
