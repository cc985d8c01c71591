// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/setting_keys.h"

#include "base/i18n.h"
#include "config/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <type_traits>

namespace config {
namespace {

constexpr std::array<std::string_view, 5> kPageSections = {"PRINT 1", "PRINT 2", "PRINT 3", "PRINT 4", "PRINT 5"};

// Bounds of the values whose misuse would break the pages: the preview divides by
// "TESTSize", margins are multiplied by the resolution, the era year is subtracted from
// the printed year, and the font height becomes a font size.
constexpr int kAny = INT_MIN;
constexpr int kAll = INT_MAX;
constexpr int kMaxMarginMm = 999;
constexpr int kMaxPreviewScale = 16;
constexpr int kMaxFontHeight = 1000;
constexpr int kLastYear = 9999;
constexpr int kScreenLimit = 32767;

constexpr SettingKey Int(std::string_view section, std::string_view key, int def, int Settings::*field, Writer writer,
                         int min = kAny, int max = kAll) {
    return {section, key, ValueType::Integer, def, {}, true, min, max, writer, field};
}
constexpr SettingKey Text(std::string_view section, std::string_view key, std::string_view def,
                          std::string Settings::*field) {
    return {section, key, ValueType::Text, 0, def, true, kAny, kAll, Writer::Host, field};
}
constexpr SettingKey Decimal(std::string_view key, double Settings::*field, int limit) {
    return {"UNSEI", key, ValueType::Decimal, 0, {}, true, -limit, limit, Writer::Host, field};
}
constexpr SettingKey MonthPicture(int month, std::string_view key, std::string_view def) {
    return {"PRINT", key, ValueType::Text, 0, def, true, kAny, kAll, Writer::Shutdown, MonthPictureSlot{month}};
}
constexpr SettingKey Place(std::string_view key, DialogPlace Settings::*place, std::optional<int> DialogPlace::*part,
                           Writer writer) {
    return {"PRINT", key,           ValueType::Integer, 0,      {},
            false,   -kScreenLimit, kScreenLimit,       writer, PlaceSlot{place, part}};
}
constexpr SettingKey PageInt(int page, std::string_view key, int def, int PageOptions::*member, int min = kAny,
                             int max = kAll) {
    return {kPageSections[page - 1],  key, ValueType::Integer, def, {}, true, min, max, Writer::PrintDialog,
            PageIntSlot{page, member}};
}
constexpr SettingKey PageBool(int page, std::string_view key, bool def, bool PageOptions::*member) {
    return {kPageSections[page - 1],   key, ValueType::Boolean, def ? 1 : 0, {}, true, kAny, kAll, Writer::PrintDialog,
            PageBoolSlot{page, member}};
}
// "TESTSize": the dialog shows any value but 2 and 3 as "四分の一" (4), so a number beyond
// the bound becomes 4, what the dialog shows and writes back; an unreadable one the default.
constexpr SettingKey PreviewScaleKey() {
    SettingKey row = Int("PRINT", "TESTSize", 3, &Settings::preview_scale, Writer::PrintDialog, 1, kMaxPreviewScale);
    row.out_of_range = 4;
    return row;
}
constexpr SettingKey Margin(int page, std::string_view key, int PageOptions::*member) {
    return PageInt(page, key, 10, member, 0, kMaxMarginMm);
}

using P = PageOptions;
using S = Settings;

// "ColorLevel": 1 light, 2 middle, 3 dark, held in 8 bits.
constexpr SettingKey ColorLevel(int page) {
    SettingKey row = PageInt(page, "ColorLevel", 1, &P::color_level, 0, 255);
    row.low_byte = true;
    return row;
}

constexpr bool on = true;
constexpr bool off = false;

// clang-format off
constexpr std::array kSettingKeys = {
    Int("UNSEI", "ETO", 0, &S::birth_eto, Writer::Host),
    Int("UNSEI", "Start Youbi", 0, &S::start_weekday, Writer::Host),
    // Empty here: LoadSettings puts the module folder in its place.
    Text("UNSEI", "DIR", "", &S::data_folder),
    Text("UNSEI", "GENGO NAME", "", &S::era_name),
    Int("UNSEI", "GENGO YEAR", kLastYear, &S::era_first_year, Writer::Host, 1, kLastYear),
    Int("UNSEI", "Font Height", -16, &S::font_height, Writer::Host, -kMaxFontHeight, kMaxFontHeight),
    Text("UNSEI", "Font Name", "@ＭＳ ゴシック", &S::font_name),

    PreviewScaleKey(),
    Int("PRINT", "BMPPrintSize", 3, &S::picture_size, Writer::PrintDialog),
    MonthPicture(1, "BMP1", "歳時記01.cmp"),
    MonthPicture(2, "BMP2", "歳時記02.cmp"),
    MonthPicture(3, "BMP3", "歳時記03.cmp"),
    MonthPicture(4, "BMP4", "歳時記04.cmp"),
    MonthPicture(5, "BMP5", "歳時記05.cmp"),
    MonthPicture(6, "BMP6", "歳時記06.cmp"),
    MonthPicture(7, "BMP7", "歳時記07.cmp"),
    MonthPicture(8, "BMP8", "歳時記08.cmp"),
    MonthPicture(9, "BMP9", "歳時記09.cmp"),
    MonthPicture(10, "BMP10", "歳時記10.cmp"),
    MonthPicture(11, "BMP11", "歳時記11.cmp"),
    MonthPicture(12, "BMP12", "歳時記12.cmp"),

    PageBool(1, "UnderBitmap", on, &P::under_bitmap),
    PageBool(1, "FullBMP", on, &P::full_bmp),
    PageInt(1, "CornerBMP", 1, &P::corner_bmp),
    ColorLevel(1),
    PageBool(1, "DAYEnglish", off, &P::day_english),
    PageBool(1, "HolidayReverse", on, &P::holiday_reverse),
    PageBool(1, "Sekki", on, &P::sekki),
    PageBool(1, "OldDayPrint", on, &P::old_day_print),
    PageBool(1, "ROKUYOUPrint", on, &P::rokuyou_print),
    PageBool(1, "ETOPrint", on, &P::eto_print),
    PageBool(1, "ZATSUPrint", on, &P::zatsu_print),
    PageBool(1, "Kikkyou 1", on, &P::kikkyou1),
    PageBool(1, "Kikkyou 2", on, &P::kikkyou2),
    PageBool(1, "Unki", off, &P::unki),
    Margin(1, "Up Space", &P::up_space),
    Margin(1, "Down Space", &P::down_space),
    Margin(1, "Left Space", &P::left_space),
    Margin(1, "Right Space", &P::right_space),

    PageBool(2, "UnderBitmap", off, &P::under_bitmap),
    PageBool(2, "FullBMP", on, &P::full_bmp),
    PageInt(2, "CornerBMP", 1, &P::corner_bmp),
    ColorLevel(2),
    PageBool(2, "LRPrint", off, &P::lr_print),
    PageBool(2, "CalendarPrint", off, &P::calendar_print),
    PageInt(2, "CPrintPos", 1, &P::c_print_pos),
    Margin(2, "Up Space", &P::up_space),
    Margin(2, "Down Space", &P::down_space),
    Margin(2, "Left Space", &P::left_space),
    Margin(2, "Right Space", &P::right_space),

    PageBool(3, "UnderBitmap", off, &P::under_bitmap),
    PageBool(3, "FullBMP", on, &P::full_bmp),
    PageInt(3, "CornerBMP", 1, &P::corner_bmp),
    ColorLevel(3),
    PageBool(3, "DAYEnglish", off, &P::day_english),
    PageInt(3, "DayPrintPos", 1, &P::day_print_pos),
    PageBool(3, "KouBMPUse", off, &P::kou_bmp_use),
    PageBool(3, "Sekki", on, &P::sekki),
    PageBool(3, "OldDayPrint", on, &P::old_day_print),
    PageBool(3, "ETOPrint", on, &P::eto_print),
    PageBool(3, "ROKUYOUPrint", on, &P::rokuyou_print),
    PageBool(3, "ZATSUPrint", on, &P::zatsu_print),
    PageBool(3, "Kikkyou 1", on, &P::kikkyou1),
    PageBool(3, "Kikkyou 2", on, &P::kikkyou2),
    PageBool(3, "Unki", on, &P::unki),
    Margin(3, "Up Space", &P::up_space),
    Margin(3, "Down Space", &P::down_space),
    Margin(3, "Left Space", &P::left_space),
    Margin(3, "Right Space", &P::right_space),

    PageInt(4, "CPrintPos", 1, &P::c_print_pos),
    Margin(4, "Up Space", &P::up_space),
    Margin(4, "Down Space", &P::down_space),
    Margin(4, "Left Space", &P::left_space),
    Margin(4, "Right Space", &P::right_space),

    Margin(5, "Up Space", &P::up_space),
    Margin(5, "Down Space", &P::down_space),
    Margin(5, "Left Space", &P::left_space),
    Margin(5, "Right Space", &P::right_space),

    // Read again each time a list page is drawn.
    Decimal("IDO", &S::latitude, 90),
    Decimal("KEIDO", &S::longitude, 180),
    Int("UNSEI", "HYOUKOU", 0, &S::elevation, Writer::Host),

    // Read when the dialogs open; a missing part leaves the dialog at its own place.
    Place("TEST X", &S::test_dialog, &DialogPlace::x, Writer::TestDialog),
    Place("TEST Y", &S::test_dialog, &DialogPlace::y, Writer::TestDialog),
    Place("TEST W", &S::test_dialog, &DialogPlace::width, Writer::TestDialog),
    Place("TEST H", &S::test_dialog, &DialogPlace::height, Writer::TestDialog),
    Place("BMP X", &S::picture_dialog, &DialogPlace::x, Writer::PictureDialog),
    Place("BMP Y", &S::picture_dialog, &DialogPlace::y, Writer::PictureDialog),
    Place("BMP W", &S::picture_dialog, &DialogPlace::width, Writer::PictureDialog),
    Place("BMP H", &S::picture_dialog, &DialogPlace::height, Writer::PictureDialog),
};
// clang-format on

// The type column agrees with the field that holds the value.
constexpr ValueType TypeOfField(const SettingField& field) {
    switch (field.index()) {
    case 0:
        return ValueType::Integer; // int Settings::*
    case 1:
        return ValueType::Text; // std::string Settings::*
    case 2:
        return ValueType::Decimal; // double Settings::*
    case 3:
        return ValueType::Text; // MonthPictureSlot
    case 4:
        return ValueType::Integer; // PlaceSlot
    case 5:
        return ValueType::Integer; // PageIntSlot
    default:
        return ValueType::Boolean; // PageBoolSlot
    }
}
constexpr bool TypesAgree() {
    for (const SettingKey& row : kSettingKeys) {
        if (row.type != TypeOfField(row.field)) return false;
    }
    return true;
}
static_assert(TypesAgree());

template <class... F> struct Overloaded : F... { using F::operator()...; };
template <class... F> Overloaded(F...) -> Overloaded<F...>;

// Calls f with a reference to the row's field in settings (const or not).
template <class SettingsT, class F> void WithField(const SettingKey& row, SettingsT& settings, F&& f) {
    std::visit(
        Overloaded{
            [&](int Settings::*member) { f(settings.*member); },
            [&](std::string Settings::*member) { f(settings.*member); },
            [&](double Settings::*member) { f(settings.*member); },
            [&](MonthPictureSlot slot) { f(settings.month_pictures.at(static_cast<std::size_t>(slot.month - 1))); },
            [&](PlaceSlot slot) { f((settings.*slot.place).*slot.part); },
            [&](PageIntSlot slot) { f(settings.page(slot.page).*slot.member); },
            [&](PageBoolSlot slot) { f(settings.page(slot.page).*slot.member); },
        },
        row.field);
}

template <class T> using Plain = std::remove_cvref_t<T>;

} // namespace

std::span<const SettingKey> SettingKeys() {
    return kSettingKeys;
}

std::string_view PageSection(int page) {
    return kPageSections.at(static_cast<std::size_t>(page - 1));
}

void ApplyDefault(const SettingKey& row, Settings& settings) {
    WithField(row, settings, [&](auto& field) {
        using T = Plain<decltype(field)>;
        if constexpr (std::is_same_v<T, std::string>) {
            field = std::string(row.default_text);
        } else if constexpr (std::is_same_v<T, std::optional<int>>) {
            field = row.has_default ? std::optional<int>(row.default_number) : std::nullopt;
        } else if constexpr (std::is_same_v<T, bool>) {
            field = row.default_number != 0;
        } else {
            field = row.default_number;
        }
    });
}

void ReadSetting(const SettingKey& row, const ConfigFile& file, Settings& settings) {
    auto in_range = [&](auto value) { return value >= row.min && value <= row.max; };
    WithField(row, settings, [&](auto& field) {
        using T = Plain<decltype(field)>;
        if constexpr (std::is_same_v<T, std::string>) {
            field = file.ReadString(row.section, row.key, row.default_text);
        } else if constexpr (std::is_same_v<T, bool>) {
            field = file.ReadBool(row.section, row.key, row.default_number != 0);
        } else if constexpr (std::is_same_v<T, int>) {
            int value = file.ReadInteger(row.section, row.key, row.default_number);
            if (row.low_byte) value &= 0xFF;
            field = in_range(value) ? value : row.out_of_range.value_or(row.default_number);
        } else if constexpr (std::is_same_v<T, double>) {
            auto value = ParseDecimal(file.ReadString(row.section, row.key, ""));
            field = value && in_range(*value) ? *value : row.default_number;
        } else {
            auto value = ParseInteger(file.ReadString(row.section, row.key, ""));
            if (value && in_range(*value)) {
                field = *value;
            } else {
                field = row.has_default ? std::optional<int>(row.default_number) : std::nullopt;
            }
        }
    });
}

std::optional<std::string> FormatSetting(const SettingKey& row, const Settings& settings) {
    std::optional<std::string> text;
    WithField(row, settings, [&](const auto& field) {
        using T = Plain<decltype(field)>;
        if constexpr (std::is_same_v<T, std::string>) {
            text = field;
        } else if constexpr (std::is_same_v<T, bool>) {
            text.emplace(1, field ? '1' : '0');
        } else if constexpr (std::is_same_v<T, int>) {
            text = std::to_string(field);
        } else if constexpr (std::is_same_v<T, double>) {
            char buffer[64];
            auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, field);
            text = std::string(buffer, ec == std::errc() ? end : buffer);
        } else if (field) {
            text = std::to_string(*field);
        }
    });
    return text;
}

std::string ApplySettingText(const SettingKey& row, std::string_view text, Settings& settings) {
    std::string error;
    WithField(row, settings, [&](auto& field) {
        using T = Plain<decltype(field)>;
        if constexpr (std::is_same_v<T, std::string>) {
            field = std::string(text);
        } else if constexpr (std::is_same_v<T, bool>) {
            static constexpr std::string_view kOn[] = {"1", "on", "true", "yes"};
            static constexpr std::string_view kOff[] = {"0", "off", "false", "no"};
            if (std::find(std::begin(kOn), std::end(kOn), text) != std::end(kOn)) {
                field = true;
            } else if (std::find(std::begin(kOff), std::end(kOff), text) != std::end(kOff)) {
                field = false;
            } else {
                error = _("needs 1 or 0 (on or off)");
            }
        } else if constexpr (std::is_same_v<T, double>) {
            const auto value = ParseDecimal(text);
            if (value && *value >= row.min && *value <= row.max) field = *value;
            else
                error = base::Format(_("needs a decimal number from %d to %d"), row.min, row.max);
        } else {
            const auto value = ParseInteger(text);
            if (value && *value >= row.min && *value <= row.max) field = *value;
            else if (row.min == kAny && row.max == kAll)
                error = _("needs a whole number");
            else
                error = base::Format(_("needs a whole number from %d to %d"), row.min, row.max);
        }
    });
    return error;
}

} // namespace config
