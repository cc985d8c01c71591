// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on a screen of scale 2 (run with GDK_SCALE=2): the format pictures, the
// title strip's bitmaps and icon, and the vertical labels are drawn for the scale, pixel for
// device pixel, not made at the logical size and enlarged.
#include "app/format_thumbnails.h"
#include "app/window_test_fixture.h"
#include "controls/scaled_image.h"
#include "controls/title_strip.h"
#include "controls/vertical_label.h"
#include "gfx/cairo_canvas.h"

#include <gtkmm/container.h>

#include <set>

namespace app::testing {
namespace {

template <typename T>
T* FindWidget(Gtk::Widget& root, const std::function<bool(T&)>& wanted) {
    if (auto* w = dynamic_cast<T*>(&root); w && wanted(*w)) return w;
    if (auto* container = dynamic_cast<Gtk::Container*>(&root))
        for (Gtk::Widget* child : container->get_children())
            if (T* found = FindWidget<T>(*child, wanted)) return found;
    return nullptr;
}

bool Near(unsigned a, unsigned b, int tolerance) {
    for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

// The fewest pixels of `picture` unlike the screen, over the places it may stand at around
// the middle of the grabbed area (as the toolkit centres a picture in its widget).
int FewestUnlike(const ScreenPixels& screen, const Glib::RefPtr<Gdk::Pixbuf>& picture) {
    int best = picture->get_width() * picture->get_height();
    const int cx = (screen.width - picture->get_width()) / 2, cy = (screen.height - picture->get_height()) / 2;
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx) {
            int unlike = 0;
            for (int y = 0; y < picture->get_height(); ++y)
                for (int x = 0; x < picture->get_width(); ++x)
                    unlike += !Near(screen.Pixel(cx + dx + x, cy + dy + y), PixbufPixel(picture, x, y), 24);
            best = std::min(best, unlike);
        }
    return best;
}

class HiDpiTest : public MainWindowTest {};

TEST_F(HiDpiTest, PicturesBitmapsAndLabelsAreDrawnForTheScreensScale) {
    Open();
    ASSERT_EQ(2, window_->get_scale_factor()) << "the test runs with GDK_SCALE=2";
    window_->MakeFormatPictures();
    Pump(300);

    // A format picture is the page drawn at twice the size: it agrees with such a drawing
    // and not with the small one enlarged.
    auto& image = dynamic_cast<controls::ScaledImage&>(
        *dynamic_cast<Gtk::Bin&>(window_->FormatButton(pages::Format::kCalendar)).get_child());
    const ScreenPixels shown = GrabWidget(image);
    ASSERT_EQ(image.get_allocated_width() * 2, shown.width);
    const auto sharp = FormatThumbnail(state_, pages::Format::kCalendar, 210, 297, 85 * 2, 117 * 2);
    const auto small = FormatThumbnail(state_, pages::Format::kCalendar, 210, 297, 85, 117);
    const auto enlarged = small->scale_simple(small->get_width() * 2, small->get_height() * 2, Gdk::INTERP_BILINEAR);
    const int unlike_sharp = FewestUnlike(shown, sharp);
    const int unlike_enlarged = FewestUnlike(shown, enlarged);
    EXPECT_LT(unlike_sharp, sharp->get_width() * sharp->get_height() / 100)
        << "format picture: " << unlike_sharp << " pixels unlike the page drawn at scale 2 (" << unlike_enlarged
        << " unlike the small picture enlarged)";

    // The title strip's icon is drawn at 32 × 32 for its 16 × 16 place.
    auto* icon = FindWidget<controls::ScaledImage>(window_->TitleBar(), [](controls::ScaledImage& i) {
        return i.get_accessible() && i.get_accessible()->get_name() == "Kalvorin";
    });
    ASSERT_NE(nullptr, icon);
    const int unlike_icon = FewestUnlike(GrabWidget(*icon), controls::ProgramIcon(32));
    EXPECT_LT(unlike_icon, 32 * 32 / 50) << "icon: " << unlike_icon << " pixels unlike the icon drawn at 32";

    // The close button's bitmap: each of its pixels is 2 × 2 device pixels of its own
    // colour, with no blended colours between them.
    auto* close = FindWidget<Gtk::Button>(window_->TitleBar(),
                                          [](Gtk::Button& b) { return b.get_tooltip_text() == "閉じる"; });
    ASSERT_NE(nullptr, close);
    const auto bitmap = controls::BuiltinPixbuf("SYSCLOSE");
    std::set<unsigned> colours;
    for (int y = 0; y < bitmap->get_height(); ++y)
        for (int x = 0; x < bitmap->get_width(); ++x) colours.insert(PixbufPixel(bitmap, x, y));
    const ScreenPixels button = GrabWidget(*close);
    const int unlike_bitmap = FewestUnlike(button, controls::BitmapAtScale(bitmap, 2));
    EXPECT_EQ(0, unlike_bitmap) << "close button: " << unlike_bitmap << " pixels unlike the bitmap doubled";

    // A vertical label: the column as the canvas draws it at scale 2 over the window's grey.
    auto* label = FindWidget<controls::VerticalLabel>(
        *window_, [](controls::VerticalLabel& l) { return l.Caption() == "暦形式選択"; });
    ASSERT_NE(nullptr, label);
    const int w = label->get_allocated_width(), h = label->get_allocated_height();
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w * 2, h * 2);
    cairo_surface_set_device_scale(surface, 2, 2);
    {
        cairo_t* c = cairo_create(surface);
        cairo_set_source_rgb(c, 0xC0 / 255.0, 0xC0 / 255.0, 0xC0 / 255.0);
        cairo_paint(c);
        gfx::CairoCanvas canvas(c, gfx::Device{w, h, gfx::kPixelsPerInch, gfx::kPixelsPerInch, 256});
        controls::DrawVerticalLabel(canvas, gfx::Rect{0, 0, w, h}, label->Look());
        cairo_destroy(c);
    }
    cairo_surface_flush(surface);
    const auto column = Gdk::Pixbuf::create(Cairo::RefPtr<Cairo::Surface>(new Cairo::Surface(surface, true)), 0, 0,
                                            w * 2, h * 2);
    const ScreenPixels label_shown = GrabWidget(*label);
    EXPECT_LT(FewestUnlike(label_shown, column), w * h * 4 / 100) << "vertical label unlike its column at scale 2";
}

} // namespace
} // namespace app::testing
