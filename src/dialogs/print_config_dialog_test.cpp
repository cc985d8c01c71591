// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/print_config_dialog.h"

#include "config/config_file.h"
#include "config/setting_keys.h"
#include "dialogs/dialog_test_fixture.h"
#include "dialogs/picture_choice.h"
#include "pictures/bmp_image.h"
#include "pictures/file_bytes.h"

#include <X11/keysym.h>
#include <algorithm>
#include <functional>
#include <gtkmm/adjustment.h>

namespace dialogs {
namespace {

namespace fs = std::filesystem;
using namespace dialogs::testing;

using PrintConfigDialogTest = SettingsFileTest;

// A value the dialog can show for a row of the print dialog, different for passes 0 and 1.
int ValueFor(const config::SettingKey& row, int pass, int index) {
    if (row.type == config::ValueType::Boolean) return (index + pass) % 2;
    const std::string_view key = row.key;
    if (key == "TESTSize") return pass == 0 ? 2 : 3;
    if (key == "BMPPrintSize") return pass == 0 ? 1 : 0;
    if (key == "CornerBMP") return pass == 0 ? 2 : 3;
    if (key == "ColorLevel") return pass == 0 ? 1 : 2;
    if (key == "CPrintPos") return row.section == "PRINT 2" ? (pass == 0 ? 7 : 5) : (pass == 0 ? 3 : 2);
    if (key == "DayPrintPos") return pass == 0 ? 1 : 2;
    return (index * 7 + pass * 3) % 41; // margins
}

TEST_F(PrintConfigDialogTest, EveryKeyOfEveryPageRoundTrips) {
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<std::pair<const config::SettingKey*, std::string>> expected;
        int index = 0;
        {
            config::ConfigFile file(Config());
            for (const config::SettingKey& row : config::SettingKeys()) {
                if (row.writer != config::Writer::PrintDialog) continue;
                const std::string value = std::to_string(ValueFor(row, pass, index++));
                ASSERT_TRUE(file.WriteString(row.section, row.key, value));
                expected.emplace_back(&row, value);
            }
        }
        const config::Settings stored = Load();
        PrintConfigDialog dialog(nullptr, stored, Config(), reporter_);
        // Every page is shown once before OK.
        EXPECT_EQ(Run(dialog,
                      [&] {
                          for (int page = 5; page >= 0; --page) {
                              ClickCentre(dialog.Tab(static_cast<ConfigPage>(page)));
                              EXPECT_EQ(dialog.CurrentPage(), static_cast<ConfigPage>(page));
                          }
                          ClickCentre(dialog.OKButton());
                      }),
                  ModalResult::kOk);
        const config::Settings written = Load();
        for (const auto& [row, value] : expected) {
            EXPECT_EQ(config::FormatSetting(*row, written), value)
                << row->section << " " << row->key << " pass " << pass;
            EXPECT_EQ(config::FormatSetting(*row, dialog.Result()), value) << row->section << " " << row->key;
        }
        WriteConfig("[UNSEI]\r\nETO=7\r\n");
    }
    EXPECT_TRUE(reporter_.messages().empty());
}

TEST_F(PrintConfigDialogTest, OutOfRangeValuesShowTheLastChoiceAndAreWrittenNormalised) {
    WriteConfig("[PRINT]\r\nTESTSize=7\r\nBMPPrintSize=9\r\n[PRINT 1]\r\nCornerBMP=9\r\nColorLevel=0\r\n"
                "[PRINT 2]\r\nCPrintPos=0\r\n[PRINT 3]\r\nDayPrintPos=5\r\n[PRINT 4]\r\nCPrintPos=12\r\n");
    PrintConfigDialog dialog(nullptr, Load(), Config(), reporter_);
    Run(dialog, [&] {
        EXPECT_TRUE(dialog.Option(ConfigPage::kCommon, "四分の一").Active());
        EXPECT_TRUE(dialog.Option(ConfigPage::kCommon, "用紙の横幅の六分の一").Active());
        EXPECT_TRUE(dialog.Option(ConfigPage::kCalendar, "左上").Active());
        EXPECT_TRUE(dialog.Option(ConfigPage::kCalendar, "濃く").Active());
        EXPECT_TRUE(dialog.ListPositionButton(8).get_active());
        EXPECT_TRUE(dialog.PosterPositionButton(4).get_active());
        EXPECT_TRUE(dialog.Option(ConfigPage::kDaily, "右下", 0).Active()); // the day position
        dialog.Save();
    });
    config::ConfigFile file(Config());
    EXPECT_EQ(file.ReadString("PRINT", "TESTSize", ""), "4");
    EXPECT_EQ(file.ReadString("PRINT", "BMPPrintSize", ""), "3");
    EXPECT_EQ(file.ReadString("PRINT 1", "CornerBMP", ""), "4");
    EXPECT_EQ(file.ReadString("PRINT 1", "ColorLevel", ""), "3");
    EXPECT_EQ(file.ReadString("PRINT 2", "CPrintPos", ""), "8");
    EXPECT_EQ(file.ReadString("PRINT 3", "DayPrintPos", ""), "2");
    EXPECT_EQ(file.ReadString("PRINT 4", "CPrintPos", ""), "4");
}

TEST_F(PrintConfigDialogTest, CaptionClicksActOnTheirBoxAndTheUnkiBoxesAreIndependent) {
    WriteConfig("[PRINT 1]\r\nUnki=0\r\nUnderBitmap=0\r\n[PRINT 3]\r\nUnki=0\r\n");
    PrintConfigDialog dialog(nullptr, Load(), Config(), reporter_);
    Run(dialog, [&] {
        dialog.ChoosePage(ConfigPage::kCalendar);
        Pump(50);
        OptionColumn& unki = dialog.Option(ConfigPage::kCalendar, "運気を印刷する");
        ClickCentre(unki.LabelArea());
        EXPECT_TRUE(unki.Active());
        // The picture controls follow "下地に指定の絵を印刷", by its box or its caption.
        OptionColumn& under = dialog.Option(ConfigPage::kCalendar, "下地に指定の絵を印刷");
        OptionColumn& light = dialog.Option(ConfigPage::kCalendar, "薄く");
        EXPECT_FALSE(under.Active());
        EXPECT_FALSE(light.Box().get_sensitive());
        EXPECT_FALSE(light.Label().get_sensitive());
        ClickCentre(under.LabelArea());
        EXPECT_TRUE(under.Active());
        EXPECT_TRUE(light.Box().get_sensitive());
        // A radio caption checks its button.
        ClickCentre(light.LabelArea());
        EXPECT_TRUE(light.Active());
        ClickCentre(light.LabelArea());
        EXPECT_TRUE(light.Active());
        ClickCentre(under.Box());
        EXPECT_FALSE(dialog.Option(ConfigPage::kCalendar, "右下").Box().get_sensitive());
        EXPECT_FALSE(dialog.Option(ConfigPage::kCalendar, "用紙全体").Label().get_sensitive());
        ClickCentre(dialog.OKButton());
    });
    config::ConfigFile file(Config());
    EXPECT_TRUE(file.ReadBool("PRINT 1", "Unki", false));
    EXPECT_FALSE(file.ReadBool("PRINT 3", "Unki", true));
    EXPECT_EQ(file.ReadString("PRINT 1", "ColorLevel", "none"), "none"); // left alone: not written
    EXPECT_FALSE(file.ReadBool("PRINT 1", "UnderBitmap", true));
}

// Counts the pixels of a grabbed widget that pass the test.
int CountPixels(const ScreenPixels& pixels, const std::function<bool(unsigned r, unsigned g, unsigned b)>& test) {
    int n = 0;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x) {
            const unsigned p = pixels.Pixel(x, y);
            n += test((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF) ? 1 : 0;
        }
    return n;
}

// Boxes a person can find on the grey: an unchecked check box or radio button has a dark
// frame; a disabled one shows neither a white face nor a coloured mark next to its greyed
// caption, and the heading of a disabled group is greyed too.
TEST_F(PrintConfigDialogTest, BoxesHaveAFrameAndLookDisabledWithTheirCaptions) {
    WriteConfig("[PRINT]\r\nTESTSize=3\r\n[PRINT 1]\r\nDAYEnglish=0\r\nUnderBitmap=0\r\nCornerBMP=1\r\n");
    PrintConfigDialog dialog(nullptr, Load(), Config(), reporter_);
    const auto dark = [](unsigned r, unsigned g, unsigned b) { return r < 0x70 && g < 0x70 && b < 0x70; };
    const auto white = [](unsigned r, unsigned g, unsigned b) { return r >= 0xF0 && g >= 0xF0 && b >= 0xF0; };
    const auto coloured = [](unsigned r, unsigned g, unsigned b) {
        return std::max({r, g, b}) - std::min({r, g, b}) > 0x30;
    };
    Run(dialog, [&] {
        OptionColumn& half = dialog.Option(ConfigPage::kCommon, "二分の一");
        ASSERT_FALSE(half.Active());
        EXPECT_GE(CountPixels(GrabWidget(half.Box()), dark), 12) << "an unchecked radio button without a frame";
        dialog.ChoosePage(ConfigPage::kCalendar);
        Pump(50);
        OptionColumn& arabic = dialog.Option(ConfigPage::kCalendar, "日をアラビア数字で印刷");
        ASSERT_FALSE(arabic.Active());
        EXPECT_GE(CountPixels(GrabWidget(arabic.Box()), dark), 12) << "an unchecked check box without a frame";
        for (const char* caption : {"右下", "右上"}) {
            OptionColumn& corner = dialog.Option(ConfigPage::kCalendar, caption);
            ASSERT_FALSE(corner.Box().get_sensitive()) << caption;
            const ScreenPixels pixels = GrabWidget(corner.Box());
            EXPECT_EQ(CountPixels(pixels, white), 0) << caption << ": a disabled radio button with a white face";
            EXPECT_EQ(CountPixels(pixels, coloured), 0) << caption << ": a disabled radio button with a coloured mark";
        }
        EXPECT_TRUE(dialog.Option(ConfigPage::kCalendar, "右下").Active());
        // The group's navy heading greys with its buttons and comes back with them.
        const auto navy = [](unsigned r, unsigned g, unsigned b) { return b >= 0x60 && r < 0x40 && g < 0x40; };
        EXPECT_EQ(CountPixels(GrabWidget(dialog.CornerGroupCaption(ConfigPage::kCalendar)), navy), 0)
            << "a navy heading over disabled buttons";
        ClickCentre(dialog.Option(ConfigPage::kCalendar, "下地に指定の絵を印刷").Box());
        Pump(50);
        EXPECT_GT(CountPixels(GrabWidget(dialog.CornerGroupCaption(ConfigPage::kCalendar)), navy), 20);
    });
}

TEST_F(PrintConfigDialogTest, MarginListShowsFortyOneValuesAndSetsTheMargin) {
    WriteConfig("[PRINT 1]\r\nUp Space=0\r\nDown Space=10\r\nLeft Space=25\r\nRight Space=40\r\n"
                "[PRINT 2]\r\nDown Space=25\r\n");
    PrintConfigDialog dialog(nullptr, Load(), Config(), reporter_);
    Run(dialog, [&] {
        EXPECT_EQ(dialog.Margin(11).ValueLabel().Caption(), "　○");
        EXPECT_EQ(dialog.Margin(12).ValueLabel().Caption(), "一○");
        EXPECT_EQ(dialog.Margin(13).ValueLabel().Caption(), "二五");
        EXPECT_EQ(dialog.Margin(14).ValueLabel().Caption(), "四○");
        dialog.ChoosePage(ConfigPage::kList);
        Pump(50);
        ClickCentre(dialog.Margin(22).Button());
        ASSERT_TRUE(dialog.MarginListVisible());
        const auto& columns = dialog.MarginList().Columns();
        ASSERT_EQ(columns.size(), 41u);
        EXPECT_EQ(columns.front().value, 40);
        EXPECT_EQ(columns.back().value, 0);
        EXPECT_EQ(columns[15].text, "二五 粍");
        EXPECT_EQ(dialog.MarginList().Highlighted(), 25);
        EXPECT_TRUE(PumpUntil([&] { return dialog.MarginList().ScrollX() > 0; }));
        // A press between columns does nothing.
        dialog.MarginListPress(columns[3].rect.right, 20);
        EXPECT_TRUE(dialog.MarginListVisible());
        // A press on 7 sets the bottom margin of the list page.
        const gfx::Rect seven = columns[33].rect;
        dialog.MarginList().Adjustment()->set_value(seven.left);
        Pump(50);
        Click(dialog.MarginList().EntryArea(), seven.left - static_cast<int>(dialog.MarginList().ScrollX()) + 2, 20);
        EXPECT_FALSE(dialog.MarginListVisible());
        EXPECT_EQ(dialog.Margin(22).ValueLabel().Caption(), "　七");
        // A second click on any margin button closes the list without a change.
        ClickCentre(dialog.Margin(21).Button());
        EXPECT_TRUE(dialog.MarginListVisible());
        EXPECT_EQ(dialog.MarginList().Highlighted(), 10);
        ClickCentre(dialog.Margin(23).Button());
        EXPECT_FALSE(dialog.MarginListVisible());
        dialog.Save();
    });
    config::ConfigFile file(Config());
    EXPECT_EQ(file.ReadInteger("PRINT 2", "Down Space", -1), 7);
    EXPECT_EQ(file.ReadInteger("PRINT 2", "Up Space", -1), -1); // left alone: not written
    EXPECT_EQ(Load().page(2).up_space, 10);
}

TEST_F(PrintConfigDialogTest, EveryMarginListHasABorderAndShowsWholeColumns) {
    PrintConfigDialog dialog(nullptr, Load(), Config(), reporter_);
    Run(dialog, [&] {
        for (int page = 1; page <= 5; ++page) {
            dialog.ChoosePage(static_cast<ConfigPage>(page));
            Pump(50);
            for (int side = 1; side <= 4; ++side) {
                const int tag = 10 * page + side;
                dialog.ToggleMarginList(tag);
                ASSERT_TRUE(PumpUntil([&] { return dialog.MarginListVisible(); }));
                Pump(100);
                const auto findings = DropListFindings(dialog.MarginList());
                EXPECT_TRUE(findings.empty()) << "margin " << tag << ": " << ::testing::PrintToString(findings);
                dialog.ToggleMarginList(tag);
            }
        }
    });
}

// From the keyboard alone: Tab reaches the caption's close button, the six tabs from the
// top, 保存 and 終了, then the page from its right edge; a focused tab shows a ring; the
// arrows, Enter and Ctrl+Page Up/Down turn the pages; in the margin list the arrows move the
// mark and Enter takes it; Escape closes the list, then the dialog.
TEST_F(PrintConfigDialogTest, TheKeyboardAloneWorksTheDialog) {
    PrintConfigDialog dialog(nullptr, Load(), Config(), reporter_);
    const ModalResult result = Run(dialog, [&] {
        TakeKeyboard(dialog);
        std::vector<std::pair<std::string, Gtk::Widget*>> order{{"close", &dialog.CloseButton()}};
        for (int page = 0; page < 6; ++page)
            order.emplace_back("tab " + std::to_string(page), &dialog.Tab(static_cast<ConfigPage>(page)));
        order.emplace_back("保存", &dialog.OKButton());
        order.emplace_back("終了", &dialog.ExitButton());
        order.emplace_back("二分の一", &dialog.Option(ConfigPage::kCommon, "二分の一").Box());
        order.emplace_back("三分の一", &dialog.Option(ConfigPage::kCommon, "三分の一").Box());
        for (const auto& [name, widget] : order) {
            PressKey(XK_Tab);
            EXPECT_EQ(dialog.get_focus(), widget) << name;
        }
        // Back to the first tab, which shows the keyboard's ring.
        for (int i = 0; i < 3 + 6; ++i)
            PressChord(XK_Shift_L, XK_Tab);
        ASSERT_EQ(dialog.get_focus(), &dialog.Tab(ConfigPage::kCommon));
        EXPECT_GT(NavyPixels(dialog.Tab(ConfigPage::kCommon)), 20);
        EXPECT_EQ(NavyPixels(dialog.Tab(ConfigPage::kList)), 0);
        PressKey(XK_Down);
        EXPECT_EQ(dialog.CurrentPage(), ConfigPage::kCalendar);
        EXPECT_EQ(dialog.get_focus(), &dialog.Tab(ConfigPage::kCalendar));
        PressKey(XK_Tab);
        PressKey(XK_Return); // the list tab
        EXPECT_EQ(dialog.CurrentPage(), ConfigPage::kList);
        PressChord(XK_Control_L, XK_Page_Down);
        EXPECT_EQ(dialog.CurrentPage(), ConfigPage::kDaily);
        PressChord(XK_Control_L, XK_Page_Up);
        PressChord(XK_Control_L, XK_Page_Up);
        EXPECT_EQ(dialog.CurrentPage(), ConfigPage::kCalendar);
        PressChord(XK_Control_L, XK_Page_Up);
        PressChord(XK_Control_L, XK_Page_Up);
        EXPECT_EQ(dialog.CurrentPage(), ConfigPage::kHelp); // round from the first to the last
        // The 解説 page's top margin: Space opens its list, Left marks 1 more, Enter takes it.
        dialog.Margin(51).Button().grab_focus();
        const int before = dialog.Result().page(5).up_space;
        PressKey(XK_space);
        ASSERT_TRUE(
            PumpUntil([&] { return dialog.MarginListVisible() && dialog.MarginList().EntryArea().has_focus(); }));
        PressKey(XK_Left);
        PressKey(XK_Return);
        EXPECT_FALSE(dialog.MarginListVisible());
        EXPECT_EQ(dialog.get_focus(), &dialog.Margin(51).Button());
        EXPECT_EQ(dialog.Margin(51).ValueLabel().Caption(), MarginText(before + 1));
        // Escape closes an open list and leaves the dialog open; a second Escape cancels.
        PressKey(XK_space);
        ASSERT_TRUE(PumpUntil([&] { return dialog.MarginList().EntryArea().has_focus(); }));
        PressKey(XK_Escape);
        EXPECT_FALSE(dialog.MarginListVisible());
        EXPECT_TRUE(dialog.Running());
        PressKey(XK_Escape);
        EXPECT_FALSE(dialog.Running());
    });
    EXPECT_EQ(result, ModalResult::kCancel);
}

// The month pictures are written as the rest of the page, in columns from the right: each
// month a column of its 新規 and 選択 buttons over a panel taller than wide, 一 at the right.
TEST_F(PrintConfigDialogTest, TheMonthPicturesStandInColumnsFromTheRight) {
    PrintConfigDialog dialog(nullptr, Load(), Config(), reporter_);
    Run(dialog, [&] {
        auto place = [&](Gtk::Widget& w) {
            int x = 0, y = 0;
            w.translate_coordinates(dialog, 0, 0, x, y);
            return gfx::Rect{x, y, x + w.get_allocated_width(), y + w.get_allocated_height()};
        };
        for (int month = 1; month <= 12; ++month) {
            const gfx::Rect made = place(dialog.NewButton(month)), chosen = place(dialog.SelectButton(month)),
                            panel = place(dialog.MonthPanel(month));
            EXPECT_LE(made.bottom, chosen.top) << month;
            EXPECT_LE(chosen.bottom, panel.top) << month;
            EXPECT_GT(panel.height(), 4 * panel.width()) << month;
            EXPECT_LT(std::abs((made.left + made.right) - (panel.left + panel.right)), 4) << month;
            if (month > 1) {
                EXPECT_LE(panel.right, place(dialog.MonthPanel(month - 1)).left) << month;
            }
        }
    });
}

TEST_F(PrintConfigDialogTest, CancelLeavesTheFileAsItWas) {
    WriteConfig("[UNSEI]\r\nETO=7\r\n[PRINT]\r\nTESTSize=3\r\n[PRINT 1]\r\nSekki=1\r\n");
    const std::string before = ConfigText();
    for (int way = 0; way < 3; ++way) {
        PrintConfigDialog dialog(nullptr, Load(), Config(), reporter_);
        EXPECT_EQ(Run(dialog,
                      [&] {
                          dialog.ChoosePage(ConfigPage::kCalendar);
                          dialog.Option(ConfigPage::kCalendar, "節季を印刷する").SetActive(false);
                          dialog.Option(ConfigPage::kCommon, "二分の一").SetActive(true);
                          if (way == 0) ClickCentre(dialog.ExitButton());
                          if (way == 1) ClickCentre(dialog.CloseButton());
                          if (way == 2) dialog.EndModal(ModalResult::kCancel);
                      }),
                  ModalResult::kCancel);
        EXPECT_EQ(ConfigText(), before) << way;
    }
}

TEST_F(PrintConfigDialogTest, MonthPagePreviewIsOffAtEveryOpeningAndHandedBackOnOk) {
    for (int round = 0; round < 2; ++round) {
        PrintConfigDialog dialog(nullptr, Load(), Config(), reporter_);
        Run(dialog, [&] {
            OptionColumn& day_top = dialog.Option(ConfigPage::kDaily, "確認画面で月頁を表示する");
            EXPECT_FALSE(day_top.Active()) << round;
            day_top.SetActive(true);
            dialog.Save();
        });
        EXPECT_TRUE(dialog.MonthPagePreview());
    }
}

TEST_F(PrintConfigDialogTest, ChoosingAndMakingMonthPictures) {
    config::Settings settings = Load();
    settings.data_folder = (folder_ / "data").string();
    fs::create_directories(folder_ / "data" / "sub");
    fs::create_directory(folder_ / "data2");
    fs::create_directory(folder_ / "photos");
    config::testing::WriteBytes(folder_ / "data" / "X.CMP", "x");
    pictures::Bitmap b;
    b.width = 4;
    b.height = 3;
    b.pixels.assign(12, 0xFF808080);
    ASSERT_TRUE(pictures::WriteFileBytes(folder_ / "photos" / "spring.bmp", pictures::EncodeBmpImage(b)));
    PrintConfigDialog dialog(nullptr, settings, Config(), reporter_);
    fs::path next;
    dialog.choose_file = [&](Gtk::Window*, PictureFileType, const fs::path& initial) {
        EXPECT_EQ(initial, folder_ / "data");
        return std::optional<fs::path>(next);
    };
    int asked = 0;
    bool replace = false;
    dialog.confirm_overwrite = [&](const fs::path& path) {
        ++asked;
        EXPECT_EQ(path, folder_ / "data" / "spring.cmp");
        return replace;
    };
    Run(dialog, [&] {
        next = folder_ / "data" / "X.CMP";
        ClickCentre(dialog.SelectButton(4));
        EXPECT_EQ(dialog.Result().month_pictures[3], "X.CMP");
        EXPECT_EQ(dialog.MonthPanelText(4), "X.CMP");
        next = folder_ / "data2" / "y.cmp";
        dialog.ChooseMonthPicture(5);
        ASSERT_EQ(reporter_.messages().size(), 1u);
        EXPECT_EQ(reporter_.messages()[0].text, "ﾃﾞｨﾚｸﾄﾘが違う\r" + (folder_ / "data2" / "y.cmp").string());
        EXPECT_EQ(dialog.Result().month_pictures[4], settings.month_pictures[4]);
        next = folder_ / "data" / "sub" / "z.cmp";
        dialog.ChooseMonthPicture(6);
        EXPECT_EQ(dialog.Result().month_pictures[5], "sub/z.cmp");
        next = folder_ / "data" / "w.bmp";
        dialog.ChooseMonthPicture(7);
        EXPECT_EQ(reporter_.messages().back().text, "拡張子が違う\r" + (folder_ / "data" / "w.bmp").string());

        // 新規: the .cmp goes into the data folder, not beside the bitmap.
        next = folder_ / "photos" / "spring.bmp";
        ClickCentre(dialog.NewButton(1));
        EXPECT_TRUE(fs::exists(folder_ / "data" / "spring.cmp"));
        EXPECT_FALSE(fs::exists(folder_ / "photos" / "spring.cmp"));
        EXPECT_EQ(dialog.Result().month_pictures[0], "spring.cmp");
        EXPECT_EQ(asked, 0);
        // A second time the user is asked; "no" keeps the file and the month's name.
        const auto size = fs::file_size(folder_ / "data" / "spring.cmp");
        config::testing::WriteBytes(folder_ / "data" / "spring.cmp", "keep");
        dialog.NewMonthPicture(2);
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(config::testing::ReadBytes(folder_ / "data" / "spring.cmp"), "keep");
        EXPECT_EQ(dialog.Result().month_pictures[1], settings.month_pictures[1]);
        replace = true;
        dialog.NewMonthPicture(2);
        EXPECT_EQ(fs::file_size(folder_ / "data" / "spring.cmp"), size);
        EXPECT_EQ(dialog.Result().month_pictures[1], "spring.cmp");
        dialog.Save();
    });
    // The names are handed back, not written by the dialog.
    EXPECT_EQ(dialog.Result().month_pictures[3], "X.CMP");
    EXPECT_EQ(ConfigText().find("BMP4"), std::string::npos);
}

TEST_F(PrintConfigDialogTest, AFailedWriteKeepsTheDialogOpen) {
    const config::Settings settings = Load();
    fs::remove(Config());
    fs::create_directory(Config());
    PrintConfigDialog dialog(nullptr, settings, Config(), reporter_);
    bool stayed_open = false;
    Run(dialog, [&] {
        dialog.Option(ConfigPage::kCommon, "二分の一").SetActive(true); // something to write
        dialog.Save();
        stayed_open = dialog.Running();
    });
    EXPECT_TRUE(stayed_open);
    EXPECT_FALSE(reporter_.messages().empty());
}

// The host, a hand edit or a second qelmarin may write the file while the dialog is open:
// OK writes only what its user changed, into the file as it is then.
TEST_F(PrintConfigDialogTest, OkKeepsWhatOthersWroteWhileTheDialogWasOpen) {
    WriteConfig("[UNSEI]\r\nETO=7\r\n[PRINT]\r\nTESTSize=3\r\nBMPPrintSize=2\r\n[PRINT 1]\r\nSekki=1\r\n");
    PrintConfigDialog dialog(nullptr, Load(), Config(), reporter_);
    EXPECT_EQ(Run(dialog,
                  [&] {
                      config::ConfigFile host(Config());
                      ASSERT_TRUE(host.WriteString("PRINT", "BMPPrintSize", "3"));
                      ASSERT_TRUE(host.WriteString("PRINT 1", "Sekki", "0"));
                      ClickCentre(dialog.Option(ConfigPage::kCommon, "二分の一").LabelArea());
                      EXPECT_TRUE(dialog.Option(ConfigPage::kCommon, "二分の一").Active());
                      ClickCentre(dialog.OKButton());
                  }),
              ModalResult::kOk);
    config::ConfigFile file(Config());
    EXPECT_EQ(file.ReadString("PRINT", "TESTSize", ""), "2");
    EXPECT_EQ(file.ReadString("PRINT", "BMPPrintSize", ""), "3");
    EXPECT_EQ(file.ReadString("PRINT 1", "Sekki", ""), "0");
    EXPECT_EQ(file.ReadString("PRINT 3", "Sekki", "none"), "none"); // untouched keys are not added
    // What the dialog hands back is the file's, the others' changes included.
    EXPECT_EQ(dialog.Result().preview_scale, 2);
    EXPECT_EQ(dialog.Result().picture_size, 3);
    EXPECT_FALSE(dialog.Result().page(1).sekki);
    EXPECT_TRUE(reporter_.messages().empty());
}

// Two dialogs on one folder, as two qelmarin processes have: the one closed last does not
// put back the value the other changed.
TEST_F(PrintConfigDialogTest, ASecondDialogsChangeIsNotRevertedByTheFirst) {
    const config::Settings at_start = Load();
    PrintConfigDialog first(nullptr, at_start, Config(), reporter_);
    EXPECT_EQ(Run(first,
                  [&] {
                      PrintConfigDialog second(nullptr, at_start, Config(), reporter_);
                      EXPECT_EQ(Run(second,
                                    [&] {
                                        second.Option(ConfigPage::kCommon, "二分の一").SetActive(true);
                                        second.Save();
                                    }),
                                ModalResult::kOk);
                      first.Option(ConfigPage::kCommon, "用紙の横幅の二分の一").SetActive(true);
                      first.Save();
                  }),
              ModalResult::kOk);
    config::ConfigFile file(Config());
    EXPECT_EQ(file.ReadString("PRINT", "TESTSize", ""), "2");
    EXPECT_EQ(file.ReadString("PRINT", "BMPPrintSize", ""), "1");
    EXPECT_TRUE(reporter_.messages().empty());
}

} // namespace
} // namespace dialogs
