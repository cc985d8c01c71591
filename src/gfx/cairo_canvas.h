// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The canvas that really draws: Cairo for shapes and pictures, Pango for text. It draws on
// a PDF, SVG or in-memory image page of its own, or on a Cairo context that a window or a
// print operation hands in. One device pixel is one unit of the context's user space; on a
// PDF or SVG page it is 1/dpi inch.

#include "base/file_io.h"
#include "gfx/cairo_ref.h"
#include "gfx/canvas.h"
#include "gfx/text_painter.h"

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace gfx {

class CairoCanvas : public Canvas {
public:
    // Draws on a context the caller owns and has set up so that one unit is one device
    // pixel. NewPage calls new_page (when given); the caller shows its pages itself.
    CairoCanvas(cairo_t* cr, const Device& device, std::function<void()> new_page = {});
    ~CairoCanvas() override;

    // A PDF document, saying of itself what info holds. Null, with the reason in *error, when
    // the device is not drawable or the file cannot be created. The document is written to
    // a temporary file and appears under path, whole, only when Finish succeeds; until
    // then a file already at path stays as it was (base/file_io.h).
    static std::unique_ptr<CairoCanvas> CreatePdf(const std::string& path, const Device& device,
                                                  const DocumentInfo& info, std::string* error);
    static std::unique_ptr<CairoCanvas> CreateSvg(const std::string& path, const Device& device, std::string* error);
    // A PostScript document (level 3), one page per page as in a PDF; title goes into its
    // header. Written whole or not at all, as a PDF.
    static std::unique_ptr<CairoCanvas> CreatePostScript(const std::string& path, const Device& device,
                                                         const std::string& title, std::string* error);
    // A white page in memory (the preview), one image pixel a device pixel.
    static std::unique_ptr<CairoCanvas> CreateImage(const Device& device, std::string* error);

    // The page surface of a canvas made by the Create functions; null on a borrowed context.
    cairo_surface_t* surface() const { return surface_.get(); }
    // Writes the current page of an image canvas as PNG, whole or not at all.
    bool WritePng(const std::string& path, std::string* error) const;
    // Shows the last page and closes the document; tells whether everything was written.
    // Later drawing calls do nothing. The destructor finishes an unfinished canvas.
    bool Finish(std::string* error);

protected:
    void OnFontSelected() override;

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
    void DoBeginPicture(const pictures::Bitmap& bitmap, int level, const std::optional<Rect>& whole) override;
    void DoEndPicture() override;
    void DoNewPage() override;
    void DoPictureText(const Rect& rect, std::string_view text) override;
    void DoBeginSection(int depth, std::string_view title) override;
    void DoLabelPage(std::string_view label) override;

private:
    enum class Target { kBorrowed, kPdf, kPs, kSvg, kImage };
    CairoCanvas(SurfaceRef surface, Target target, const Device& device);
    static std::unique_ptr<CairoCanvas> Adopt(SurfaceRef surface, Target target, const Device& device,
                                              std::string* error);
    // Cairo's write function for a document streamed into an AtomicFile.
    static cairo_status_t WriteToFile(void* file, const unsigned char* data, unsigned int length);
    // Cairo's write function for a document kept in memory.
    static cairo_status_t WriteToString(void* text, const unsigned char* data, unsigned int length);

    bool Drawable() const { return static_cast<bool>(cr_); }
    // Pictures in grays: the page is for a black-and-white printer.
    bool Gray() const { return Colors() <= 2; }
    // The ink mask of a two-colour bitmap, made once for all bitmaps alike: a document then
    // holds each mask once however often it is drawn (the day numbers of a year of pages).
    SurfaceRef InkMask(const pictures::Bitmap& bitmap);
    // The ink mask stretched over the rectangle: the paper colour first, then the ink
    // through the mask (an inverted copy swaps the two).
    void PaintThroughInkMask(const Rect& rect, const SurfaceRef& mask, BitmapCopy copy);
    const base::Color* TextBackground() const;
    // The width of a one-pixel pen, in device pixels.
    double RuleWidth() const;
    void PaintWhitePage();

    SurfaceRef surface_;                     // none when the context is borrowed
    std::unique_ptr<base::AtomicFile> file_; // where a PDF or SVG document goes
    std::unique_ptr<std::string> pdf_;       // a PDF document as Cairo writes it
    std::string language_;                   // of a PDF document's text
    int page_ = 1;                           // the number of the page being drawn
    std::vector<int> sections_;              // the outline entries open, by depth
    ContextRef cr_;
    Target target_;
    std::function<void()> new_page_;
    TextPainter text_;
    // A two-colour bitmap's pixels where they were drawn from and a copy of them, to know
    // it again cheaply, with its mask.
    struct KeptMask {
        const std::uint32_t* drawn_from;
        int width;
        int height;
        std::vector<std::uint32_t> pixels;
        SurfaceRef mask;
    };
    // The pictures begun and not yet ended, the innermost last, each with its whole surface
    // once made (entries of the same picture share one surface), and
    // whether it was placed whole, so that its tiles are not drawn.
    struct HeldPicture {
        const pictures::Bitmap* bitmap;
        int level;
        SurfaceRef surface;
        bool placed;
    };
    // Whether a part of this picture drawn now is a tile of a picture placed whole.
    bool TileOfPlacedPicture(const pictures::Bitmap& bitmap, int level) const;
    std::vector<HeldPicture> held_pictures_;
    // The whole surface of a held picture, made on its first drawing; none when the
    // picture is not held.
    SurfaceRef HeldPictureSurface(const pictures::Bitmap& bitmap, int level);
    // The picture with no more pixels than a placement of width x height device pixels
    // needs: itself when it has no more, else a reduced copy (the last one is kept, for a
    // picture placed alike on page after page).
    SurfaceRef DevicePixelsOf(const SurfaceRef& picture, double width, double height);
    // Gives a picture drawn in a PDF the JPEG it is written as: source (the JPEG file the
    // pixels came from) when given, else one made of a photograph's pixels; a drawing, a grey
    // picture and a picture already written are left as they are.
    void CarryAsJpeg(const SurfaceRef& picture, const std::shared_ptr<const std::vector<std::uint8_t>>& source);
    std::unordered_set<std::string> jpeg_written_; // the unique ids of pictures made JPEG
    struct Reduced {
        std::string key;
        SurfaceRef surface;
    };
    Reduced reduced_;
    std::vector<KeptMask> ink_masks_;
    std::size_t ink_mask_bytes_ = 0; // of the kept copies
};

} // namespace gfx
