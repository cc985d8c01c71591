// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fonts of the program: the shipped fontconfig rules that map the Windows face names of
// the settings onto installed fonts, and the Pango font map that uses them.

#include <pango/pango.h>

#include <string>
#include <string_view>

namespace gfx {

// The face without the "@" that marks the vertical form of a Windows font.
std::string HorizontalFace(std::string_view face);

// The font map of the program: the system's fontconfig configuration plus the shipped
// rules, shared by every canvas and created on first use. Never null; if the shipped rules
// cannot be loaded the system's configuration alone is used.
PangoFontMap* ProgramFontMap();

// The family that a configured face resolves to on this machine for Japanese text, such as
// "IPAGothic" for "@ＭＳ ゴシック"; empty when no font at all can be loaded.
std::string ResolvedFamily(std::string_view face);

// The shipped fontconfig rules (the text of qelmarin-fonts.conf).
std::string_view ShippedFontRules();

} // namespace gfx
