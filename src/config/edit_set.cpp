// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/edit_set.h"

namespace config {

void EditSet::Set(std::string section, std::string key, std::string value) {
    edits_.push_back({std::move(section), std::move(key), std::move(value), {}});
}

void EditSet::Rewrite(std::string section, std::string key, ConfigFile::Rewrite rewrite) {
    edits_.push_back({std::move(section), std::move(key), {}, std::move(rewrite)});
}

bool EditSet::WriteTo(ConfigFile& file) const {
    return edits_.empty() || file.WriteEdits(edits_);
}

} // namespace config
