// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/trace_canvas.h"

#include "base/sjis.h"

#include <cstdio>
#include <cstdlib>

namespace gfx {
namespace {

std::string Hex(base::Color color) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%06X", static_cast<unsigned>(color));
    return buffer;
}

} // namespace

TextSize FixedTextExtent(std::string_view text, int font_height) {
    // Heights come from pages and files; keep the arithmetic inside int.
    const long long h = std::llabs(static_cast<long long>(font_height));
    long long cx = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t utf8_length = 1;
        cx += base::Cp932CharLength(text, pos, &utf8_length) == 2 ? h : h / 2;
        pos += utf8_length > 0 ? utf8_length : 1;
    }
    constexpr long long kMax = 0x7FFFFFFF;
    return TextSize{static_cast<int>(cx < kMax ? cx : kMax), static_cast<int>(h < kMax ? h : kMax)};
}

TraceCanvas::TraceCanvas(std::ostream& out, const Device& device) : Canvas(device), out_(out) {
    out_ << "size\t" << device.width << '\t' << device.height << '\t' << device.dpi_x << '\t' << device.dpi_y << '\t'
         << device.colors << '\n';
}

void TraceCanvas::OnFontSelected() {
    const Font& font = CurrentFont();
    out_ << "font\t";
    WriteText(font.face);
    out_ << '\t' << font.height << '\t' << font.escapement << '\t' << (font.bold ? 1 : 0) << '\n';
}

void TraceCanvas::OnTextColorSet() {
    out_ << "color\t" << Hex(TextColor()) << '\n';
}

void TraceCanvas::OnBrushSet() {
    const Brush& brush = CurrentBrush();
    out_ << "brush\t" << Hex(brush.color) << '\t' << (brush.style == BrushStyle::kSolid ? "solid" : "clear") << '\n';
}

void TraceCanvas::OnPenSet() {
    out_ << "pen\t" << Hex(PenColor()) << '\n';
}

void TraceCanvas::DoTextOut(int x, int y, std::string_view text) {
    out_ << "text\t" << x << '\t' << y << '\t';
    WriteText(text);
    out_ << '\n';
}

TextSize TraceCanvas::DoTextExtent(std::string_view text) {
    return FixedTextExtent(text, CurrentFont().height);
}

void TraceCanvas::DoDrawText(const Rect& rect, unsigned flags, std::string_view text) {
    out_ << "drawtext\t" << rect.left << '\t' << rect.top << '\t' << rect.right << '\t' << rect.bottom << '\t'
         << DrawTextFlagsName(flags) << '\t';
    WriteText(text);
    out_ << '\n';
}

void TraceCanvas::DoRectangle(const Rect& rect) {
    WriteRect("rect", rect);
    out_ << '\n';
}

void TraceCanvas::DoFillRect(const Rect& rect) {
    WriteRect("fill", rect);
    out_ << '\n';
}

void TraceCanvas::DoRoundRect(const Rect& rect, int corner_width, int corner_height) {
    WriteRect("roundrect", rect);
    out_ << '\t' << corner_width << '\t' << corner_height << '\n';
}

void TraceCanvas::DoStretchBitmap(const Rect& rect, const pictures::Bitmap&, std::string_view name, BitmapCopy copy) {
    WriteRect("bitmap", rect);
    out_ << '\t';
    WriteText(name);
    out_ << '\t' << (copy == BitmapCopy::kCopy ? "copy" : "invert") << '\n';
}

void TraceCanvas::DoStretchInk(const Rect& rect, const pictures::InkBitmap&, std::string_view name, BitmapCopy copy) {
    DoStretchBitmap(rect, pictures::Bitmap{}, name, copy);
}

void TraceCanvas::DoDrawPicture(const Rect& rect, const pictures::Bitmap&, int level, const std::optional<Rect>&) {
    WriteRect("picture", rect);
    out_ << '\t' << level << '\n';
}

void TraceCanvas::DoNewPage() {
    out_ << "page\n";
}

void TraceCanvas::WriteRect(const char* op, const Rect& rect) {
    out_ << op << '\t' << rect.left << '\t' << rect.top << '\t' << rect.right << '\t' << rect.bottom;
}

void TraceCanvas::WriteText(std::string_view text) {
    for (char c : text) {
        switch (c) {
        case '\t':
            out_ << "\\t";
            break;
        case '\n':
            out_ << "\\n";
            break;
        case '\r':
            out_ << "\\r";
            break;
        case '\\':
            out_ << "\\\\";
            break;
        default:
            out_ << c;
        }
    }
}

} // namespace gfx
