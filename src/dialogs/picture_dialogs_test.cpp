// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/dialog_test_fixture.h"
#include "dialogs/month_pictures_window.h"
#include "dialogs/picture_choice.h"
#include "dialogs/picture_open_dialog.h"

#include "config/config_file.h"
#include "pictures/bmp_image.h"
#include "pictures/file_bytes.h"
#include "pictures/jpeg_image.h"
#include "pictures/picture_file.h"

#include <X11/keysym.h>
#include <algorithm>
#include <gdk/gdkkeysyms.h>
#include <gtkmm/image.h>

namespace dialogs {
namespace {

namespace fs = std::filesystem;
using namespace dialogs::testing;

pictures::Bitmap Picture(int w, int h, std::uint32_t colour = 0xFF3366CC) {
    pictures::Bitmap b;
    b.width = w;
    b.height = h;
    b.pixels.assign(static_cast<std::size_t>(w) * h, colour);
    return b;
}

void WriteBmp(const fs::path& path, int w, int h) {
    ASSERT_TRUE(pictures::WriteFileBytes(path, pictures::EncodeBmpImage(Picture(w, h))));
}

void WriteJpeg(const fs::path& path, int w, int h) {
    ASSERT_TRUE(pictures::WriteFileBytes(path, pictures::EncodeJpegImage(Picture(w, h), 90)));
}

void WriteCmp(const fs::path& path, int w, int h) {
    base::RecordingReporter reporter;
    ASSERT_TRUE(pictures::WriteFileBytes(path, pictures::MakeCmpImage(Picture(w, h), reporter)));
}

// A picture with detail everywhere (slow to decode, not small when compressed).
pictures::Bitmap Pattern(int w, int h) {
    pictures::Bitmap b = Picture(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.pixels[static_cast<std::size_t>(y) * w + x] =
                0xFF000000u | (static_cast<std::uint32_t>(x * 2654435761u ^ y * 40503u) & 0xFFFFFF);
    return b;
}

class PicturePaneTest : public DialogTest {
protected:
    // Selects path and waits until the pane has loaded it.
    void Select(PicturePreviewPane& pane, const fs::path& path) {
        pane.SelectionChanged(path);
        ASSERT_TRUE(PumpUntil([&] { return !pane.Loading(); }, 20000)) << path;
        Pump(20);
    }
};

TEST_F(PicturePaneTest, LabelButtonAndPictureFollowTheSelection) {
    WriteCmp(folder_ / "big.CMP", 640, 480);
    WriteBmp(folder_ / "small.BMP", 20, 10);
    config::testing::WriteBytes(folder_ / "notes.txt", "text");
    config::testing::WriteBytes(folder_ / "broken.cmp", "not a picture");
    Gtk::Window window;
    PicturePreviewPane pane;
    window.add(pane);
    window.show_all();
    WaitShown(window);

    EXPECT_EQ(pane.LabelText(), "画像:");
    EXPECT_FALSE(pane.PreviewButton().get_sensitive());
    EXPECT_EQ(pane.PreviewButton().get_tooltip_text(), "プレビュー");

    Select(pane, folder_ / "big.CMP");
    EXPECT_EQ(pane.LabelText(), "画像: (640x480)");
    EXPECT_TRUE(pane.PreviewButton().get_sensitive());

    // A text file after a picture leaves the picture.
    Select(pane, folder_ / "notes.txt");
    EXPECT_EQ(pane.LabelText(), "画像: (640x480)");
    ASSERT_TRUE(pane.Picture());
    EXPECT_EQ(pane.Picture()->width, 640);

    Select(pane, folder_ / "small.BMP");
    EXPECT_EQ(pane.LabelText(), "画像: (20x10)");

    // A folder or a name that is not there empties the pane.
    Select(pane, folder_.path());
    EXPECT_EQ(pane.LabelText(), "画像:");
    EXPECT_FALSE(pane.Picture());
    EXPECT_FALSE(pane.PreviewButton().get_sensitive());
    pane.SelectionChanged(folder_ / "small.BMP");
    Select(pane, folder_ / "missing.bmp");
    EXPECT_FALSE(pane.Picture());

    // A .cmp that does not decode empties it too, without a message while browsing.
    pane.SelectionChanged(folder_ / "small.BMP");
    Select(pane, folder_ / "broken.cmp");
    EXPECT_FALSE(pane.Picture());
    EXPECT_EQ(pane.LabelText(), "画像:");
    Pump(50);
}

TEST_F(PicturePaneTest, PreviewWindowShowsThePictureAtItsSizeAndEscCloses) {
    WriteBmp(folder_ / "p.bmp", 200, 100);
    Gtk::Window window;
    PicturePreviewPane pane;
    window.add(pane);
    window.show_all();
    WaitShown(window);
    Select(pane, folder_ / "p.bmp");
    bool shown = false;
    pane.on_preview_shown = [&](Gtk::Window& preview) {
        WaitShown(preview);
        shown = true;
        EXPECT_EQ(preview.get_title(), "プレビュー");
        auto* image = dynamic_cast<Gtk::Image*>(
            dynamic_cast<Gtk::Bin*>(dynamic_cast<Gtk::Bin*>(preview.get_child())->get_child())->get_child());
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->get_allocated_width(), 200);
        EXPECT_EQ(image->get_allocated_height(), 100);
        FocusWindow(preview);
        PointAt(*image);
        PressKey(GDK_KEY_Escape);
        if (preview.get_visible()) {
            ADD_FAILURE() << "Esc did not close the preview";
            preview.close();
        }
    };
    ClickCentre(pane.PreviewButton());
    EXPECT_TRUE(PumpUntil([&] { return shown; }));
}

// A picture far wider than any window is drawn reduced in the pane and shown reduced to
// the screen in the preview window: no surface is made at its own size.
TEST_F(PicturePaneTest, AWidePictureIsShownReducedInThePaneAndThePreviewWindow) {
    WriteBmp(folder_ / "wide.bmp", 40000, 100);
    Gtk::Window window;
    PicturePreviewPane pane;
    window.add(pane);
    window.show_all();
    WaitShown(window);
    Select(pane, folder_ / "wide.bmp");
    EXPECT_EQ(pane.LabelText(), "画像: (40000x100)");
    Pump(100); // drawn
    bool shown = false;
    pane.on_preview_shown = [&](Gtk::Window& preview) {
        WaitShown(preview);
        shown = true;
        auto* image = dynamic_cast<Gtk::Image*>(
            dynamic_cast<Gtk::Bin*>(dynamic_cast<Gtk::Bin*>(preview.get_child())->get_child())->get_child());
        ASSERT_NE(image, nullptr);
        const int screen_width = preview.get_screen()->get_width();
        EXPECT_LE(image->get_allocated_width(), screen_width);
        EXPECT_GE(image->get_allocated_width(), screen_width / 2);
        EXPECT_LE(image->get_allocated_height(), 10);
        preview.close();
    };
    ClickCentre(pane.PreviewButton());
    EXPECT_TRUE(PumpUntil([&] { return shown; }));
    Pump(50);
}

// The preview decodes off the window's thread: the window answers while a slow picture
// loads, and a newer selection wins over the older one still loading.
TEST_F(PicturePaneTest, ASlowPictureLoadsWhileTheWindowAnswersAndANewerSelectionWins) {
    ASSERT_TRUE(pictures::WriteFileBytes(folder_ / "slow.jpg", pictures::EncodeJpegImage(Pattern(4000, 3000), 95)));
    WriteBmp(folder_ / "small.bmp", 20, 10);
    Gtk::Window window;
    PicturePreviewPane pane;
    window.add(pane);
    window.show_all();
    WaitShown(window);

    pane.SelectionChanged(folder_ / "slow.jpg");
    EXPECT_TRUE(pane.Loading());
    std::optional<bool> loading_when_idle;
    Glib::signal_idle().connect_once([&] { loading_when_idle = pane.Loading(); });
    ASSERT_TRUE(PumpUntil([&] { return loading_when_idle.has_value(); }));
    EXPECT_TRUE(*loading_when_idle); // the main loop ran while the picture was decoding
    EXPECT_EQ(pane.LabelText(), "画像:");

    Select(pane, folder_ / "small.bmp");
    EXPECT_EQ(pane.LabelText(), "画像: (20x10)");
    Pump(300);
    EXPECT_EQ(pane.LabelText(), "画像: (20x10)"); // the older selection never shows

    Select(pane, folder_ / "slow.jpg");
    EXPECT_EQ(pane.LabelText(), "画像: (4000x3000)");
}

TEST_F(PicturePaneTest, TheOpenDialogPreviewsTheSelectedFile) {
    WriteCmp(folder_ / "a.cmp", 64, 48);
    PictureOpenDialog dialog(nullptr, PictureFileType::kCmp, folder_.path());
    dialog.show();
    WaitShown(dialog);
    dialog.select_filename((folder_ / "a.cmp").string());
    EXPECT_TRUE(PumpUntil([&] { return dialog.Pane().LabelText() == "画像: (64x48)"; })) << dialog.Pane().LabelText();
    dialog.hide();
    Pump(50);
}

class MonthPicturesWindowTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        WriteConfig("[UNSEI]\r\n[PRINT]\r\n");
        settings_.data_folder = folder_.path().string();
        for (int m = 1; m <= 12; ++m)
            settings_.month_pictures[static_cast<std::size_t>(m - 1)] = "m.cmp";
        WriteCmp(folder_ / "m.cmp", 300, 200);
        WriteCmp(folder_ / "other.cmp", 40, 30);
    }
    // Runs the window and calls body inside it, then leaves it by its exit panel if body
    // did not end it; the window's result.
    ModalResult Run(MonthPicturesWindow& dialog, const std::function<void()>& body) {
        return DialogTest::Run(dialog, [&] {
            body();
            if (dialog.Running()) dialog.Finish();
        });
    }
    config::Settings settings_;
};

// Where a window stands on the screen: its frame's corner and size.
Gdk::Rectangle OnScreen(Gtk::Window& window) {
    Gdk::Rectangle frame;
    window.get_window()->get_frame_extents(frame);
    return frame;
}

// "BMP X/Y" of 5000, 3000 (a place on a larger monitor, or a hand-edited file): the window
// opens inside the screen, where it can be seen and closed; a stored size larger than
// the screen is cut to it.
TEST_F(MonthPicturesWindowTest, AStoredPlaceOffTheScreenOpensOnIt) {
    const int screen_width = Gdk::Screen::get_default()->get_width();
    const int screen_height = Gdk::Screen::get_default()->get_height();
    for (const config::DialogPlace& place : {config::DialogPlace{5000, 3000, 506, 442},
                                             config::DialogPlace{-900, -700, 506, 442},
                                             config::DialogPlace{100, 100, 4000, 3000}}) {
        settings_.picture_dialog = place;
        MonthPicturesWindow dialog(nullptr, settings_, Config(), reporter_, "@ＭＳ ゴシック", -16);
        Run(dialog, [&] {
            const Gdk::Rectangle frame = OnScreen(dialog);
            EXPECT_GE(frame.get_x(), 0) << *place.x;
            EXPECT_GE(frame.get_y(), 0) << *place.y;
            EXPECT_LE(frame.get_x() + frame.get_width(), screen_width) << *place.x;
            EXPECT_LE(frame.get_y() + frame.get_height(), screen_height) << *place.y;
        });
    }
}

// The picture file chooser fits the monitor whatever its own liking (it opened 1308 wide
// on a 1280-wide screen).
TEST_F(PicturePaneTest, TheOpenDialogFitsTheScreen) {
    const int screen_width = Gdk::Screen::get_default()->get_width();
    const int screen_height = Gdk::Screen::get_default()->get_height();
    PictureOpenDialog dialog(nullptr, PictureFileType::kBmpOrJpeg, folder_.path());
    dialog.show();
    WaitShown(dialog);
    Pump(200);
    // It opens on every picture it takes, its filters named in Japanese.
    ASSERT_TRUE(dialog.get_filter());
    EXPECT_EQ(dialog.get_filter()->get_name(), "すべての絵 (*.bmp, *.jpg, *.jpeg)");
    EXPECT_EQ(dialog.list_filters().size(), 3u);
    const Gdk::Rectangle frame = OnScreen(dialog);
    EXPECT_GE(frame.get_x(), 0);
    EXPECT_GE(frame.get_y(), 0);
    EXPECT_LE(frame.get_x() + frame.get_width(), screen_width) << frame.get_width();
    EXPECT_LE(frame.get_y() + frame.get_height(), screen_height) << frame.get_height();
    dialog.hide();
    Pump(50);
}

TEST_F(MonthPicturesWindowTest, MonthListChoosesAMonthAndClosesOnAMiss) {
    settings_.month_pictures[2] = "other.cmp";
    MonthPicturesWindow dialog(nullptr, settings_, Config(), reporter_, "@ＭＳ ゴシック", -16);
    const ModalResult result = Run(dialog, [&] {
        EXPECT_EQ(dialog.MonthLabelText(), "一月");
        EXPECT_EQ(dialog.DisplayBitmap().width, 300);
        ClickCentre(dialog.MonthChangeButton());
        ASSERT_TRUE(dialog.MonthListVisible());
        const auto& columns = dialog.MonthList().Columns();
        ASSERT_EQ(columns.size(), 12u);
        EXPECT_EQ(columns.front().text, "十二月");
        EXPECT_EQ(columns.back().text, "一月");
        // Opened at month 1: its column is in view.
        Pump(50);
        EXPECT_LE(columns.back().rect.right - dialog.MonthList().ScrollX(),
                  dialog.MonthList().EntryArea().get_allocated_width());
        dialog.MonthList().PressAt(columns[9].rect.left + 2, 10); // 三月
        EXPECT_FALSE(dialog.MonthListVisible());
        EXPECT_EQ(dialog.CurrentMonth(), 3);
        EXPECT_EQ(dialog.MonthLabelText(), "三月");
        EXPECT_EQ(dialog.DisplayBitmap().width, 40);
        // Between two columns: nothing chosen, the list closes.
        ClickCentre(dialog.MonthChangeButton());
        dialog.MonthList().PressAt(columns[0].rect.right, 10);
        EXPECT_FALSE(dialog.MonthListVisible());
        EXPECT_EQ(dialog.CurrentMonth(), 3);
        // A second click on 月選択 closes the open list.
        ClickCentre(dialog.MonthChangeButton());
        ClickCentre(dialog.MonthChangeButton());
        EXPECT_FALSE(dialog.MonthListVisible());
    });
    EXPECT_EQ(result, ModalResult::kCancel);
    EXPECT_TRUE(reporter_.messages().empty());
}

TEST_F(MonthPicturesWindowTest, TheMonthListShowsEveryMonthWholeInsideABorder) {
    MonthPicturesWindow dialog(nullptr, settings_, Config(), reporter_, "@ＭＳ ゴシック", -16);
    Run(dialog, [&] {
        ClickCentre(dialog.MonthChangeButton());
        ASSERT_TRUE(dialog.MonthListVisible());
        Pump(150);
        EXPECT_EQ(dialog.MonthList().ColumnsInView(), 12);
        const auto findings = DropListFindings(dialog.MonthList());
        EXPECT_TRUE(findings.empty()) << ::testing::PrintToString(findings);
        ClickCentre(dialog.MonthChangeButton());
    });
}

// The month's name stands in the middle of its box like every caption of the window, and
// the month list is as tall as its longest name, not an empty band below the names.
TEST_F(MonthPicturesWindowTest, TheMonthNameIsCentredAndTheListIsAsTallAsItsNames) {
    MonthPicturesWindow dialog(nullptr, settings_, Config(), reporter_, "@ＭＳ ゴシック", -16);
    Run(dialog, [&] {
        Pump(100);
        const ScreenPixels name = GrabWidget(dialog.MonthNamePanel());
        int left = name.width, right = -1, top = name.height, bottom = -1;
        for (int y = 0; y < name.height; ++y)
            for (int x = 0; x < name.width; ++x) {
                const unsigned p = name.Pixel(x, y);
                if ((p & 0xFF) < 0x90 || ((p >> 16) & 0xFF) > 0x70) continue; // blue ink only
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        ASSERT_GE(right, 0) << "no month name drawn";
        EXPECT_LE(std::abs(left - (name.width - 1 - right)), 3)
            << left << " pixels left of the name, " << name.width - 1 - right << " right of it";
        EXPECT_LE(std::abs(top - (name.height - 1 - bottom)), 4)
            << top << " pixels above the name, " << name.height - 1 - bottom << " below it";

        ClickCentre(dialog.MonthChangeButton());
        ASSERT_TRUE(dialog.MonthListVisible());
        Pump(150);
        const ScreenPixels list = GrabWidget(dialog.MonthList().EntryArea());
        const int scroll = static_cast<int>(dialog.MonthList().ScrollX());
        int last_ink = -1;
        for (const auto& column : dialog.MonthList().Columns()) {
            if (column.value == dialog.CurrentMonth()) continue; // filled to the bottom
            for (int y = 0; y < list.height; ++y)
                for (int x = column.rect.left - scroll; x < column.rect.right - scroll; ++x)
                    if ((list.Pixel(x, y) & 0xFF) < 0x80) last_ink = std::max(last_ink, y);
        }
        ASSERT_GE(last_ink, 0) << "no month names drawn";
        EXPECT_LE(list.height - 1 - last_ink, 8)
            << "the list is " << list.height << " high, its names end at " << last_ink;
        EXPECT_TRUE(DropListFindings(dialog.MonthList()).empty());
        ClickCentre(dialog.MonthChangeButton());
    });
}

// The month list from the keyboard: Space on 月選択 opens it with the keyboard in it, the
// arrows move the mark (left to the later months), Enter takes the marked month; Escape
// closes an open list, then the window.
TEST_F(MonthPicturesWindowTest, TheMonthListWorksFromTheKeyboard) {
    MonthPicturesWindow dialog(nullptr, settings_, Config(), reporter_, "@ＭＳ ゴシック", -16);
    const ModalResult result = Run(dialog, [&] {
        TakeKeyboard(dialog);
        dialog.MonthChangeButton().grab_focus();
        PressKey(XK_space);
        ASSERT_TRUE(PumpUntil([&] { return dialog.MonthListVisible() && dialog.MonthList().EntryArea().has_focus(); }));
        PressKey(XK_Left);
        PressKey(XK_Left);
        PressKey(XK_Right);
        EXPECT_EQ(dialog.MonthList().Highlighted(), 2);
        PressKey(XK_Return);
        EXPECT_FALSE(dialog.MonthListVisible());
        EXPECT_EQ(dialog.CurrentMonth(), 2);
        EXPECT_EQ(dialog.get_focus(), &dialog.MonthChangeButton());
        PressKey(XK_space);
        ASSERT_TRUE(PumpUntil([&] { return dialog.MonthList().EntryArea().has_focus(); }));
        PressKey(XK_Escape);
        EXPECT_FALSE(dialog.MonthListVisible());
        EXPECT_TRUE(dialog.Running());
        EXPECT_EQ(dialog.CurrentMonth(), 2);
        PressKey(XK_Escape);
        EXPECT_FALSE(dialog.Running());
    });
    EXPECT_EQ(result, ModalResult::kCancel);
}

TEST_F(MonthPicturesWindowTest, NewPicturesAreNumberedFromBP13AndReadByContent) {
    WriteJpeg(folder_ / "photo.JPG", 32, 24); // a JPEG with an upper-case extension
    WriteBmp(folder_ / "b.bmp", 16, 8);
    MonthPicturesWindow dialog(nullptr, settings_, Config(), reporter_, "@ＭＳ ゴシック", -16);
    fs::path next = folder_ / "photo.JPG";
    dialog.choose_file = [&](Gtk::Window*, PictureFileType type, const fs::path& initial) {
        EXPECT_EQ(type, PictureFileType::kBmpOrJpeg);
        EXPECT_EQ(initial, folder_.path());
        return std::optional<fs::path>(next);
    };
    const ModalResult result = Run(dialog, [&] {
        dialog.ImportPicture();
        EXPECT_EQ(dialog.MonthPictures()[0], "BP13.cmp");
        EXPECT_EQ(dialog.DisplayBitmap().width, 32);
        dialog.ChooseMonth(2);
        next = folder_ / "b.bmp";
        ClickCentre(dialog.NewPictureButton());
        EXPECT_EQ(dialog.MonthPictures()[1], "BP14.cmp");
        config::testing::WriteBytes(folder_ / "BP16.cmp", "x");
        WriteBmp(folder_ / "c.bmp", 20, 8);
        next = folder_ / "c.bmp";
        dialog.ImportPicture();
        EXPECT_EQ(dialog.MonthPictures()[1], "BP15.cmp");
        // The same picture again: its BP<n>.cmp is taken, no copy made.
        dialog.ChooseMonth(3);
        next = folder_ / "photo.JPG";
        dialog.ImportPicture();
        EXPECT_EQ(dialog.MonthPictures()[2], "BP13.cmp");
        EXPECT_FALSE(fs::exists(folder_ / "BP17.cmp"));
        // A file that is not a picture: a message, nothing written, nothing changed.
        config::testing::WriteBytes(folder_ / "fake.bmp", "no");
        next = folder_ / "fake.bmp";
        dialog.ImportPicture();
        EXPECT_EQ(dialog.MonthPictures()[1], "BP15.cmp");
        EXPECT_FALSE(fs::exists(folder_ / "BP17.cmp"));
        ASSERT_EQ(reporter_.messages().size(), 1u);
        EXPECT_EQ(reporter_.messages()[0].caption, "ファイル異常");
    });
    EXPECT_EQ(result, ModalResult::kOk);
    EXPECT_TRUE(fs::exists(folder_ / "BP13.cmp"));
    // The choice is in the file as the window closes: the months changed, no other.
    const std::string text = ConfigText();
    EXPECT_NE(text.find("BMP1=BP13.cmp\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("BMP2=BP15.cmp\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("BMP3=BP13.cmp\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("BMP4="), std::string::npos) << text;
}

TEST_F(MonthPicturesWindowTest, ChangingAPictureChecksTheFolder) {
    fs::create_directory(folder_ / "sub");
    WriteCmp(folder_ / "X.CMP", 10, 10);
    WriteCmp(folder_ / "sub" / "y.cmp", 12, 10);
    config::testing::TestFolder elsewhere;
    WriteCmp(elsewhere / "z.cmp", 10, 10);
    MonthPicturesWindow dialog(nullptr, settings_, Config(), reporter_, "@ＭＳ ゴシック", -16);
    fs::path next;
    dialog.choose_file = [&](Gtk::Window*, PictureFileType type, const fs::path&) {
        EXPECT_EQ(type, PictureFileType::kCmp);
        return std::optional<fs::path>(next);
    };
    const ModalResult result = Run(dialog, [&] {
        next = elsewhere / "z.cmp";
        dialog.ChoosePicture();
        ASSERT_EQ(reporter_.messages().size(), 1u);
        // The message, then the file chosen, in the body.
        EXPECT_EQ(reporter_.messages()[0].text, "ﾃﾞｨﾚｸﾄﾘが違う\r" + (elsewhere / "z.cmp").string());
        EXPECT_EQ(reporter_.messages()[0].caption, "ｴﾗｰ");
        EXPECT_EQ(dialog.ResultToGive(), ModalResult::kCancel);
        next = folder_ / "X.CMP";
        ClickCentre(dialog.PictureChangeButton());
        EXPECT_EQ(dialog.MonthPictures()[0], "X.CMP");
        next = folder_ / "sub" / "y.cmp";
        dialog.ChoosePicture();
        EXPECT_EQ(dialog.MonthPictures()[0], "sub/y.cmp");
        EXPECT_EQ(dialog.DisplayBitmap().width, 12); // found in its subfolder
        EXPECT_EQ(reporter_.messages().size(), 1u);
    });
    EXPECT_EQ(result, ModalResult::kOk);
}

TEST_F(MonthPicturesWindowTest, AMissingPictureIsReportedOnceAndLeavesAnEmptyArea) {
    settings_.month_pictures[0] = "gone.cmp";
    MonthPicturesWindow dialog(nullptr, settings_, Config(), reporter_, "@ＭＳ ゴシック", -16);
    const ModalResult result = Run(dialog, [&] {
        EXPECT_FALSE(dialog.HasPicture());
        EXPECT_EQ(reporter_.messages().size(), 1u);
        dialog.ChooseMonth(2);
        EXPECT_TRUE(dialog.HasPicture());
    });
    EXPECT_EQ(result, ModalResult::kCancel);
}

// A picture smaller than the area stands in its corner with the window's grey beside and
// below it, read from the screen: no white band that reads as part of the picture.
TEST_F(MonthPicturesWindowTest, BesideASmallPictureTheAreaIsTheWindowsGrey) {
    MonthPicturesWindow dialog(nullptr, settings_, Config(), reporter_, "@ＭＳ ゴシック", -16);
    Run(dialog, [&] {
        Pump(150);
        ASSERT_EQ(dialog.ShownPictureSize(), (controls::ShownSize{300, 200}));
        const ScreenPixels pixels = GrabWidget(dialog.ScrollBox());
        ASSERT_GT(pixels.width, 340);
        ASSERT_GT(pixels.height, 240);
        int white = 0, grey = 0;
        for (int y = 0; y < pixels.height; ++y)
            for (int x = 0; x < pixels.width; ++x) {
                const unsigned p = pixels.Pixel(x, y);
                if (x < 300 && y < 200) continue;
                white += p == 0xFFFFFF;
                grey += p == 0xC0C0C0;
            }
        const int outside = pixels.width * pixels.height - 300 * 200;
        EXPECT_EQ(0, white) << "white pixels beside or below the picture";
        // All of it the grey, but for the scroll box's own edge lines.
        EXPECT_GE(grey, outside - 2 * (pixels.width + pixels.height));
        // The picture itself is drawn there (its pixels are not the grey).
        EXPECT_NE(0xC0C0C0u, pixels.Pixel(150, 100));
    });
}

TEST_F(MonthPicturesWindowTest, APictureWiderThanTheScreenIsShownReducedToIt) {
    WriteCmp(folder_ / "wide.cmp", 40000, 100);
    settings_.month_pictures[1] = "wide.cmp";
    MonthPicturesWindow dialog(nullptr, settings_, Config(), reporter_, "@ＭＳ ゴシック", -16);
    Run(dialog, [&] {
        EXPECT_EQ(dialog.ShownPictureSize(), (controls::ShownSize{300, 200})); // m.cmp fits: its own size
        dialog.ChooseMonth(2);
        Pump(100); // drawn
        ASSERT_TRUE(dialog.HasPicture());
        EXPECT_EQ(dialog.DisplayBitmap().width, 40000);
        const controls::ShownSize shown = dialog.ShownPictureSize();
        EXPECT_LE(shown.width, dialog.get_screen()->get_width());
        EXPECT_GE(shown.width, dialog.get_screen()->get_width() / 2);
        EXPECT_GE(shown.height, 1);
        EXPECT_LE(shown.height, 10);
    });
    EXPECT_TRUE(reporter_.messages().empty());
}

TEST_F(MonthPicturesWindowTest, ThePlaceIsWrittenOnEveryCloseAndTheCaptionCloseCancels) {
    WriteJpeg(folder_ / "p.jpg", 8, 8);
    {
        MonthPicturesWindow dialog(nullptr, settings_, Config(), reporter_, "@ＭＳ ゴシック", -16);
        dialog.choose_file = [&](Gtk::Window*, PictureFileType, const fs::path&) {
            return std::optional<fs::path>(folder_ / "p.jpg");
        };
        dialog.on_shown = [&](Gtk::Window& w) {
            auto closer = Closer(dialog);
            WaitShown(w);
            dialog.move(40, 30);
            dialog.resize(600, 500);
            ASSERT_TRUE(PumpUntil([&] {
                int x = 0, y = 0;
                dialog.get_position(x, y);
                return x == 40 && y == 30;
            }));
            Pump(100);
            dialog.ImportPicture();
            EXPECT_EQ(dialog.ResultToGive(), ModalResult::kOk);
            // The caption bar's close box.
            GdkEvent* event = gdk_event_new(GDK_DELETE);
            event->any.window = GDK_WINDOW(g_object_ref(dialog.get_window()->gobj()));
            gtk_main_do_event(event);
            gdk_event_free(event);
        };
        EXPECT_EQ(dialog.RunModal(), ModalResult::kCancel);
    }
    EXPECT_TRUE(fs::exists(folder_ / "BP13.cmp")); // stays on disk
    EXPECT_EQ(settings_.picture_dialog.x, 40);
    EXPECT_EQ(settings_.picture_dialog.width, 600);
    config::ConfigFile file(Config());
    EXPECT_EQ(file.ReadInteger("PRINT", "BMP X", -1), 40);
    EXPECT_EQ(file.ReadInteger("PRINT", "BMP Y", -1), 30);
    EXPECT_EQ(file.ReadInteger("PRINT", "BMP W", -1), 600);
    EXPECT_EQ(file.ReadInteger("PRINT", "BMP H", -1), 500);

    // It reopens there.
    MonthPicturesWindow again(nullptr, settings_, Config(), reporter_, "@ＭＳ ゴシック", -16);
    Run(again, [&] {
        int x = 0, y = 0, w = 0, h = 0;
        again.get_position(x, y);
        again.get_size(w, h);
        EXPECT_EQ(x, 40);
        EXPECT_EQ(y, 30);
        EXPECT_EQ(w, 600);
        EXPECT_EQ(h, 500);
    });
}

} // namespace
} // namespace dialogs
