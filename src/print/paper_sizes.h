#pragma once
// The paper sizes the command line offers, and a page of paper in device pixels.

#include <optional>
#include <string_view>

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

// Millimetres to device pixels as a printer driver reports its page: Trunc(mm × dpi ÷ 25.4).
int PaperPixels(double mm, int dpi);

} // namespace print
