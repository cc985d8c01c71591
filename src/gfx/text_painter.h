// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text of the Cairo canvas: Pango layouts for a canvas font, measured and drawn the way a
// Windows device context places them. Horizontal text hangs from the top left of its cell;
// vertical text (escapement 2700) is a column whose right edge is the reference x and which
// runs downward, wide characters upright in their vertical forms, narrow ones (ASCII and
// half-width kana) lying on their side.

#include "gfx/canvas.h"

#include <cairo.h>
#include <pango/pango.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace gfx {

class TextPainter {
public:
    TextPainter();
    ~TextPainter();
    TextPainter(const TextPainter&) = delete;
    TextPainter& operator=(const TextPainter&) = delete;

    void SetFont(const Font& font);

    // The extent of one line: cx along it, cy across it (the em for vertical text, the
    // font's ascent plus descent for horizontal text).
    TextSize Extent(std::string_view text);

    // Draws one line with its cell's reference corner at (x, y) in the user space of cr.
    // A background colour fills the cell first, as an opaque text background does.
    void Draw(cairo_t* cr, double x, double y, std::string_view text, base::Color color, const base::Color* background);

    // Lines aligned in a rectangle by the dt:: flags (see Canvas::DrawText).
    void DrawInRect(cairo_t* cr, const Rect& rect, unsigned flags, std::string_view text, base::Color color,
                    const base::Color* background);

private:
    struct LayoutUnref {
        void operator()(PangoLayout* layout) const { g_object_unref(layout); }
    };
    // A laid-out text with what measuring and drawing ask of it, at the layout em.
    struct TextLayout {
        std::unique_ptr<PangoLayout, LayoutUnref> layout;
        double along = 0;    // the logical width
        double across = 0;   // the logical height
        double baseline = 0; // of a vertical font's layout
    };

    // The layout of a text in the current font, made on first use and kept, so that
    // measuring and drawing the same text lay it out once. Owned by the cache.
    const TextLayout& LayoutOf(std::string_view text);
    PangoLayout* MakeLayout(std::string_view text);
    TextSize ExtentOf(const TextLayout& laid_out) const;
    PangoContext* Context() const { return font_.vertical() ? vertical_ : horizontal_; }
    double Em() const { return em_; }
    // Em of a font asked for by its cell height (a positive height, as Windows takes it):
    // the height less the face's internal leading, from its ascent and descent.
    double EmOfCellHeight(double cell_height);

    // One context for each direction, set up once: their layouts never need laying out
    // again for a changed context. Layouts are made in the unscaled, unrotated user space;
    // with metric hinting off, their advances are the same at any scale they are drawn at.
    PangoContext* horizontal_;
    PangoContext* vertical_;
    PangoFontDescription* description_;
    Font font_;
    double em_ = 0;
    double scale_ = 0; // from the layout em to the font's
    std::string font_key_; // what of the font a layout depends on: not its size
    std::map<std::pair<std::string, bool>, double> em_per_cell_; // per face and weight
    std::unordered_map<std::string, TextLayout> layouts_;
    std::size_t layout_text_bytes_ = 0; // the keys' bytes of the kept layouts
};

} // namespace gfx
