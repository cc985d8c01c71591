// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/paper_sizes.h"

#include "base/file_io.h"
#include "base/i18n.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace print {
namespace {

// The papers in the order --help lists them. libpaper's sizes are its own, in millimetres;
// "ledger" is tabloid paper turned sideways, which --landscape gives.
constexpr std::array<PaperSize, 20> kPaperSizes = {{
    {"A4", 210, 297, "a4"},
    {"A3", 297, 420, "a3"},
    {"B4", 257, 364, "b4j jisb4", N_("JIS B4")},
    {"B5", 182, 257, "b5j jisb5", N_("JIS B5")},
    {"A5", 148, 210, "a5"},
    {"Letter", 215.9, 279.4, "letter note", N_("8.5 x 11 in")},
    {"A6", 105, 148, "a6", N_("a tear-off pad's leaf")},
    {"Postcard", 100, 148, "", N_("the Japanese postcard")},
    {"ISO-B4", 250, 353, "b4", N_("ISO B4")},
    {"ISO-B5", 176, 250, "b5", N_("ISO B5")},
    {"ISO-B6", 125, 176, "b6", N_("ISO B6")},
    {"Legal", 215.9, 355.6, "legal", N_("8.5 x 14 in")},
    {"Executive", 184.15, 266.7, "executive", N_("7.25 x 10.5 in")},
    {"Tabloid", 279.4, 431.8, "tabloid ledger 11x17", N_("11 x 17 in")},
    {"Statement", 139.7, 215.9, "statement halfletter", N_("5.5 x 8.5 in")},
    {"Half-executive", 133.35, 184.15, "halfexecutive", N_("5.25 x 7.25 in")},
    {"Folio", 215.9, 330.2, "folio flsa flse", N_("8.5 x 13 in")},
    {"Quarto", 215.2, 275.2, "quarto", N_("8.47 x 10.83 in")},
    {"10x14", 254, 355.6, "10x14", N_("10 x 14 in")},
    {"ArchA", 228.6, 304.8, "archA", N_("9 x 12 in")},
}};

bool SameLetters(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::optional<PaperSize> FindByName(std::string_view name) {
    for (const PaperSize& p : kPaperSizes)
        if (SameLetters(p.name, name)) return p;
    return std::nullopt;
}

std::vector<std::string_view> LibpaperNames(const PaperSize& paper) {
    std::vector<std::string_view> names;
    for (std::string_view rest = paper.libpaper_names; !rest.empty();) {
        const std::size_t space = rest.find(' ');
        names.push_back(rest.substr(0, space));
        rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
    }
    return names;
}

// libpaper compares names without regard to letter case, too.
std::optional<PaperSize> FindByLibpaperName(std::string_view name) {
    for (const PaperSize& p : kPaperSizes)
        for (std::string_view one : LibpaperNames(p))
            if (SameLetters(one, name)) return p;
    return std::nullopt;
}

std::string Millimetres(double mm) {
    char text[16];
    std::snprintf(text, sizeof text, "%g", mm);
    return text;
}

} // namespace

std::span<const PaperSize> PaperSizes() {
    return kPaperSizes;
}

std::optional<PaperSize> FindPaperSize(std::string_view name) {
    if (auto ours = FindByName(name)) return ours;
    return FindByLibpaperName(name);
}

std::optional<PaperSize> FindSystemPaperSize(std::string_view name) {
    if (auto libpaper = FindByLibpaperName(name)) return libpaper;
    return FindByName(name);
}

std::string PaperSizeNames() {
    std::string names;
    for (const PaperSize& p : kPaperSizes) {
        if (!names.empty()) names += '|';
        names += p.name;
    }
    return names;
}

std::string PaperSizeList() {
    std::string list;
    for (const PaperSize& p : kPaperSizes) {
        std::string line = "  " + std::string(p.name);
        line.resize(std::max<std::size_t>(line.size() + 1, 18), ' ');
        line += Millimetres(p.width_mm) + " x " + Millimetres(p.height_mm) + " mm";
        std::string remark = base::Translate(p.remark);
        if (!p.libpaper_names.empty()) {
            std::string names;
            for (std::string_view one : LibpaperNames(p)) names += (names.empty() ? "" : ", ") + std::string(one);
            remark = remark.empty() ? base::Format(_("libpaper: %s"), names.c_str())
                                    : base::Format(_("%s; libpaper: %s"), remark.c_str(), names.c_str());
        }
        if (!remark.empty()) {
            line.resize(std::max<std::size_t>(line.size() + 1, 42), ' ');
            line += remark;
        }
        list += line + "\n";
    }
    return list;
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
        choice.paper = FindSystemPaperSize(name);
        if (!choice.paper)
            choice.notes.push_back(base::Format(_("%s names the paper '%s', which is not one of %s; passed over"),
                                                where.c_str(), name.c_str(), PaperSizeNames().c_str()));
        return choice.paper.has_value();
    };
    // Blanks around the name, a shell's trailing newline among them, are no part of it, as
    // libpaper reads the variable; blanks alone leave it unset.
    std::string_view env = getenv("PAPERSIZE") ? getenv("PAPERSIZE") : "";
    constexpr std::string_view kBlanks = " \t\n\r\f\v";
    env.remove_prefix(std::min(env.size(), env.find_first_not_of(kBlanks)));
    env = env.substr(0, env.find_last_not_of(kBlanks) + 1);
    if (consider(std::string(env), "PAPERSIZE")) return choice;
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
