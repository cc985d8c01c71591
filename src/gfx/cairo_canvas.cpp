// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/cairo_canvas.h"

#include "base/i18n.h"
#include "gfx/bitmap_surfaces.h"
#include "gfx/color_source.h"
#include "gfx/pdf_finish.h"
#include "pictures/jpeg_image.h"

#include <cairo-pdf.h>
#include <cairo-ps.h>
#include <cairo-svg.h>
#include <glib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string_view>
#include <mutex>
#include <numbers>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace gfx {
namespace {

bool CheckDevice(const Device& device, std::string* error) {
    if (device.width > 0 && device.height > 0 && device.width <= kMaxSurfaceSide && device.height <= kMaxSurfaceSide &&
        device.dpi_x > 0 && device.dpi_y > 0) {
        return true;
    }
    if (error) *error = _("page size or resolution out of range");
    return false;
}

// A side of a document page in points: the paper's when known (a sane size), else the
// device's pixels at its resolution.
double PagePoints(double paper_pt, int pixels, int dpi) {
    constexpr double kMaxPaperPt = 14400; // the largest page a PDF reader takes: 200 inches
    return paper_pt > 0 && paper_pt <= kMaxPaperPt ? paper_pt : pixels * 72.0 / dpi;
}

// The file a document is written to (replaced whole when it ends) and a surface of `make`
// (a Cairo *_surface_create_for_stream) writing through `write` into `closure` (the file
// when null), the page in points. Null, with the reason, when the file cannot be begun.
template <class Make>
SurfaceRef DocumentSurface(const std::string& path, const Device& device, Make make, cairo_write_func_t write,
                           void* closure, std::unique_ptr<base::AtomicFile>& file, std::string* error) {
    file = std::make_unique<base::AtomicFile>(path);
    if (!file->ok()) {
        if (error) *error = file->error();
        return {};
    }
    return SurfaceRef::Adopt(
        make(write, closure ? closure : file.get(), PagePoints(device.paper_width_pt, device.width, device.dpi_x),
             PagePoints(device.paper_height_pt, device.height, device.dpi_y)));
}

// A pattern of the surface that maps its pixels onto the rectangle.
PatternRef StretchedPattern(const SurfaceRef& surface, double surface_width, double surface_height, double left,
                            double top, double width, double height) {
    PatternRef pattern = PatternRef::Adopt(cairo_pattern_create_for_surface(surface.get()));
    cairo_matrix_t matrix;
    cairo_matrix_init_scale(&matrix, surface_width / width, surface_height / height);
    cairo_matrix_translate(&matrix, -left, -top);
    cairo_pattern_set_matrix(pattern.get(), &matrix);
    return pattern;
}

void SetUniqueId(const SurfaceRef& surface, const std::string& id) {
    auto* copy = static_cast<unsigned char*>(g_memdup2(id.data(), id.size()));
    cairo_surface_set_mime_data(surface.get(), CAIRO_MIME_TYPE_UNIQUE_ID, copy, id.size(), g_free, copy);
}

// A picture's pixels name it for Cairo, so that a document holds one image of it however
// often it is drawn (a pentad's picture on each of its five days, made again for each).
void NameByContent(const SurfaceRef& surface) {
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return;
    cairo_surface_flush(surface.get());
    const int width = cairo_image_surface_get_width(surface.get());
    const int height = cairo_image_surface_get_height(surface.get());
    const std::string_view bytes(reinterpret_cast<const char*>(cairo_image_surface_get_data(surface.get())),
                                 static_cast<std::size_t>(cairo_image_surface_get_stride(surface.get())) * height);
    char id[64];
    std::snprintf(id, sizeof id, "picture:%dx%d:%016zx", width, height, std::hash<std::string_view>{}(bytes));
    SetUniqueId(surface, id);
}

// The mask's bytes name it for Cairo too, so that a PDF embeds it once however often it is
// made again (ink bits are made into a mask at each drawing, and the kept masks of a canvas
// are bounded).
void NameMaskByItsBytes(const SurfaceRef& mask) {
    if (cairo_surface_status(mask.get()) != CAIRO_STATUS_SUCCESS) return;
    SetUniqueId(mask, MaskKey(mask.get()));
}

// The ink mask of a permanent bitmap or ink bits (known by where they lie), made by make on
// the first drawing and kept for the life of the program, so that every page and document
// of the run shares it.
template <typename Make> SurfaceRef PermanentInkMask(const void* permanent, Make make) {
    static std::mutex mutex;
    static std::unordered_map<const void*, SurfaceRef>* masks = new std::unordered_map<const void*, SurfaceRef>;
    const std::lock_guard<std::mutex> lock(mutex);
    SurfaceRef& mask = (*masks)[permanent];
    if (!mask) {
        mask = make();
        NameMaskByItsBytes(mask);
    }
    return mask;
}

} // namespace

CairoCanvas::CairoCanvas(cairo_t* cr, const Device& device, std::function<void()> new_page)
    : Canvas(device), cr_(ContextRef::Share(cr)), target_(Target::kBorrowed), new_page_(std::move(new_page)) {}

CairoCanvas::CairoCanvas(SurfaceRef surface, Target target, const Device& device)
    : Canvas(device), surface_(std::move(surface)), cr_(ContextRef::Adopt(cairo_create(surface_.get()))),
      target_(target) {
    if (target != Target::kImage) {
        // Vector pages are measured in points; a device pixel is 1/dpi inch.
        cairo_scale(cr_.get(), 72.0 / device.dpi_x, 72.0 / device.dpi_y);
    }
    if (target == Target::kImage) PaintWhitePage();
}

CairoCanvas::~CairoCanvas() {
    held_pictures_.clear();
    Finish(nullptr);
}

SurfaceRef CairoCanvas::InkMask(const pictures::Bitmap& bitmap) {
    if (bitmap.permanent) return PermanentInkMask(bitmap.pixels.data(), [&] { return InkMaskSurface(bitmap); });
    const std::size_t count = static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height);
    // The same bitmap drawn again is known by where its pixels are and by comparing them
    // with the copy kept (a bitmap freed and another made in its place is a new one).
    for (const KeptMask& kept : ink_masks_) {
        if (kept.drawn_from == bitmap.pixels.data() && kept.width == bitmap.width && kept.height == bitmap.height &&
            std::equal(kept.pixels.begin(), kept.pixels.end(), bitmap.pixels.begin())) {
            return kept.mask;
        }
    }
    SurfaceRef mask = InkMaskSurface(bitmap);
    if (cairo_surface_status(mask.get()) != CAIRO_STATUS_SUCCESS) return mask;
    NameMaskByItsBytes(mask);
    // The day numbers and marks of a page are a few dozen bitmaps of up to 288 x 288; the
    // copies kept stay under these bounds, past which the canvas starts afresh.
    constexpr std::size_t kMaxKeptBytes = std::size_t{16} << 20;
    constexpr std::size_t kMaxKept = 128;
    const std::size_t bytes = count * sizeof(std::uint32_t);
    if (bytes > kMaxKeptBytes / 4) return mask;
    if (ink_masks_.size() >= kMaxKept || ink_mask_bytes_ + bytes > kMaxKeptBytes) {
        ink_masks_.clear();
        ink_mask_bytes_ = 0;
    }
    ink_masks_.push_back({bitmap.pixels.data(), bitmap.width, bitmap.height,
                          std::vector<std::uint32_t>(bitmap.pixels.begin(), bitmap.pixels.begin() + count),
                          mask});
    ink_mask_bytes_ += bytes;
    return mask;
}

std::unique_ptr<CairoCanvas> CairoCanvas::Adopt(SurfaceRef surface, Target target, const Device& device,
                                                std::string* error) {
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        if (error) *error = cairo_status_to_string(cairo_surface_status(surface.get()));
        return nullptr;
    }
    return std::unique_ptr<CairoCanvas>(new CairoCanvas(std::move(surface), target, device));
}

std::unique_ptr<CairoCanvas> CairoCanvas::CreatePdf(const std::string& path, const Device& device,
                                                    const DocumentInfo& info, std::string* error) {
    if (!CheckDevice(device, error)) return nullptr;
    std::unique_ptr<base::AtomicFile> file;
    // Cairo's document is kept whole in memory and finished (pdf_finish.h) before it is
    // written to the file.
    auto pdf = std::make_unique<std::string>();
    SurfaceRef surface =
        DocumentSurface(path, device, cairo_pdf_surface_create_for_stream, WriteToString, pdf.get(), file, error);
    if (!surface) return nullptr;
    if (cairo_surface_status(surface.get()) == CAIRO_STATUS_SUCCESS) {
        const std::pair<cairo_pdf_metadata_t, const std::string*> metadata[] = {
            {CAIRO_PDF_METADATA_TITLE, &info.title},
            {CAIRO_PDF_METADATA_SUBJECT, &info.subject},
            {CAIRO_PDF_METADATA_CREATOR, &info.creator},
        };
        for (const auto& [key, value] : metadata) {
            if (!value->empty()) cairo_pdf_surface_set_metadata(surface.get(), key, value->c_str());
        }
    }
    auto canvas = Adopt(std::move(surface), Target::kPdf, device, error);
    if (canvas) {
        canvas->file_ = std::move(file);
        canvas->pdf_ = std::move(pdf);
        canvas->language_ = info.language;
    }
    return canvas;
}

std::unique_ptr<CairoCanvas> CairoCanvas::CreateSvg(const std::string& path, const Device& device, std::string* error) {
    if (!CheckDevice(device, error)) return nullptr;
    std::unique_ptr<base::AtomicFile> file;
    SurfaceRef surface =
        DocumentSurface(path, device, cairo_svg_surface_create_for_stream, WriteToFile, nullptr, file, error);
    if (!surface) return nullptr;
    if (cairo_surface_status(surface.get()) == CAIRO_STATUS_SUCCESS) {
        cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PT);
    }
    auto canvas = Adopt(std::move(surface), Target::kSvg, device, error);
    if (canvas) canvas->file_ = std::move(file);
    return canvas;
}

std::unique_ptr<CairoCanvas> CairoCanvas::CreatePostScript(const std::string& path, const Device& device,
                                                           const std::string& title, std::string* error) {
    if (!CheckDevice(device, error)) return nullptr;
    std::unique_ptr<base::AtomicFile> file;
    SurfaceRef surface =
        DocumentSurface(path, device, cairo_ps_surface_create_for_stream, WriteToFile, nullptr, file, error);
    if (!surface) return nullptr;
    if (cairo_surface_status(surface.get()) == CAIRO_STATUS_SUCCESS) {
        cairo_ps_surface_restrict_to_level(surface.get(), CAIRO_PS_LEVEL_3);
        if (!title.empty()) cairo_ps_surface_dsc_comment(surface.get(), ("%%Title: " + title).c_str());
    }
    auto canvas = Adopt(std::move(surface), Target::kPs, device, error);
    if (canvas) canvas->file_ = std::move(file);
    return canvas;
}

std::unique_ptr<CairoCanvas> CairoCanvas::CreateImage(const Device& device, std::string* error) {
    if (!CheckDevice(device, error)) return nullptr;
    return Adopt(SurfaceRef::Adopt(cairo_image_surface_create(CAIRO_FORMAT_RGB24, device.width, device.height)),
                 Target::kImage, device, error);
}

bool CairoCanvas::WritePng(const std::string& path, std::string* error) const {
    if (target_ != Target::kImage || !surface_) {
        if (error) *error = _("not an image page");
        return false;
    }
    cairo_surface_flush(surface_.get());
    base::AtomicFile file(path);
    if (!file.ok()) {
        if (error) *error = file.error();
        return false;
    }
    const cairo_status_t status = cairo_surface_write_to_png_stream(surface_.get(), WriteToFile, &file);
    std::string failure = status == CAIRO_STATUS_SUCCESS ? file.Commit()
                          : file.error().empty()         ? cairo_status_to_string(status)
                                                         : file.error();
    if (!failure.empty()) {
        if (error) *error = std::move(failure);
        return false;
    }
    return true;
}

bool CairoCanvas::Finish(std::string* error) {
    if (!cr_) return true;
    // Finishing a document's surface emits its last page.
    cairo_status_t status = cairo_status(cr_.get());
    cr_.reset();
    if (surface_) {
        cairo_surface_finish(surface_.get());
        if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface_.get());
        // An image page stays readable after the end; a document's surface is done.
        if (target_ != Target::kImage) surface_.reset();
    }
    // The document reaches its name only when the whole of it was written.
    std::string failure;
    if (status != CAIRO_STATUS_SUCCESS) {
        failure = file_ && !file_->error().empty() ? file_->error() : cairo_status_to_string(status);
    } else if (file_ && pdf_) {
        const std::string finished = FinishPdf(*pdf_, language_, &failure);
        pdf_.reset();
        if (failure.empty()) failure = file_->Write(finished) ? file_->Commit() : file_->error();
    } else if (file_) {
        failure = file_->Commit();
    }
    file_.reset();
    if (!failure.empty()) {
        if (error) *error = std::move(failure);
        return false;
    }
    return true;
}

cairo_status_t CairoCanvas::WriteToString(void* text, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(text)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

cairo_status_t CairoCanvas::WriteToFile(void* file, const unsigned char* data, unsigned int length) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), length);
    return static_cast<base::AtomicFile*>(file)->Write(bytes) ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

void CairoCanvas::PaintWhitePage() {
    cairo_save(cr_.get());
    cairo_set_source_rgb(cr_.get(), 1, 1, 1);
    cairo_paint(cr_.get());
    cairo_restore(cr_.get());
}

void CairoCanvas::OnFontSelected() {
    text_.SetFont(CurrentFont());
}

const base::Color* CairoCanvas::TextBackground() const {
    // As on the platform: a solid brush gives text an opaque background of its colour.
    return CurrentBrush().style == BrushStyle::kSolid ? &CurrentBrush().color : nullptr;
}

void CairoCanvas::DoTextOut(int x, int y, std::string_view text) {
    if (Drawable()) text_.Draw(cr_.get(), x, y, text, TextColor(), TextBackground());
}

TextSize CairoCanvas::DoTextExtent(std::string_view text) {
    return text_.Extent(text);
}

void CairoCanvas::DoDrawText(const Rect& rect, unsigned flags, std::string_view text) {
    if (Drawable()) text_.DrawInRect(cr_.get(), rect, flags, text, TextColor(), TextBackground());
}

void CairoCanvas::DoRectangle(const Rect& rect) {
    if (!Drawable() || rect.empty()) return;
    cairo_save(cr_.get());
    const double rule = RuleWidth();
    if (rect.width() <= 2 || rect.height() <= 2) {
        // Nothing inside the frame: the pen covers the whole rectangle, across it as wide as
        // the rule's pixels are on paper, about the rectangle's centre line.
        SetSourceColor(cr_.get(), PenColor());
        const double width = rect.width() <= 2 ? rect.width() * rule : rect.width();
        const double height = rect.height() <= 2 ? rect.height() * rule : rect.height();
        cairo_rectangle(cr_.get(), rect.left + (rect.width() - width) / 2, rect.top + (rect.height() - height) / 2,
                        width, height);
        cairo_fill(cr_.get());
    } else {
        if (CurrentBrush().style == BrushStyle::kSolid) {
            SetSourceColor(cr_.get(), CurrentBrush().color);
            cairo_rectangle(cr_.get(), rect.left + 1, rect.top + 1, rect.width() - 2, rect.height() - 2);
            cairo_fill(cr_.get());
        }
        SetSourceColor(cr_.get(), PenColor());
        cairo_set_line_width(cr_.get(), rule);
        cairo_rectangle(cr_.get(), rect.left + 0.5, rect.top + 0.5, rect.width() - 1, rect.height() - 1);
        cairo_stroke(cr_.get());
    }
    cairo_restore(cr_.get());
}

double CairoCanvas::RuleWidth() const {
    if (target_ == Target::kImage || target_ == Target::kBorrowed) return 1;
    // One pixel of a 600 dpi printer on paper, whatever the document's resolution: a pixel of
    // 24 dpi (3 pt) would cover the text beside a rule and one of 2400 dpi (0.03 pt) vanish.
    constexpr double kRuleInches = 1.0 / 600;
    return kRuleInches * std::min(DpiX(), DpiY());
}

void CairoCanvas::DoFillRect(const Rect& rect) {
    if (!Drawable() || rect.empty() || CurrentBrush().style == BrushStyle::kClear) return;
    cairo_save(cr_.get());
    SetSourceColor(cr_.get(), CurrentBrush().color);
    cairo_rectangle(cr_.get(), rect.left, rect.top, rect.width(), rect.height());
    cairo_fill(cr_.get());
    cairo_restore(cr_.get());
}

void CairoCanvas::DoRoundRect(const Rect& rect, int corner_width, int corner_height) {
    if (!Drawable() || rect.empty()) return;
    // The outline runs through the centres of the outermost pixels.
    const double left = rect.left + 0.5, top = rect.top + 0.5;
    const double width = rect.width() - 1.0, height = rect.height() - 1.0;
    const double rx = std::clamp(corner_width / 2.0, 0.0, width / 2),
                 ry = std::clamp(corner_height / 2.0, 0.0, height / 2);
    cairo_save(cr_.get());
    cairo_new_path(cr_.get());
    if (rx > 0 && ry > 0) {
        const double corners[4][3] = {{left + width - rx, top + ry, -std::numbers::pi / 2},
                                      {left + width - rx, top + height - ry, 0},
                                      {left + rx, top + height - ry, std::numbers::pi / 2},
                                      {left + rx, top + ry, std::numbers::pi}};
        for (const auto& corner : corners) {
            cairo_save(cr_.get());
            cairo_translate(cr_.get(), corner[0], corner[1]);
            cairo_scale(cr_.get(), rx, ry);
            cairo_arc(cr_.get(), 0, 0, 1, corner[2], corner[2] + std::numbers::pi / 2);
            cairo_restore(cr_.get());
        }
        cairo_close_path(cr_.get());
    } else {
        cairo_rectangle(cr_.get(), left, top, width, height);
    }
    if (CurrentBrush().style == BrushStyle::kSolid) {
        SetSourceColor(cr_.get(), CurrentBrush().color);
        cairo_fill_preserve(cr_.get());
    }
    SetSourceColor(cr_.get(), PenColor());
    cairo_set_line_width(cr_.get(), RuleWidth());
    cairo_stroke(cr_.get());
    cairo_restore(cr_.get());
}

void CairoCanvas::PaintThroughInkMask(const Rect& rect, const SurfaceRef& mask, BitmapCopy copy) {
    const bool invert = copy == BitmapCopy::kInvert;
    cairo_save(cr_.get());
    cairo_rectangle(cr_.get(), rect.left, rect.top, rect.width(), rect.height());
    cairo_clip(cr_.get());
    const base::Color ink = invert ? CurrentBrush().color : TextColor();
    const base::Color paper = invert ? TextColor() : CurrentBrush().color;
    SetSourceColor(cr_.get(), paper);
    cairo_paint(cr_.get());
    const PatternRef pattern =
        StretchedPattern(mask, cairo_image_surface_get_width(mask.get()), cairo_image_surface_get_height(mask.get()),
                         rect.left, rect.top, rect.width(), rect.height());
    cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_NEAREST);
    SetSourceColor(cr_.get(), ink);
    cairo_mask(cr_.get(), pattern.get());
    cairo_restore(cr_.get());
}

void CairoCanvas::DoStretchBitmap(const Rect& rect, const pictures::Bitmap& bitmap, std::string_view, BitmapCopy copy) {
    if (!Drawable() || rect.empty() || !UsableBitmap(bitmap)) return;
    if (bitmap.monochrome) return PaintThroughInkMask(rect, InkMask(bitmap), copy);
    cairo_save(cr_.get());
    cairo_rectangle(cr_.get(), rect.left, rect.top, rect.width(), rect.height());
    cairo_clip(cr_.get());
    const PatternRef pattern =
        StretchedPattern(ColorSurface(bitmap, Rect{0, 0, bitmap.width, bitmap.height}, copy == BitmapCopy::kInvert, 0, Gray()),
                         bitmap.width, bitmap.height, rect.left, rect.top, rect.width(), rect.height());
    cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_NEAREST);
    cairo_set_source(cr_.get(), pattern.get());
    cairo_paint(cr_.get());
    cairo_restore(cr_.get());
}

void CairoCanvas::DoStretchInk(const Rect& rect, const pictures::InkBitmap& ink, std::string_view, BitmapCopy copy) {
    if (!Drawable() || rect.empty() || !UsableInk(ink)) return;
    SurfaceRef mask;
    if (ink.permanent) {
        mask = PermanentInkMask(&ink, [&] { return InkMaskSurface(ink); });
    } else {
        mask = InkMaskSurface(ink);
        NameMaskByItsBytes(mask);
    }
    PaintThroughInkMask(rect, mask, copy);
}

void CairoCanvas::DoDrawPicture(const Rect& rect, const pictures::Bitmap& bitmap, int level,
                                const std::optional<Rect>& source) {
    if (!Drawable() || rect.empty() || !UsableBitmap(bitmap)) return;
    if (source && TileOfPlacedPicture(bitmap, level)) return;
    Rect part = source.value_or(Rect{0, 0, bitmap.width, bitmap.height});
    part = Rect{std::max(part.left, 0), std::max(part.top, 0), std::min(part.right, bitmap.width),
                std::min(part.bottom, bitmap.height)};
    if (part.empty()) return;
    const double sx = static_cast<double>(rect.width()) / part.width();
    const double sy = static_cast<double>(rect.height()) / part.height();
    // A part with more picture to its right or below reaches into the neighbour's place,
    // which the neighbour, drawn next, covers again. Where two parts meet the earlier one
    // then lies fully under the edge of the later one, so a PDF viewer that smooths image
    // edges shows no hairline; 1/24 inch hides it down to a view of 24 dpi. An image page
    // has exact pixel edges and needs no reach.
    const bool vector = target_ != Target::kImage;
    const int reach_right = vector && part.right < bitmap.width ? std::max(1, DpiX() / 24) : 0;
    const int reach_down = vector && part.bottom < bitmap.height ? std::max(1, DpiY() / 24) : 0;
    // Picture pixels around the part come along, so that smoothing at its edges and the
    // reach see the neighbours' pixels; the picture's own edges are padded.
    const Rect with_border{std::max(part.left - 1, 0), std::max(part.top - 1, 0),
                           std::min(part.right + 1 + static_cast<int>(std::ceil(reach_right / sx)), bitmap.width),
                           std::min(part.bottom + 1 + static_cast<int>(std::ceil(reach_down / sy)), bitmap.height)};
    cairo_save(cr_.get());
    cairo_rectangle(cr_.get(), rect.left, rect.top, rect.width() + reach_right, rect.height() + reach_down);
    cairo_clip(cr_.get());
    PatternRef pattern;
    const SurfaceRef whole_surface = HeldPictureSurface(bitmap, level);
    const bool whole = static_cast<bool>(whole_surface);
    // Picture pixels a device pixel gets, across and down.
    double density = 1 / std::min(sx, sy);
    if (whole) {
        // A part of a picture begun: the whole picture is one surface (one image in a
        // document), placed so that the part lands on the rectangle; the clip keeps the part.
        // A document gets no more of its pixels than the device prints.
        const SurfaceRef drawn = vector ? DevicePixelsOf(whole_surface, bitmap.width * sx, bitmap.height * sy)
                                        : whole_surface;
        if (target_ == Target::kPdf) {
            const bool unaltered = drawn.get() == whole_surface.get() && WhiteBlendForLevel(level) == 0 && !Gray();
            CarryAsJpeg(drawn, unaltered ? bitmap.jpeg : nullptr);
        }
        const int drawn_width = cairo_image_surface_get_width(drawn.get());
        const int drawn_height = cairo_image_surface_get_height(drawn.get());
        density = std::max(drawn_width / (bitmap.width * sx), drawn_height / (bitmap.height * sy));
        pattern = StretchedPattern(drawn, drawn_width, drawn_height, rect.left - part.left * sx,
                                   rect.top - part.top * sy, bitmap.width * sx, bitmap.height * sy);
    } else {
        const SurfaceRef drawn = ColorSurface(bitmap, with_border, false, WhiteBlendForLevel(level), Gray());
        if (vector) NameByContent(drawn);
        pattern = StretchedPattern(drawn, with_border.width(), with_border.height(),
                                   rect.left - (part.left - with_border.left) * sx,
                                   rect.top - (part.top - with_border.top) * sy, with_border.width() * sx,
                                   with_border.height() * sy);
    }
    // Cairo's PDF writer cuts a padded pattern into an image of its own for every drawing;
    // the whole picture is drawn unpadded there, and a viewer never samples past its edges.
    cairo_pattern_set_extend(pattern.get(), whole && vector ? CAIRO_EXTEND_NONE : CAIRO_EXTEND_PAD);
    // A document asks for smoothing only where the printer has fewer dots than the picture
    // pixels (which it then leaves out): at or above the picture's own resolution smoothing
    // gains nothing on paper and costs a rasteriser most of its time.
    cairo_pattern_set_filter(pattern.get(), vector && density <= 1 + 1e-9 ? CAIRO_FILTER_FAST : CAIRO_FILTER_GOOD);
    cairo_set_source(cr_.get(), pattern.get());
    cairo_paint(cr_.get());
    cairo_restore(cr_.get());
}

namespace {

// A photograph rather than a drawing: more distinct colours in a sample of its pixels than a
// drawing's flat areas and gradients give.
bool PhotoLike(cairo_surface_t* surface) {
    constexpr int kSamples = 64;
    constexpr std::size_t kPhotoColours = 1024;
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    if (data == nullptr || width < kSamples || height < kSamples) return false;
    std::unordered_set<std::uint32_t> colours;
    for (int j = 0; j < kSamples; ++j) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(j * height / kSamples) * stride);
        for (int i = 0; i < kSamples; ++i)
            colours.insert(row[i * width / kSamples] & 0xFFFFFF);
    }
    return colours.size() > kPhotoColours;
}

void DeleteJpeg(void* jpeg) {
    delete static_cast<std::shared_ptr<const std::vector<std::uint8_t>>*>(jpeg);
}

} // namespace

void CairoCanvas::CarryAsJpeg(const SurfaceRef& picture, const std::shared_ptr<const std::vector<std::uint8_t>>& source) {
    cairo_surface_t* surface = picture.get();
    const unsigned char* known = nullptr;
    unsigned long known_length = 0;
    cairo_surface_get_mime_data(surface, CAIRO_MIME_TYPE_JPEG, &known, &known_length);
    if (known != nullptr) return;
    cairo_surface_get_mime_data(surface, CAIRO_MIME_TYPE_UNIQUE_ID, &known, &known_length);
    const std::string id = known ? std::string(reinterpret_cast<const char*>(known), known_length) : std::string();
    std::shared_ptr<const std::vector<std::uint8_t>> jpeg = source;
    // A picture of a document is written once (by its unique id): made again, it needs none.
    const bool written = !id.empty() && jpeg_written_.contains(id);
    if (!jpeg && !written && !Gray() && PhotoLike(surface)) {
        // A photograph is written as a JPEG of high quality, as it most likely came from
        // one: a part of the size of its pixels without loss, and written at a part of the
        // time. Drawings keep every pixel. A grey page's pictures stay grey images.
        constexpr int kPhotoQuality = 92;
        pictures::Bitmap pixels;
        pixels.width = cairo_image_surface_get_width(surface);
        pixels.height = cairo_image_surface_get_height(surface);
        pixels.pixels.resize(static_cast<std::size_t>(pixels.width) * pixels.height);
        const int stride = cairo_image_surface_get_stride(surface);
        for (int y = 0; y < pixels.height; ++y) {
            std::memcpy(pixels.pixels.data() + static_cast<std::size_t>(y) * pixels.width,
                        cairo_image_surface_get_data(surface) + static_cast<std::ptrdiff_t>(y) * stride,
                        static_cast<std::size_t>(pixels.width) * 4);
        }
        jpeg = std::make_shared<const std::vector<std::uint8_t>>(pictures::EncodeJpegImage(pixels, kPhotoQuality));
    }
    if (!jpeg || jpeg->empty()) return;
    if (!id.empty()) jpeg_written_.insert(id);
    auto* held = new std::shared_ptr<const std::vector<std::uint8_t>>(jpeg);
    cairo_surface_set_mime_data(surface, CAIRO_MIME_TYPE_JPEG, jpeg->data(), jpeg->size(), DeleteJpeg, held);
}

SurfaceRef CairoCanvas::DevicePixelsOf(const SurfaceRef& picture, double width, double height) {
    const int picture_width = cairo_image_surface_get_width(picture.get());
    const int picture_height = cairo_image_surface_get_height(picture.get());
    const int device_width = std::clamp(static_cast<int>(std::ceil(width)), 1, picture_width);
    const int device_height = std::clamp(static_cast<int>(std::ceil(height)), 1, picture_height);
    if (device_width == picture_width && device_height == picture_height) return picture;
    unsigned long id_length = 0;
    const unsigned char* id = nullptr;
    cairo_surface_get_mime_data(picture.get(), CAIRO_MIME_TYPE_UNIQUE_ID, &id, &id_length);
    std::string key = id ? std::string(reinterpret_cast<const char*>(id), id_length) : std::string();
    key += '@' + std::to_string(device_width) + 'x' + std::to_string(device_height);
    if (reduced_.surface && reduced_.key == key) return reduced_.surface;
    SurfaceRef reduced =
        SurfaceRef::Adopt(cairo_image_surface_create(CAIRO_FORMAT_RGB24, device_width, device_height));
    const ContextRef cr = ContextRef::Adopt(cairo_create(reduced.get()));
    cairo_scale(cr.get(), static_cast<double>(device_width) / picture_width,
                static_cast<double>(device_height) / picture_height);
    cairo_set_source_surface(cr.get(), picture.get(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr.get()), CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(cairo_get_source(cr.get()), CAIRO_EXTEND_PAD);
    cairo_paint(cr.get());
    cairo_surface_flush(reduced.get());
    if (id) SetUniqueId(reduced, key);
    reduced_ = {std::move(key), reduced};
    return reduced;
}

void CairoCanvas::DoBeginPicture(const pictures::Bitmap& bitmap, int level, const std::optional<Rect>& whole) {
    held_pictures_.push_back({&bitmap, level, {}, false});
    // Begun again inside itself (a month's picture held for all its daily pages, then for
    // the tiles of each page): the same surface.
    for (const HeldPicture& held : held_pictures_) {
        if (held.bitmap == &bitmap && held.level == level && held.surface) {
            held_pictures_.back().surface = held.surface;
            break;
        }
    }
    // A document gets the picture once, whole, under what is drawn after it; the pixels of
    // an image page come tile by tile, each tile a short piece of work between reports of
    // progress, and are the same.
    if (whole && target_ != Target::kImage && Drawable()) {
        DoDrawPicture(*whole, bitmap, level, std::nullopt);
        held_pictures_.back().placed = true;
    }
}

bool CairoCanvas::TileOfPlacedPicture(const pictures::Bitmap& bitmap, int level) const {
    for (auto held = held_pictures_.rbegin(); held != held_pictures_.rend(); ++held) {
        if (held->bitmap == &bitmap && held->level == level) return held->placed;
    }
    return false;
}

void CairoCanvas::DoEndPicture() {
    if (!held_pictures_.empty()) held_pictures_.pop_back();
}

SurfaceRef CairoCanvas::HeldPictureSurface(const pictures::Bitmap& bitmap, int level) {
    SurfaceRef surface;
    for (const HeldPicture& held : held_pictures_) {
        if (held.bitmap == &bitmap && held.level == level) {
            if (held.surface) return held.surface;
            if (!surface) {
                surface = ColorSurface(bitmap, Rect{0, 0, bitmap.width, bitmap.height}, false,
                                       WhiteBlendForLevel(level), Gray());
                if (target_ != Target::kImage) NameByContent(surface);
            }
        }
    }
    // Every begun entry of this picture shares the new surface.
    for (HeldPicture& held : held_pictures_) {
        if (held.bitmap == &bitmap && held.level == level) held.surface = surface;
    }
    return surface;
}

void CairoCanvas::DoNewPage() {
    if (!Drawable()) return;
    switch (target_) {
    case Target::kBorrowed:
        if (new_page_) new_page_();
        break;
    case Target::kImage:
        PaintWhitePage();
        break;
    case Target::kPdf:
    case Target::kPs:
    case Target::kSvg:
        cairo_show_page(cr_.get());
        ++page_;
        break;
    }
}

void CairoCanvas::DoPictureText(const Rect& rect, std::string_view text) {
    // Only a PDF says what its glyphs read; the text lies under the picture that covers
    // the rectangle next, so that it is found and read but never seen or printed.
    if (!Drawable() || target_ != Target::kPdf || rect.empty() || text.empty()) return;
    const glong characters = g_utf8_strlen(text.data(), static_cast<gssize>(text.size()));
    const int em = std::max(1, std::min(rect.height(), rect.width() / static_cast<int>(std::max<glong>(characters, 1))));
    text_.SetFont(Font{"ＭＳ ゴシック", -em});
    text_.DrawInRect(cr_.get(), rect, dt::kCenter | dt::kVCenter | dt::kSingleLine, text, TextColor(), nullptr);
    text_.SetFont(CurrentFont());
}

void CairoCanvas::DoBeginSection(int depth, std::string_view title) {
    if (!Drawable() || target_ != Target::kPdf || depth < 0) return;
    // An entry deeper than one below the last is put one below it.
    depth = std::min(depth, static_cast<int>(sections_.size()));
    sections_.resize(static_cast<std::size_t>(depth));
    const int parent = depth == 0 ? CAIRO_PDF_OUTLINE_ROOT : sections_.back();
    const std::string name(title);
    const std::string link = "page=" + std::to_string(page_);
    sections_.push_back(cairo_pdf_surface_add_outline(surface_.get(), parent, name.c_str(), link.c_str(),
                                                      cairo_pdf_outline_flags_t{}));
}

void CairoCanvas::DoLabelPage(std::string_view label) {
    if (!Drawable() || target_ != Target::kPdf) return;
    cairo_pdf_surface_set_page_label(surface_.get(), std::string(label).c_str());
}

} // namespace gfx
