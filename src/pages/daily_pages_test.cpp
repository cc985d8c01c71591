// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/day_rules.h"
#include "almanac/fortune.h"
#include "almanac/name_tables.h"
#include "almanac/named_days.h"
#include "base/kanji_numbers.h"
#include "gfx/trace_canvas.h"
#include "pages/daily_day_page.h"
#include "pages/daily_pentad_pictures.h"
#include "pages/page_routines.h"
#include "pages/trace_lines_for_tests.h"
#include "pictures/commentary_db_writer.h"
#include "pictures/file_bytes.h"
#include "pictures/jpeg_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <sstream>

namespace pages {
namespace {

// 192 dpi, margins of 10 mm (75 pixels): on a 1600 × 2240 page the area is 75 … 1525 ×
// 75 … 2165, AW 1450, so the heading is 72 high, the body P = 48, the gap Round(5 × 2) = 10
// and the note columns stand at x = 297, 355, 413, … (each 10 + 48 to the right).
constexpr int kFirstColumn = 297;
constexpr int kStep = 58;

class DailyPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        state.year = 2026;
        state.month = 3;
        state.days_in_month = 31;
        state.dpi_x = state.dpi_y = 192;
        state.format = Format::kDaily;
        state.reporter = &reporter;
        state.face_name = "@F";
        options() = config::PageOptions{};
        options().up_space = options().down_space = options().left_space = options().right_space = 10;
        options().day_print_pos = 1;
        for (int d = 0; d <= 31; ++d) {
            almanac::DayRecord& r = state.days[static_cast<std::size_t>(d)];
            r.Date = d == 0 ? 20260228 : 20260300 + d;
            r.YearCycle = 43;
            r.Weekday = static_cast<std::uint8_t>((d + 6) % 7); // 2026-03-01 is a Sunday
            r.DayCycle = 1;
            r.Rokuyo = 1;
            r.SolarTerm = 3;
            r.SolarMonth = 2;
            r.Mansion = 1;
            r.Officer = 1;
            r.Pentad = 7;
            r.LunarMonth = 1;
            r.LunarDay = static_cast<std::uint8_t>(d % 30 + 1);
        }
        state.printing = false;
        state.today_day = 5;
    }

    config::PageOptions& options() { return state.settings.page(3); }
    almanac::DayRecord& day(int d) { return state.days[static_cast<std::size_t>(d)]; }

    std::vector<std::string> Trace(int width = 1600, int height = 2240) {
        std::ostringstream out;
        gfx::TraceCanvas canvas(out, gfx::Device{width, height, state.dpi_x, state.dpi_y, state.colors});
        DrawDailyPages(canvas, state);
        return testing::TraceLines(out.str());
    }

    PrintState state;
    base::RecordingReporter reporter;
};

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Position of a line in the trace; the trace's size when missing.
std::size_t At(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

std::vector<std::string> Texts(const std::vector<std::string>& lines) {
    std::vector<std::string> texts;
    for (const std::string& l : lines)
        if (l.rfind("text\t", 0) == 0) texts.push_back(l);
    return texts;
}

std::string Text(int x, int y, const std::string& text) {
    return "text\t" + std::to_string(x) + "\t" + std::to_string(y) + "\t" + text;
}

TEST_F(DailyPagesTest, BarePageHasHeadingOldMonthAndDayNumber) {
    const auto lines = Trace();
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{
                                Text(147, 75, "二〇二六年 三月 五日"),
                                Text(229, 75, "弥生 やよい"),
                                Text(1525, 75, "五"),
                                Text(1525, 75 + 145 + 10, "木"),
                            }));
    EXPECT_TRUE(Has(lines, "font\t@F\t-72\t2700\t0"));
    EXPECT_TRUE(Has(lines, "font\t@F\t-145\t2700\t0"));
    EXPECT_EQ(lines.end(), std::find(lines.begin(), lines.end(), "page"));
    EXPECT_TRUE(reporter.messages().empty());
}

TEST_F(DailyPagesTest, EachNoteAloneTakesTheFirstColumn) {
    day(4).SolarTerm = 2;
    day(5).SeasonFlags = almanac::season::kDoyou | almanac::season::kSetsubun;
    day(5).LunarDay = 17;
    state.settings.birth_eto = 7;
    almanac::FortuneWork work;
    almanac::EvaluateDayFortune(day(5), 7, day(5).YearCycle, work);
    struct Case {
        bool config::PageOptions::*option;
        std::string text;
        std::size_t texts; // on the page with this note alone
    };
    const Case cases[] = {
        {&config::PageOptions::sekki, "春　二月節　啓蟄", 5},
        {&config::PageOptions::old_day_print, "旧暦: 正月 十七日", 5},
        {&config::PageOptions::eto_print, "干支: ", 6},
        {&config::PageOptions::rokuyou_print, "干支: ", 6},
        {&config::PageOptions::zatsu_print, "雑節: 土用 節分 ", 5},
        {&config::PageOptions::unki, std::string(almanac::FortuneRank(work.good, work.bad)), 7},
    };
    for (const Case& c : cases) {
        options().*c.option = true;
        const auto lines = Trace();
        EXPECT_TRUE(Has(lines, Text(kFirstColumn, 75, c.text))) << c.text;
        EXPECT_EQ(c.texts, Texts(lines).size()) << c.text;
        options().*c.option = false;
        EXPECT_FALSE(Has(Trace(), Text(kFirstColumn, 75, c.text))) << c.text;
    }
    // Without a birth sign there is no fortune: the page is drawn as with "Unki" off.
    const auto without = Trace();
    options().unki = true;
    state.settings.birth_eto = 0;
    EXPECT_EQ(without, Trace());
}

TEST_F(DailyPagesTest, SolarTermOnlyOnItsFirstDay) {
    options().sekki = true;
    day(4).SolarTerm = 3; // the term began earlier
    EXPECT_EQ(4u, Texts(Trace()).size());
    day(4).SolarTerm = 2;
    day(4).Date = 0; // a day before without a date begins nothing
    EXPECT_EQ(4u, Texts(Trace()).size());
}

TEST_F(DailyPagesTest, EveryNoteColumnInOrderWithItsColours) {
    options().sekki = options().old_day_print = options().eto_print = options().rokuyou_print = true;
    options().zatsu_print = options().unki = options().kikkyou1 = options().kikkyou2 = true;
    state.settings.birth_eto = 7;
    day(4).SolarTerm = 2;
    day(5).LunarMonth = 6;
    day(5).LeapMonth = true;
    day(5).LunarDay = 10;
    day(5).DayCycle = 6; // 己巳: a 重日
    day(5).Rokuyo = 5;   // 大安
    day(5).SeasonFlags = almanac::season::kHigan;
    day(5).DayFlagsA = almanac::flag_a::kJippoGure | almanac::flag_a::kTensha;
    const auto lines = Trace();
    const int x0 = kFirstColumn;
    EXPECT_TRUE(Has(lines, Text(x0, 75, "春　二月節　啓蟄")));
    EXPECT_TRUE(Has(lines, Text(x0 + kStep, 75, "旧暦: 閏六月 十日")));
    EXPECT_TRUE(Has(lines, Text(x0 + 2 * kStep, 75, "干支: ")));
    EXPECT_TRUE(Has(lines, Text(x0 + 2 * kStep, 75 + 144, "己巳 ")));
    // The 六曜 follows the sign: 2 × 48 + 24 further down, red.
    const std::size_t taian = At(lines, Text(x0 + 2 * kStep, 75 + 144 + 120, "大安"));
    ASSERT_LT(taian, lines.size());
    EXPECT_EQ("color\t0x0000FF", lines[taian - 1]);
    EXPECT_TRUE(Has(lines, Text(x0 + 3 * kStep, 75, "雑節: 彼岸 ")));

    almanac::FortuneWork work;
    const int net = almanac::EvaluateDayFortune(day(5), 7, day(5).YearCycle, work);
    const std::string rank(almanac::FortuneRank(work.good, work.bad));
    const int x4 = x0 + 4 * kStep;
    const std::size_t at = At(lines, Text(x4, 75, rank));
    ASSERT_LT(at, lines.size());
    EXPECT_EQ(net < 0 ? "color\t0xFF0000" : "color\t0x0000FF", lines[at - 1]);
    const std::string lucky = " [吉" + base::FormatNumberKanji(work.good) + "]";
    EXPECT_TRUE(Has(lines, Text(x4, 75 + 96, lucky)));
    EXPECT_TRUE(Has(lines, Text(x4, 75 + 96 + gfx::FixedTextExtent(lucky, 48).cx,
                                " [凶" + base::FormatNumberKanji(work.bad) + "]")));

    // Named days: one gap after the fortune, then a column of P each, under the label.
    EXPECT_TRUE(Has(lines, Text(x0 + 4 * kStep + 10 + 48, 75 + 144, "十方暮")));
    EXPECT_TRUE(Has(lines, Text(x0 + 4 * kStep + 10 + 96, 75 + 144, "天赦日")));
}

TEST_F(DailyPagesTest, RokuyoAloneStartsUnderTheLabelAndSecondKindHasNoGap) {
    options().rokuyou_print = true;
    options().kikkyou2 = true;
    day(5).Rokuyo = 4; // 仏滅, blue
    day(5).DayCycle = 6;
    const auto lines = Trace();
    const std::size_t at = At(lines, Text(kFirstColumn, 75 + 144, "仏滅"));
    ASSERT_LT(at, lines.size());
    EXPECT_EQ("color\t0xFF0000", lines[at - 1]);
    // Without the first kind the first rule day follows at once, P further right.
    EXPECT_EQ(Texts(lines)[4].rfind(Text(kFirstColumn + 48, 75 + 144, ""), 0), 0u) << Texts(lines)[4];
}

TEST_F(DailyPagesTest, MonochromeKeepsNamedDayColoursButNotTheRokuyo) {
    state.colors = 2;
    options().rokuyou_print = options().kikkyou1 = true;
    day(5).Rokuyo = 5;
    day(5).DayFlagsA = almanac::flag_a::kTensha;
    const auto lines = Trace();
    const std::size_t taian = At(lines, Text(kFirstColumn, 75 + 144, "大安"));
    ASSERT_LT(taian, lines.size());
    EXPECT_EQ("color\t0x000000", lines[taian - 1]);
    const std::size_t tensha = At(lines, Text(kFirstColumn + 10 + 48, 75 + 144, "天赦日"));
    ASSERT_LT(tensha, lines.size());
    EXPECT_EQ("color\t0x0000FF", lines[tensha - 1]);
}

TEST_F(DailyPagesTest, JigejikiCarriesItsHourAndClock) {
    options().kikkyou2 = true;
    // 時下食 of lunar month 1 falls on 寅 days (hour 3 → 夜四時 on this page's table).
    for (int sign = 1; sign <= 60; ++sign) {
        day(5).DayCycle = static_cast<std::uint8_t>(sign);
        const auto keys = almanac::MakeDayKeys(day(5), 0, day(1).YearCycle);
        const int h = almanac::JigejikiHour(keys.lunar_month, keys.day_branch);
        if (h < 1) continue;
        const auto texts = Texts(Trace());
        const std::string expected = std::string("時下食(") + std::string(almanac::BranchNames[h - 1]) + "刻)" +
                                     std::string(almanac::ClockNames[h - 1]);
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const std::string& t) {
            return t.ends_with("\t" + expected);
        })) << sign;
        return;
    }
    FAIL() << "no 時下食 day";
}

TEST_F(DailyPagesTest, KanjiDayNumberAtTheBottom) {
    options().day_print_pos = 2;
    const auto texts = Texts(Trace());
    EXPECT_EQ(Text(1525, 2165 - 435, "五"), texts[2]);
    EXPECT_EQ(Text(1525, 2165 - 145, "木"), texts[3]);
}

TEST_F(DailyPagesTest, ArabicDayNumberAtTheTopAndBottom) {
    options().day_english = true;
    auto lines = Trace();
    EXPECT_TRUE(Has(lines, "font\tTimes New Roman\t-48\t0\t1"));
    EXPECT_TRUE(Has(lines, "drawtext\t1235\t75\t1525\t123\tcenter|vcenter|singleline\t2026.3"));
    EXPECT_TRUE(Has(lines, "font\tTimes New Roman\t-290\t0\t1"));
    EXPECT_TRUE(Has(lines, "drawtext\t1235\t123\t1525\t413\tcenter|vcenter|singleline\t5"));
    EXPECT_TRUE(Has(lines, "drawtext\t1235\t413\t1525\t485\tcenter|vcenter|singleline\tTHU"));
    options().day_print_pos = 2;
    lines = Trace();
    EXPECT_TRUE(Has(lines, "drawtext\t1235\t2117\t1525\t2165\tcenter|vcenter|singleline\t2026.3"));
    EXPECT_TRUE(Has(lines, "drawtext\t1235\t1827\t1525\t2117\tcenter|vcenter|singleline\t5"));
    EXPECT_TRUE(Has(lines, "drawtext\t1235\t1755\t1525\t1827\tcenter|vcenter|singleline\tTHU"));
}

TEST_F(DailyPagesTest, HolidayIsRedAndFramed) {
    state.holidays.Mark(3, 5, true);
    auto lines = Trace();
    std::size_t at = At(lines, Text(1525, 75, "五"));
    ASSERT_LT(at, lines.size());
    EXPECT_EQ("color\t0x0000FF", lines[at - 2]);
    // The frame: corners of 2 × (145 div 4), red pen, then black again.
    at = At(lines, "roundrect\t1380\t75\t1525\t365\t72\t72");
    ASSERT_LT(at, lines.size());
    EXPECT_EQ("pen\t0x0000FF", lines[at - 1]);
    EXPECT_EQ("pen\t0x000000", lines[at + 1]);

    options().day_english = true;
    lines = Trace();
    EXPECT_TRUE(Has(lines, "roundrect\t1235\t123\t1525\t413\t36\t36")); // 2 × (72 div 4)
    state.holidays.Mark(3, 5, false);
    lines = Trace();
    EXPECT_EQ(lines.end(), std::find_if(lines.begin(), lines.end(),
                                        [](const std::string& l) { return l.rfind("roundrect", 0) == 0; }));
}

TEST_F(DailyPagesTest, PrintingDrawsTheMonthPageThenTheDaysInsideTheMonth) {
    state.printing = true;
    state.first_day = 29;
    state.last_day = 31;
    state.month = 4;
    state.days_in_month = 30;
    const auto lines = Trace();
    const auto texts = Texts(lines);
    // The month page: a ninth of the area's height, centred across it.
    EXPECT_TRUE(Has(lines, "font\t@F\t-232\t2700\t0"));
    EXPECT_EQ(Text(75 + 1450 - (1450 - 232) / 2, 75, "二〇二六年 四月"), texts[0]);
    EXPECT_EQ(2, std::count(lines.begin(), lines.end(), "page")); // two days, no page after the last
    EXPECT_EQ(Text(147, 75, "二〇二六年 四月 廿九日"), texts[1]);
    EXPECT_EQ(Text(147, 75, "二〇二六年 四月 卅日"), texts[5]);
    EXPECT_EQ(9u, texts.size());
    // A range outside every month draws no day; nor does a month without days.
    state.first_day = 0;
    state.last_day = 0;
    EXPECT_EQ(1u, Texts(Trace()).size());
    state.printing = false;
    state.days_in_month = 0;
    EXPECT_TRUE(Texts(Trace()).empty());
}

TEST_F(DailyPagesTest, LandscapeMonthPageFitsTheArea) {
    state.printing = true;
    state.first_day = 1;
    state.last_day = 0;
    const auto lines = Trace(2240, 1600);
    // A ninth of the width (232) would run 1740 down a 1450 high area: 232 × 1450 / 1740.
    EXPECT_TRUE(Has(lines, "font\t@F\t-193\t2700\t0"));
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{Text(75 + 2090 - (2090 - 193) / 2, 75, "二〇二六年 三月")}));
}

TEST_F(DailyPagesTest, PreviewShowsTodayOrTheMonthPage) {
    EXPECT_EQ(30, DailyPreviewDay(31, 3));
    EXPECT_EQ(28, DailyPreviewDay(31, 2));
    EXPECT_EQ(28, DailyPreviewDay(29, 2));
    EXPECT_EQ(12, DailyPreviewDay(12, 2));
    state.today_day = 31;
    EXPECT_EQ(Text(147, 75, "二〇二六年 三月 卅日"), Texts(Trace())[0]);
    state.month = 2;
    state.days_in_month = 28;
    EXPECT_EQ(Text(147, 75, "二〇二六年 二月 廿八日"), Texts(Trace())[0]);
    state.month_page_preview = true;
    const auto lines = Trace();
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{Text(75 + 1450 - (1450 - 232) / 2, 75, "二〇二六年 二月")}));
    EXPECT_EQ(0, std::count(lines.begin(), lines.end(), "page"));
}

class PentadDatabaseTest : public DailyPagesTest {
protected:
    void SetUp() override {
        DailyPagesTest::SetUp();
        folder = std::filesystem::temp_directory_path() /
                 ("daily_pages_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        state.host_folder = folder;
        options().kou_bmp_use = true;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    void WriteDatabase(std::vector<pictures::CommentaryEntry> entries) {
        ASSERT_TRUE(pictures::WriteCommentaryDatabase(folder, entries, reporter));
    }

    static std::vector<std::uint8_t> Jpeg(std::uint32_t colour) {
        pictures::Bitmap b{8, 8, std::vector<std::uint32_t>(64, colour), false};
        return pictures::EncodeJpegImage(b, 90);
    }

    std::filesystem::path folder;
};

TEST_F(PentadDatabaseTest, MissingDatabaseShowsTheMessageAndNoDayPage) {
    state.printing = true;
    state.first_day = 1;
    state.last_day = 3;
    const auto lines = Trace();
    ASSERT_EQ(1u, reporter.messages().size());
    EXPECT_EQ("Kalvo標準.DATが見つからない...\r==> 処理不能", reporter.messages()[0].text);
    EXPECT_EQ("エラー", reporter.messages()[0].caption);
    EXPECT_EQ(1u, Texts(lines).size()); // the month page only
    EXPECT_EQ(0, std::count(lines.begin(), lines.end(), "page"));
}

TEST_F(PentadDatabaseTest, EntriesFoundByNameAnyCaseAndSkippedWhenMissing) {
    WriteDatabase({{"KOU07.JPG", 1, Jpeg(0xFF204080)}, {"kou08.jpg", 1, Jpeg(0xFF00FF00), true}});
    PentadPictures pentads;
    ASSERT_TRUE(pentads.Open(folder, reporter));
    const pictures::Bitmap* seven = pentads.Load(7, reporter);
    ASSERT_NE(nullptr, seven);
    EXPECT_EQ(8, seven->width);
    EXPECT_EQ(nullptr, pentads.Load(8, reporter)); // hidden
    EXPECT_EQ(nullptr, pentads.Load(9, reporter)); // not there
    EXPECT_TRUE(reporter.messages().empty());
    EXPECT_EQ("kou05.jpg", PentadEntryName(5));
    EXPECT_EQ("kou72.jpg", PentadEntryName(72));

    // A day whose pentad has no picture still gets its page, silently.
    options().under_bitmap = true;
    state.printing = true;
    state.first_day = 1;
    state.last_day = 2;
    day(2).Pentad = 9;
    options().full_bmp = true;
    state.settings.month_pictures[2] = "missing.cmp";
    const auto lines = Trace();
    EXPECT_EQ(2, std::count(lines.begin(), lines.end(), "page"));
    EXPECT_EQ(1u + 4u + 4u, Texts(lines).size());
    EXPECT_TRUE(reporter.messages().empty()); // no month picture is tried in place of it
    // Day 1 stands over its pentad's picture, day 2 over none.
    const auto second = std::find(std::find(lines.begin(), lines.end(), "page") + 1, lines.end(), "page");
    const auto is_picture = [](const std::string& l) { return l.rfind("picture\t", 0) == 0; };
    EXPECT_GT(std::count_if(lines.begin(), second, is_picture), 0);
    EXPECT_EQ(0, std::count_if(second, lines.end(), is_picture));
}

// An index that is missing, empty or cut short is said with its path, as an error; the
// pictures its records still name are found.
TEST_F(PentadDatabaseTest, AMissingEmptyOrCutIndexIsSaidWithItsPath) {
    WriteDatabase({{"kou07.jpg", 1, Jpeg(0xFF204080)}, {"kou08.jpg", 1, Jpeg(0xFF00FF00)}});
    const std::filesystem::path index = folder / std::string(pictures::kCommentaryIndexFile);
    const std::vector<std::uint8_t> whole = *pictures::ReadFileBytes(index, 1 << 20);
    const auto first = whole.begin() + pictures::kIndexRecordSize;
    struct Case {
        std::optional<std::vector<std::uint8_t>> bytes; // none: no index file
        const char* said;
        bool seven_found;
    };
    const Case cases[] = {
        {std::nullopt, "not found", false},
        {std::vector<std::uint8_t>{}, "holds no index record", false},
        {std::vector<std::uint8_t>(whole.begin(), first + 100), "cut short inside its record 2", true},
        {std::vector<std::uint8_t>(whole.begin(), first),
         "cut short: its 1 records name blocks up to 1 of the 2 of Kalvo標準.DAT", true},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(index);
        if (c.bytes) {
            ASSERT_TRUE(pictures::WriteFileBytes(index, *c.bytes));
        }
        reporter.clear();
        PentadPictures pentads;
        ASSERT_TRUE(pentads.Open(folder, reporter));
        ASSERT_EQ(1u, reporter.messages().size()) << c.said;
        EXPECT_EQ(kDatabaseMissingCaption, reporter.messages()[0].caption);
        EXPECT_TRUE(reporter.messages()[0].text.starts_with(index.string() + " ")) << reporter.messages()[0].text;
        EXPECT_NE(std::string::npos, reporter.messages()[0].text.find(c.said)) << reporter.messages()[0].text;
        EXPECT_EQ(c.seven_found, pentads.Load(7, reporter) != nullptr) << c.said;
        EXPECT_EQ(nullptr, pentads.Load(8, reporter)) << c.said;
    }
    ASSERT_TRUE(pictures::WriteFileBytes(index, whole));
    reporter.clear();
    PentadPictures pentads;
    ASSERT_TRUE(pentads.Open(folder, reporter));
    EXPECT_TRUE(reporter.messages().empty());
}

TEST_F(PentadDatabaseTest, MetafilePicturesAreReportedOncePerRun) {
    const std::vector<std::uint8_t> some_bytes(64, 0x01);
    WriteDatabase({{"kou07.jpg", 2, some_bytes}, {"kou08.jpg", 3, some_bytes}});
    options().under_bitmap = true;
    options().full_bmp = true;
    state.printing = true;
    state.first_day = 1;
    state.last_day = 10;
    for (int d = 1; d <= 10; ++d) day(d).Pentad = static_cast<std::uint8_t>(d <= 5 ? 7 : 8);
    const auto lines = Trace();
    EXPECT_EQ(10, std::count(lines.begin(), lines.end(), "page"));
    ASSERT_EQ(1u, reporter.messages().size());
    EXPECT_TRUE(reporter.messages()[0].text.starts_with(pictures::kMetafileSkippedText));
    EXPECT_NE(std::string::npos, reporter.messages()[0].text.find("kou07")) << reporter.messages()[0].text;
    EXPECT_NE(std::string::npos, reporter.messages()[0].caption.find("kou07")) << reporter.messages()[0].caption;
    // The next run says it again.
    reporter.clear();
    Trace();
    EXPECT_EQ(1u, reporter.messages().size());
}

} // namespace
} // namespace pages
