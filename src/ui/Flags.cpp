#include "ui/Flags.h"


#include <cmath>
#include <cstring>

namespace tw {

namespace {

using Rgb = std::uint32_t;  // 0x00RRGGBB

constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kBlack = 0x000000;
constexpr Rgb kUkBlue = 0x012169;
constexpr Rgb kUkRed = 0xC8102E;
constexpr Rgb kFrBlue = 0x0055A4;
constexpr Rgb kFrRed = 0xEF4135;
constexpr Rgb kCaRed = 0xD80621;
constexpr Rgb kUsRed = 0xB22234;
constexpr Rgb kUsBlue = 0x3C3B6E;
constexpr Rgb kBeYellow = 0xFDDA24;
constexpr Rgb kBeRed = 0xEF3340;
constexpr Rgb kChRed = 0xDA291C;
constexpr Rgb kQcBlue = 0x003DA5;
constexpr Rgb kOutline = 0x404040;

enum class Country { UnitedKingdom, France, Canada, UnitedStates, Belgium, Switzerland, Quebec };

// Colour of a flag at (u, v), both in [0, 1), for a flag of the given aspect (width / height).
Rgb sampleFlag(Country c, double u, double v, double aspect) {
    switch (c) {
    case Country::France:
        return u < 1.0 / 3 ? kFrBlue : (u < 2.0 / 3 ? kWhite : kFrRed);
    case Country::Belgium:
        return u < 1.0 / 3 ? kBlack : (u < 2.0 / 3 ? kBeYellow : kBeRed);
    case Country::Canada: {
        if (u < 0.25 || u >= 0.75) return kCaRed;
        // A stylised maple leaf: a diamond with a short stem.
        double du = std::fabs(u - 0.5) * aspect, dv = v - 0.45;
        if (du + std::fabs(dv) < 0.28) return kCaRed;
        if (du < 0.04 && v >= 0.45 && v < 0.8) return kCaRed;
        return kWhite;
    }
    case Country::UnitedStates: {
        if (u < 0.42 && v < 7.0 / 13) {
            // Stars as a grid of white dots in the blue canton.
            double su = std::fmod(u / 0.42 * 6, 1.0), sv = std::fmod(v / (7.0 / 13) * 5, 1.0);
            return (std::fabs(su - 0.5) < 0.22 && std::fabs(sv - 0.5) < 0.22) ? kWhite : kUsBlue;
        }
        return (static_cast<int>(v * 13) % 2 == 0) ? kUsRed : kWhite;
    }
    case Country::Switzerland: {
        double du = std::fabs(u - 0.5) * aspect, dv = std::fabs(v - 0.5);
        bool cross = (du < 0.1 && dv < 0.32) || (dv < 0.1 && du < 0.32);
        return cross ? kWhite : kChRed;
    }
    case Country::Quebec: {
        double du = std::fabs(u - 0.5) * aspect, dv = std::fabs(v - 0.5);
        if (du < 0.08 || dv < 0.08) return kWhite;
        // One fleur-de-lis (a white dot) in the middle of each quarter.
        double qu = std::fabs(du - 0.5 * aspect / 2), qv = std::fabs(dv - 0.25);
        if (qu * qu + qv * qv < 0.012) return kWhite;
        return kQcBlue;
    }
    case Country::UnitedKingdom: {
        // Work in a 2:1 flag box centred on (0, 0): x in [-1, 1], y in [-0.5, 0.5].
        double x = (u - 0.5) * 2, y = (v - 0.5) * 2 * 0.5;
        (void)aspect;
        double ax = std::fabs(x), ay = std::fabs(y);
        if (ax < 1.0 / 10 * 0.9 || ay < 1.0 / 10 * 0.9) return kUkRed;                 // St George
        if (ax < 1.0 / 6 * 1.1 || ay < 1.0 / 6 * 1.1) return kWhite;                   // its fimbriation
        // Distance to the two diagonals y = +-x/2 (normalised).
        double d1 = std::fabs(y - x / 2) / std::sqrt(1.25), d2 = std::fabs(y + x / 2) / std::sqrt(1.25);
        // The red saltire is offset (counterchanged): on one side of each diagonal only.
        bool onRed1 = d1 < 0.045 && ((x > 0) == (y - x / 2 < 0));
        bool onRed2 = d2 < 0.045 && ((x > 0) == (y + x / 2 > 0));
        if (onRed1 || onRed2) return kUkRed;
        if (d1 < 0.1 || d2 < 0.1) return kWhite;
        return kUkBlue;
    }
    }
    return kWhite;
}

Rgb average(const Rgb* colours, int n) {
    unsigned r = 0, g = 0, b = 0;
    for (int i = 0; i < n; ++i) {
        r += (colours[i] >> 16) & 0xFF;
        g += (colours[i] >> 8) & 0xFF;
        b += colours[i] & 0xFF;
    }
    return ((r / n) << 16) | ((g / n) << 8) | (b / n);
}

// Never let a blended colour turn into the transparent key.
Rgb notKey(Rgb c) { return c == kPictureTransparent ? 0x00FE00 : c; }

// A rectangular flag, 3 x 3 samples per pixel, with a thin dark outline.
Picture rectangularFlag(Country c, int w, int h) {
    Picture p{w, h, std::vector<std::uint32_t>(static_cast<size_t>(w) * h)};
    double aspect = static_cast<double>(w) / h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Rgb s[9];
            int k = 0;
            for (int sy = 0; sy < 3; ++sy)
                for (int sx = 0; sx < 3; ++sx)
                    s[k++] = sampleFlag(c, (x + (sx + 0.5) / 3) / w, (y + (sy + 0.5) / 3) / h, aspect);
            Rgb px = average(s, 9);
            if (x == 0 || y == 0 || x == w - 1 || y == h - 1) px = kOutline;
            p.pixels[static_cast<size_t>(y) * w + x] = notKey(px);
        }
    return p;
}

struct Badge {
    Country country;
    double cx, cy, radius;
    double crop;    // the part of the flag's width the badge shows
    double aspect;  // the flag's width / height, for its crosses and leaf
};

// Round badges on a lime background: hard edges, so no pixel blends into the key.
Picture badges(const Badge* list, int count, int w, int h) {
    Picture p{w, h, std::vector<std::uint32_t>(static_cast<size_t>(w) * h, kPictureTransparent)};
    for (int i = 0; i < count; ++i) {
        const Badge& b = list[i];
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                double dx = x + 0.5 - b.cx, dy = y + 0.5 - b.cy;
                double d = std::sqrt(dx * dx + dy * dy);
                if (d > b.radius) continue;
                Rgb px = kOutline;
                if (d <= b.radius - 1) {
                    double u = (dx + b.radius) / (2 * b.radius), v = (dy + b.radius) / (2 * b.radius);
                    px = sampleFlag(b.country, 0.5 + (u - 0.5) * b.crop, v, b.aspect);
                }
                p.pixels[static_cast<size_t>(y) * w + x] = notKey(px);
            }
    }
    return p;
}

} // namespace

Picture flagPicture(FlagPicture which) {
    switch (which) {
    case FlagPicture::UnitedKingdom: return rectangularFlag(Country::UnitedKingdom, 24, 14);
    case FlagPicture::France: return rectangularFlag(Country::France, 24, 14);
    case FlagPicture::EnglishBadges: {
        // Two badges above, one below between them.
        const Badge list[] = {{Country::UnitedKingdom, 7.5, 7, 7, 0.6, 1.2},
                              {Country::UnitedStates, 22.5, 7, 7, 0.8, 1.2},
                              {Country::Canada, 15, 17, 7, 0.9, 1.0}};
        return badges(list, 3, 30, 24);
    }
    case FlagPicture::FrenchBadges: {
        const Badge list[] = {{Country::Belgium, 7.5, 6, 6, 1.0, 1.0},
                              {Country::Switzerland, 22.5, 6, 6, 1.0, 1.0},
                              {Country::Quebec, 7.5, 18, 6, 1.0, 1.0},
                              {Country::France, 22.5, 18, 6, 1.0, 1.0}};
        return badges(list, 4, 30, 24);
    }
    }
    return {};
}

} // namespace tw
