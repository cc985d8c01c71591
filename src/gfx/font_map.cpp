// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/font_map.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <memory>

namespace gfx {
namespace {

PangoFontMap* CreateFontMap() {
    // The rules join fontconfig's own configuration, the one that Cairo and any toolkit of
    // the process use too, so that the system's configuration files are read only once. It
    // is loaded and given the rules before the font map exists: Pango would otherwise load
    // it in a thread of its own at the same time. The font map keeps that configuration even
    // if the process later reloads fontconfig's.
    FcConfig* config = FcConfigGetCurrent();
    const std::string rules(ShippedFontRules());
    const bool with_rules =
        config != nullptr &&
        FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(rules.c_str()), FcTrue);
    PangoFontMap* map = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
    if (map == nullptr) return pango_cairo_font_map_new();
    if (with_rules) pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(map), config);
    return map;
}

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};

} // namespace

std::string HorizontalFace(std::string_view face) {
    if (!face.empty() && face.front() == '@') face.remove_prefix(1);
    return std::string(face);
}

PangoFontMap* ProgramFontMap() {
    static PangoFontMap* const map = CreateFontMap();
    return map;
}

std::string ResolvedFamily(std::string_view face) {
    std::unique_ptr<PangoContext, GObjectUnref> context(pango_font_map_create_context(ProgramFontMap()));
    pango_context_set_language(context.get(), pango_language_from_string("ja"));
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, HorizontalFace(face).c_str());
    pango_font_description_set_absolute_size(description, 16 * PANGO_SCALE);
    std::unique_ptr<PangoFont, GObjectUnref> font(pango_context_load_font(context.get(), description));
    pango_font_description_free(description);
    if (!font) return {};
    PangoFontDescription* found = pango_font_describe(font.get());
    std::string family = pango_font_description_get_family(found) ? pango_font_description_get_family(found) : "";
    pango_font_description_free(found);
    return family;
}

} // namespace gfx
