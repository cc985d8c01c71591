// SPDX-License-Identifier: GPL-3.0-or-later
// How the main window, the preview and the month pictures window look on the screen: the
// captions where a person looks for them, the whole page within reach, buttons that can be
// read. Read from the real window's pixels and widget geometry.
#include "app/preview_window.h"
#include "app/window_test_fixture.h"
#include "controls/scaled_image.h"
#include "dialogs/month_pictures_window.h"
#include "pictures/demo_content.h"
#include "print/print_setup.h"

#include <gtkmm/adjustment.h>
#include <gtkmm/bin.h>
#include <gtkmm/scrollbar.h>
#include <gtkmm/scrolledwindow.h>

#include <cairo.h>

#include <cstdint>
#include <memory>

namespace app::testing {
namespace {

// The first and last rows of a widget that hold dark ink in the middle of its width,
// looked for inside a margin of 4 pixels (where the button's own border is drawn).
std::pair<int, int> InkRows(const ScreenPixels& pixels) {
    int first = -1, last = -1;
    for (int y = 4; y < pixels.height - 4; ++y)
        for (int x = pixels.width / 2 - 9; x <= pixels.width / 2 + 9; ++x) {
            const unsigned p = pixels.Pixel(x, y);
            if (((p >> 16) & 0xFF) < 0x50 && ((p >> 8) & 0xFF) < 0x50 && (p & 0xFF) < 0x50) {
                if (first < 0) first = y;
                last = y;
            }
        }
    return {first, last};
}

TEST_F(MainWindowTest, ButtonCaptionsStandInTheMiddleOfTheirButtons) {
    Open();
    const std::pair<const char*, Gtk::Widget*> buttons[] = {
        {"印刷", &window_->PrintButton()},
        {"確認", &window_->PreviewButton()},
        {"説明", &window_->HelpButton()},
        {"終了", &window_->ExitButton()},
        {"印刷設定", &window_->SettingsButtonWidget(SettingsButton::kConfig)},
        {"休日設定", &window_->SettingsButtonWidget(SettingsButton::kHoliday)},
        {"月の絵", &window_->SettingsButtonWidget(SettingsButton::kPictures)},
    };
    for (const auto& [caption, button] : buttons) {
        const ScreenPixels pixels = GrabWidget(*button);
        const auto [first, last] = InkRows(pixels);
        ASSERT_GE(first, 0) << caption << ": no caption drawn";
        const int above = first, below = pixels.height - 1 - last;
        // A caption of two pixels' difference either way is in the middle as far as the
        // eye goes; a column hanging from the top leaves tens of pixels below it.
        EXPECT_LE(std::abs(above - below), 6)
            << caption << ": " << above << " pixels above the caption and " << below << " below, button "
            << pixels.height << " high";
    }
}

// Each format button shows its picture whole, pixel for pixel, in the middle of the button.
TEST_F(MainWindowTest, FormatPicturesStandWholeInTheMiddleOfTheirButtons) {
    Open();
    window_->MakeFormatPictures();
    PointAt(window_->ProgressBar()); // no tooltip over the pictures
    Pump(100);
    for (int f = 1; f <= 8; ++f) {
        Gtk::Widget& button = window_->FormatButton(static_cast<pages::Format>(f));
        auto* image = dynamic_cast<controls::ScaledImage*>(dynamic_cast<Gtk::Bin&>(button).get_child());
        ASSERT_NE(nullptr, image);
        const Glib::RefPtr<Gdk::Pixbuf> picture = image->Shown();
        ASSERT_TRUE(picture) << "format " << f;
        const ScreenPixels screen = GrabWidget(button);
        int ix = 0, iy = 0;
        image->translate_coordinates(button, 0, 0, ix, iy);
        const int left = ix + (image->get_allocated_width() - picture->get_width()) / 2;
        const int top = iy + (image->get_allocated_height() - picture->get_height()) / 2;
        const int below = button.get_allocated_height() - top - picture->get_height();
        const int right = button.get_allocated_width() - left - picture->get_width();
        EXPECT_LE(std::abs(top - below), 1) << "format " << f << ": " << top << " above, " << below << " below";
        EXPECT_LE(std::abs(left - right), 1) << "format " << f << ": " << left << " left, " << right << " right";
        int unlike = 0;
        for (int y = 0; y < picture->get_height(); ++y)
            for (int x = 0; x < picture->get_width(); ++x)
                unlike += screen.Pixel(left + x, top + y) != PixbufPixel(picture, x, y);
        EXPECT_EQ(0, unlike) << "format " << f << ": pixels of the picture unlike the screen";
    }
}

// The view of the preview as it should be: the page stretched into the display rectangle,
// scrolled by (sx, sy), and the window's grey beside and below it.
std::vector<unsigned> ExpectedView(cairo_surface_t* page, const gfx::Rect& r, int sx, int sy, int w, int h) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_t* c = cairo_create(surface);
    cairo_set_source_rgb(c, 0xC0 / 255.0, 0xC0 / 255.0, 0xC0 / 255.0);
    cairo_paint(c);
    cairo_translate(c, -sx, -sy);
    cairo_rectangle(c, r.left, r.top, r.width(), r.height());
    cairo_clip(c);
    cairo_translate(c, r.left, r.top);
    const double scale_x = static_cast<double>(r.width()) / cairo_image_surface_get_width(page);
    const double scale_y = static_cast<double>(r.height()) / cairo_image_surface_get_height(page);
    cairo_scale(c, scale_x, scale_y);
    cairo_set_source_surface(c, page, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(c), scale_x < 1 ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
    cairo_paint(c);
    cairo_destroy(c);
    cairo_surface_flush(surface);
    std::vector<unsigned> pixels;
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pixels.push_back(reinterpret_cast<const std::uint32_t*>(data + y * stride)[x] & 0xFFFFFF);
    cairo_surface_destroy(surface);
    return pixels;
}

bool Near(unsigned a, unsigned b) {
    for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 40) return false;
    return true;
}

TEST_F(MainWindowTest, ThePreviewShowsTheWholePageWithinReachAndButtonsThatCanBeRead) {
    Open();
    bool seen = false;
    window_->on_preview_shown = [&](Gtk::Window& w) {
        auto& preview = dynamic_cast<PreviewWindow&>(w);
        seen = true;
        std::shared_ptr<void> closer(nullptr, [&](void*) { preview.CloseWithoutPrinting(); });
        ASSERT_TRUE(PumpUntil([&] { return preview.get_mapped(); }));
        Pump(200);
        Gtk::Widget& view = *preview.ScrollBox().get_child();
        auto h = preview.ScrollBox().get_hadjustment();
        auto v = preview.ScrollBox().get_vadjustment();
        // The scroll range is the page's, and every part of the view shows the page where
        // it should be: at the start and scrolled to the end, and so on the right and at
        // the bottom of the window too.
        for (int zoom = 0; zoom < 2; ++zoom) {
            const gfx::Rect r = preview.DisplayRect();
            EXPECT_EQ(r.right, static_cast<int>(h->get_upper()));
            EXPECT_EQ(r.bottom, static_cast<int>(v->get_upper()));
            for (bool at_end : {false, true}) {
                h->set_value(at_end ? h->get_upper() - h->get_page_size() : 0);
                v->set_value(at_end ? v->get_upper() - v->get_page_size() : 0);
                Pump(200);
                const ScreenPixels shown = GrabWidget(view);
                ASSERT_GT(shown.width, 100);
                const std::vector<unsigned> expected =
                    ExpectedView(preview.Page(), r, static_cast<int>(h->get_value()), static_cast<int>(v->get_value()),
                                 shown.width, shown.height);
                int wrong = 0, wrong_right = 0, wrong_bottom = 0;
                for (int y = 0; y < shown.height; ++y)
                    for (int x = 0; x < shown.width; ++x)
                        if (!Near(shown.Pixel(x, y), expected[static_cast<std::size_t>(y * shown.width + x)])) {
                            ++wrong;
                            if (x >= shown.width - 40) ++wrong_right;
                            if (y >= shown.height - 40) ++wrong_bottom;
                        }
                EXPECT_LT(wrong, shown.width * shown.height / 200)
                    << "zoom step " << zoom << (at_end ? ", at the end" : ", at the start") << ": " << wrong
                    << " pixels unlike the page (" << wrong_right << " in the last 40 columns, " << wrong_bottom
                    << " in the last 40 rows) of a view " << shown.width << " × " << shown.height;
            }
            preview.ApplyZoom(Zoom::kShrink);
            Pump(100);
        }
        // Nothing white outside the page: the corner between the scroll bars is grey.
        const ScreenPixels box = GrabWidget(preview.ScrollBox());
        int white = 0;
        for (int y = box.height - 12; y < box.height; ++y)
            for (int x = box.width - 12; x < box.width; ++x)
                white += box.Pixel(x, y) == 0xFFFFFF;
        EXPECT_EQ(0, white) << "white pixels in the corner between the scroll bars";
        // The strip's buttons: of a desktop's size, their captions of the windows' font size.
        for (Gtk::Button* button :
             {&preview.PrintButton(), &preview.ShrinkButton(), &preview.OriginalButton(), &preview.GrowButton()}) {
            const std::string name = button->get_tooltip_text();
            EXPECT_GE(button->get_allocated_width(), 24) << name;
            EXPECT_GE(button->get_allocated_height(), 28) << name;
            const ScreenPixels pixels = GrabWidget(*button);
            int left = pixels.width, right = -1, top = pixels.height, bottom = -1;
            for (int y = 3; y < pixels.height - 3; ++y)
                for (int x = 3; x < pixels.width - 3; ++x)
                    if ((pixels.Pixel(x, y) & 0xC0C0C0) == 0) {
                        left = std::min(left, x), right = std::max(right, x);
                        top = std::min(top, y), bottom = std::max(bottom, y);
                    }
            ASSERT_GE(right, 0) << name << ": no caption";
            EXPECT_GE(right - left + 1, 10) << name << ": the caption's characters are " << right - left + 1
                                            << " pixels wide";
        }
    };
    window_->ShowPreview();
    EXPECT_TRUE(seen);
}

// A picture larger than the month pictures window stands at its own size from the top-left
// corner, with scroll bars in view, and every part of it can be scrolled into view and is
// drawn there, the far edges of the area included.
TEST_F(MainWindowTest, TheMonthPictureScrollsOverItsWholeSize) {
    base::RecordingReporter quiet;
    ASSERT_TRUE(pictures::WriteDemoMonthPictures(folder_.path(), quiet));
    Open("ETO=7\r\nDIR=" + folder_.path().string() + "\r\n");
    config::Settings settings = state_.settings;
    dialogs::MonthPicturesWindow dialog(window_.get(), settings, print::ConfigPath(state_.host_folder), reporter_,
                                        state_.face_name, state_.font_height);
    bool seen = false;
    dialog.on_shown = [&](Gtk::Window&) {
        seen = true;
        std::shared_ptr<void> closer(nullptr, [&](void*) { dialog.EndModal(dialogs::ModalResult::kCancel); });
        Pump(200);
        const auto picture = dialog.ShownPicture();
        ASSERT_TRUE(picture);
        Gtk::ScrolledWindow& scroll = dialog.ScrollBox();
        Gtk::Widget& view = *scroll.get_child();
        ASSERT_LT(view.get_allocated_height(), picture->get_height()) << "the picture fits: nothing to scroll";
        EXPECT_TRUE(scroll.get_vscrollbar()->get_visible());
        EXPECT_GT(scroll.get_vscrollbar()->get_allocated_width(), 4) << "the scroll bar is not in view";
        auto h = scroll.get_hadjustment();
        auto v = scroll.get_vadjustment();
        EXPECT_EQ(picture->get_height(), static_cast<int>(v->get_upper()));
        for (bool at_end : {false, true}) {
            h->set_value(at_end ? h->get_upper() - h->get_page_size() : 0);
            v->set_value(at_end ? v->get_upper() - v->get_page_size() : 0);
            Pump(200);
            const ScreenPixels shown = GrabWidget(view);
            const int sx = static_cast<int>(h->get_value()), sy = static_cast<int>(v->get_value());
            int wrong = 0, compared = 0;
            for (int y = 0; y < shown.height && sy + y < picture->get_height(); ++y)
                for (int x = 0; x < shown.width && sx + x < picture->get_width(); ++x) {
                    const guint8* q = picture->get_pixels() + (sy + y) * picture->get_rowstride() +
                                      (sx + x) * picture->get_n_channels();
                    ++compared;
                    wrong += !Near(shown.Pixel(x, y), (unsigned{q[0]} << 16) | (unsigned{q[1]} << 8) | q[2]);
                }
            EXPECT_GT(compared, 100 * 100);
            EXPECT_LT(wrong, compared / 200) << (at_end ? "at the end: " : "at the start: ") << wrong << " of "
                                             << compared << " pixels unlike the picture";
        }
    };
    dialog.RunModal();
    EXPECT_TRUE(seen);
}

} // namespace
} // namespace app::testing
