#include "print/paper_sizes.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

namespace print {
namespace {

constexpr std::array<PaperSize, 8> kPaperSizes = {{
    {"A4", 210, 297},
    {"A3", 297, 420},
    {"B4", 257, 364},
    {"B5", 182, 257},
    {"A5", 148, 210},
    {"Letter", 215.9, 279.4},
    {"A6", 105, 148},       // a tear-off pad's leaf
    {"Postcard", 100, 148}, // the Japanese postcard
}};

bool SameLetters(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

std::optional<PaperSize> FindPaperSize(std::string_view name) {
    for (const PaperSize& p : kPaperSizes)
        if (SameLetters(p.name, name)) return p;
    return std::nullopt;
}

std::string_view PaperSizeNames() {
    return "A4|A3|B4|B5|A5|Letter|A6|Postcard";
}

int PaperPixels(double mm, int dpi) {
    return static_cast<int>(std::trunc(mm * dpi / 25.4));
}

} // namespace print
