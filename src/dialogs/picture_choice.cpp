// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/picture_choice.h"

#include "base/kanji_numbers.h"
#include "pictures/file_bytes.h"

#include <algorithm>
#include <cctype>

namespace dialogs {
namespace {

namespace fs = std::filesystem;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The real path as far as it exists, the rest normalised.
fs::path RealPath(const fs::path& path) {
    std::error_code ec;
    fs::path real = fs::weakly_canonical(fs::absolute(path, ec), ec);
    return ec ? path.lexically_normal() : real;
}

} // namespace

ChosenPicture CheckChosenCmp(const fs::path& chosen, const fs::path& data_folder) {
    if (Lower(chosen.extension().string()) != ".cmp") return {{}, kWrongExtension};
    const fs::path file = RealPath(chosen);
    const fs::path folder = RealPath(data_folder);
    auto f = file.begin();
    for (auto d = folder.begin(); d != folder.end(); ++d, ++f) {
        if (d->empty()) continue; // a trailing separator
        if (f == file.end() || *f != *d) return {{}, kWrongFolder};
    }
    const fs::path relative = file.lexically_relative(folder);
    if (relative.empty() || *relative.begin() == "..") return {{}, kWrongFolder};
    return {relative.generic_string(), {}};
}

fs::path NextNewPicturePath(const fs::path& data_folder) {
    constexpr int kFirst = 13;
    constexpr int kLast = 1'000'000;
    for (int n = kFirst; n < kFirst + kLast; ++n) {
        fs::path candidate = data_folder / ("BP" + std::to_string(n) + ".cmp");
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(candidate, ec))) return candidate;
    }
    return {};
}

fs::path SameNewPicture(const fs::path& data_folder, std::span<const std::uint8_t> cmp) {
    std::error_code ec;
    for (fs::directory_iterator it(data_folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() < 7 || !name.starts_with("BP") || !name.ends_with(".cmp")) continue;
        const std::string digits = name.substr(2, name.size() - 6);
        if (!std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); })) continue;
        std::error_code size_ec;
        if (!it->is_regular_file(size_ec) || it->file_size(size_ec) != cmp.size() || size_ec) continue;
        const auto bytes = pictures::ReadFileBytes(it->path(), cmp.size());
        if (bytes && std::equal(bytes->begin(), bytes->end(), cmp.begin(), cmp.end())) return it->path();
    }
    return {};
}

fs::path NewCmpPathFor(const fs::path& bitmap, const fs::path& data_folder) {
    fs::path name = bitmap.filename();
    name.replace_extension(".cmp");
    return data_folder / name;
}

std::string MarginSpoken(int millimetres) {
    return std::to_string(millimetres) + "ミリ";
}

std::string MarginText(int millimetres) {
    const int mm = std::clamp(millimetres, 0, 999);
    std::string text;
    if (mm >= 100) text += base::KanjiNumerals[static_cast<std::size_t>(mm / 100)];
    const int tens = mm / 10 % 10;
    const int units = mm % 10;
    if (tens == 0) {
        text += mm >= 100 ? "○" : "　";
    } else {
        text += base::KanjiNumerals[static_cast<std::size_t>(tens)];
    }
    text += units == 0 ? std::string("○") : std::string(base::KanjiNumerals[static_cast<std::size_t>(units)]);
    return text;
}

std::string MonthName(int month) {
    return std::string(base::KanjiNumerals[static_cast<std::size_t>(std::clamp(month, 1, 12))]) + "月";
}

} // namespace dialogs
