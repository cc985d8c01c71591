// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preview_window.h"
#include "app/window_test_fixture.h"
#include "dialogs/holiday_editor.h"
#include "dialogs/month_pictures_window.h"
#include "dialogs/print_config_dialog.h"
#include "print/print_setup.h"

#include <atkmm/object.h>
#include <gtkmm/adjustment.h>
#include <gtkmm/scrolledwindow.h>

#include <cmath>
#include <functional>

namespace app::testing {
namespace {

// One look over every window, dialog and configuration page as they open: no control
// overlaps another or the title strip, every control lies inside its window, every
// caption fits inside its control, and every control has a name a screen reader reads.
class LayoutTest : public MainWindowTest {
protected:
    void ExpectTidy(Gtk::Widget& window, const std::string& which) {
        Pump(150);
        std::string found;
        for (const std::string& problem : LayoutProblems(window))
            found += "\n  " + problem;
        for (const std::string& problem : UnnamedControls(window))
            found += "\n  " + problem;
        EXPECT_TRUE(found.empty()) << which << ":" << found;
    }
    // Opens the print configuration over the main window, calls look once it is shown, and
    // leaves it by its exit button.
    void WithPrintConfiguration(const std::function<void(dialogs::PrintConfigDialog&, Gtk::Window&)>& look) {
        dialogs::PrintConfigDialog dialog(window_.get(), state_.settings, print::ConfigPath(state_.host_folder),
                                          reporter_);
        dialog.on_shown = [&](Gtk::Window& shown) {
            look(dialog, shown);
            dialog.Cancel();
        };
        dialog.RunModal();
    }
    // Opens the month pictures window on a copy of the settings, calls look once it is shown,
    // and cancels it.
    void WithMonthPictures(const std::function<void(dialogs::MonthPicturesWindow&, Gtk::Window&)>& look) {
        config::Settings settings = state_.settings;
        dialogs::MonthPicturesWindow dialog(window_.get(), settings, print::ConfigPath(state_.host_folder), reporter_,
                                            state_.face_name, state_.font_height);
        dialog.on_shown = [&](Gtk::Window& shown) {
            look(dialog, shown);
            dialog.EndModal(dialogs::ModalResult::kCancel);
        };
        dialog.RunModal();
    }
};

TEST_F(LayoutTest, MainWindowAndPreview) {
    Open();
    window_->MakeFormatPictures();
    ExpectTidy(*window_, "main window");
    bool seen = false;
    window_->on_preview_shown = [&](Gtk::Window& preview) {
        seen = true;
        ExpectTidy(preview, "preview window");
        dynamic_cast<PreviewWindow&>(preview).CloseWithoutPrinting();
    };
    window_->ShowPreview();
    EXPECT_TRUE(seen);
}

TEST_F(LayoutTest, HolidayEditor) {
    Open();
    dialogs::HolidayEditor dialog(window_.get(), state_.year, state_.settings.start_weekday, state_.holidays,
                                  print::ConfigPath(state_.host_folder), reporter_, state_.face_name);
    dialog.on_shown = [&](Gtk::Window& shown) {
        ExpectTidy(shown, "holiday editor");
        dialog.Cancel();
    };
    dialog.RunModal();
}

TEST_F(LayoutTest, EveryPageOfThePrintConfiguration) {
    // A margin over 99 millimetres has three numerals.
    Open("ETO=7\r\n", "[PRINT 1]\r\nUp Space=105\r\n");
    WithPrintConfiguration([&](dialogs::PrintConfigDialog& dialog, Gtk::Window& shown) {
        for (int page = 0; page < 6; ++page) {
            dialog.ChoosePage(static_cast<dialogs::ConfigPage>(page));
            ExpectTidy(shown, "print configuration page " + std::to_string(page));
        }
    });
}

TEST_F(LayoutTest, MonthPicturesWindow) {
    Open();
    WithMonthPictures(
        [&](dialogs::MonthPicturesWindow&, Gtk::Window& shown) { ExpectTidy(shown, "month pictures window"); });
}

// ---------------------------------------------------------------------------------------
// The drop lists as they are on the screen, scrolled to their start, middle and end: every
// entry in view holds its text, and everything else is the list's white.

// The scroll positions looked at: the start, the middle and the end of the range.
std::vector<double> ScrollStops(Gtk::Adjustment& adjustment) {
    const double end = std::max(0.0, adjustment.get_upper() - adjustment.get_page_size());
    return {0.0, std::floor(end / 2), end};
}

// Looks at a list at every stop; the findings, each with the stop it was seen at.
// A list too long for its view must scroll; one that fits whole need not.
std::string ListFindings(Glib::RefPtr<Gtk::Adjustment> adjustment, Gtk::Widget& view,
                         const std::vector<gfx::Rect>& cells, const std::string& which, bool fits_whole = false) {
    std::string found;
    if (!fits_whole && adjustment->get_upper() - adjustment->get_page_size() < 10)
        found += "\n  " + which + ": does not scroll";
    for (double stop : ScrollStops(*adjustment.operator->())) {
        adjustment->set_value(stop);
        Pump(150);
        const ScreenPixels pixels = GrabWidget(view);
        for (const std::string& finding :
             ColumnListFindings(pixels, static_cast<int>(adjustment->get_value()), cells, 0xFFFFFF))
            found += "\n  " + which + " scrolled to " + std::to_string(static_cast<int>(stop)) + ": " + finding;
    }
    return found;
}

std::vector<gfx::Rect> Cells(const std::vector<ListEntry>& entries) {
    std::vector<gfx::Rect> cells;
    for (const ListEntry& e : entries)
        cells.push_back(e.rect);
    return cells;
}

std::vector<gfx::Rect> Cells(const std::vector<dialogs::ListColumn>& columns) {
    std::vector<gfx::Rect> cells;
    for (const dialogs::ListColumn& c : columns)
        cells.push_back(c.rect);
    return cells;
}

TEST_F(LayoutTest, TheMainWindowsListsAreDrawnWholeAtEveryScrollPosition) {
    Open();
    for (ListKind kind : {ListKind::kYear, ListKind::kFromMonth, ListKind::kToMonth}) {
        window_->ToggleList(kind);
        ASSERT_TRUE(PumpUntil([&] { return window_->ListOpen(); }));
        Pump(150);
        auto* scroll = dynamic_cast<Gtk::ScrolledWindow*>(window_->ListView().get_parent()->get_parent());
        ASSERT_NE(nullptr, scroll);
        // A screen reader finds it as a list, by the value it chooses.
        EXPECT_EQ(Atk::ROLE_LIST, window_->ListView().get_accessible()->get_role());
        EXPECT_EQ(kind == ListKind::kYear      ? "年の一覧"
                  : kind == ListKind::kToMonth ? "最後の月の一覧"
                                               : "最初の月の一覧",
                  window_->ListView().get_accessible()->get_name());
        const std::string found =
            ListFindings(scroll->get_hadjustment(), *scroll->get_child(), Cells(window_->ListEntriesShown()),
                         "list " + std::to_string(static_cast<int>(kind)));
        EXPECT_TRUE(found.empty()) << found;
        window_->ToggleList(kind);
    }
}

TEST_F(LayoutTest, EveryMarginListIsDrawnWholeAtEveryScrollPosition) {
    Open();
    WithPrintConfiguration([&](dialogs::PrintConfigDialog& dialog, Gtk::Window&) {
        for (int page = 1; page <= 5; ++page) {
            dialog.ChoosePage(static_cast<dialogs::ConfigPage>(page));
            Pump(100);
            for (int side = 1; side <= 4; ++side) {
                const int tag = 10 * page + side;
                try {
                    dialog.Margin(tag);
                } catch (const std::out_of_range&) {
                    continue;
                }
                dialog.ToggleMarginList(tag);
                ASSERT_TRUE(PumpUntil([&] { return dialog.MarginListVisible(); }));
                Pump(150);
                const std::string found =
                    ListFindings(dialog.MarginList().Adjustment(), dialog.MarginList().EntryArea(),
                                 Cells(dialog.MarginList().Columns()), "margin list " + std::to_string(tag));
                EXPECT_TRUE(found.empty()) << found;
                dialog.ToggleMarginList(tag);
            }
        }
    });
}

TEST_F(LayoutTest, TheMonthListOfThePicturesWindowIsDrawnWholeAtEveryScrollPosition) {
    Open();
    WithMonthPictures([&](dialogs::MonthPicturesWindow& dialog, Gtk::Window&) {
        Pump(150);
        dialog.ToggleMonthList();
        ASSERT_TRUE(PumpUntil([&] { return dialog.MonthListVisible(); }));
        Pump(150);
        // The twelve months fit beside the tool column whole.
        EXPECT_EQ(12, dialog.MonthList().ColumnsInView());
        const std::string found = ListFindings(dialog.MonthList().Adjustment(), dialog.MonthList().EntryArea(),
                                               Cells(dialog.MonthList().Columns()), "month list", true);
        EXPECT_TRUE(found.empty()) << found;
    });
}

} // namespace
} // namespace app::testing
