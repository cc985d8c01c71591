// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A complete host folder, as the host application leaves it for the print module:
// Kalvorin.CFG (section "UNSEI" and the national holidays), UNSEI.DAT, ReadMe2.TXT, sample
// month pictures "歳時記01.cmp" … "歳時記12.cmp" and the commentary database with the 72
// pentad pictures.

#include <filesystem>
#include <string>

#include "host/day_calendar.h"

namespace host {

struct HostFolderOptions {
    std::filesystem::path folder;
    int eto = 0;                      // sexagenary number of the birth year, 1 … 60
    int start_weekday = 0;            // 0 Sunday, 1 Monday
    std::string latitude = "35.6895"; // Tokyo
    std::string longitude = "139.6917";
    int elevation = 40;
    std::string era_name = "令和";
    int era_year = 2019;
    bool force = false;
    int holidays_from = 0; // the national holidays of holidays_from … holidays_to
    int holidays_to = 0;
};

// The help text, UTF-8 with "\n" line ends (the file gets CP932 and CRLF).
extern const char* const kReadMeText;

// Why the folder may not be made (the text of the refusal), or an empty text.
std::string HostFolderRefusal(const HostFolderOptions& options);

// Writes the sample month pictures and the commentary database into the folder, each only
// where the folder has none yet. Returns an empty text, else what went wrong.
std::string WriteDemoPictures(const std::filesystem::path& folder);

// Makes a host folder as `kalvorin-host init` and the first start make it, whatever the
// holiday years in options: the almanac of every day of the day file and the national
// holidays of every year of it that has them. An empty text, else why it was not made.
std::string MakeFullHostFolder(HostFolderOptions options);

// Makes the folder, all or nothing: its files are made in a work folder beside it and moved
// into place last (a new folder appears in one rename; into a folder that has files the
// settings file is moved last of all), so that a run that is killed or fails leaves the
// folder as it was. Refused (an error text) when the folder exists and is not empty, or holds
// a Kalvorin.CFG, unless `force` or it holds only what a failed making of it left (no
// UNSEI.DAT, nothing but the files of a host folder); then the keys of "UNSEI" and the holidays are
// written into an existing Kalvorin.CFG, whose other sections are kept. Returns an empty text
// on success, else what went wrong.
std::string MakeHostFolder(const HostFolderOptions& options, const DayCalendar& calendar);

} // namespace host
