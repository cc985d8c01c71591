// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/ical_stream.h"

#include "base/command_line.h"

#include <libical/ical.h>

#include <memory>

namespace print {
namespace {

constexpr std::string_view kCalendarEnd = "END:VCALENDAR\r\n";

struct ComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

// The component as libical writes it: folded, escaped, CRLF line ends.
std::string Serialise(icalcomponent* component) {
    char* text = icalcomponent_as_ical_string_r(component);
    if (!text) return {};
    std::string out(text);
    icalmemory_free_buffer(text);
    return out;
}

// A property of TEXT value as RFC 5545 writes it: backslash, semicolon, comma and newline
// escaped, folded to lines of at most 75 octets (never inside a UTF-8 character), CRLF.
// libical escapes the value of an X- property only in part (not , and ;), so the calendar's
// name is written here.
std::string TextProperty(std::string_view name, std::string_view value) {
    std::string line(name);
    line += ':';
    for (char c : value) {
        if (c == '\\' || c == ';' || c == ',') line += '\\';
        if (c == '\n') {
            line += "\\n";
            continue;
        }
        line += c;
    }
    constexpr std::size_t kMaxOctets = 75;
    std::string folded;
    std::size_t count = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(line[i]) & 0xC0) == 0x80;
        if (count >= kMaxOctets - 3 && !continuation) { // room for a character of up to 4 bytes
            folded += "\r\n ";
            count = 1;
        }
        folded += line[i];
        ++count;
    }
    return folded + "\r\n";
}

icaltimetype DateOf(int year, int month, int day) {
    icaltimetype t = icaltime_null_date();
    t.year = year;
    t.month = month;
    t.day = day;
    return t;
}

} // namespace

std::string NoteUid(int year, int month, int day, almanac::NoteKind kind) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d%02d%02d", year, month, day);
    return std::string(date) + "-" + std::string(almanac::InfoOf(kind).name) + "@qelmarin";
}

IcalStream::IcalStream(Writer write, std::string_view calendar_name, std::time_t stamp)
    : write_(std::move(write)), name_(calendar_name), stamp_(stamp) {}

bool IcalStream::Write(const std::string& text) {
    if (ok_ && (text.empty() || !write_(text))) ok_ = false;
    return ok_;
}

bool IcalStream::Begin() {
    // The calendar with its properties and no events yet: everything up to its END line now,
    // the events as they come, the END line last.
    Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    const std::string prodid = "-//Qelmarin//qelmarin-cli " + std::string(base::ProgramVersion()) + "//JA";
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(prodid.c_str()));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    std::string head = Serialise(calendar.get());
    if (!head.ends_with(kCalendarEnd)) {
        ok_ = false;
        return false;
    }
    head.resize(head.size() - kCalendarEnd.size());
    return Write(head + TextProperty("X-WR-CALNAME", name_));
}

bool IcalStream::Add(int year, int month, int day, const almanac::DayNote& note) {
    Component event(icalcomponent_new_vevent());
    icalcomponent* e = event.get();
    icalcomponent_add_property(e, icalproperty_new_uid(NoteUid(year, month, day, note.kind).c_str()));
    icalcomponent_add_property(
        e, icalproperty_new_dtstamp(icaltime_from_timet_with_zone(stamp_, 0, icaltimezone_get_utc_timezone())));
    const icaltimetype start = DateOf(year, month, day);
    icalcomponent_add_property(e, icalproperty_new_dtstart(start));
    icaltimetype end = start;
    icaltime_adjust(&end, 1, 0, 0, 0);
    icalcomponent_add_property(e, icalproperty_new_dtend(end));
    icalcomponent_add_property(e, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    icalcomponent_add_property(e, icalproperty_new_summary(note.summary.c_str()));
    if (!note.description.empty())
        icalcomponent_add_property(e, icalproperty_new_description(note.description.c_str()));
    icalcomponent_add_property(e,
                               icalproperty_new_categories(std::string(almanac::InfoOf(note.kind).category).c_str()));
    ++events_;
    return Write(Serialise(e));
}

bool IcalStream::End() {
    return Write(std::string(kCalendarEnd));
}

} // namespace print
