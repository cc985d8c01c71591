// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Kalvorin.CFG, the configuration file shared with the host: a Windows private-profile
// (INI) file in CP932. Texts go in and out as UTF-8. Each read reads the file afresh (the
// host may change it while the module runs); each write replaces the file at once and
// atomically, changing only the line of its key (see ProfileDocument for the rules), under
// a lock that keeps concurrent writers in this and other processes from losing each
// other's changes (base/file_lock.h).
// Not for use from several threads at once.
//
// - A missing key, or a missing or unreadable file, gives the default. A file larger than
//   kMaxFileBytes, or one that cannot be read as CP932 (Cp932ProfileDamage: another
//   encoding, NULs, damaged names), is not read: reads give defaults and writes fail, with
//   one message naming the file and what is wrong with it.
// - Integers are decimal text (ParseInteger): anything else gives the default. Booleans are
//   integers, non-zero is on; they are written "1" and "0".
// - Bytes of a value that are not CP932 come back as U+FFFD, one per byte.
// - A write fails, with a message through the reporter, when a name or value holds a
//   character CP932 lacks, a line break, a key name with "=" or starting with ";" or "[",
//   or a line longer than ProfileDocument::kMaxLineBytes; and when the file cannot be
//   replaced. The file is then left as it was.

#include "base/reporter.h"
#include "config/profile_document.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace config {

// The message of a settings file at path whose bytes cannot be read as CP932 (what is wrong
// with them, named with the path), or an empty text when they can.
std::string UnreadableSettingsProblem(const std::filesystem::path& path, std::string_view bytes);

class ConfigFile {
public:
    static constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;

    // One value of a batch write.
    struct Entry {
        std::string section;
        std::string key;
        std::string value;
    };

    // A value made from the key's current value in the file (nullopt when the key is not
    // there), while the file is locked: for edits that change part of a value.
    using Rewrite = std::function<std::string(const std::optional<std::string>& current)>;

    // One edit of a batch: the key set to value, or, when rewrite holds a function, to what
    // it makes of the key's current value.
    struct Edit {
        std::string section;
        std::string key;
        std::string value;
        Rewrite rewrite;
    };

    // While one is alive, the reads of the file see one version of it: the file is read at
    // the first read in the scope and not again. For loading many settings at once.
    class ReadScope {
    public:
        explicit ReadScope(const ConfigFile& file) : file_(file) { ++file_.scopes_; }
        ReadScope(const ReadScope&) = delete;
        ReadScope& operator=(const ReadScope&) = delete;
        ~ReadScope() {
            if (--file_.scopes_ == 0) file_.scope_loaded_ = false;
        }

    private:
        const ConfigFile& file_;
    };

    explicit ConfigFile(std::filesystem::path path, base::Reporter* reporter = nullptr);
    // A file held in memory under the name `name`: reads see bytes, writes replace them
    // (no lock, no disk), with the same rules and limits as a file on disk. For testing the
    // reading and editing rules on many contents quickly.
    static ConfigFile InMemory(std::string bytes, std::filesystem::path name = "Kalvorin.CFG",
                               base::Reporter* reporter = nullptr);
    // The content of a file held in memory (empty for a file on disk).
    const std::string& memory_bytes() const;

    const std::filesystem::path& path() const { return path_; }
    // Whether the file is there (as a regular file or a link to one).
    bool exists() const;

    std::string ReadString(std::string_view section, std::string_view key, std::string_view default_value) const;
    int ReadInteger(std::string_view section, std::string_view key, int default_value) const;
    bool ReadBool(std::string_view section, std::string_view key, bool default_value) const;

    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInteger(std::string_view section, std::string_view key, int value);
    bool WriteBool(std::string_view section, std::string_view key, bool value);
    // Several values in one replacement of the file: either all of them reach it or, when
    // one is refused or the file cannot be written, none.
    bool WriteStrings(std::span<const Entry> entries);
    // Several edits in one replacement of the file, all or none, each applied to the file's
    // content as it is under the lock (another writer's change to the same file, made since
    // it was last read here, is kept).
    bool WriteEdits(std::span<const Edit> edits);

    // Section names in file order (the first of duplicates only).
    std::vector<std::string> SectionNames() const;

private:
    // The raw CP932 value of a key, or nullopt.
    std::optional<std::string> ReadRaw(std::string_view section, std::string_view key) const;
    // The file's text, read afresh; nullptr when it is too large or unreadable (reported).
    // The pointer is valid until the next Load.
    const ProfileDocument* Load(bool for_write) const;
    // Takes bytes as the document read last, with what makes them unreadable.
    void Parse(std::string bytes) const;
    void Report(const std::string& text) const;
    std::string Encode(const std::string& section, const std::string& key, const std::string& value,
                       Entry& encoded) const;

    std::filesystem::path path_;
    base::Reporter* reporter_;
    // The content of a file held in memory; nullopt for a file on disk.
    std::optional<std::string> memory_;
    // The last read problem reported, so that a file that stays broken is reported once
    // and not on each of the many reads at start-up.
    mutable std::string last_read_problem_;
    // The last text read, parsed. The file is still read on every access; only when its
    // bytes are the same as last time is the parse reused (start-up makes about ninety
    // reads of an unchanged file).
    mutable ProfileDocument document_;
    // What makes document_'s bytes unreadable as CP932 (UnreadableSettingsProblem), or empty.
    mutable std::string document_damage_;
    mutable int scopes_ = 0;
    mutable bool scope_loaded_ = false; // document_ holds the text of the current scope
};

} // namespace config
