// SPDX-License-Identifier: GPL-3.0-or-later
#include "almanac/commentary_texts.h"

namespace almanac {

// The old reading of the twelve day-officers: a grade, then the things the day favours
// (after ○, running on into the second line) and the things it is bad for (after ●). The
// first and third lines are padded to the same 42 bytes so the lists line up on the page.
const std::array<std::string_view, 36> OfficerTextsOld = {
    "(開)△半吉○門建て･井掘り･種蒔き･家作り･わ",
    "            たまし･婚礼",
    "          ●葬礼等不浄のこと              ",
    "(閉)● 凶 ○墓作り･穴塞ぎ･堤築き･池埋め･金",
    "            銭の収納･便所作り",
    "          ●開店･婚礼･移転･柱立て･旅行    ",
    "(建)◎大吉○神仏祭り･婚礼･開店･柱立て･旅立",
    "            ち･移転･元服",
    "          ●蔵開き･動土･船乗り初め        ",
    "(除)△半吉○井戸掘り･種蒔き･祭祀･大掃除･医",
    "            者かかり",
    "          ●婚礼･動土･新規のこと          ",
    "(満)◎大吉○婚礼･家作り･種蒔き･旅立ち･祝い",
    "            事･移転･開店",
    "          ●動土･服薬                     ",
    "(平)○ 吉 ○地固め･旅立ち･婚礼･道普請･柱立",
    "            て･壁塗り",
    "          ●穴掘り･種蒔き                 ",
    "(定)○ 吉 ○開店･移転･家作り･種蒔き･養子取",
    "            り･婚礼･売買･祭祀",
    "          ●旅行･訴訟･植木の移植          ",
    "(執)▽小吉○祭祀･婚礼･種蒔き･取り入れ･酒造",
    "            り･造作･狩猟",
    "          ●金銭の出納･財産の整理         ",
    "(破)● 凶 ○訴訟･談判･漁猟･取り壊し･薬飲み",
    "            初め",
    "          ●婚礼･契約･移転･祝い事         ",
    "(危)● 凶 ○酒造り･種蒔き･祭祀            ",
    "            ",
    "          ●登山･船旅･高所の仕事･旅行     ",
    "(成)○ 吉 ○開店･婚礼･移転･家作り･新規のこ",
    "            と･入学･種蒔き",
    "          ●訴訟･談判                     ",
    "(納)▽小吉○収穫･仕入れ･移転･物の購入･蔵入",
    "            れ･婚礼",
    "          ●葬礼･見合い                   ",
};

} // namespace almanac
