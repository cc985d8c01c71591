// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The messages of the command lines in the user's language. The texts in the sources are
// English; _() looks one up in the "qelmarin" catalogue of the user's LC_MESSAGES locale,
// N_() only marks a text of a table for the catalogue, to be looked up with Translate() where
// it is shown. The almanac's own Japanese texts (what the pages print, the fixed message
// texts) are never looked up: they read the same in every locale.

#include <libintl.h>

#include <string>
#include <string_view>

namespace base {

inline constexpr const char kTextDomain[] = "qelmarin";

// Takes the language of the messages from the environment (LC_ALL, LC_MESSAGES, LANG) and
// finds the catalogues: in $QELMARIN_LOCALEDIR when set (the build tree's, for the tests),
// else in the installed locale folder. Only the messages' category is set: numbers, the
// character type and with them the pages drawn stay the same in every locale.
void InitMessages();

// The catalogue's text for a marked table entry; "" stays "".
std::string Translate(std::string_view text);

// printf into a string, for messages whose words a translation may reorder (%1$s).
std::string Format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

} // namespace base

#define _(text) ::dgettext(::base::kTextDomain, text)
#define N_(text) text
