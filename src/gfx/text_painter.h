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
#include <string_view>

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
    PangoLayout* MakeLayout(std::string_view text);
    double Em() const { return em_; }
    // Em of a font asked for by its cell height (a positive height, as Windows takes it):
    // the height less the face's internal leading, from its ascent and descent.
    double EmOfCellHeight(double cell_height);

    PangoContext* context_;
    PangoFontDescription* description_;
    Font font_;
    double em_ = 0;
    std::map<std::pair<std::string, bool>, double> em_per_cell_; // per face and weight
};

} // namespace gfx
