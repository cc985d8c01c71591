// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/config_file.h"

#include "base/file_io.h"
#include "base/file_lock.h"
#include "base/i18n.h"
#include "config/cp932_scan.h"
#include "config/number_text.h"

#include <algorithm>

namespace config {
namespace {

constexpr std::string_view kCaption = "ｴﾗｰ";

bool HasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool IsBlankOnly(std::string_view text) {
    return text.find_first_not_of(" \t\v\f") == std::string_view::npos;
}

// Why a name pair cannot be written, or empty when it can.
std::string CheckNames(std::string_view section, std::string_view key) {
    if (IsBlankOnly(section) || IsBlankOnly(key)) return _("a name is empty");
    if (HasLineBreakOrNul(section) || HasLineBreakOrNul(key)) return _("a name has a line break");
    std::size_t start = key.find_first_not_of(" \t\v\f");
    if (key.find('=') != std::string_view::npos || key[start] == ';' || key[start] == '[') {
        return _("the key has a character a key cannot begin with or hold");
    }
    return {};
}

} // namespace

std::string UnreadableSettingsProblem(const std::filesystem::path& path, std::string_view bytes) {
    const std::string damage = Cp932ProfileDamage(bytes);
    return damage.empty() ? damage : base::Format(_("%s cannot be read as Shift-JIS: %s"), path.c_str(), damage.c_str());
}

ConfigFile::ConfigFile(std::filesystem::path path, base::Reporter* reporter)
    : path_(std::move(path)), reporter_(reporter) {}

ConfigFile ConfigFile::InMemory(std::string bytes, std::filesystem::path name, base::Reporter* reporter) {
    ConfigFile file(std::move(name), reporter);
    file.memory_ = std::move(bytes);
    return file;
}

const std::string& ConfigFile::memory_bytes() const {
    static const std::string none;
    return memory_ ? *memory_ : none;
}

bool ConfigFile::exists() const {
    if (memory_) return true;
    std::error_code ec;
    return std::filesystem::is_regular_file(path_, ec);
}

void ConfigFile::Report(const std::string& text) const {
    if (reporter_) reporter_->ShowMessage(text, kCaption);
}

void ConfigFile::Parse(std::string bytes) const {
    document_damage_ = UnreadableSettingsProblem(path_, bytes);
    document_ = ProfileDocument(std::move(bytes));
}

const ProfileDocument* ConfigFile::Load(bool for_write) const {
    if (scope_loaded_ && !for_write) return &document_;
    base::FileRead read;
    if (!memory_) {
        read = base::ReadFileBounded(path_, kMaxFileBytes);
    } else if (memory_->size() > kMaxFileBytes) {
        read.status = base::FileRead::Status::TooLarge;
    } else {
        // Parsed again only when changed, as for a file on disk, without a copy to compare.
        if (*memory_ != document_.bytes()) Parse(std::string(*memory_));
        read.status = base::FileRead::Status::Ok;
    }
    std::string problem;
    switch (read.status) {
    case base::FileRead::Status::Ok:
    case base::FileRead::Status::Missing:
        if (!memory_ && read.bytes != document_.bytes()) Parse(std::move(read.bytes));
        if (!document_damage_.empty()) {
            problem = document_damage_;
            break;
        }
        last_read_problem_.clear();
        scope_loaded_ = scopes_ > 0;
        return &document_;
    case base::FileRead::Status::TooLarge:
        problem = base::Format(_("%s: the settings file is too large (at most 16 MiB)"), path_.c_str());
        break;
    case base::FileRead::Status::Failed:
        problem = base::Format(_("cannot read the settings file: %s"), read.error.c_str());
        break;
    }
    if (for_write || problem != last_read_problem_) Report(problem);
    last_read_problem_ = problem;
    return nullptr;
}

std::optional<std::string> ConfigFile::ReadRaw(std::string_view section, std::string_view key) const {
    auto section_cp932 = EncodeCp932(section);
    auto key_cp932 = EncodeCp932(key);
    if (!section_cp932 || !key_cp932) return std::nullopt; // no name in the file can match
    const ProfileDocument* document = Load(false);
    if (!document) return std::nullopt;
    auto value = document->Find(*section_cp932, *key_cp932);
    if (!value) return std::nullopt;
    return std::string(*value);
}

std::string ConfigFile::ReadString(std::string_view section, std::string_view key,
                                   std::string_view default_value) const {
    auto raw = ReadRaw(section, key);
    return raw ? Cp932ToUtf8Replacing(*raw) : std::string(default_value);
}

int ConfigFile::ReadInteger(std::string_view section, std::string_view key, int default_value) const {
    auto raw = ReadRaw(section, key);
    if (!raw) return default_value;
    return ParseInteger(*raw).value_or(default_value);
}

bool ConfigFile::ReadBool(std::string_view section, std::string_view key, bool default_value) const {
    return ReadInteger(section, key, default_value ? 1 : 0) != 0;
}

bool ConfigFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    Entry entry{std::string(section), std::string(key), std::string(value)};
    return WriteStrings(std::span<const Entry>(&entry, 1));
}

bool ConfigFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    return WriteString(section, key, std::to_string(value));
}

bool ConfigFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

bool ConfigFile::WriteStrings(std::span<const Entry> entries) {
    std::vector<Edit> edits;
    edits.reserve(entries.size());
    for (const Entry& entry : entries)
        edits.push_back({entry.section, entry.key, entry.value, {}});
    return WriteEdits(edits);
}

// Why a value cannot be written under its names, or empty when it can; the CP932 bytes of
// the three in encoded.
std::string ConfigFile::Encode(const std::string& section, const std::string& key, const std::string& value,
                               Entry& encoded) const {
    std::string problem = CheckNames(section, key);
    if (problem.empty() && HasLineBreakOrNul(value)) problem = _("the value has a line break");
    auto section_cp932 = EncodeCp932(section);
    auto key_cp932 = EncodeCp932(key);
    auto value_cp932 = EncodeCp932(value);
    if (problem.empty() && (!section_cp932 || !key_cp932 || !value_cp932))
        problem = _("it has a character that Shift-JIS cannot hold");
    if (problem.empty()) {
        std::size_t longest =
            std::max(section_cp932->size() + 2, key_cp932->size() + QuoteProfileValue(*value_cp932).size() + 1);
        if (longest > ProfileDocument::kMaxLineBytes) problem = _("the value is too long");
    }
    if (!problem.empty()) return path_.filename().string() + " [" + section + "] " + key + ": " + problem;
    encoded = {*std::move(section_cp932), *std::move(key_cp932), *std::move(value_cp932)};
    return {};
}

bool ConfigFile::WriteEdits(std::span<const Edit> edits) {
    // Every edit of a fixed value is checked and converted before the file is touched; the
    // names of the others too.
    std::vector<Entry> encoded(edits.size());
    for (std::size_t i = 0; i < edits.size(); ++i) {
        const Edit& edit = edits[i];
        std::string problem = Encode(edit.section, edit.key, edit.rewrite ? std::string() : edit.value, encoded[i]);
        if (!problem.empty()) {
            Report(problem);
            return false;
        }
    }

    // Held from the read to the rename: another writer of the file (another process, or
    // another ConfigFile in this one) waits, and then edits the version written here.
    std::optional<base::FileLock> lock;
    if (!memory_) lock.emplace(path_);
    if (lock && !lock->ok()) {
        Report(base::Format(_("cannot write the settings file: %s"), lock->error().c_str()));
        return false;
    }
    const ProfileDocument* current = Load(true);
    if (!current) return false;
    ProfileDocument document = *current;
    bool fits = true;
    for (std::size_t i = 0; fits && i < edits.size(); ++i) {
        const Edit& edit = edits[i];
        if (edit.rewrite) {
            // Made from the value in the document as edited so far, so that two edits of
            // one key in a batch both take effect.
            std::optional<std::string> now;
            if (auto raw = document.Find(encoded[i].section, encoded[i].key)) now = Cp932ToUtf8Replacing(*raw);
            std::string problem = Encode(edit.section, edit.key, edit.rewrite(now), encoded[i]);
            if (!problem.empty()) {
                Report(problem);
                return false;
            }
        }
        fits = document.Set(encoded[i].section, encoded[i].key, encoded[i].value);
    }
    if (fits && document.bytes() == current->bytes()) return true;
    if (!fits || document.bytes().size() > kMaxFileBytes) {
        Report(base::Format(_("%s: the settings file is too large (at most 16 MiB)"), path_.c_str()));
        return false;
    }
    std::string error = memory_ ? std::string() : base::ReplaceFileAtomically(path_, document.bytes());
    if (memory_) *memory_ = document.bytes();
    if (!error.empty()) {
        Report(base::Format(_("cannot write the settings file: %s"), error.c_str()));
        return false;
    }
    document_ = std::move(document);
    return true;
}

std::vector<std::string> ConfigFile::SectionNames() const {
    std::vector<std::string> names;
    const ProfileDocument* document = Load(false);
    if (!document) return names;
    for (std::string_view name : document->SectionNames())
        names.push_back(Cp932ToUtf8Replacing(name));
    return names;
}

} // namespace config
