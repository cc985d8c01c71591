// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawing surface of the page routines: a Windows-like device context in device pixels
// with integer coordinates. Drawing state (font, text colour, brush, pen) is kept here; the
// implementations draw with Cairo and Pango or record every call as a trace line.

#include "base/color.h"
#include "pictures/bitmap.h"
#include "pictures/ink_bitmap.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace gfx {

// The design resolution of the main window: picture sizes and lengths given in screen
// pixels are multiplied by a device's dots per inch divided by this.
constexpr int kPixelsPerInch = 96;

// Escapement (tenths of a degree, counter-clockwise) of vertical text: the line runs
// downward and a column drawn at reference x occupies x - |height| ... x.
constexpr int kVerticalEscapement = 2700;

// What a page is drawn on: its size in device pixels, resolution and number of colours
// (2 or fewer is a monochrome device), and the paper in points when it is known: a document
// page is then exactly the paper, whatever whole number of pixels the device has.
struct Device {
    int width = 0;
    int height = 0;
    int dpi_x = 96;
    int dpi_y = 96;
    int colors = 256;
    double paper_width_pt = 0;
    double paper_height_pt = 0;
};

// What a PDF document says of itself: its title (what a viewer shows for it), subject and
// creator; language is the language of its text (a BCP 47 tag).
struct DocumentInfo {
    DocumentInfo(std::string title_ = {}) : title(std::move(title_)) {}
    DocumentInfo(const char* title_) : title(title_) {}
    std::string title;
    std::string subject;
    std::string creator;
    std::string language = "ja";
};

// A rectangle whose right and bottom edges are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool operator==(const Rect&) const = default;
};

// A text extent: cx along the line (downward for vertical text), cy across it.
struct TextSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const TextSize&) const = default;
};

// A font as the pages ask for it. A negative height is the character (em) height in
// device pixels; the face is a configured name such as "@ＭＳ ゴシック" (the "@" marks the
// vertical form of a face).
struct Font {
    std::string face;
    int height = 0;
    int escapement = 0;
    bool bold = false;

    bool vertical() const { return escapement == kVerticalEscapement; }
    bool operator==(const Font&) const = default;
};

enum class BrushStyle { kSolid, kClear };

struct Brush {
    base::Color color = base::kWhite;
    BrushStyle style = BrushStyle::kSolid;
    bool operator==(const Brush&) const = default;
};

// How a bitmap is stretched onto the page: as it is, or inverted (black and white swap).
enum class BitmapCopy { kCopy, kInvert };

// DrawText flags; the values are those of the platform's DT_* constants.
namespace dt {
constexpr unsigned kLeft = 0x00;
constexpr unsigned kTop = 0x00;
constexpr unsigned kCenter = 0x01;
constexpr unsigned kRight = 0x02;
constexpr unsigned kVCenter = 0x04;
constexpr unsigned kBottom = 0x08;
constexpr unsigned kSingleLine = 0x20;
constexpr unsigned kNoClip = 0x100;
} // namespace dt

// The flags as words joined by "|": horizontal alignment, vertical alignment, then the
// options, e.g. "center|vcenter|singleline".
std::string DrawTextFlagsName(unsigned flags);

// Colour levels of pictures: 1 "薄く" (light), 2 "中間" (medium), 3 "濃く" (as it is).
// The share of white laid over a picture at that level; 0 for 3 and any other value.
double WhiteBlendForLevel(int level);

class Canvas {
public:
    explicit Canvas(const Device& device) : device_(device) {}
    virtual ~Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    const Device& device() const { return device_; }
    int PageWidth() const { return device_.width; }
    int PageHeight() const { return device_.height; }
    int DpiX() const { return device_.dpi_x; }
    int DpiY() const { return device_.dpi_y; }
    int Colors() const { return device_.colors; }

    // Drawing state. Each call takes effect for the calls that follow.
    void SelectFont(const Font& font);
    void SelectFont(std::string_view face, int height, int escapement = 0, bool bold = false);
    const Font& CurrentFont() const { return font_; }
    void SetTextColor(base::Color color);
    base::Color TextColor() const { return text_color_; }
    // A solid brush fills shapes and the background of text; a clear one leaves them.
    void SetBrush(base::Color color, BrushStyle style = BrushStyle::kSolid);
    const Brush& CurrentBrush() const { return brush_; }
    void SetPen(base::Color color);
    base::Color PenColor() const { return pen_; }
    // Back to the state of a new canvas (default font, black text and pen, solid white
    // brush), as a document begun on a page of another one starts.
    void ResetDrawingState();

    // Text with the current font; (x, y) is the top left of the text cell, which for
    // vertical text is the top right of the column.
    void TextOut(int x, int y, std::string_view text) { DoTextOut(x, y, text); }
    TextSize TextExtent(std::string_view text) { return DoTextExtent(text); }
    // Text aligned in a rectangle by the dt:: flags, clipped to it unless dt::kNoClip.
    void DrawText(const Rect& rect, unsigned flags, std::string_view text) { DoDrawText(rect, flags, text); }

    // One-pixel pen frame, brush inside; covers [left, right) x [top, bottom).
    void Rectangle(const Rect& rect) { DoRectangle(rect); }
    // The brush alone over [left, right) x [top, bottom); nothing with a clear brush.
    void FillRect(const Rect& rect) { DoFillRect(rect); }
    // Like Rectangle with corners rounded by ellipses of corner_width x corner_height.
    void RoundRect(const Rect& rect, int corner_width, int corner_height) {
        DoRoundRect(rect, corner_width, corner_height);
    }
    // The bitmap stretched into the rectangle with the nearest pixel. A monochrome
    // bitmap's dark pixels take the text colour and its light pixels the brush colour;
    // an inverted copy swaps them (of a colour bitmap it inverts every pixel). The name is
    // the bitmap's resource name, for the trace.
    void StretchBitmap(const Rect& rect, const pictures::Bitmap& bitmap, std::string_view name, BitmapCopy copy) {
        DoStretchBitmap(rect, bitmap, name, copy);
    }
    // A two-colour bitmap given by its ink bits, drawn as StretchBitmap draws a monochrome
    // bitmap (the same trace).
    void StretchInk(const Rect& rect, const pictures::InkBitmap& ink, std::string_view name, BitmapCopy copy) {
        DoStretchInk(rect, ink, name, copy);
    }
    // A picture (or the part source of it) scaled into the rectangle and blended toward
    // white by colour level (WhiteBlendForLevel). An empty bitmap or source draws nothing.
    // Drawing a picture tile by tile: a part with more picture to its right or below may
    // reach one pixel into the place of the next tile, which covers it when drawn.
    void DrawPicture(const Rect& rect, const pictures::Bitmap& bitmap, int level,
                     const std::optional<Rect>& source = std::nullopt) {
        DoDrawPicture(rect, bitmap, level, source);
    }
    // Between these two calls every DrawPicture draws a part of this picture at this level,
    // and the bitmap stays alive and unchanged: a canvas may then prepare the whole picture
    // once for all its tiles. With `whole`, the parts drawn until EndPicture are the tiles of
    // the picture scaled into that rectangle, which together cover it: a canvas that writes a
    // document places the whole picture there once, at once, and draws none of the tiles
    // (a document then holds one placement of it, not one per tile, which a printer would
    // have to draw over and over); a canvas of pixels draws the tiles as they come.
    void BeginPicture(const pictures::Bitmap& bitmap, int level, const std::optional<Rect>& whole = std::nullopt) {
        DoBeginPicture(bitmap, level, whole);
    }
    void EndPicture() { DoEndPicture(); }
    // Ends the page and begins the next one.
    void NewPage() { DoNewPage(); }

    // What a document says about itself to its readers (a PDF viewer, a search index, a
    // screen reader); a canvas that writes no such document ignores it, and nothing of it
    // shows on the page.
    // The text that the picture drawn next over the rectangle shows (a day number, a weekday
    // head): a document carries it there, under the picture, to be found and read aloud.
    void PictureText(const Rect& rect, std::string_view text) { DoPictureText(rect, text); }
    // The page being drawn begins a part of the document: an entry of the document's outline
    // at that depth (0 the top), under the last entry of the depth above.
    void BeginSection(int depth, std::string_view title) { DoBeginSection(depth, title); }
    // The name of the page being drawn, which a viewer shows for its number ("1月1日").
    void LabelPage(std::string_view label) { DoLabelPage(label); }

protected:
    virtual void OnFontSelected() {}
    virtual void OnTextColorSet() {}
    virtual void OnBrushSet() {}
    virtual void OnPenSet() {}

    virtual void DoTextOut(int x, int y, std::string_view text) = 0;
    virtual TextSize DoTextExtent(std::string_view text) = 0;
    virtual void DoDrawText(const Rect& rect, unsigned flags, std::string_view text) = 0;
    virtual void DoRectangle(const Rect& rect) = 0;
    virtual void DoFillRect(const Rect& rect) = 0;
    virtual void DoRoundRect(const Rect& rect, int corner_width, int corner_height) = 0;
    virtual void DoStretchBitmap(const Rect& rect, const pictures::Bitmap& bitmap, std::string_view name,
                                 BitmapCopy copy) = 0;
    virtual void DoStretchInk(const Rect& rect, const pictures::InkBitmap& ink, std::string_view name,
                              BitmapCopy copy) = 0;
    virtual void DoDrawPicture(const Rect& rect, const pictures::Bitmap& bitmap, int level,
                               const std::optional<Rect>& source) = 0;
    virtual void DoBeginPicture(const pictures::Bitmap&, int, const std::optional<Rect>&) {}
    virtual void DoEndPicture() {}
    virtual void DoNewPage() = 0;
    virtual void DoPictureText(const Rect&, std::string_view) {}
    virtual void DoBeginSection(int, std::string_view) {}
    virtual void DoLabelPage(std::string_view) {}

private:
    Device device_;
    Font font_;
    base::Color text_color_ = base::kBlack;
    Brush brush_;
    base::Color pen_ = base::kBlack;
};

// Holds a picture on a canvas for its life: BeginPicture when made, EndPicture when gone.
class PictureHold {
public:
    PictureHold(Canvas& canvas, const pictures::Bitmap& bitmap, int level,
                const std::optional<Rect>& whole = std::nullopt)
        : canvas_(canvas) {
        canvas_.BeginPicture(bitmap, level, whole);
    }
    ~PictureHold() { canvas_.EndPicture(); }
    PictureHold(const PictureHold&) = delete;
    PictureHold& operator=(const PictureHold&) = delete;

private:
    Canvas& canvas_;
};

} // namespace gfx
