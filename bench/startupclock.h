// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <cstdio>
#include <ctime>

/// The wall clock the figures script reads too (CLOCK_REALTIME, in milliseconds), so that a
/// process can report a moment that the script measures from the process's launch.
inline double wallClockMs()
{
    timespec t {};
    clock_gettime(CLOCK_REALTIME, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

/// Prints the line "<what> <milliseconds since the epoch>" at once.
inline void printMoment(const char *what)
{
    std::printf("%s %.3f\n", what, wallClockMs());
    std::fflush(stdout);
}

/// The peak resident memory of this process so far (VmHWM), in kB; 0 when unknown.
long peakResidentKb();
