// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One day of UNSEI.DAT: the 15-byte record as the host writes it, and the decoded day.

#include <array>
#include <cstdint>

namespace almanac {

constexpr int kRecordSize = 15;
using RawRecord = std::array<std::uint8_t, kRecordSize>;

// Bits of the three flag bytes (bit 0 is the least significant).
namespace flag_a {
constexpr std::uint8_t kHassen = 1 << 0;        // 八専
constexpr std::uint8_t kJippoGure = 1 << 1;     // 十方暮
constexpr std::uint8_t kBosou = 1 << 2;         // 母倉
constexpr std::uint8_t kTensha = 1 << 3;        // 天赦日
constexpr std::uint8_t kFujoju = 1 << 4;        // 不成就日
constexpr std::uint8_t kIchiryuManbai = 1 << 5; // 一粒万倍日
constexpr std::uint8_t kSanrinbou = 1 << 6;     // 三隣亡
constexpr std::uint8_t kLeapMonth = 1 << 7;     // the lunar month is a leap month
} // namespace flag_a
namespace flag_b {
constexpr std::uint8_t kTenon = 1 << 4;     // 天恩日
constexpr std::uint8_t kShoTsuchi = 1 << 5; // 小犯土
constexpr std::uint8_t kDaiTsuchi = 1 << 6; // 大犯土
constexpr std::uint8_t kTenichi = 1 << 7;   // 天一天上
} // namespace flag_b
namespace season {
constexpr std::uint8_t kHatsuuma = 1 << 1; // 初午
constexpr std::uint8_t kDoyou = 1 << 2;    // 土用
constexpr std::uint8_t kNyubai = 1 << 3;   // 入梅
constexpr std::uint8_t kHachijuhachiya = 1 << 4; // 八十八夜
constexpr std::uint8_t kShanichi = 1 << 5; // 社日
constexpr std::uint8_t kHigan = 1 << 6;    // 彼岸
constexpr std::uint8_t kSetsubun = 1 << 7; // 節分
} // namespace season

struct DayRecord {
    std::int32_t Date = 0;         // yyyymmdd
    std::uint8_t YearCycle = 0;    // sexagenary number of the year, 1 … 60
    std::uint8_t Weekday = 0;      // 0 = Sunday … 6 = Saturday
    std::uint8_t DayCycle = 0;     // sexagenary number of the day, 1 … 60
    std::uint8_t Rokuyo = 0;       // 1 先勝 … 6 赤口
    std::uint8_t SolarTerm = 0;    // term in force, 1 立春 … 24 大寒
    std::uint8_t SolarMonth = 0;   // 節月, 1 … 12
    std::uint8_t Mansion = 0;      // 1 角 … 28 軫
    std::uint8_t Officer = 0;      // 1 開, 2 閉, 3 建 … 12 納
    std::uint8_t Pentad = 0;       // 1 … 72
    std::uint8_t LunarMonth = 0;   // 1 … 12
    std::uint8_t LunarDay = 0;     // 1 … 30
    bool LeapMonth = false;        // bit 7 of DayFlagsA
    std::uint8_t DayFlagsA = 0;
    std::uint8_t DayFlagsB = 0;
    std::uint8_t SeasonFlags = 0;

    int year() const { return Date / 10000; }
    int month() const { return Date / 100 % 100; }
    int day() const { return Date % 100; }
    bool operator==(const DayRecord&) const = default;
};

// Decodes the 15 stored bytes. (The original reversed the buffer in place; this takes it by
// value and leaves the caller's bytes alone.)
DayRecord DecodeRecord(const RawRecord& stored);

// The inverse: the 15 bytes the host writes for a day. LeapMonth is folded into bit 7 of
// DayFlagsA; fields are truncated to their bit widths.
RawRecord EncodeRecord(const DayRecord& day);

} // namespace almanac
