// Counter, bevel and gauge rendered into memory images; pixels read back.
#include "widgets/BarGauge.h"
#include "widgets/DigitCounter.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>

using namespace tw;

namespace {

// Which 7x13 cell (0..12) is drawn at (x, y) with High = silver, Low = gray on black.
std::string cellPattern(const Image& img, int x0, int y0) {
    std::string s;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 7; ++x) {
            const Colour c = img.pixel(x0 + x, y0 + y);
            s += c == clSilver ? 'S' : c == clGray ? 'g' : c == clBlack ? '.' : '?';
        }
    return s;
}

std::string stripCell(int index) {
    const Image& strip = builtInDigitStrip(DigitStyle::Size7x13);
    return cellPattern(strip, index * 7, 0);
}

} // namespace

TEST(DigitStrip, SevenByThirteenFollowsThePixelTable) {
    const Image& strip = builtInDigitStrip(DigitStyle::Size7x13);
    ASSERT_EQ(strip.width(), 91);
    ASSERT_EQ(strip.height(), 13);
    // Digit 8: every segment lit.
    const std::string eight = stripCell(8);
    auto at = [&](const std::string& s, int x, int y) { return s[static_cast<std::size_t>(y * 7 + x)]; };
    for (int x = 1; x <= 5; ++x) {
        EXPECT_EQ(at(eight, x, 0), 'S');
        EXPECT_EQ(at(eight, x, 6), 'S');
        EXPECT_EQ(at(eight, x, 12), 'S');
    }
    for (int x = 2; x <= 4; ++x) {
        EXPECT_EQ(at(eight, x, 1), 'g');
        EXPECT_EQ(at(eight, x, 5), 'g');
        EXPECT_EQ(at(eight, x, 7), 'g');
        EXPECT_EQ(at(eight, x, 11), 'g');
    }
    for (int y : {1, 2, 3, 4, 5, 7, 8, 9, 10, 11}) {
        EXPECT_EQ(at(eight, 0, y), 'S');
        EXPECT_EQ(at(eight, 6, y), 'S');
    }
    EXPECT_EQ(at(eight, 0, 0), '.');
    EXPECT_EQ(at(eight, 6, 6), '.');
    // Digit 1: top unlit gives gray dots at x 1, 3, 5 only.
    const std::string one = stripCell(1);
    EXPECT_EQ(one.substr(0, 7), ".g.g.g.");
    EXPECT_EQ(at(one, 6, 1), 'S');
    EXPECT_EQ(at(one, 5, 3), 'g');
    EXPECT_EQ(at(one, 0, 1), 'g');
    EXPECT_EQ(at(one, 0, 2), '.');
    // Blank cell: only gray dots, no silver.
    EXPECT_EQ(stripCell(10).find('S'), std::string::npos);
    // Unlit and lit minus.
    const std::string minusOff = stripCell(11), minusOn = stripCell(12);
    EXPECT_EQ(minusOff.substr(5 * 7, 7), ".g.g.g.");
    EXPECT_EQ(minusOff.substr(6 * 7, 7), "..g.g..");
    EXPECT_EQ(minusOn.substr(5 * 7, 7), ".SSSSS.");
    EXPECT_EQ(minusOn.substr(6 * 7, 7), ".SSSSS.");
    EXPECT_EQ(std::count(minusOn.begin(), minusOn.end(), 'S'), 10);
}

TEST(DigitStrip, EveryStyleHasThirteenCellsInThreeColours) {
    for (auto style : {DigitStyle::Size13x24, DigitStyle::Size11x20, DigitStyle::Size7x13, DigitStyle::Size12x17,
                       DigitStyle::Size5x7}) {
        const Image& s = builtInDigitStrip(style);
        const SIZE c = digitCellSize(style);
        EXPECT_EQ(s.width(), 13 * c.cx);
        EXPECT_EQ(s.height(), c.cy);
        for (int y = 0; y < s.height(); ++y)
            for (int x = 0; x < s.width(); ++x) {
                const Colour p = s.pixel(x, y);
                ASSERT_TRUE(p == clBlack || p == clSilver || p == clGray);
            }
    }
    EXPECT_EQ(digitCellSize(DigitStyle::Size5x7).cx, 4);
}

namespace {
// The main window's counter: 49 x 18, 5 digits, 7x13, black Low.
struct MainCounter : ::testing::Test {
    DigitCounter num;
    Image img{49, 18};
    void SetUp() override {
        num.setStyle(DigitStyle::Size7x13);
        num.setDigits(5);
        num.setMax(99999);
        Palette p(clSilver, clWhite);
        num.setPalette(p);
    }
    // Cell index drawn at position i of the field starting at x = 3, y = 2.
    int shownCell(int i) {
        num.render(img);
        const int x0 = 3 + i * 9;
        for (int c = 0; c <= 12; ++c) {
            const std::string want = stripCell(c);
            std::string got;
            for (int y = 0; y < 13; ++y)
                for (int x = 0; x < 7; ++x) {
                    const Colour p = img.pixel(x0 + x, 2 + y);
                    got += p == clWhite ? 'S' : p == clSilver ? 'g' : p == clBlack ? '.' : '?';
                }
            if (got == want) return c;
        }
        return -1;
    }
};
} // namespace

TEST_F(MainCounter, WorkedExampleShowsBlankThenDigits) {
    num.setValue(1234);
    EXPECT_EQ(shownCell(0), 10);
    EXPECT_EQ(shownCell(1), 1);
    EXPECT_EQ(shownCell(4), 4);
    // Nothing drawn left of x = 3 or right of the field.
    for (int y = 0; y < 18; ++y) {
        EXPECT_EQ(img.pixel(2, y), clBlack);
        EXPECT_EQ(img.pixel(46, y), clBlack);
    }
}

TEST_F(MainCounter, ZeroBlankAndLeadingZero) {
    EXPECT_EQ(shownCell(3), 10);
    EXPECT_EQ(shownCell(4), 0);
    num.setZeroBlank(true);
    EXPECT_EQ(shownCell(4), 10);
    num.setZeroBlank(false);
    num.setLeadingZero(true);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(shownCell(i), 0);
}

TEST_F(MainCounter, BlackLowLeavesUnlitSegmentsInvisible) {
    Palette p(clBlack, clLime);
    num.setPalette(p);
    num.setColor(clNavy);
    num.setValue(1);
    num.render(img);
    // Last cell: digit 1; its unlit top dot at (1,0) shows the background.
    EXPECT_EQ(img.pixel(3 + 36 + 1, 2), clNavy);
    EXPECT_EQ(img.pixel(3 + 36 + 6, 2 + 1), clLime);
}

TEST(Counter, ValueClampsAndNotifiesOncePerChange) {
    DigitCounter num;
    num.setMax(99999);
    int changes = 0;
    num.onChange = [&] { ++changes; };
    num.setValue(123456);
    EXPECT_EQ(num.value(), 99999);
    num.setValue(-5);
    EXPECT_EQ(num.value(), 0);
    num.setValue(7);
    num.setValue(7);
    EXPECT_EQ(changes, 3);
    // Bounds that would cross are ignored; lowering Max does not re-clamp.
    num.setMin(99999);
    EXPECT_EQ(num.min(), 0);
    num.setMax(0);
    EXPECT_EQ(num.max(), 99999);
    num.setMax(5);
    EXPECT_EQ(num.value(), 7);
    num.setValue(8);
    EXPECT_EQ(num.value(), 5);
}

TEST(Counter, NegativeMinAddsSignCell) {
    DigitCounter num;
    num.setStyle(DigitStyle::Size7x13);
    num.setDigits(2);
    num.setMin(-10);
    Palette p(clSilver, clWhite);
    num.setPalette(p);
    Image img(40, 13);
    num.setAlignment(DigitAlignment::Left);
    num.setValue(-3);
    num.render(img);
    // Lit minus bar at y 5..6 of the first cell.
    EXPECT_EQ(img.pixel(1, 5), clWhite);
    EXPECT_EQ(img.pixel(5, 6), clWhite);
    num.setValue(3);
    num.render(img);
    EXPECT_EQ(img.pixel(1, 5), clSilver); // unlit minus
    EXPECT_EQ(img.pixel(2, 5), clBlack);
    // Field is one cell and one spacing wider: right-justified 3 cells end at the edge.
    num.setAlignment(DigitAlignment::Right);
    num.render(img);
    EXPECT_EQ(img.pixel(40 - 3 * 7 - 2 * 2 + 1, 5), clSilver);
}

TEST(Counter, RecolouringStartsFromBuiltInStrip) {
    DigitCounter num;
    num.setStyle(DigitStyle::Size7x13);
    num.palette().setHigh(clOlive);
    Image before(100, 26), after(100, 26);
    num.setValue(88);
    num.render(before);
    num.palette().setHigh(clFuchsia);
    num.palette().setHigh(clOlive);
    num.render(after);
    for (int y = 0; y < 26; ++y)
        ASSERT_EQ(0, std::memcmp(before.row(y), after.row(y), 100 * 4)) << y;
    // A High equal to the old Low must not turn Low pixels into High ones.
    num.palette().setHigh(clGreen);
    num.palette().setHigh(clOlive);
    num.render(after);
    EXPECT_EQ(0, std::memcmp(before.row(13), after.row(13), 100 * 4));
}

TEST(Counter, AutoSizeUsesCellsAndSpacing) {
    DigitCounter num;
    num.setStyle(DigitStyle::Size7x13);
    num.setDigits(5);
    num.setAutoSize(true);
    EXPECT_EQ(num.width(), 43);
    EXPECT_EQ(num.height(), 13);
    num.setSpacing(0);
    EXPECT_EQ(num.width(), 35);
}

TEST(Bevel, RingsAndInsetOfWarningPanelBevel) {
    Bevel b;
    BevelValues v;
    v.InnerShadow = v.OuterShadow = clGreen;
    v.InnerHighlight = v.OuterHighlight = clLime;
    v.InnerColor = clBlack;
    int notes = 0;
    b.onChange = [&] { ++notes; };
    b.assign(v);
    b.assign(v);
    EXPECT_EQ(notes, 2); // a whole assignment always notifies, once
    b.setValue(&BevelValues::InnerSpace, 1);
    EXPECT_EQ(notes, 2);
    EXPECT_EQ(b.inset(), 4);
    Image img(20, 10);
    img.fill(clYellow);
    RECT r{0, 0, 20, 10};
    b.draw(img, r);
    EXPECT_EQ(r.left, 4);
    EXPECT_EQ(r.bottom, 6);
    EXPECT_EQ(img.pixel(0, 0), clBlack);
    EXPECT_EQ(img.pixel(1, 5), clLime);   // raised: left lime
    EXPECT_EQ(img.pixel(18, 5), clGreen); // right green
    EXPECT_EQ(img.pixel(18, 1), clGreen); // top-right corner takes the second colour
    EXPECT_EQ(img.pixel(2, 5), clGreen);  // lowered: left green
    EXPECT_EQ(img.pixel(17, 5), clLime);
    EXPECT_EQ(img.pixel(3, 5), clBlack);
    EXPECT_EQ(img.pixel(4, 5), clYellow);
    b.setValue(&BevelValues::Visible, false);
    EXPECT_EQ(b.inset(), 0);
}

TEST(Bevel, RingPrimitiveCorners) {
    Image img(4, 4);
    RECT r{0, 0, 4, 4};
    drawRings(img, r, clRed, clBlue, 1);
    EXPECT_EQ(img.pixel(0, 0), clRed);
    EXPECT_EQ(img.pixel(3, 0), clBlue);
    EXPECT_EQ(img.pixel(0, 3), clBlue);
    EXPECT_EQ(img.pixel(3, 3), clBlue);
    EXPECT_EQ(img.pixel(1, 1), clBlack);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.right, 3);
}

namespace {
struct MainGauge : ::testing::Test {
    BarGauge g;
    Image img{345, 33};
    void SetUp() override {
        g.setOrientation(GaugeOrientation::Horizontal);
        g.setBounds(0, 0, 345, 33);
        g.setMaxValue(99);
    }
    int litColumns() {
        g.render(img);
        int n = 0;
        for (int x = 5; x < 340; ++x)
            if (img.pixel(x, 16) == clLime) ++n;
        return n;
    }
};
} // namespace

TEST_F(MainGauge, WorkedExample) {
    EXPECT_EQ(g.tickCount(), 168);
    g.snapSize();
    EXPECT_EQ(g.width(), 345);
    g.setPosition(50);
    EXPECT_EQ(litColumns(), 84);
    EXPECT_EQ(img.pixel(5, 16), clLime);
    EXPECT_EQ(img.pixel(6, 16), clBlack);
    EXPECT_EQ(img.pixel(5 + 2 * 84, 16), clGreen);
    g.setPosition(99);
    EXPECT_EQ(litColumns(), 168);
    g.setPosition(1);
    EXPECT_EQ(litColumns(), 1);
    g.setPosition(0);
    EXPECT_EQ(litColumns(), 0);
}

TEST_F(MainGauge, TopRightLightsFromTheRight) {
    g.setStyle(GaugeFillStart::FromTopRight);
    g.setPosition(1);
    EXPECT_EQ(litColumns(), 1);
    EXPECT_EQ(img.pixel(339, 16), clLime);
}

TEST_F(MainGauge, SnapsWidthAtPaint) {
    g.setBounds(0, 0, 346, 33);
    g.snapSize();
    EXPECT_EQ(g.width(), 345);
}

TEST(Gauge, RangeRulesAndEvents) {
    BarGauge g;
    int changes = 0, mins = 0, maxes = 0;
    g.onChange = [&] { ++changes; };
    g.OnMinValue = [&] { ++mins; };
    g.OnMaxValue = [&] { ++maxes; };
    g.setMaxValue(0);
    g.setMaxValue(-1);
    EXPECT_EQ(g.maxValue(), 100);
    g.setPosition(33);
    g.setMaxValue(5);
    EXPECT_EQ(g.position(), 5);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(maxes, 1);
    g.setPosition(-7);
    EXPECT_EQ(g.position(), 0);
    EXPECT_EQ(mins, 1);
    g.setTickHeight(0);
    EXPECT_EQ(g.tickHeight(), 1);
    g.setMaxValue(1000);
    g.setPosition(9);
    EXPECT_EQ(g.litTicks(), 0);
}

TEST(Gauge, CheckerboardUnlitTicks) {
    BarGauge g;
    g.setTickHeight(2);
    Image img(30, 170);
    g.render(img);
    // Bottom tick, vertical: rows 163..164 within A = x 5..24.
    const int y = 170 - 5 - 2;
    EXPECT_EQ(img.pixel(5 + 0, y + 0), (((5 - 5) & 1) == (0 & 1)) ? clGreen : clBlack);
    EXPECT_NE(img.pixel(5, y), img.pixel(6, y));
    EXPECT_EQ(img.pixel(5, y), img.pixel(6, y + 1));
    g.setSolidFill(true);
    g.render(img);
    EXPECT_EQ(img.pixel(6, y), clGreen);
}
