// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A canvas that draws nothing: it writes one tab-separated UTF-8 line per call and measures
// text with a fixed metric, so that the geometry of a page can be tested exactly and
// without fonts. The first line describes the device:
//   size <width> <height> <dpi-x> <dpi-y> <colours>
// and each call adds one of
//   font <face> <height> <escapement> <bold 0|1>     color 0xBBGGRR
//   brush 0xBBGGRR solid|clear                      pen 0xBBGGRR
//   text <x> <y> <text>                             drawtext <l> <t> <r> <b> <flags> <text>
//   rect <l> <t> <r> <b>                            fill <l> <t> <r> <b>
//   roundrect <l> <t> <r> <b> <w> <h>               bitmap <l> <t> <r> <b> <name> copy|invert
//   picture <l> <t> <r> <b> <level>                 page
// Tabs, line breaks and backslashes inside texts are written as \t, \n, \r and \\.

#include "gfx/canvas.h"

#include <ostream>

namespace gfx {

// The fixed metric: a character of two CP932 bytes advances |height|, any other |height|
// div 2; the thickness of a text is |height|.
TextSize FixedTextExtent(std::string_view text, int font_height);

class TraceCanvas : public Canvas {
public:
    // Writes the size line at once. The stream must outlive the canvas.
    TraceCanvas(std::ostream& out, const Device& device);

protected:
    void OnFontSelected() override;
    void OnTextColorSet() override;
    void OnBrushSet() override;
    void OnPenSet() override;

    void DoTextOut(int x, int y, std::string_view text) override;
    TextSize DoTextExtent(std::string_view text) override;
    void DoDrawText(const Rect& rect, unsigned flags, std::string_view text) override;
    void DoRectangle(const Rect& rect) override;
    void DoFillRect(const Rect& rect) override;
    void DoRoundRect(const Rect& rect, int corner_width, int corner_height) override;
    void DoStretchBitmap(const Rect& rect, const pictures::Bitmap& bitmap, std::string_view name,
                         BitmapCopy copy) override;
    void DoStretchInk(const Rect& rect, const pictures::InkBitmap& ink, std::string_view name,
                      BitmapCopy copy) override;
    void DoDrawPicture(const Rect& rect, const pictures::Bitmap& bitmap, int level,
                       const std::optional<Rect>& source) override;
    void DoNewPage() override;

private:
    void WriteRect(const char* op, const Rect& rect);
    void WriteText(std::string_view text);

    std::ostream& out_;
};

} // namespace gfx
