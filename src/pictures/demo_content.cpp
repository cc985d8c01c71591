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

void Grass(Painter& p, std::mt19937& rng, int w, double base, int count, Rgb stem, Rgb plume) {
    std::uniform_real_distribution<double> ux(0, w), uh(160, 380), ul(-0.35, 0.1);
    for (int i = 0; i < count; ++i) {
        const double x = ux(rng), h = uh(rng), lean = ul(rng);
        const double tx = x + std::sin(lean) * h, ty = base - std::cos(lean) * h;
        p.Line(x, base, tx, ty, 2.2, stem);
        p.FillEllipse(tx - std::sin(lean) * 22, ty + std::cos(lean) * 22, 9, 30, lean, plume, 0.85);
    }
}

// The motif of a month drawn on a w × h picture.
void PaintMonth(Painter& p, int month, int w, int h, std::mt19937& rng) {
    std::uniform_real_distribution<double> ux(0, w), uy(0, h);
    switch (month) {
    case 1: // first sunrise over snowy mountains
        p.VerticalGradient(0, h, 0x1B2A56, 0xF6B48A);
        p.FillCircle(w * 0.62, h * 0.52, w * 0.12, 0xE8412C);
        p.FillBelow(Hills(w, h * 0.62, h * 0.12, rng), 0xE8EEF6);
        p.FillBelow(Hills(w, h * 0.78, h * 0.05, rng), 0xB9C7DA);
        Scatter(p, rng, 140, w, h, 2, 5, 0xFFFFFF, 0.9);
        break;
    case 2: // plum blossoms in the cold
        p.VerticalGradient(0, h, 0xC9D6E8, 0xF3F0F4);
        Tree(p, rng, w * 0.3, h * 0.95, h * 0.25, 0xD43A6A, 0xF4E060, 16);
        Tree(p, rng, w * 0.75, h * 0.98, h * 0.2, 0xF2F2F6, 0xE8C840, 13);
        Scatter(p, rng, 60, w, h, 2, 4, 0xFFFFFF, 0.9);
        break;
    case 3: // peach blossoms and a soft spring field
        p.VerticalGradient(0, h, 0xF7E1E8, 0xFFF6E8);
        p.FillBelow(Hills(w, h * 0.8, h * 0.04, rng), 0xA9CF8A);
        Tree(p, rng, w * 0.5, h * 0.86, h * 0.26, 0xF28CB0, 0xC8405A, 18);
        Scatter(p, rng, 80, w, h * 0.8, 3, 6, 0xF7A8C4, 0.7);
        break;
    case 4: // cherry trees in full bloom, falling petals
        p.VerticalGradient(0, h, 0x8FC6F0, 0xE9F4FB);
        p.FillBelow(Hills(w, h * 0.76, h * 0.05, rng), 0x7DB86A);
        Tree(p, rng, w * 0.28, h * 0.9, h * 0.24, 0xF9C7D6, 0xE97A9A, 20);
        Tree(p, rng, w * 0.74, h * 0.88, h * 0.22, 0xFBD3DF, 0xE97A9A, 18);
        for (int i = 0; i < 120; ++i)
            p.FillEllipse(ux(rng), uy(rng), 6, 3.5, uy(rng), 0xF9B8CB, 0.85);
        break;
    case 5: // carp streamers in a May sky
        p.VerticalGradient(0, h, 0x3C8DDC, 0xCDE8FA);
        p.FillBelow(Hills(w, h * 0.85, h * 0.03, rng), 0x4E9A3A);
        p.Line(w * 0.2, h * 0.9, w * 0.2, h * 0.12, 10, 0x7A5A3A);
        Carp(p, w * 0.5, h * 0.2, w * 0.5, 0x1D2B5A);
        Carp(p, w * 0.48, h * 0.32, w * 0.42, 0xD8342C);
        Carp(p, w * 0.45, h * 0.43, w * 0.34, 0x2F7FD0);
        for (int i = 0; i < 5; ++i)
            p.FillEllipse(ux(rng), h * (0.55 + 0.05 * i), 90, 24, 0, 0xFFFFFF, 0.8);
        break;
    case 6: // hydrangeas in the rainy season
        p.VerticalGradient(0, h, 0x7C8A99, 0xCDD5DD);
        for (int i = 0; i < 170; ++i) {
            const double x = ux(rng), y = uy(rng);
            p.Line(x, y, x - 10, y + 46, 1.6, 0xE8F0F8, 0.7);
        }
        for (int c = 0; c < 7; ++c) {
            const double cx = w * (0.1 + 0.13 * c), cy = h * (0.75 + 0.08 * std::sin(c * 1.7));
            p.FillEllipse(cx, cy + 70, 80, 30, 0.2, 0x3E7A3E);
            const Rgb tone = MixRgb(0x5A6FD8, 0xB05AC8, c / 6.0);
            for (int k = 0; k < 45; ++k) {
                std::normal_distribution<double> n(0, 38);
                Flower(p, cx + n(rng), cy + n(rng) * 0.8, 16, MixRgb(tone, 0xFFFFFF, 0.25 * (k % 3)), 0xF0F0FF,
                       ux(rng));
            }
        }
        break;
    case 7: { // the Milky Way on Tanabata night
        p.VerticalGradient(0, h, 0x070B2A, 0x24305E);
        std::normal_distribution<double> band(0, w * 0.09);
        for (int i = 0; i < 1500; ++i) {
            const double t = uy(rng) / h;
            p.FillCircle(w * 0.2 + t * w * 0.6 + band(rng), t * h, 0.8 + (i % 7 == 0), 0xFFFFFF, 0.55);
        }
        Scatter(p, rng, 250, w, h, 0.8, 1.8, 0xFFF8D8, 0.9);
        p.FillCircle(w * 0.22, h * 0.3, 7, 0xFFF2B0);
        p.FillCircle(w * 0.8, h * 0.62, 7, 0xFFF2B0);
        p.Line(w * 0.62, h, w * 0.7, h * 0.55, 6, 0x2E7A3A);
        for (int i = 0; i < 6; ++i) {
            const double y = h * (0.62 + i * 0.06);
            p.FillPolygon({{w * 0.69 - 2, y}, {w * 0.69 + 22, y}, {w * 0.69 + 20, y + 56}, {w * 0.69, y + 56}},
                          i % 2 ? 0xF2D24A : 0xE85A7A);
        }
        break;
    }
    case 8: // sunflowers under the summer sun, the sea behind
        p.VerticalGradient(0, h * 0.55, 0x2E86DE, 0xBDE3FA);
        p.VerticalGradient(static_cast<int>(h * 0.55), h, 0x1E6FB8, 0x59B4E8);
        p.FillCircle(w * 0.78, h * 0.14, w * 0.09, 0xFFF3A0);
        p.FillBelow(Hills(w, h * 0.82, h * 0.03, rng), 0x5FA83C);
        for (int i = 0; i < 5; ++i)
            Sunflower(p, w * (0.12 + 0.19 * i), h * (0.62 + 0.06 * (i % 2)), 46);
        break;
    case 9: // full moon over pampas grass
        p.VerticalGradient(0, h, 0x27204A, 0x9C6E8E);
        p.FillCircle(w * 0.66, h * 0.28, w * 0.13, 0xFFF4C8);
        p.FillCircle(w * 0.66, h * 0.28, w * 0.16, 0xFFF4C8, 0.15);
        p.FillBelow(Hills(w, h * 0.86, h * 0.03, rng), 0x2A2438);
        Grass(p, rng, w, h * 0.9, 40, 0x5A5A40, 0xE6D8B8);
        break;
    case 10: // maple leaves in autumn light
        p.VerticalGradient(0, h, 0xF6D48E, 0xE58A4E);
        p.FillBelow(Hills(w, h * 0.72, h * 0.08, rng), 0xB5542A, 0.8);
        p.FillBelow(Hills(w, h * 0.84, h * 0.04, rng), 0x7A3A1E);
        for (int i = 0; i < 70; ++i) {
            const Rgb c = MixRgb(0xD42A1A, 0xF0A020, (i % 5) / 4.0);
            Leaf(p, ux(rng), uy(rng) * 0.85, 22 + (i % 4) * 6, ux(rng), c);
        }
        break;
    case 11: // ginkgo gold and persimmons
        p.VerticalGradient(0, h, 0xA9C4D8, 0xF2E6C8);
        for (int i = 0; i < 150; ++i) {
            const double x = ux(rng), y = uy(rng), a = ux(rng);
            p.FillEllipse(x, y, 16, 10, a, MixRgb(0xF2C21A, 0xE89A10, (i % 3) / 2.0));
            p.Line(x, y, x - std::cos(a) * 20, y - std::sin(a) * 20, 2, 0x8A6A20);
        }
        p.Line(0, h * 0.3, w * 0.7, h * 0.38, 12, 0x4A3020);
        for (int i = 0; i < 6; ++i) {
            const double x = w * (0.1 + 0.1 * i), y = h * (0.3 + 0.012 * i) + 44;
            p.Line(x, y - 40, x, y - 26, 3, 0x4A3020);
            p.FillCircle(x, y, 26, 0xF07A1A);
            p.FillEllipse(x, y - 24, 14, 5, 0, 0x4A6A2A);
        }
        break;
    default: // snow on pine woods at the year's end
        p.VerticalGradient(0, h, 0x1A2440, 0x5A6E96);
        p.FillBelow(Hills(w, h * 0.7, h * 0.06, rng), 0xDDE6F2);
        for (int i = 0; i < 9; ++i)
            Pine(p, w * (0.05 + 0.11 * i), h * (0.78 + 0.02 * (i % 3)), 180 + 30 * (i % 3), 0x1E4A32);
        p.FillBelow(Hills(w, h * 0.86, h * 0.02, rng), 0xF4F8FC);
        Scatter(p, rng, 320, w, h, 1.5, 4.5, 0xFFFFFF, 0.9);
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
