#pragma once
// The paper sizes the command line offers, and a page of paper in device pixels.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace print {

struct PaperSize {
    std::string_view name;
    double width_mm;
    double height_mm;
};

// A4, A3, B4 (JIS), B5 (JIS), A5, Letter, A6 and the Japanese postcard (100 × 148 mm),
// portrait. The name is matched in any letter case.
std::optional<PaperSize> FindPaperSize(std::string_view name);
// "A4|A3|…", for usage texts.
std::string_view PaperSizeNames();

// The paper of a run: the --paper name when given, then $PAPERSIZE, then the system's paper
// (libpaper's file: $PAPERCONF or /etc/papersize), then A4. A name from the environment or
// the file that is not one of ours is passed over with a note saying so; an unknown --paper
// name gives no paper (the caller lists the known ones).
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
