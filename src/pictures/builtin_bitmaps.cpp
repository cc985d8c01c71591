// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/builtin_bitmaps.h"
#include "pictures/bmp_image.h"
#include "pictures/builtin_resources.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <mutex>
#include <optional>

namespace pictures {

std::span<const std::uint8_t> BuiltinBitmapBytes(std::string_view name) {
    const auto all = BuiltinResources();
    const auto it = std::lower_bound(all.begin(), all.end(), name,
                                     [](const BuiltinResource& r, std::string_view n) { return r.name < n; });
    if (it == all.end() || it->name != name) return {};
    return it->bytes;
}

namespace {

// The resource of that name made into a T by decode on first use and kept, marked permanent,
// for the life of the program; nullptr when there is no such resource or it does not decode.
template <typename T, typename Decode> const T* KeptForTheProgram(std::string_view name, Decode decode) {
    static std::mutex mutex;
    static std::map<std::string, std::optional<T>, std::less<>> cache;
    const std::lock_guard<std::mutex> lock(mutex);
    auto it = cache.find(name);
    if (it == cache.end()) {
        const auto bytes = BuiltinBitmapBytes(name);
        it = cache.emplace(std::string(name), bytes.empty() ? std::nullopt : decode(bytes)).first;
        if (it->second) it->second->permanent = true;
    }
    return it->second ? &*it->second : nullptr;
}

} // namespace

const Bitmap* BuiltinBitmap(std::string_view name) {
    return KeptForTheProgram<Bitmap>(name, [](std::span<const std::uint8_t> bytes) { return DecodeBmpImage(bytes); });
}

const InkBitmap* BuiltinInkBitmap(std::string_view name) {
    return KeptForTheProgram<InkBitmap>(name, [](std::span<const std::uint8_t> bytes) { return DecodeInkBmp(bytes); });
}

std::string DayNumberBitmapName(int day) {
    char name[8];
    std::snprintf(name, sizeof name, "K%02d", std::clamp(day, 0, 31));
    return name;
}

std::string PageDayNumberBitmapName(int day) {
    return "page/" + DayNumberBitmapName(day);
}

} // namespace pictures
