// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/text_painter.h"

#include "base/sjis.h"
#include "gfx/color_source.h"
#include "gfx/font_map.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace gfx {
namespace {

// Heights past this are treated as this: Pango sizes are ints of 1/1024 pixel.
constexpr int kMaxEm = 100000;

// Every text is laid out at this em and scaled to the font's em where it is measured and
// drawn: with unhinted metrics the layout of a size is the scaled layout of another, and
// Pango then looks up and keeps one font per face, weight and direction instead of one per
// size (each of those costs two threads and a sort of the installed fonts).
constexpr double kLayoutEm = 1024.0;

// Pango needs valid UTF-8; a bad byte becomes U+FFFD instead of dropping the whole text.
std::string ValidUtf8(std::string_view text) {
    if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) return std::string(text);
    gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
    std::string result(valid);
    g_free(valid);
    return result;
}

std::vector<std::string> SplitLines(std::string_view text, bool single_line) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') {
            if (single_line) {
                lines.back() += ' ';
            } else {
                lines.emplace_back();
            }
            continue;
        }
        lines.back() += c;
    }
    return lines;
}

PangoContext* NewContext(bool vertical) {
    PangoContext* context = pango_font_map_create_context(ProgramFontMap());
    // Japanese glyph forms whatever the locale; unrounded, unhinted metrics so that text
    // advances are the same on a PNG, a PDF and a printer.
    pango_context_set_language(context, pango_language_from_string("ja"));
    pango_context_set_round_glyph_positions(context, FALSE);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
    if (vertical) {
        // Wide characters stand upright in their vertical forms; Pango centres the runs of
        // narrow characters, which the layout gives south gravity, on the column.
        pango_context_set_base_gravity(context, PANGO_GRAVITY_EAST);
        pango_context_set_gravity_hint(context, PANGO_GRAVITY_HINT_STRONG);
    } else {
        pango_context_set_base_gravity(context, PANGO_GRAVITY_SOUTH);
        pango_context_set_gravity_hint(context, PANGO_GRAVITY_HINT_NATURAL);
    }
    return context;
}

// Draws a one-line layout as pango_cairo_show_layout does, its top left at the current
// point, but the glyphs of each run (a stretch of text in one font and direction) as one
// cluster of the run's whole text: a PDF then carries the run's text as one span, which text
// extraction reads as the words it holds even where the glyphs stand one under another.
// False, with nothing drawn, for a layout of more lines or with a glyph its font lacks
// (which Pango draws as a box).
bool ShowRunsAsWords(cairo_t* cr, PangoLayout* layout) {
    if (pango_layout_get_line_count(layout) != 1) return false;
    PangoLayoutLine* line = pango_layout_get_line_readonly(layout, 0);
    for (GSList* r = line->runs; r != nullptr; r = r->next) {
        const PangoGlyphString* glyphs = static_cast<PangoGlyphItem*>(r->data)->glyphs;
        for (int i = 0; i < glyphs->num_glyphs; ++i) {
            if (glyphs->glyphs[i].glyph & PANGO_GLYPH_UNKNOWN_FLAG) return false;
        }
    }
    double left = 0, top = 0;
    cairo_get_current_point(cr, &left, &top);
    PangoRectangle logical;
    pango_layout_line_get_extents(line, nullptr, &logical);
    const char* text = pango_layout_get_text(layout);
    double run_x = left + static_cast<double>(logical.x) / PANGO_SCALE;
    const double baseline = top + static_cast<double>(pango_layout_get_baseline(layout)) / PANGO_SCALE;
    std::vector<cairo_glyph_t> drawn;
    for (GSList* r = line->runs; r != nullptr; r = r->next) {
        const auto* run = static_cast<PangoGlyphItem*>(r->data);
        const PangoGlyphString* glyphs = run->glyphs;
        // Runs of narrow characters lying in a column are centred on its line, as Pango's
        // renderer centres them.
        int shift = run->y_offset;
        if (run->item->analysis.flags & PANGO_ANALYSIS_FLAG_CENTERED_BASELINE) {
            PangoRectangle extent;
            pango_glyph_string_extents(run->glyphs, run->item->analysis.font, nullptr, &extent);
            const bool hinted = (extent.y & extent.height & (PANGO_SCALE - 1)) == 0;
            shift += hinted ? PANGO_UNITS_ROUND(extent.y + extent.height / 2) : extent.y + extent.height / 2;
        }
        const double run_y = baseline - static_cast<double>(shift) / PANGO_SCALE;
        drawn.clear();
        int along = 0;
        for (int i = 0; i < glyphs->num_glyphs; ++i) {
            const PangoGlyphInfo& glyph = glyphs->glyphs[i];
            if (glyph.glyph != PANGO_GLYPH_EMPTY) {
                drawn.push_back({glyph.glyph, run_x + static_cast<double>(along + glyph.geometry.x_offset) / PANGO_SCALE,
                                 run_y + static_cast<double>(glyph.geometry.y_offset) / PANGO_SCALE});
            }
            along += glyph.geometry.width;
        }
        run_x += static_cast<double>(along) / PANGO_SCALE;
        if (drawn.empty() || run->item->length <= 0) continue;
        cairo_set_scaled_font(cr, pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(run->item->analysis.font)));
        const cairo_text_cluster_t cluster{run->item->length, static_cast<int>(drawn.size())};
        cairo_show_text_glyphs(cr, text + run->item->offset, run->item->length, drawn.data(),
                               static_cast<int>(drawn.size()), &cluster, 1, cairo_text_cluster_flags_t{});
    }
    return true;
}

} // namespace

TextPainter::TextPainter()
    : horizontal_(NewContext(false)), vertical_(NewContext(true)), description_(pango_font_description_new()) {
    pango_font_description_set_absolute_size(description_, kLayoutEm * PANGO_SCALE);
    SetFont(Font{});
}

TextPainter::~TextPainter() {
    layouts_.clear();
    pango_font_description_free(description_);
    g_object_unref(vertical_);
    g_object_unref(horizontal_);
}

double TextPainter::EmOfCellHeight(double cell_height) {
    const auto key = std::make_pair(HorizontalFace(font_.face), font_.bold);
    auto it = em_per_cell_.find(key);
    if (it == em_per_cell_.end()) {
        // Measured upright whatever the direction of the font: the cell of a Windows font
        // is that of its horizontal form.
        PangoFontMetrics* metrics =
            pango_context_get_metrics(horizontal_, description_, pango_language_from_string("ja"));
        const double cell = static_cast<double>(pango_font_metrics_get_ascent(metrics) +
                                                pango_font_metrics_get_descent(metrics)) / PANGO_SCALE;
        pango_font_metrics_unref(metrics);
        it = em_per_cell_.emplace(key, cell > 0 ? kLayoutEm / cell : 1.0).first;
    }
    return cell_height * it->second;
}

void TextPainter::SetFont(const Font& font) {
    font_ = font;
    const std::string face = HorizontalFace(font.face);
    pango_font_description_set_family(description_, face.c_str());
    pango_font_description_set_weight(description_, font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    // A negative height is the character (em) height; a positive one the cell height, of
    // which the em is the part without the internal leading (as the platform's fonts do).
    const long long height = std::llabs(static_cast<long long>(font.height));
    em_ = static_cast<double>(height > kMaxEm ? kMaxEm : height);
    if (font.height > 0) em_ = std::floor(EmOfCellHeight(em_) + 0.5);
    scale_ = Em() / kLayoutEm;
    // Led by the face's length, so that no face and text run together into another's key.
    font_key_ = std::to_string(face.size()) + ':' + face + (font.bold ? 'b' : 'n') + (font.vertical() ? 'v' : 'h');
}

const TextPainter::TextLayout& TextPainter::LayoutOf(std::string_view text) {
    std::string key = font_key_;
    key += text;
    auto it = layouts_.find(key);
    if (it != layouts_.end()) return it->second;
    // A page draws a few thousand short texts; a long run of pages, or of long texts, starts
    // afresh past these (a layout takes some tens of bytes a character).
    constexpr std::size_t kMaxLayouts = 8192;
    constexpr std::size_t kMaxTextBytes = std::size_t{1} << 20;
    if (layouts_.size() >= kMaxLayouts || layout_text_bytes_ + key.size() > kMaxTextBytes) {
        layouts_.clear();
        layout_text_bytes_ = 0;
    }
    layout_text_bytes_ += key.size();
    TextLayout made;
    made.layout.reset(MakeLayout(text));
    PangoRectangle logical;
    pango_layout_get_extents(made.layout.get(), nullptr, &logical);
    made.along = static_cast<double>(logical.width) / PANGO_SCALE;
    made.across = static_cast<double>(logical.height) / PANGO_SCALE;
    if (font_.vertical()) made.baseline = pango_layout_get_baseline(made.layout.get()) / double(PANGO_SCALE);
    return layouts_.emplace(std::move(key), std::move(made)).first->second;
}

PangoLayout* TextPainter::MakeLayout(std::string_view text) {
    const std::string valid = ValidUtf8(text);
    PangoLayout* layout = pango_layout_new(Context());
    pango_layout_set_single_paragraph_mode(layout, TRUE);
    pango_layout_set_font_description(layout, description_);
    pango_layout_set_text(layout, valid.data(), static_cast<int>(valid.size()));
    if (font_.vertical()) {
        PangoAttrList* attributes = pango_attr_list_new();
        for (std::size_t pos = 0; pos < valid.size();) {
            std::size_t length = 1;
            if (base::Cp932CharLength(valid, pos, &length) == 1) {
                const std::size_t start = pos;
                while (pos < valid.size() && base::Cp932CharLength(valid, pos, &length) == 1)
                    pos += length;
                // Narrow characters (ASCII, half-width kana) lie on their side, as in the
                // vertical form of a Windows font.
                PangoAttribute* attribute = pango_attr_gravity_new(PANGO_GRAVITY_SOUTH);
                attribute->start_index = static_cast<guint>(start);
                attribute->end_index = static_cast<guint>(pos);
                pango_attr_list_insert(attributes, attribute);
            } else {
                pos += length;
            }
        }
        pango_layout_set_attributes(layout, attributes);
        pango_attr_list_unref(attributes);
    }
    return layout;
}

TextSize TextPainter::ExtentOf(const TextLayout& laid_out) const {
    const int along = static_cast<int>(std::lround(laid_out.along * scale_));
    if (font_.vertical()) return TextSize{along, static_cast<int>(Em())};
    return TextSize{along, static_cast<int>(std::lround(laid_out.across * scale_))};
}

TextSize TextPainter::Extent(std::string_view text) {
    if (Em() == 0) return {};
    return ExtentOf(LayoutOf(text));
}

void TextPainter::Draw(cairo_t* cr, double x, double y, std::string_view text, base::Color color,
                       const base::Color* background) {
    if (Em() == 0 || text.empty()) return;
    const TextLayout& laid_out = LayoutOf(text);
    const TextSize size = ExtentOf(laid_out);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    if (font_.vertical()) {
        if (background) {
            SetSourceColor(cr, *background);
            cairo_rectangle(cr, -Em(), 0, Em(), size.cx);
            cairo_fill(cr);
        }
        // The column's centre line is the baseline of the rotated layout.
        cairo_translate(cr, -Em() / 2, 0);
        cairo_rotate(cr, std::numbers::pi / 2);
    } else {
        if (font_.escapement != 0) cairo_rotate(cr, -font_.escapement * std::numbers::pi / 1800.0);
        if (background) {
            SetSourceColor(cr, *background);
            cairo_rectangle(cr, 0, 0, size.cx, size.cy);
            cairo_fill(cr);
        }
    }
    cairo_scale(cr, scale_, scale_);
    cairo_move_to(cr, 0, -laid_out.baseline);
    SetSourceColor(cr, color);
    // A column of a document that can say what its glyphs read (a PDF) is drawn run by run,
    // so that its words can be found and copied; everything else as Pango draws it.
    const bool words = font_.vertical() && cairo_surface_has_show_text_glyphs(cairo_get_target(cr));
    if (!words || !ShowRunsAsWords(cr, laid_out.layout.get())) pango_cairo_show_layout(cr, laid_out.layout.get());
    cairo_restore(cr);
}

void TextPainter::DrawInRect(cairo_t* cr, const Rect& rect, unsigned flags, std::string_view text, base::Color color,
                             const base::Color* background) {
    const bool single_line = (flags & dt::kSingleLine) != 0;
    const std::vector<std::string> lines = SplitLines(text, single_line);
    const int count = static_cast<int>(lines.size());
    cairo_save(cr);
    if (!(flags & dt::kNoClip)) {
        cairo_rectangle(cr, rect.left, rect.top, rect.width(), rect.height());
        cairo_clip(cr);
    }
    const auto place = [](int low, int high, int size, bool centre, bool far) {
        return centre ? (low + high - size) / 2 : far ? high - size : low;
    };
    const bool centre = flags & dt::kCenter;
    const bool right = flags & dt::kRight;
    const bool vcentre = flags & dt::kVCenter;
    const bool bottom = flags & dt::kBottom;
    if (font_.vertical()) {
        // Columns from right to left; the block of columns is placed across the rectangle,
        // each column along its height.
        const int em = static_cast<int>(Em());
        const int block_right = place(rect.left, rect.right, count * em, centre, right) + count * em;
        for (int i = 0; i < count; ++i) {
            const int along = Extent(lines[i]).cx;
            Draw(cr, block_right - i * em, place(rect.top, rect.bottom, along, vcentre, bottom), lines[i], color,
                 background);
        }
    } else {
        const int line_height = Extent("").cy;
        // As on the platform, vertical alignment applies to a single line only.
        int y = single_line ? place(rect.top, rect.bottom, line_height, vcentre, bottom) : rect.top;
        for (const std::string& line : lines) {
            Draw(cr, place(rect.left, rect.right, Extent(line).cx, centre, right), y, line, color, background);
            y += line_height;
        }
    }
    cairo_restore(cr);
}

} // namespace gfx
