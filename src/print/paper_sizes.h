// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The papers the pages can be laid out on, and a page of paper in device pixels.

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace print {

struct PaperSize {
    std::string_view name; // as --help lists it and --paper takes it
    double width_mm;
    double height_mm;
    // The names libpaper (PAPERSIZE, /etc/papersize, paperconf) gives this paper, separated by
    // spaces; empty for a paper libpaper does not know.
    std::string_view libpaper_names = {};
    std::string_view remark = {}; // what --help says beside the size
};

// Every paper, portrait, from the Japanese postcard (100 × 148 mm) to A3 and tabloid: the
// sizes libpaper knows that are neither envelopes nor larger than a desk printer's paper,
// and the Japanese B4, B5 and postcard. "B4" and "B5" are the JIS sizes, as the pages have
// always meant them.
std::span<const PaperSize> PaperSizes();

// A --paper name: one of ours, in any letter case, else one of libpaper's ("b5j", "legal",
// "ledger"). "B5" stays the JIS size.
std::optional<PaperSize> FindPaperSize(std::string_view name);
// A name from PAPERSIZE or the papersize file, as libpaper means it: "b4" and "b5" are the
// ISO sizes, "b4j", "b5j", "jisb5" the JIS ones. A name libpaper does not know may still
// be one of ours ("Postcard", "ISO-B5").
std::optional<PaperSize> FindSystemPaperSize(std::string_view name);
// "A4|A3|…", for messages.
std::string PaperSizeNames();
// The papers with their sizes, one a line, for --help.
std::string PaperSizeList();

// The paper of a run: the --paper name when given, then $PAPERSIZE, then the system's paper
// (libpaper's file: $PAPERCONF or /etc/papersize), then A4. A name from the environment or
// the file that names no paper of ours is passed over with a note saying so; an unknown
// --paper name gives no paper (the caller lists the known ones).
struct PaperChoice {
    std::optional<PaperSize> paper;
    std::vector<std::string> notes;
};
inline constexpr std::string_view kSystemPaperFile = "/etc/papersize";
PaperChoice ChoosePaperSize(const std::optional<std::string>& option,
                            const std::function<const char*(const char*)>& getenv);
// The same over this process's environment.
PaperChoice ChoosePaperSize(const std::optional<std::string>& option = std::nullopt);
// The paper name a libpaper file holds: its first word outside "#" comments; empty when none.
std::string PaperNameInFile(const std::filesystem::path& file);

// Millimetres to device pixels as a printer driver reports its page: Trunc(mm × dpi ÷ 25.4).
int PaperPixels(double mm, int dpi);

} // namespace print
