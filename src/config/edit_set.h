// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a window hands back to Kalvorin.CFG: the values its user changed, and nothing else.
//
// The host, the command lines, a hand edit or a second qelmarin may change the file while a
// window is open. A window that wrote back every value it had read would undo those
// changes with the stale copy in its memory, so a window records edits instead: a key set
// to the value its user chose, or a value rewritten from the file's current one (a month
// of holidays with the toggled days changed and every other day kept). The file applies
// the edits to its content as it is under its lock, in one replacement.

#include "config/config_file.h"

#include <cstddef>
#include <string>
#include <vector>

namespace config {

class EditSet {
public:
    // The key gets value, whatever the file holds.
    void Set(std::string section, std::string key, std::string value);
    // The key gets what rewrite makes of its current value in the file.
    void Rewrite(std::string section, std::string key, ConfigFile::Rewrite rewrite);

    bool empty() const { return edits_.empty(); }
    std::size_t size() const { return edits_.size(); }
    const std::vector<ConfigFile::Edit>& edits() const { return edits_; }

    // Every edit in one replacement of the file, each against the file's current content.
    // True without touching the file when there is none; false after a message through the
    // file's reporter when one is refused or the file cannot be written, and then nothing
    // is written.
    bool WriteTo(ConfigFile& file) const;

private:
    std::vector<ConfigFile::Edit> edits_;
};

} // namespace config
