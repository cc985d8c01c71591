// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/format_thumbnails.h"
#include "app/help_text.h"
#include "app/preview_window.h"
#include "app/window_test_fixture.h"
#include "controls/scaled_image.h"
#include "pictures/demo_content.h"

#include <X11/extensions/XTest.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <gdk/gdkx.h>
#include <gtkmm/box.h>
#include <gtkmm/image.h>
#include <gtkmm/textview.h>

#include <algorithm>
#include <cstring>

namespace app::testing {
namespace {

TEST_F(MainWindowTest, WithoutTheConfigurationFileTheProgramRefusesToStart) {
    pages::PrintState state;
    ASSERT_FALSE(StartUp(folder_.path(), Today{2026, 12, 7}, PrinterCaps{}, state, reporter_));
    ASSERT_EQ(1u, reporter_.messages().size());
    // The message of the original, then where the file was looked for and how to make it.
    const std::string& text = reporter_.messages()[0].text;
    EXPECT_TRUE(text.starts_with(std::string(kNoConfigText) + "\r\r")) << text;
    EXPECT_NE(std::string::npos, text.find("looked for in " + folder_.path().string())) << text;
    EXPECT_NE(std::string::npos, text.find("kalvorin-host init " + folder_.path().string())) << text;
    EXPECT_EQ("ｴﾗｰ", reporter_.messages()[0].caption);
}

TEST_F(MainWindowTest, StartsOnTodaysMonthAndSaysOnceWhenNoBirthYearIsRegistered) {
    Open("ETO=0\r\n");
    EXPECT_EQ(2026, state_.year);
    EXPECT_EQ(12, state_.from_month);
    EXPECT_EQ(12, state_.to_month);
    EXPECT_EQ("二〇二六", window_->TitleYear());
    ASSERT_TRUE(PumpUntil([&] { return !reporter_.messages().empty(); }));
    Pump(100);
    ASSERT_EQ(1u, reporter_.messages().size());
    EXPECT_EQ(kNoBirthYearText, reporter_.messages()[0].text);
    EXPECT_EQ("処理中止", reporter_.messages()[0].caption);
    EXPECT_TRUE(window_->get_visible());
    int w = 0, h = 0;
    window_->get_size(w, h);
    EXPECT_GE(w, MainWindow::kClientWidth);
    EXPECT_GE(h, MainWindow::kClientHeight);
}

TEST_F(MainWindowTest, FormatButtonsAreOneGroupWithExactlyOneDown) {
    Open();
    Pump(100);
    EXPECT_TRUE(reporter_.messages().empty());
    EXPECT_EQ(pages::Format::kCalendar, window_->SelectedFormat());
    for (pages::Format f : {pages::Format::kKikkyouNotes, pages::Format::kOfficerNotes, pages::Format::kList}) {
        ClickCentre(window_->FormatButton(f));
        EXPECT_TRUE(PumpUntil([&] { return window_->SelectedFormat() == f; }, 2000));
        int down = 0;
        for (int i = 1; i <= 8; ++i)
            down += dynamic_cast<Gtk::ToggleButton&>(window_->FormatButton(static_cast<pages::Format>(i))).get_active();
        EXPECT_EQ(1, down);
    }
}

TEST_F(MainWindowTest, YearListOpensAtTheCurrentYearAndChoosingReloadsTheHolidays) {
    Open("ETO=7\r\n", "[2025]\r\nHOLIDAY1=0203\r\n[2026]\r\nHOLIDAY5=05\r\n");
    EXPECT_TRUE(state_.holidays.IsMarked(5, 5));
    // A screen reader hears each list button with the value it shows.
    EXPECT_EQ("年 二〇二六年", window_->YearButton().get_accessible()->get_name());
    EXPECT_EQ("始めの月 十二月", window_->FromMonthButton().get_accessible()->get_name());
    ClickCentre(window_->YearButton());
    ASSERT_TRUE(PumpUntil([&] { return window_->ListOpen(); }, 2000));
    EXPECT_EQ(ListKind::kYear, window_->OpenList());
    Pump(100);
    const std::vector<ListEntry>& entries = window_->ListEntriesShown();
    EXPECT_EQ(ListScrollPosition(entries, 2026), window_->ListScrollX());
    // 2025 stands right of 2026.
    const ListEntry& entry = entries[2100 - 2025];
    ASSERT_EQ(2025, entry.value);
    Click(window_->ListView(), entry.rect.left + 3, 20);
    EXPECT_TRUE(PumpUntil([&] { return !window_->ListOpen(); }, 2000));
    EXPECT_EQ(2025, state_.year);
    EXPECT_EQ("二〇二五", window_->TitleYear());
    EXPECT_EQ("年 二〇二五年", window_->YearButton().get_accessible()->get_name());
    EXPECT_TRUE(state_.holidays.IsMarked(1, 2));
    EXPECT_TRUE(state_.holidays.IsMarked(1, 3));
    EXPECT_FALSE(state_.holidays.IsMarked(5, 5));
}

TEST_F(MainWindowTest, MonthListsOpenCloseMoveAndAClickBetweenEntriesChoosesNothing) {
    Open();
    ClickCentre(window_->FromMonthButton());
    EXPECT_TRUE(PumpUntil([&] { return window_->ListOpen(); }, 2000));
    ClickCentre(window_->FromMonthButton());
    EXPECT_TRUE(PumpUntil([&] { return !window_->ListOpen(); }, 2000));
    ClickCentre(window_->FromMonthButton());
    ASSERT_TRUE(PumpUntil([&] { return window_->ListOpen(); }, 2000));
    ClickCentre(window_->ToMonthButton());
    ASSERT_TRUE(PumpUntil([&] { return window_->OpenList() == ListKind::kToMonth; }, 2000));
    ASSERT_TRUE(window_->ListOpen());
    Pump(100);
    // The gap between 12月 and 11月 at the list's left edge.
    const std::vector<ListEntry>& entries = window_->ListEntriesShown();
    Click(window_->ListView(), entries[0].rect.right, 20);
    EXPECT_TRUE(PumpUntil([&] { return !window_->ListOpen(); }, 2000));
    EXPECT_EQ(12, state_.to_month);
    // A first month after the last is taken, and refused by print and preview.
    ClickCentre(window_->FromMonthButton());
    Pump(100);
    window_->PressInList(ListEntries(ListKind::kFromMonth, state_.font_height, 20)[0].rect.left + 1, 5);
    state_.to_month = 3;
    window_->ShowPreview();
    ASSERT_FALSE(reporter_.messages().empty());
    // The fixed text first, then which months and what to do.
    const std::string& text = reporter_.messages().back().text;
    EXPECT_TRUE(text.starts_with("月エラー\r")) << text;
}

TEST_F(MainWindowTest, PreviewZoomsEscapesAndRemembersItsPlace) {
    Open();
    int shown = 0;
    window_->on_preview_shown = [&](Gtk::Window& w) {
        auto& preview = dynamic_cast<PreviewWindow&>(w);
        ++shown;
        // Whatever fails below, the window closes so that the test ends.
        std::shared_ptr<void> closer(nullptr, [&](void*) { preview.CloseWithoutPrinting(); });
        ASSERT_TRUE(PumpUntil([&] { return preview.get_mapped(); }));
        Pump(100);
        // A4 at 600 dpi divided by "TESTSize" 3.
        EXPECT_EQ((gfx::Rect{0, 0, 1653, 2338}), preview.DisplayRect());
        ClickCentre(preview.ShrinkButton());
        PumpUntil([&] { return preview.DisplayRect().right == 1322; }, 2000);
        ClickCentre(preview.ShrinkButton());
        PumpUntil([&] { return preview.DisplayRect().right == 1057; }, 2000);
        EXPECT_EQ((gfx::Rect{0, 0, 1057, 1496}), preview.DisplayRect());
        ClickCentre(preview.OriginalButton());
        PumpUntil([&] { return preview.DisplayRect() == preview.InitialRect(); }, 2000);
        EXPECT_EQ(preview.InitialRect(), preview.DisplayRect());
        ClickCentre(preview.GrowButton());
        PumpUntil([&] { return preview.DisplayRect().right == 1983; }, 2000);
        EXPECT_EQ((gfx::Rect{0, 0, 1983, 2805}), preview.DisplayRect());
        // Taller: the five buttons stay at the bottom of the strip.
        preview.resize(600, 700);
        ASSERT_TRUE(PumpUntil([&] { return preview.get_allocated_height() == 700; }));
        Pump(100);
        int x = 0, y = 0;
        preview.CloseButton().translate_coordinates(preview, 0, 0, x, y);
        EXPECT_EQ(700 - 4 - 2 - 20, y);
        preview.PrintButton().translate_coordinates(preview, 0, 0, x, y);
        EXPECT_EQ(700 - 4 - 2 - 20 - 8 - 30 * 3 - 2 * 3 - 56, y);
        preview.move(40, 30);
        Pump(100);
        PointAt(preview.PageArea());
        FocusWindow(preview);
        PressKey(XK_Escape);
        EXPECT_TRUE(PumpUntil([&] { return !preview.get_visible(); }, 2000));
    };
    window_->ShowPreview();
    EXPECT_EQ(1, shown);
    const std::string cfg = ReadText(folder_ / "Kalvorin.CFG");
    EXPECT_NE(std::string::npos, cfg.find("TEST X=40")) << cfg;
    EXPECT_NE(std::string::npos, cfg.find("TEST Y=30")) << cfg;
    EXPECT_NE(std::string::npos, cfg.find("TEST H=700")) << cfg;
    EXPECT_EQ(40, state_.settings.test_dialog.x);

    // The next preview opens where this one was closed.
    window_->on_preview_shown = [&](Gtk::Window& w) {
        ASSERT_TRUE(PumpUntil([&] { return w.get_mapped(); }));
        Pump(100);
        int x = 0, y = 0, width = 0, height = 0;
        w.get_position(x, y);
        w.get_size(width, height);
        EXPECT_EQ(40, x);
        EXPECT_EQ(30, y);
        EXPECT_EQ(700, height);
        dynamic_cast<PreviewWindow&>(w).CloseWithoutPrinting();
    };
    window_->ShowPreview();
}

TEST_F(MainWindowTest, AFullPagePictureMovesTheProgressBarWhileTheWindowRepaints) {
    base::RecordingReporter quiet;
    pictures::WriteDemoMonthPictures(folder_.path(), quiet);
    Open("ETO=7\r\nDIR=" + folder_.path().string() + "\r\n", "[PRINT 1]\r\nUnderBitmap=1\r\nFullBMP=1\r\n");
    struct Seen {
        int percent;
        bool bar_shown;
    };
    std::vector<Seen> seen;
    // An event posted at the first report: the window handles it, as any pending event,
    // while the picture is still being drawn. (Counting repaints instead depends on the
    // frame clock: a picture drawn within one frame gets one repaint.)
    std::size_t handled_after_report = 0;
    const pages::ProgressFn window_progress = state_.progress;
    state_.progress = [&](std::string_view what, int percent) {
        window_progress(what, percent);
        seen.push_back(Seen{percent, window_->ProgressBar().get_visible()});
        if (seen.size() == 1) Glib::signal_idle().connect_once([&] { handled_after_report = seen.size(); });
    };
    window_->on_preview_shown = [](Gtk::Window& w) { dynamic_cast<PreviewWindow&>(w).CloseWithoutPrinting(); };
    window_->ShowPreview();
    ASSERT_GT(seen.size(), 2u);
    EXPECT_TRUE(seen.front().bar_shown);
    EXPECT_EQ(100, seen.back().percent);
    EXPECT_FALSE(window_->ProgressBar().get_visible());
    // Pending events ran while the picture was drawn, before its last report.
    EXPECT_GT(handled_after_report, 0u);
    EXPECT_LT(handled_after_report, seen.size());
    state_.progress = window_progress;
}

// Presses on every button during a slow preview (a full-page picture) start nothing; the
// exit asked meanwhile ends the program once the run is over, without showing the preview.
TEST_F(MainWindowTest, PressesDuringARunStartNothingAndTheExitWaitsForTheRunsEnd) {
    base::RecordingReporter quiet;
    pictures::WriteDemoMonthPictures(folder_.path(), quiet);
    Open("ETO=7\r\nDIR=" + folder_.path().string() + "\r\n", "[PRINT 1]\r\nUnderBitmap=1\r\nFullBMP=1\r\n");
    int opened = 0;
    for (SettingsButton b : {SettingsButton::kConfig, SettingsButton::kHoliday, SettingsButton::kPictures})
        window_->SetDialogOpener(b, [&] { ++opened; });
    std::vector<Gtk::Widget*> buttons{&window_->PrintButton(), &window_->PreviewButton(), &window_->HelpButton(),
                                      &window_->YearButton(), &window_->FormatButton(pages::Format::kList)};
    for (SettingsButton b : {SettingsButton::kConfig, SettingsButton::kHoliday, SettingsButton::kPictures})
        buttons.push_back(&window_->SettingsButtonWidget(b));
    const pages::ProgressFn window_progress = state_.progress;
    bool pressed = false;
    state_.progress = [&](std::string_view what, int percent) {
        window_progress(what, percent);
        if (pressed) return;
        pressed = true;
        EXPECT_TRUE(window_->Busy());
        for (Gtk::Widget* button : buttons) {
            EXPECT_FALSE(button->get_sensitive());
            ClickCentre(*button);
        }
        ClickCentre(window_->ExitButton());
        Pump(200);
        EXPECT_TRUE(window_->get_visible()); // the run goes on to its end
    };
    int previews = 0;
    window_->on_preview_shown = [&](Gtk::Window& w) {
        ++previews;
        dynamic_cast<PreviewWindow&>(w).CloseWithoutPrinting();
    };
    window_->ShowPreview();
    ASSERT_TRUE(pressed);
    EXPECT_FALSE(window_->Busy());
    EXPECT_TRUE(PumpUntil([&] { return !window_->get_visible(); }, 3000));
    Pump(200);
    EXPECT_EQ(0, previews);
    EXPECT_EQ(0, opened);
    EXPECT_EQ(pages::Format::kCalendar, window_->SelectedFormat());
    // No window was opened (a tooltip, which has no title, may still be up).
    for (Gtk::Window* w : Gtk::Window::list_toplevels())
        EXPECT_FALSE(w->get_visible() && !w->get_title().empty()) << w->get_title();
    EXPECT_TRUE(reporter_.messages().empty());
    state_.progress = window_progress;
}

// Ending the program while the preview is shown closes the preview without printing; the
// buttons come back once the run is over.
TEST_F(MainWindowTest, TheExitDuringAPreviewClosesItAndEndsTheProgram) {
    Open();
    bool closed_by_exit = false;
    window_->on_preview_shown = [&](Gtk::Window& w) {
        ASSERT_TRUE(PumpUntil([&] { return w.get_mapped(); }));
        EXPECT_FALSE(window_->PrintButton().get_sensitive());
        window_->Quit();
        closed_by_exit = !w.get_visible();
        if (!closed_by_exit) dynamic_cast<PreviewWindow&>(w).CloseWithoutPrinting();
    };
    window_->ShowPreview();
    EXPECT_TRUE(closed_by_exit);
    EXPECT_TRUE(window_->PrintButton().get_sensitive());
    EXPECT_TRUE(PumpUntil([&] { return !window_->get_visible(); }, 3000));
}

TEST_F(MainWindowTest, AConfigurationFileThatCannotBeWrittenIsReportedAndTheProgramStillEnds) {
    Open();
    const std::filesystem::path cfg = folder_ / "Kalvorin.CFG";
    const std::string before = ReadText(cfg);
    std::filesystem::permissions(cfg, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    state_.settings.month_pictures[0] = "別の絵.cmp";
    window_->Quit();
    EXPECT_FALSE(window_->get_visible());
    ASSERT_EQ(1u, reporter_.messages().size());
    EXPECT_NE(std::string::npos, reporter_.messages()[0].text.find("Kalvorin.CFG")) << reporter_.messages()[0].text;
    EXPECT_EQ(before, ReadText(cfg));
    std::filesystem::permissions(cfg, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
}

// Only the month pictures changed in this run are written back; the others keep what the
// file holds at the end, whoever wrote it meanwhile.
TEST_F(MainWindowTest, ClosingWritesBackOnlyTheMonthPicturesChanged) {
    Open("ETO=7\r\n", "BMP1=a.cmp\r\nBMP3=c.cmp\r\n");
    const std::filesystem::path cfg = folder_ / "Kalvorin.CFG";
    {
        config::ConfigFile host(cfg);
        ASSERT_TRUE(host.WriteString("PRINT", "BMP1", "host.cmp"));
    }
    state_.settings.month_pictures[2] = "春の絵.cmp";
    window_->Quit();
    EXPECT_FALSE(window_->get_visible());
    config::ConfigFile file(cfg);
    EXPECT_EQ(file.ReadString("PRINT", "BMP1", ""), "host.cmp");
    EXPECT_EQ(file.ReadString("PRINT", "BMP3", ""), "春の絵.cmp");
    EXPECT_EQ(std::string::npos, ReadText(cfg).find("BMP12")) << ReadText(cfg);
    EXPECT_TRUE(reporter_.messages().empty());
}

TEST_F(MainWindowTest, ClosingWithoutAChangeLeavesTheFileAsOthersLeftIt) {
    Open("ETO=7\r\n", "BMP1=a.cmp\r\n");
    const std::filesystem::path cfg = folder_ / "Kalvorin.CFG";
    const std::string outside = "[UNSEI]\r\nETO=7\r\n[PRINT]\r\nTESTSize=3\r\nBMP1=hand.cmp\r\n";
    config::testing::WriteBytes(cfg, outside);
    window_->Quit();
    EXPECT_EQ(ReadText(cfg), outside);
}

} // namespace
} // namespace app::testing

namespace app::testing {
namespace {

TEST_F(MainWindowTest, HelpTextMissingIsReportedWithItsPath) {
    Open();
    const std::string path = (folder_ / "ReadMe2.TXT").string();
    window_->ShowHelp();
    ASSERT_EQ(1u, reporter_.messages().size());
    // The message, then the path, in the body; the path stays the caption.
    EXPECT_EQ("File not Found..\r" + path, reporter_.messages()[0].text);
    EXPECT_EQ(path, reporter_.messages()[0].caption);
}

// ReadMe2.TXT is CP932 with CRLF: the application is given a UTF-8 copy with plain line
// ends in the cache folder; without an application the text is shown in the program's own
// window, read from its text view here; a file that is not CP932 is reported.
TEST_F(MainWindowTest, HelpTextOpensAsUtf8CopyOrInTheProgramsOwnWindow) {
    Open();
    // "暦の説明\r\n二行目\r\n" in CP932.
    const std::string cp932 = "\x97\xEF\x82\xCC\x90\xE0\x96\xBE\r\n\x93\xF1\x8D\x73\x96\xDA\r\n";
    config::testing::WriteBytes(folder_ / "ReadMe2.TXT", cp932);
    const std::filesystem::path cache = folder_ / "cache";
    std::filesystem::path given;
    Gtk::Window* own = OpenHelpText(
        folder_.path(), *window_, reporter_,
        [&](const std::filesystem::path& file, std::string&) {
            given = file;
            return true;
        },
        cache);
    EXPECT_EQ(nullptr, own);
    EXPECT_EQ(cache / "qelmarin" / "ReadMe2.txt", given);
    EXPECT_EQ("暦の説明\n二行目\n", ReadText(given));
    EXPECT_TRUE(reporter_.messages().empty());

    own = OpenHelpText(
        folder_.path(), *window_, reporter_,
        [](const std::filesystem::path&, std::string& reason) {
            reason = "no application is registered for text/plain";
            return false;
        },
        cache);
    ASSERT_NE(nullptr, own);
    ASSERT_TRUE(PumpUntil([&] { return own->get_mapped(); }));
    std::vector<Gtk::TextView*> views;
    std::function<void(Gtk::Widget&)> collect = [&](Gtk::Widget& w) {
        if (auto* view = dynamic_cast<Gtk::TextView*>(&w)) views.push_back(view);
        if (auto* c = dynamic_cast<Gtk::Container*>(&w))
            for (Gtk::Widget* child : c->get_children()) collect(*child);
    };
    collect(*own);
    ASSERT_EQ(1u, views.size());
    EXPECT_EQ("暦の説明\n二行目\n", views[0]->get_buffer()->get_text().raw());
    EXPECT_FALSE(views[0]->get_editable());
    EXPECT_TRUE(reporter_.messages().empty());
    // Escape closes it.
    FocusWindow(*own);
    Pump(50);
    PressKey(XK_Escape);
    EXPECT_TRUE(PumpUntil([&] { return !own->get_visible(); }));

    // A lead byte with nothing after it: not CP932.
    config::testing::WriteBytes(folder_ / "ReadMe2.TXT", std::string("ok\r\nab\x88", 7));
    own = OpenHelpText(folder_.path(), *window_, reporter_, [](const std::filesystem::path&, std::string&) { return true; },
                       cache);
    EXPECT_EQ(nullptr, own);
    ASSERT_EQ(1u, reporter_.messages().size());
    EXPECT_NE(std::string::npos, reporter_.messages()[0].text.find("CP932")) << reporter_.messages()[0].text;
}

TEST_F(MainWindowTest, TheLabelsAcceleratorMovesTheFocusOnlyWhenShown) {
    StartGtk();
    Gtk::Window window;
    Gtk::Box box(Gtk::ORIENTATION_HORIZONTAL);
    Gtk::Button first("first"), target("target");
    controls::VerticalLabel label("印刷(&P)", 15, 80);
    label.SetFocusControl(&target);
    box.pack_start(first);
    box.pack_start(label);
    box.pack_start(target);
    window.add(box);
    window.show_all();
    ASSERT_TRUE(PumpUntil([&] { return window.get_mapped(); }));
    first.grab_focus();
    PointAt(first);
    FocusWindow(window);
    label.SetShowAccelChar(false);
    EXPECT_FALSE(label.HandleAccelerator(GDK_KEY_p));
    EXPECT_TRUE(first.has_focus());
    label.SetShowAccelChar(true);
    Display* display = GDK_DISPLAY_XDISPLAY(gdk_display_get_default());
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_Alt_L), True, CurrentTime);
    PressKey(XK_p);
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_Alt_L), False, CurrentTime);
    XSync(display, False);
    EXPECT_TRUE(PumpUntil([&] { return target.has_focus(); }, 2000));
    // Disabled, the label gives no focus.
    first.grab_focus();
    label.set_sensitive(false);
    EXPECT_FALSE(label.HandleAccelerator(GDK_KEY_p));
    window.hide();
}

} // namespace
} // namespace app::testing

namespace app::testing {
namespace {

// A dock ties a window to its launcher by the window's class and the desktop entry's
// StartupWMClass: they are the application's id, as is the entry's file name.
TEST_F(MainWindowTest, TheWindowsClassIsTheDesktopEntrysStartupWMClass) {
    SetProgramIdentity(); // as the program does before its display opens
    Open();
    XClassHint hint{};
    ASSERT_NE(0, XGetClassHint(GDK_WINDOW_XDISPLAY(window_->get_window()->gobj()),
                               GDK_WINDOW_XID(window_->get_window()->gobj()), &hint));
    const std::string name = hint.res_name ? hint.res_name : "", window_class = hint.res_class ? hint.res_class : "";
    XFree(hint.res_name);
    XFree(hint.res_class);
    const std::string entry =
        ReadText(std::filesystem::path(QELMARIN_SOURCE_DIR) / "data" / (std::string(kApplicationId) + ".desktop"));
    ASSERT_FALSE(entry.empty());
    const std::string key = "\nStartupWMClass=";
    const std::size_t at = entry.find(key);
    ASSERT_NE(std::string::npos, at) << "the desktop entry names no StartupWMClass";
    const std::string wm_class = entry.substr(at + key.size(), entry.find('\n', at + 1) - at - key.size());
    EXPECT_EQ(wm_class, window_class);
    EXPECT_EQ(wm_class, name);
    EXPECT_EQ(kApplicationId, wm_class);
}

} // namespace
} // namespace app::testing

namespace app::testing {
namespace {

bool SamePixels(const Glib::RefPtr<Gdk::Pixbuf>& a, const Glib::RefPtr<Gdk::Pixbuf>& b) {
    if (!a || !b || a->get_width() != b->get_width() || a->get_height() != b->get_height() ||
        a->get_n_channels() != b->get_n_channels())
        return false;
    const int row = a->get_width() * a->get_n_channels();
    for (int y = 0; y < a->get_height(); ++y)
        if (std::memcmp(a->get_pixels() + y * a->get_rowstride(), b->get_pixels() + y * b->get_rowstride(),
                        static_cast<std::size_t>(row)) != 0)
            return false;
    return true;
}

// The keyboard starts on the chosen format: an Enter or a Space straight after start-up
// does not press the title strip's close button and end the program.
TEST_F(MainWindowTest, TheKeyboardStartsOnTheChosenFormat) {
    Open();
    ASSERT_EQ(&window_->FormatButton(window_->SelectedFormat()), window_->get_focus());
    FocusWindow(*window_);
    for (unsigned key : {XK_Return, XK_space}) {
        PressKey(key);
        Pump(100);
        EXPECT_TRUE(window_->get_visible()) << "key " << key << " ended the program";
    }
    EXPECT_EQ(&window_->FormatButton(window_->SelectedFormat()), window_->get_focus());
}

// A preview brings in the default printer's answer before it lays out its pages.
TEST_F(MainWindowTest, APreviewSettlesThePrinterFirst) {
    Open();
    bool settled = false, settled_before_shown = false;
    window_->settle_printer = [&] {
        settled = true;
        state_.colors = 2;
    };
    window_->on_preview_shown = [&](Gtk::Window& preview) {
        settled_before_shown = settled;
        dynamic_cast<PreviewWindow&>(preview).CloseWithoutPrinting();
    };
    window_->ShowPreview();
    EXPECT_TRUE(settled_before_shown);
    EXPECT_EQ(2, state_.colors);
}

// The format pictures show the year and first month chosen, not those of the start.
TEST_F(MainWindowTest, TheFormatPicturesFollowTheChosenYearAndFirstMonth) {
    Open();
    window_->MakeFormatPictures();
    auto shown = [&] {
        auto* image = dynamic_cast<controls::ScaledImage*>(
            dynamic_cast<Gtk::Bin&>(window_->FormatButton(pages::Format::kCalendar)).get_child());
        return image ? image->Shown() : Glib::RefPtr<Gdk::Pixbuf>();
    };
    auto drawn = [&] { return FormatThumbnail(state_, pages::Format::kCalendar, 210, 297, 97 - 12, 129 - 12); };
    const auto at_start = drawn();
    ASSERT_TRUE(SamePixels(at_start, shown()));
    window_->ToggleList(ListKind::kYear);
    Pump(100);
    const ListEntry& entry = window_->ListEntriesShown()[2100 - 2027];
    ASSERT_EQ(2027, entry.value);
    window_->PressInList(entry.rect.left + 2, 20);
    ASSERT_EQ(2027, state_.year);
    EXPECT_TRUE(PumpUntil([&] { return SamePixels(drawn(), shown()); }));
    EXPECT_FALSE(SamePixels(at_start, shown()));
    // And the first month.
    window_->ToggleList(ListKind::kFromMonth);
    Pump(100);
    const ListEntry& march = window_->ListEntriesShown()[12 - 3];
    ASSERT_EQ(3, march.value);
    const auto december = shown();
    window_->PressInList(march.rect.left + 2, 20);
    ASSERT_EQ(3, state_.from_month);
    EXPECT_TRUE(PumpUntil([&] { return SamePixels(drawn(), shown()); }));
    EXPECT_FALSE(SamePixels(december, shown()));
}

// The arrow of the year and month buttons reads as an arrow: a solid triangle whose base
// stands at the left and whose tip points right.
TEST_F(MainWindowTest, TheListButtonsArrowIsASolidTriangle) {
    Open();
    for (Gtk::Widget* button : {&window_->YearButton(), &window_->FromMonthButton(), &window_->ToMonthButton()}) {
        Gtk::Widget* arrow = dynamic_cast<Gtk::Bin&>(*button).get_child();
        ASSERT_NE(nullptr, arrow);
        const ScreenPixels pixels = GrabWidget(*arrow);
        std::vector<int> dark(static_cast<std::size_t>(pixels.width), 0);
        int total = 0;
        for (int y = 0; y < pixels.height; ++y)
            for (int x = 0; x < pixels.width; ++x)
                if ((pixels.Pixel(x, y) & 0xE0E0E0) == 0) ++dark[static_cast<std::size_t>(x)], ++total;
        EXPECT_GE(total, 25) << "the arrow is " << total << " dark pixels";
        const auto first = std::find_if(dark.begin(), dark.end(), [](int n) { return n > 0; });
        const auto last = std::find_if(dark.rbegin(), dark.rend(), [](int n) { return n > 0; });
        ASSERT_NE(first, dark.end());
        EXPECT_GE(*first, 8) << "the base is " << *first << " pixels tall";
        EXPECT_LE(*last, 3) << "the tip is " << *last << " pixels tall";
        EXPECT_GE(dark.rend() - last - (first - dark.begin()), 4) << "the arrow is too short";
    }
}

} // namespace
} // namespace app::testing
