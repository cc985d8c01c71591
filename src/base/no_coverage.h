// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// QEL_NO_COVERAGE before a function keeps coverage-guided fuzzing's instrumentation out of
// it: for tight loops over tables whose comparisons tell the fuzzer nothing about the input
// and would cost most of its speed. It changes nothing in other builds.

#if defined(__clang__)
#define QEL_NO_COVERAGE __attribute__((no_sanitize("coverage")))
#else
#define QEL_NO_COVERAGE
#endif
