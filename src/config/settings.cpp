// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/settings.h"

#include "base/sjis.h"
#include "config/setting_keys.h"

#include <vector>

namespace config {
namespace {

constexpr std::size_t kEraNameBytes = 4;   // two double-byte characters
constexpr std::size_t kFontNameBytes = 31; // the platform's limit for a face name

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// One trailing separator goes; a folder that is only a separator ("/") stays as it is.
std::string WithoutTrailingSeparator(std::string folder) {
    if (folder.size() > 1 && IsSeparator(folder.back())) folder.pop_back();
    return folder;
}

// Writes every row of one writer in one replacement of the file.
bool SaveRowsOf(ConfigFile& file, const Settings& settings, Writer writer) {
    std::vector<ConfigFile::Entry> entries;
    for (const SettingKey& row : SettingKeys()) {
        if (row.writer != writer) continue;
        if (auto text = FormatSetting(row, settings)) {
            entries.push_back({std::string(row.section), std::string(row.key), *std::move(text)});
        }
    }
    return entries.empty() || file.WriteStrings(entries);
}

// The rows of one writer whose formatted values differ between given and edited.
EditSet EditsOf(const Settings& given, const Settings& edited, Writer writer) {
    EditSet edits;
    for (const SettingKey& row : SettingKeys()) {
        if (row.writer != writer) continue;
        std::optional<std::string> before = FormatSetting(row, given);
        std::optional<std::string> after = FormatSetting(row, edited);
        if (after && after != before) edits.Set(std::string(row.section), std::string(row.key), *std::move(after));
    }
    return edits;
}

} // namespace

Settings::Settings() {
    for (const SettingKey& row : SettingKeys())
        ApplyDefault(row, *this);
}

Settings LoadSettings(const ConfigFile& file, const std::filesystem::path& module_folder) {
    const ConfigFile::ReadScope one_version(file);
    Settings settings;
    int place_texts = 0;
    for (const SettingKey& row : SettingKeys()) {
        ReadSetting(row, file, settings);
        if (row.type != ValueType::Decimal) continue;
        // The place's two numbers: a text that the field could not take damages the place.
        const std::string text = file.ReadString(row.section, row.key, "");
        if (text.empty()) continue;
        ++place_texts;
        Settings scratch;
        if (!ApplySettingText(row, text, scratch).empty()) settings.place_damaged = true;
    }
    if (place_texts == 1) settings.place_damaged = true;

    if (settings.data_folder.empty()) settings.data_folder = module_folder.string();
    settings.data_folder = WithoutTrailingSeparator(std::move(settings.data_folder));

    settings.era_name = base::TruncateToCp932Bytes(settings.era_name, kEraNameBytes);

    if (settings.font_height > 0) settings.font_height = -settings.font_height;
    const Settings defaults;
    if (settings.font_height == 0) settings.font_height = defaults.font_height;
    if (settings.font_name.empty()) settings.font_name = defaults.font_name;
    settings.font_name = base::TruncateToCp932Bytes(settings.font_name, kFontNameBytes);

    return settings;
}

void ReadPrintSettings(const ConfigFile& file, Settings& settings) {
    const ConfigFile::ReadScope one_version(file);
    for (const SettingKey& row : SettingKeys()) {
        if (row.writer == Writer::PrintDialog) ReadSetting(row, file, settings);
    }
}

EditSet PrintSettingEdits(const Settings& given, const Settings& edited) {
    return EditsOf(given, edited, Writer::PrintDialog);
}

EditSet MonthPictureEdits(const Settings& given, const Settings& edited) {
    return EditsOf(given, edited, Writer::Shutdown);
}

bool SavePrintSettings(ConfigFile& file, const Settings& settings) {
    return SaveRowsOf(file, settings, Writer::PrintDialog);
}

bool SaveMonthPictures(ConfigFile& file, const Settings& settings) {
    return SaveRowsOf(file, settings, Writer::Shutdown);
}

bool SaveTestDialogPlace(ConfigFile& file, const Settings& settings) {
    return SaveRowsOf(file, settings, Writer::TestDialog);
}

bool SavePictureDialogPlace(ConfigFile& file, const Settings& settings) {
    return SaveRowsOf(file, settings, Writer::PictureDialog);
}

} // namespace config
