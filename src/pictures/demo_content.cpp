// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/demo_content.h"
#include "pictures/builtin_bitmaps.h"
#include "pictures/commentary_db_writer.h"
#include "pictures/file_bytes.h"
#include "pictures/jpeg_image.h"
#include "pictures/painter.h"
#include "pictures/picture_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

namespace pictures {

namespace {

constexpr double kPi = 3.14159265358979323846;

Bitmap Blank(int w, int h) {
    Bitmap b;
    b.width = w;
    b.height = h;
    b.pixels.assign(static_cast<std::size_t>(w) * h, 0xFFFFFFFFu);
    return b;
}

// A ridge of hills across the picture: a few sines around base, amplitude amp.
std::vector<double> Hills(int width, double base, double amp, std::mt19937& rng) {
    std::uniform_real_distribution<double> phase(0, 2 * kPi);
    const double p1 = phase(rng), p2 = phase(rng), p3 = phase(rng);
    std::vector<double> ridge(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        const double t = static_cast<double>(x) / width;
        ridge[static_cast<std::size_t>(x)] =
            base - amp * (0.55 * std::sin(2 * kPi * t * 1.3 + p1) + 0.30 * std::sin(2 * kPi * t * 3.1 + p2) +
                          0.15 * std::sin(2 * kPi * t * 7.7 + p3));
    }
    return ridge;
}

void Flower(Painter& p, double cx, double cy, double r, Rgb petal, Rgb centre, double turn) {
    for (int i = 0; i < 5; ++i) {
        const double a = turn + i * 2 * kPi / 5;
        p.FillEllipse(cx + std::cos(a) * r * 0.55, cy + std::sin(a) * r * 0.55, r * 0.5, r * 0.36, a, petal);
    }
    p.FillCircle(cx, cy, r * 0.2, centre);
}

void Scatter(Painter& p, std::mt19937& rng, int count, int w, int h, double r0, double r1, Rgb colour, double alpha) {
    std::uniform_real_distribution<double> ux(0, w), uy(0, h), ur(r0, r1);
    for (int i = 0; i < count; ++i)
        p.FillCircle(ux(rng), uy(rng), ur(rng), colour, alpha);
}

void Branch(Painter& p, std::mt19937& rng, double x, double y, double angle, double len, double width, int depth,
            std::vector<std::pair<double, double>>& tips) {
    const double x1 = x + std::cos(angle) * len, y1 = y + std::sin(angle) * len;
    p.Line(x, y, x1, y1, width, 0x3A2A20);
    tips.emplace_back(x1, y1);
    if (depth == 0) return;
    std::uniform_real_distribution<double> turn(0.25, 0.6);
    Branch(p, rng, x1, y1, angle - turn(rng), len * 0.7, width * 0.65, depth - 1, tips);
    Branch(p, rng, x1, y1, angle + turn(rng), len * 0.65, width * 0.65, depth - 1, tips);
}

void Tree(Painter& p, std::mt19937& rng, double x, double y, double size, Rgb flower, Rgb centre, double r) {
    std::vector<std::pair<double, double>> tips;
    Branch(p, rng, x, y, -kPi / 2 - 0.2, size, size / 9, 4, tips);
    std::uniform_real_distribution<double> jitter(-r * 2, r * 2), turn(0, kPi);
    for (const auto& [tx, ty] : tips)
        Flower(p, tx + jitter(rng), ty + jitter(rng), r, flower, centre, turn(rng));
}

void Pine(Painter& p, double x, double base, double h, Rgb colour) {
    p.FillPolygon({{x - 4, base}, {x + 4, base}, {x + 4, base - h * 0.2}, {x - 4, base - h * 0.2}}, 0x4A3020);
    for (int i = 0; i < 3; ++i) {
        const double top = base - h * (0.45 + 0.25 * i) - h * 0.1, bottom = base - h * (0.15 + 0.25 * i);
        const double half = h * (0.32 - 0.08 * i);
        p.FillPolygon({{x, top}, {x + half, bottom}, {x - half, bottom}}, colour);
    }
}

void Leaf(Painter& p, double x, double y, double r, double angle, Rgb colour) {
    // A maple leaf: five lobes around a stem.
    for (int i = -2; i <= 2; ++i) {
        const double a = angle + i * 0.62;
        p.FillEllipse(x + std::cos(a) * r * 0.5, y + std::sin(a) * r * 0.5, r * 0.55, r * 0.17, a, colour);
    }
    p.Line(x, y, x - std::cos(angle) * r * 0.6, y - std::sin(angle) * r * 0.6, std::max(1.0, r * 0.06), 0x5A2A10);
}

void Carp(Painter& p, double x, double y, double len, Rgb colour) {
    p.FillEllipse(x, y, len / 2, len / 7, 0.05, colour);
    p.FillPolygon({{x + len / 2 - 6, y},
                   {x + len / 2 + len / 5, y - len / 7},
                   {x + len / 2 + len / 8, y},
                   {x + len / 2 + len / 5, y + len / 7}},
                  colour);
    p.FillCircle(x - len / 2 + len / 10, y - len / 40, len / 26, 0xFFFFFF);
    p.FillCircle(x - len / 2 + len / 10, y - len / 40, len / 60, 0x000000);
}

void Sunflower(Painter& p, double x, double y, double r) {
    p.Line(x, y, x + r * 0.2, y + r * 6, r * 0.18, 0x3C7A2A);
    for (int i = 0; i < 14; ++i) {
        const double a = i * 2 * kPi / 14;
        p.FillEllipse(x + std::cos(a) * r * 0.75, y + std::sin(a) * r * 0.75, r * 0.45, r * 0.16, a, 0xF5C518);
    }
    p.FillCircle(x, y, r * 0.42, 0x6A3E12);
}

void Grass(Painter& p, std::mt19937& rng, double x0, double x1, double base, int count, Rgb stem, Rgb plume,
           double low, double high) {
    std::uniform_real_distribution<double> ux(x0, x1), uh(low, high), ul(-0.35, 0.1);
    for (int i = 0; i < count; ++i) {
        const double x = ux(rng), h = uh(rng), lean = ul(rng);
        const double tx = x + std::sin(lean) * h, ty = base - std::cos(lean) * h;
        p.Line(x, base, tx, ty, 2.2, stem);
        p.FillEllipse(tx - std::sin(lean) * 22, ty + std::cos(lean) * 22, 9, 30, lean, plume, 0.85);
    }
}

// A bough of blossoms reaching out from (x, y) at angle, low and long, with short twigs:
// it stays in the band it starts in.
void BlossomBranch(Painter& p, std::mt19937& rng, double x, double y, double angle, double len, double width,
                   Rgb flower, Rgb centre, double r) {
    std::uniform_real_distribution<double> wander(-0.12, 0.12), twig(0.4, 0.9), turn(0, kPi);
    constexpr int kSegments = 5;
    for (int i = 0; i < kSegments; ++i) {
        const double nx = x + std::cos(angle) * len / kSegments, ny = y + std::sin(angle) * len / kSegments;
        p.Line(x, y, nx, ny, width * (1 - i * 0.15), 0x3A2A20);
        const double ta = i % 2 ? angle - twig(rng) : angle + twig(rng) * 0.6, tl = len * 0.12;
        const double tx = nx + std::cos(ta) * tl, ty = ny + std::sin(ta) * tl;
        p.Line(nx, ny, tx, ty, width * 0.4, 0x3A2A20);
        Flower(p, tx, ty, r, flower, centre, turn(rng));
        Flower(p, (x + nx) / 2, (y + ny) / 2 - r * 0.5, r * 0.9, flower, centre, turn(rng));
        x = nx;
        y = ny;
        angle += wander(rng);
    }
    Flower(p, x, y, r, flower, centre, turn(rng));
}

// Where a month picture puts what. Printed under the calendar (the default), the picture
// spans the page: the weekday heads and five rows of day cells lie over its upper five
// sixths, and the title block (year, era, old month name and the large month numeral)
// over the last sixth, in the free cells after the last day. So the upper part is pale
// and calm, a light tint with faint shapes and nothing dark, so that at every colour
// level the grid and the small notes stay black on near-white; the season's motif, in
// full colour, stands in the band at the bottom, behind the title. The list page and the
// poster draw the same picture; the poster's calendar sits in a pale corner. A month of
// six rows has its last days in the first columns of the band, so the left of the band
// carries only the ground, the motif stands from a third of the width on.
constexpr double kMotifBand = 0.83; // the motif band begins this far down the picture

// The motif of a month drawn on a w × h picture.
void PaintMonth(Painter& p, int month, int w, int h, std::mt19937& rng) {
    const double band = h * kMotifBand;
    std::uniform_real_distribution<double> ux(0, w), upper(0, band * 0.95), in_band(band, h), right(w * 0.3, w);
    switch (month) {
    case 1: // the first sunrise over snowy mountains
        p.VerticalGradient(0, h, 0xFBFCFE, 0xFCEDE4);
        p.FillCircle(w * 0.6, band + 45, w * 0.085, 0xF4B8A0);
        p.FillBelow(Hills(w, band + 45, 40, rng), 0xD5DFEC);
        p.FillBelow(Hills(w, band + 85, 30, rng), 0x9FB2CC);
        p.FillBelow(Hills(w, h * 0.95, 12, rng), 0xEEF2F8);
        Pine(p, w * 0.86, h * 0.97, 110, 0x2E5A44);
        Pine(p, w * 0.94, h * 0.98, 80, 0x3A6A50);
        for (int i = 0; i < 40; ++i) p.FillCircle(ux(rng), in_band(rng), 2.5, 0xFFFFFF, 0.9);
        break;
    case 2: // plum blossoms in the cold
        p.VerticalGradient(0, h, 0xF7F8FC, 0xEEF1F8);
        p.FillBelow(Hills(w, h * 0.95, 10, rng), 0xE2E8F0);
        BlossomBranch(p, rng, w + 10, h * 0.95, kPi + 0.22, w * 0.62, 14, 0xD43A6A, 0xF4E060, 13);
        BlossomBranch(p, rng, w + 10, h * 1.0, kPi + 0.08, w * 0.42, 11, 0xF4F4F8, 0xE8C840, 11);
        break;
    case 3: // peach blossoms over a spring field
        p.VerticalGradient(0, h, 0xFEF7F9, 0xFCEEF2);
        p.FillBelow(Hills(w, h * 0.9, 14, rng), 0xBFDDA2);
        p.FillBelow(Hills(w, h * 0.95, 8, rng), 0x9CC97C);
        BlossomBranch(p, rng, w + 10, h * 0.93, kPi + 0.2, w * 0.56, 13, 0xF28CB0, 0xC8405A, 14);
        for (int i = 0; i < 30; ++i) p.FillEllipse(ux(rng), upper(rng), 5, 3, ux(rng), 0xF7C6D6, 0.3);
        break;
    case 4: // cherry trees in full bloom, a few petals on the wind
        p.VerticalGradient(0, h, 0xF5FAFE, 0xFDF2F5);
        p.FillBelow(Hills(w, h * 0.92, 16, rng), 0xA8D08F);
        Tree(p, rng, w * 0.52, h * 1.0, h * 0.055, 0xF9C7D6, 0xE97A9A, 12);
        Tree(p, rng, w * 0.82, h * 1.0, h * 0.05, 0xFBD3DF, 0xE97A9A, 11);
        for (int i = 0; i < 40; ++i) p.FillEllipse(ux(rng), upper(rng), 6, 3.5, ux(rng), 0xF6C4D2, 0.3);
        break;
    case 5: // carp streamers over green hills
        p.VerticalGradient(0, h, 0xF3F8FE, 0xE6F2FC);
        for (int i = 0; i < 4; ++i) p.FillEllipse(ux(rng), h * (0.2 + 0.15 * i), 110, 26, 0, 0xFFFFFF, 0.8);
        p.FillBelow(Hills(w, h * 0.95, 10, rng), 0x8CC47A);
        p.Line(w * 0.4, h * 1.0, w * 0.4, band + 4, 8, 0x7A5A3A);
        Carp(p, w * 0.6, band + 28, w * 0.34, 0x1D2B5A);
        Carp(p, w * 0.59, band + 78, w * 0.3, 0xD8342C);
        Carp(p, w * 0.57, band + 124, w * 0.26, 0x2F7FD0);
        break;
    case 6: // hydrangeas in the rainy season
        p.VerticalGradient(0, h, 0xF2F5F8, 0xEDF1F6);
        for (int i = 0; i < 120; ++i) {
            const double x = ux(rng), y = upper(rng);
            p.Line(x, y, x - 8, y + 40, 1.4, 0xC6D2DE, 0.35);
        }
        for (int c = 0; c < 5; ++c) {
            const double cx = w * (0.38 + 0.145 * c), cy = band + 95 + 20 * std::sin(c * 1.7);
            p.FillEllipse(cx, cy + 55, 70, 26, 0.2, 0x3E7A3E);
            const Rgb tone = MixRgb(0x5A6FD8, 0xB05AC8, c / 4.0);
            std::normal_distribution<double> n(0, 28);
            for (int k = 0; k < 35; ++k)
                Flower(p, cx + n(rng), cy + n(rng) * 0.7, 13, MixRgb(tone, 0xFFFFFF, 0.25 * (k % 3)), 0xF0F0FF,
                       ux(rng));
        }
        break;
    case 7: { // Tanabata: the Milky Way at dusk, bamboo with wishes
        p.VerticalGradient(0, h, 0xF4F2FB, 0xE9E7F6);
        std::normal_distribution<double> across(0, w * 0.07);
        for (int i = 0; i < 900; ++i) {
            const double t = upper(rng) / band;
            p.FillCircle(w * 0.15 + t * w * 0.7 + across(rng), t * band, 2.2, 0xDCD8F2, 0.35);
        }
        p.FillCircle(w * 0.25, h * 0.3, 6, 0xF2DC90, 0.8);
        p.FillCircle(w * 0.78, h * 0.55, 6, 0xF2DC90, 0.8);
        p.FillBelow(Hills(w, h * 0.96, 8, rng), 0x6E9A6A);
        p.Line(w * 0.7, h * 1.0, w * 0.74, band + 4, 7, 0x2E7A3A);
        for (int i = 0; i < 7; ++i) {
            const double y = band + 10 + i * 24, x = w * (0.73 + 0.03 * std::sin(i * 2.1)) + (i % 2 ? -60 : 24);
            p.Line(w * 0.735, y - 12, x + 10, y, 2, 0x3E8A4A);
            p.FillPolygon({{x, y}, {x + 20, y}, {x + 20, y + 52}, {x, y + 52}},
                          i % 3 == 0 ? 0xE85A7A : i % 3 == 1 ? 0xF2D24A : 0x5A8AE0);
        }
        break;
    }
    case 8: // sunflowers by the summer sea
        p.VerticalGradient(0, h, 0xF3F9FE, 0xE4F2FC);
        p.FillCircle(w * 0.82, h * 0.12, w * 0.07, 0xFFF6C8);
        p.VerticalGradient(static_cast<int>(band - 30), static_cast<int>(band + 20), 0xD2E9F7, 0xA9D4F0);
        p.FillBelow(Hills(w, h * 0.93, 10, rng), 0x7DB85A);
        for (int i = 0; i < 4; ++i) Sunflower(p, w * (0.4 + 0.17 * i), band + 70 + 30 * (i % 2), 30);
        break;
    case 9: // the harvest moon over pampas grass
        p.VerticalGradient(0, h, 0xF6F3FA, 0xEFEAF5);
        p.FillCircle(w * 0.7, band - 40, w * 0.12, 0xFBF1CC);
        p.FillBelow(Hills(w, band + 60, 18, rng), 0x8C86A8);
        p.FillBelow(Hills(w, h * 0.95, 8, rng), 0x5E5878);
        Grass(p, rng, w * 0.3, w, h * 0.99, 26, 0x6A6A4A, 0xE6D8B8, 90, 190);
        break;
    case 10: // maple leaves in autumn light
        p.VerticalGradient(0, h, 0xFEF9F0, 0xFCEEDC);
        for (int i = 0; i < 10; ++i) Leaf(p, ux(rng), upper(rng), 16, ux(rng), 0xF2C8A8);
        p.FillBelow(Hills(w, band + 50, 24, rng), 0xD9A36A, 0.9);
        p.FillBelow(Hills(w, h * 0.95, 10, rng), 0xA4582E);
        for (int i = 0; i < 35; ++i)
            Leaf(p, right(rng), in_band(rng), 18 + (i % 4) * 5, ux(rng), MixRgb(0xD42A1A, 0xF0A020, (i % 5) / 4.0));
        break;
    case 11: // ginkgo gold and persimmons on a branch
        p.VerticalGradient(0, h, 0xFBF9F0, 0xF5EFDD);
        for (int i = 0; i < 12; ++i) p.FillEllipse(ux(rng), upper(rng), 12, 8, ux(rng), 0xF6E2A0, 0.45);
        for (int i = 0; i < 70; ++i) {
            const double x = right(rng), y = in_band(rng), a = ux(rng);
            p.FillEllipse(x, y, 14, 9, a, MixRgb(0xF2C21A, 0xE89A10, (i % 3) / 2.0));
        }
        p.Line(w, band + 20, w * 0.3, band + 50, 11, 0x4A3020);
        for (int i = 0; i < 6; ++i) {
            const double x = w * (0.36 + 0.11 * i), y = band + 62 - 0.04 * (x - w * 0.3);
            p.Line(x, y - 36, x, y - 24, 3, 0x4A3020);
            p.FillCircle(x, y, 23, 0xF07A1A);
            p.FillEllipse(x, y - 22, 12, 4, 0, 0x4A6A2A);
        }
        break;
    default: // snow on pine woods at the year's end
        p.VerticalGradient(0, h, 0xF4F7FB, 0xEBF0F7);
        p.FillBelow(Hills(w, band + 40, 20, rng), 0xD8E2EE);
        for (int i = 0; i < 7; ++i) {
            const double x = w * (0.36 + 0.1 * i), base = h * (0.96 + 0.015 * (i % 3));
            Pine(p, x, base, 120 + 25 * (i % 3), 0x2A5640);
            p.FillEllipse(x, base - (120 + 25 * (i % 3)) * 0.62, 14, 5, 0, 0xFFFFFF, 0.9);
        }
        p.FillBelow(Hills(w, h * 0.95, 8, rng), 0xF8FAFD);
        for (int i = 0; i < 60; ++i) p.FillCircle(ux(rng), in_band(rng), 2.5, 0xFFFFFF, 0.9);
        break;
    }
}

// Season colours of the pentads: 立春 … 穀雨, 立夏 … 大暑, 立秋 … 霜降, 立冬 … 大寒, each
// from the season's start colour to its end colour.
struct SeasonColours {
    Rgb sky_start, sky_end, ground_start, ground_end, motif;
};
constexpr SeasonColours kSeasons[4] = {
    {0xDDEBF7, 0xFBE3EC, 0xB8D8A0, 0x8CC070, 0xF4A6C0},
    {0x9ED2F5, 0x3F9BE0, 0x7DBB55, 0x3E8A32, 0xFFF0A0},
    {0xF4DDB0, 0xB3705A, 0xC89A4A, 0x8A5A2A, 0xD4421E},
    {0x8EA4C4, 0x2C3C64, 0xE8EEF6, 0xF8FAFE, 0xFFFFFF},
};

void PaintPentad(Painter& p, int pentad, int w, int h, std::mt19937& rng) {
    const int season = (pentad - 1) / 18;
    const double t = ((pentad - 1) % 18) / 17.0;
    const SeasonColours& s = kSeasons[season];
    const Rgb sky = MixRgb(s.sky_start, s.sky_end, t);
    p.VerticalGradient(0, h, sky, MixRgb(sky, 0xFFFFFF, 0.5));
    p.FillBelow(Hills(w, h * (0.62 + 0.1 * t), h * 0.08, rng), MixRgb(s.ground_start, s.ground_end, t));
    std::uniform_real_distribution<double> ux(0, w), uy(0, h * 0.6);
    switch (season) {
    case 0:
        for (int i = 0; i < 3 + pentad % 4; ++i)
            Flower(p, ux(rng), uy(rng), 22 + 6 * (i % 3), s.motif, 0xE06080, ux(rng));
        Scatter(p, rng, 30, w, h, 2, 5, s.motif, 0.7);
        break;
    case 1:
        p.FillCircle(w * (0.2 + 0.6 * t), h * 0.2, 40, s.motif);
        for (int i = 0; i < 4 + pentad % 3; ++i)
            p.FillEllipse(ux(rng), uy(rng), 60, 16, 0, 0xFFFFFF, 0.75);
        break;
    case 2:
        p.FillCircle(w * (0.8 - 0.6 * t), h * 0.22, 34, 0xFFF2C0);
        for (int i = 0; i < 8 + pentad % 5; ++i)
            Leaf(p, ux(rng), uy(rng), 18 + 4 * (i % 3), ux(rng), MixRgb(s.motif, 0xF0B030, (i % 4) / 3.0));
        break;
    default:
        for (int i = 0; i < 3; ++i)
            Pine(p, w * (0.15 + 0.3 * i + 0.05 * t), h * 0.8, 120 + 20 * i, 0x1E4A32);
        Scatter(p, rng, 120, w, h, 1.5, 3.5, s.motif, 0.9);
        break;
    }
}

// The name label, dark on a light ground and light on a dark one.
void Label(Bitmap& b, const std::string& name, int x, int y, double scale) {
    const Bitmap* label = BuiltinBitmap(name);
    if (label == nullptr) return;
    const int w = static_cast<int>(label->width * scale), h = static_cast<int>(label->height * scale);
    double sum = 0;
    int n = 0;
    for (int ly = std::max(0, y); ly < std::min(b.height, y + h); ++ly) {
        for (int lx = std::max(0, x); lx < std::min(b.width, x + w); ++lx, ++n) {
            const std::uint32_t px = b.at(lx, ly);
            sum += 0.299 * (px >> 16 & 0xFF) + 0.587 * (px >> 8 & 0xFF) + 0.114 * (px & 0xFF);
        }
    }
    const bool dark_ground = n > 0 && sum / n < 110;
    Painter(b).DrawLabel(*label, x, y, scale, dark_ground ? 0xFFFFFF : 0x202020, dark_ground ? 0x101018 : 0xFFFFFF);
}

std::string Numbered(const char* format, int n) {
    char text[64];
    std::snprintf(text, sizeof text, format, n);
    return text;
}

} // namespace

Bitmap DrawDemoMonthPicture(int month) {
    month = std::clamp(month, 1, 12);
    Bitmap b = Blank(kDemoMonthWidth, kDemoMonthHeight);
    Painter p(b);
    std::mt19937 rng(static_cast<std::uint32_t>(1000 + month));
    // No month name on the picture: the pages print the month's name over it.
    PaintMonth(p, month, b.width, b.height, rng);
    return b;
}

Bitmap DrawDemoPentadPicture(int pentad) {
    pentad = std::clamp(pentad, 1, 72);
    Bitmap b = Blank(kDemoPentadWidth, kDemoPentadHeight);
    Painter p(b);
    std::mt19937 rng(static_cast<std::uint32_t>(2000 + pentad));
    PaintPentad(p, pentad, b.width, b.height, rng);
    Label(b, Numbered("demo/kou%02d", pentad), 24, b.height - 84, 0.95);
    return b;
}

std::string DemoMonthPictureName(int month) {
    return Numbered("歳時記%02d.cmp", month);
}

bool WriteDemoMonthPictures(const std::filesystem::path& folder, base::Reporter& reporter) {
    for (int month = 1; month <= 12; ++month) {
        const std::filesystem::path path = folder / DemoMonthPictureName(month);
        if (!WriteFileBytes(path, MakeCmpImage(DrawDemoMonthPicture(month), reporter))) {
            reporter.ShowMessage("ファイル書込みエラー\r" + path.string(), kReadErrorCaption);
            return false;
        }
    }
    return true;
}

bool WriteDemoCommentaryDatabase(const std::filesystem::path& folder, base::Reporter& reporter) {
    std::vector<CommentaryEntry> entries;
    for (int pentad = 1; pentad <= 72; ++pentad) {
        entries.push_back(
            {Numbered("kou%02d.jpg", pentad), 1, EncodeJpegImage(DrawDemoPentadPicture(pentad), 88), false});
    }
    return WriteCommentaryDatabase(folder, entries, reporter);
}

} // namespace pictures
