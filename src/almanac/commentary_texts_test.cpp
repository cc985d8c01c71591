// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/commentary_texts.h"

#include "base/sjis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

namespace almanac {
namespace {

using base::Cp932Length;

constexpr std::array<std::string_view, 72> kPentadNames = {
    "東風解氷", "黄鶯鳴",   "魚上氷",   "土脉潤起", "霞始靆",   "草木萌動", "蟄虫啓戸", "桃始笑",   "菜虫化蝶",
    "雀始巣",   "桜始開",   "雷乃発声", "玄鳥至",   "鴻雁北",   "虹始見",   "葭始生",   "霞止苗出", "牡丹華",
    "蛙始鳴",   "蚯蚓出",   "竹笋生",   "蚕起食桑", "紅花栄",   "麦秋至",   "蟷螂生",   "腐草為螢", "梅子黄",
    "乃東枯",   "菖蒲華",   "半夏生",   "温風至",   "蓮始開",   "鷹乃学習", "桐始結花", "土潤溽暑", "大雨時行",
    "涼風至",   "寒蝉鳴",   "蒙霧升降", "綿柎開",   "天地始粛", "禾乃登",   "草露白",   "鶺鴒鳴",   "玄鳥去",
    "雷乃収声", "蟄虫坏戸", "水始涸",   "鴻雁来",   "菊花開",   "蟋蟀在戸", "霜始降",   "霎時施",   "楓蔦黄",
    "山茶始開", "地始凍",   "金盞香",   "虹蔵不見", "朔風払葉", "橘始黄",   "閉塞成冬", "熊蟄穴",   "鮭魚群",
    "乃東生",   "糜角解",   "雪下出麦", "芹乃栄",   "水泉動",   "雉始鳴",   "款冬華",   "水沢腹堅", "鶏始乳"};

constexpr std::array<std::string_view, 28> kMansionNames = {"角", "亢", "氏", "房", "心", "尾", "箕", "斗", "牛", "女",
                                                            "虚", "危", "室", "壁", "奎", "婁", "胃", "昴", "畢", "觜",
                                                            "参", "井", "鬼", "柳", "星", "張", "翼", "軫"};

constexpr std::array<std::string_view, 12> kOfficerNames = {"開", "閉", "建", "除", "満", "平",
                                                            "定", "執", "破", "危", "成", "納"};

std::string Cp932(std::string_view utf8) {
    auto converted = base::Utf8ToCp932(utf8);
    EXPECT_TRUE(converted.has_value()) << utf8;
    return converted.value_or(std::string());
}

// Full-width katakana and the long-vowel mark, read on CP932 bytes.
bool IsKatakana(std::string_view cp932) {
    if (cp932.empty() || cp932.size() % 2 != 0) return false;
    for (std::size_t i = 0; i < cp932.size(); i += 2) {
        auto lead = static_cast<unsigned char>(cp932[i]);
        auto trail = static_cast<unsigned char>(cp932[i + 1]);
        bool kana = lead == 0x83 && trail >= 0x40 && trail <= 0x96;
        bool long_vowel = lead == 0x81 && trail == 0x5B;
        if (!kana && !long_vowel) return false;
    }
    return true;
}

// Katakana words separated by single half-width spaces.
bool IsKatakanaWords(std::string_view cp932) {
    std::size_t start = 0;
    while (true) {
        std::size_t space = cp932.find(' ', start);
        if (!IsKatakana(cp932.substr(start, space - start))) return false;
        if (space == std::string_view::npos) return true;
        start = space + 1;
    }
}

bool StartsWithSpacesThenText(std::string_view text, std::size_t spaces) {
    return text.size() > spaces && text.find_first_not_of(' ') == spaces;
}

TEST(CommentaryTexts, EveryTextConvertsToCp932) {
    std::vector<std::string_view> texts(PentadTexts.begin(), PentadTexts.end());
    texts.insert(texts.end(), MansionTexts.begin(), MansionTexts.end());
    texts.insert(texts.end(), OfficerTexts.begin(), OfficerTexts.end());
    texts.insert(texts.end(), OfficerTextsOld.begin(), OfficerTextsOld.end());
    for (const auto& line : KikkyouCommentary)
        texts.push_back(line.text);
    for (std::string_view text : texts) {
        std::size_t bad = 0;
        EXPECT_TRUE(base::Utf8ToCp932(text, &bad).has_value()) << text << " at byte " << bad;
    }
}

TEST(PentadTexts, QuotedEntriesAreExact) {
    EXPECT_EQ("東風解氷 ハルカゼ コオリヲトク", PentadTexts[0]);
    EXPECT_EQ("黄 鶯 鳴 ウグイス ナク", PentadTexts[1]);
    EXPECT_EQ("鶏 始 乳 ニワトリ ハジメテ トヤニツク", PentadTexts[71]);
}

TEST(PentadTexts, EightByteNameThenKatakanaReading) {
    for (std::size_t i = 0; i < PentadTexts.size(); ++i) {
        SCOPED_TRACE(PentadTexts[i]);
        std::string text = Cp932(PentadTexts[i]);
        std::string name = Cp932(kPentadNames[i]);
        // Three kanji are spaced out to the width of four.
        if (name.size() == 6) name = name.substr(0, 2) + ' ' + name.substr(2, 2) + ' ' + name.substr(4, 2);
        ASSERT_EQ(8u, name.size());
        ASSERT_GT(text.size(), 9u);
        EXPECT_EQ(name, text.substr(0, 8));
        EXPECT_EQ(' ', text[8]);
        EXPECT_TRUE(IsKatakanaWords(std::string_view(text).substr(9)));
    }
}

TEST(MansionTexts, QuotedLinesAreExact) {
    EXPECT_EQ("(角) 衣類の裁断、柱建て、酒造り、井戸掘", MansionTexts[0]);
    EXPECT_EQ("     り等吉。      ", MansionTexts[1]);
    EXPECT_TRUE(MansionTexts[4].starts_with("(氏) (抵のてへんのない字)婚礼、門立て、"));
}

// One commentary entry: "(" name ") " and text, then continuation lines indented by five
// spaces (or only the indent when blank), all at most 41 bytes. Pages that print only the
// name take the two bytes after the parenthesis.
void ExpectNamedEntry(std::string_view name, std::span<const std::string_view> lines) {
    SCOPED_TRACE(lines[0]);
    std::string bytes = Cp932(lines[0]);
    ASSERT_GT(bytes.size(), 5u);
    EXPECT_EQ(std::string("(").append(Cp932(name)).append(") "), bytes.substr(0, 5));
    EXPECT_NE(' ', bytes[5]);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_LE(Cp932Length(lines[i]), 41u) << lines[i];
        if (i > 0) {
            EXPECT_TRUE(lines[i] == "     " || StartsWithSpacesThenText(lines[i], 5)) << lines[i];
        }
    }
}

TEST(MansionTexts, LinesFollowTheirForm) {
    for (std::size_t m = 0; m < kMansionNames.size(); ++m) {
        ExpectNamedEntry(kMansionNames[m], std::span(MansionTexts).subspan(2 * m, 2));
    }
}

TEST(OfficerTexts, QuotedEntryIsExact) {
    EXPECT_EQ("(開) この日は入学開業移転婚姻等諸事前", OfficerTexts[0]);
    EXPECT_EQ("     途の望遂ぐるに吉。", OfficerTexts[1]);
    EXPECT_EQ("     葬式その他不浄事は凶。", OfficerTexts[2]);
}

TEST(OfficerTexts, LinesFollowTheirForm) {
    for (std::size_t o = 0; o < kOfficerNames.size(); ++o) {
        ExpectNamedEntry(kOfficerNames[o], std::span(OfficerTexts).subspan(3 * o, 3));
    }
}

TEST(OfficerTextsOld, QuotedEntryIsExact) {
    EXPECT_EQ("(開)△半吉○門建て･井掘り･種蒔き･家作り･わ", OfficerTextsOld[0]);
    EXPECT_EQ("            たまし･婚礼", OfficerTextsOld[1]);
    EXPECT_EQ("          ●葬礼等不浄のこと              ", OfficerTextsOld[2]);
}

TEST(OfficerTextsOld, LinesFollowTheirForm) {
    constexpr std::array<std::string_view, 5> kGrades = {"◎大吉", "○ 吉 ", "△半吉", "▽小吉", "● 凶 "};
    for (std::size_t o = 0; o < kOfficerNames.size(); ++o) {
        std::string_view first = OfficerTextsOld[3 * o];
        std::string_view second = OfficerTextsOld[3 * o + 1];
        std::string_view third = OfficerTextsOld[3 * o + 2];
        SCOPED_TRACE(first);
        std::string bytes = Cp932(first);
        ASSERT_GE(bytes.size(), 12u);
        EXPECT_EQ(std::string("(").append(Cp932(kOfficerNames[o])).append(")"), bytes.substr(0, 4));
        std::string grade = bytes.substr(4, 6);
        EXPECT_TRUE(std::any_of(kGrades.begin(), kGrades.end(), [&](std::string_view g) { return Cp932(g) == grade; }))
            << first;
        EXPECT_EQ(Cp932("○"), bytes.substr(10, 2));
        EXPECT_EQ(42u, bytes.size());
        EXPECT_TRUE(second == std::string(12, ' ') || StartsWithSpacesThenText(second, 12)) << second;
        EXPECT_LE(Cp932Length(second), 42u);
        EXPECT_TRUE(StartsWithSpacesThenText(third, 10));
        EXPECT_TRUE(third.substr(10).starts_with("●")) << third;
        EXPECT_EQ(42u, Cp932Length(third));
        // The lists are items joined by the half-width dot, never by the full-width comma.
        for (std::string_view line : {first, second, third})
            EXPECT_EQ(std::string_view::npos, line.find("、"));
    }
}

TEST(OfficerTextsOld, OnlyTheLosingOfficersAreGradedUnlucky) {
    // 閉, 破 and 危 are the day-officers that cost fortune points.
    for (std::size_t o = 0; o < kOfficerNames.size(); ++o) {
        bool losing = kOfficerNames[o] == "閉" || kOfficerNames[o] == "破" || kOfficerNames[o] == "危";
        EXPECT_EQ(losing, Cp932(OfficerTextsOld[3 * o]).substr(4, 6) == Cp932("● 凶 ")) << OfficerTextsOld[3 * o];
    }
}

struct Heading {
    std::size_t line;
    std::string_view name;
    base::Color color;
    std::string_view exact; // empty where only the form is fixed
};

constexpr std::array<Heading, 30> kHeadings = {{
    {3, "十方暮", base::kBlue, "  十方暮  (ジュッポウグレ)"},
    {6, "八専", base::kBlue, "  八専  (ハッセン)"},
    {9, "犯土", base::kBlue, "  犯土  (ツチ)"},
    {11, "三隣亡", base::kBlue, "  三隣亡  (サンリンボウ)"},
    {14, "不成就日", base::kBlue, "  不成就日  (フジョウジュビ)"},
    {17, "母倉", base::kRed, "  母倉  (ボソウ)"},
    {20, "一粒万倍日", base::kRed, "  一粒万倍日(イチリュウマンバイニチ)"},
    {23, "天一天上", base::kRed, "  天一天上  (テンイチテンジョウ)"},
    {27, "天恩日", base::kRed, "  天恩日  (テンオンニチ)"},
    {29, "天赦日", base::kRed, "  天赦日  (テンシャニチ)"},
    {35, "受死日(黒日)", base::kBlue, ""},
    {40, "十死日", base::kBlue, ""},
    {43, "五墓日", base::kBlue, ""},
    {48, "帰忌日", base::kBlue, ""},
    {52, "血忌日", base::kBlue, ""},
    {56, "重日", base::kBlack, ""},
    {62, "復日", base::kBlack, ""},
    {65, "天火日", base::kBlue, ""},
    {69, "地火日", base::kBlue, ""},
    {72, "三箇の悪日", base::kBlue, ""},
    {75, "●大禍日", base::kBlue, ""},
    {79, "●浪藉日", base::kBlue, ""},
    {81, "●滅門日", base::kBlue, ""},
    {84, "時下食", base::kBlue, ""},
    {86, "歳下食", base::kBlue, ""},
    {90, "凶会日", base::kBlue, ""},
    {93, "神吉日", base::kRed, ""},
    {96, "大明日", base::kRed, ""},
    {100, "鬼宿日", base::kRed, ""},
    {103, "月徳日", base::kRed, ""},
}};

const ColoredLine& Line(std::size_t number) {
    return KikkyouCommentary.at(number - 1);
}

TEST(KikkyouCommentary, SectionsOpenWithBlackTitleAndBlankLine) {
    EXPECT_EQ("一般の吉凶", Line(1).text);
    EXPECT_EQ("暦注下段の吉凶", Line(33).text);
    for (std::size_t number : {1, 2, 33, 34})
        EXPECT_EQ(base::kBlack, Line(number).color) << number;
    EXPECT_EQ("", Line(2).text);
    EXPECT_EQ("", Line(34).text);
}

TEST(KikkyouCommentary, EveryHeadingStandsAtItsLineInItsColour) {
    for (const Heading& heading : kHeadings) {
        const ColoredLine& line = Line(heading.line);
        SCOPED_TRACE(line.text);
        EXPECT_EQ(heading.color, line.color);
        if (!heading.exact.empty()) {
            EXPECT_EQ(heading.exact, line.text);
        }
        // Two spaces, the name, at most two spaces, and the reading in parentheses.
        std::string prefix = "  " + std::string(heading.name);
        ASSERT_TRUE(line.text.starts_with(prefix));
        std::string rest = Cp932(line.text.substr(prefix.size()));
        std::size_t open = rest.find_first_not_of(' ');
        ASSERT_LE(open, 2u);
        std::size_t close = rest.find(')', open);
        ASSERT_NE(std::string::npos, close);
        EXPECT_EQ('(', rest[open]);
        EXPECT_TRUE(IsKatakana(std::string_view(rest).substr(open + 1, close - open - 1)));
        EXPECT_EQ(std::string::npos, rest.find_first_not_of(' ', close + 1));
    }
}

TEST(KikkyouCommentary, BodyLinesAreBlackIndentedAndNarrow) {
    EXPECT_EQ("    天干と地支が相克の関係にあるものが連続する", Line(4).text);
    EXPECT_EQ("    ため、万事うまくいかないとされる日。", Line(5).text);
    for (std::size_t h = 0; h < kHeadings.size(); ++h) {
        std::size_t end = h + 1 < kHeadings.size() ? kHeadings[h + 1].line : KikkyouCommentary.size() + 1;
        if (kHeadings[h].line < 33 && end > 33) end = 33; // the first section ends at the second title
        std::size_t body = end - kHeadings[h].line - 1;
        EXPECT_GE(body, 1u) << kHeadings[h].name;
        EXPECT_LE(body, 5u) << kHeadings[h].name;
        for (std::size_t number = kHeadings[h].line + 1; number < end; ++number) {
            const ColoredLine& line = Line(number);
            EXPECT_EQ(base::kBlack, line.color) << number;
            EXPECT_TRUE(StartsWithSpacesThenText(line.text, 4)) << number << ": " << line.text;
            EXPECT_LE(Cp932Length(line.text), 48u) << number << ": " << line.text;
        }
    }
}

} // namespace
} // namespace almanac
