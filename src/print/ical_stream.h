// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The notes of days as an iCalendar (RFC 5545) stream, built and serialised by libical one
// event at a time, so that a calendar of two hundred years is never held in memory whole.
// Every note is an all-day, transparent event whose UID is made from its date and kind, so
// that importing a newer file updates the events of an older one instead of adding copies.

#include "almanac/calendar_notes.h"

#include <ctime>
#include <functional>
#include <string>
#include <string_view>

namespace print {

// "20270204-terms@qelmarin": the stable UID of a day's note of a kind.
std::string NoteUid(int year, int month, int day, almanac::NoteKind kind);

class IcalStream {
public:
    // Where the text goes (a file being replaced, standard output); false on a failed write.
    using Writer = std::function<bool(std::string_view bytes)>;

    // `stamp` is the DTSTAMP of every event.
    IcalStream(Writer write, std::string_view calendar_name, std::time_t stamp);

    // The calendar's head: VERSION, PRODID, CALSCALE and X-WR-CALNAME.
    bool Begin();
    // One VEVENT for the note of the day.
    bool Add(int year, int month, int day, const almanac::DayNote& note);
    // The calendar's end; false when any write failed.
    bool End();

    long events() const { return events_; }

private:
    bool Write(const std::string& text);

    Writer write_;
    std::string name_;
    std::time_t stamp_;
    long events_ = 0;
    bool ok_ = true;
};

} // namespace print
