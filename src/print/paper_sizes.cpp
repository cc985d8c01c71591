#include "print/paper_sizes.h"

#include "base/file_io.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>

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

std::string PaperNameInFile(const std::filesystem::path& file) {
    // Read without waiting: $PAPERCONF may name a pipe or a device. Anything but a small
    // regular file gives no name.
    constexpr std::size_t kMaxPaperFileBytes = 64 * 1024;
    std::istringstream in(base::ReadFileBounded(file, kMaxPaperFileBytes).bytes);
    std::string line;
    while (std::getline(in, line)) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string word;
        if (words >> word) return word;
    }
    return {};
}

PaperChoice ChoosePaperSize(const std::optional<std::string>& option,
                            const std::function<const char*(const char*)>& getenv) {
    PaperChoice choice;
    if (option) {
        choice.paper = FindPaperSize(*option);
        return choice;
    }
    auto consider = [&](const std::string& name, const std::string& where) {
        if (name.empty()) return false;
        choice.paper = FindPaperSize(name);
        if (!choice.paper)
            choice.notes.push_back(where + " names the paper '" + name + "', which is not one of " +
                                   std::string(PaperSizeNames()) + "; passed over");
        return choice.paper.has_value();
    };
    const char* env = getenv("PAPERSIZE");
    if (consider(env ? env : "", "PAPERSIZE")) return choice;
    const char* conf = getenv("PAPERCONF");
    const std::filesystem::path file =
        conf && *conf ? std::filesystem::path(conf) : std::filesystem::path(kSystemPaperFile);
    if (consider(PaperNameInFile(file), file.string())) return choice;
    choice.paper = FindPaperSize("A4");
    return choice;
}

PaperChoice ChoosePaperSize(const std::optional<std::string>& option) {
    return ChoosePaperSize(option, [](const char* name) { return std::getenv(name); });
}

int PaperPixels(double mm, int dpi) {
    return static_cast<int>(std::trunc(mm * dpi / 25.4));
}

} // namespace print
