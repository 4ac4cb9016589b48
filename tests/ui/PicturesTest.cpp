#include "ui/Flags.h"
#include "widgets/PictureButton.h"

#include <gtest/gtest.h>

using namespace tw;

TEST(Pictures, FlagsHaveTheirSizesAndNoTransparentPixel) {
    for (auto f : {FlagPicture::UnitedKingdom, FlagPicture::France}) {
        Picture p = flagPicture(f);
        ASSERT_EQ(p.width, 24);
        ASSERT_EQ(p.height, 14);
        ASSERT_EQ(p.pixels.size(), 24u * 14u);
        for (auto px : p.pixels) EXPECT_NE(px, kPictureTransparent);
    }
    Picture fr = flagPicture(FlagPicture::France);
    // Blue, white and red bands, left to right.
    EXPECT_EQ(fr.at(3, 7), 0x0055A4u);
    EXPECT_EQ(fr.at(12, 7), 0xFFFFFFu);
    EXPECT_EQ(fr.at(20, 7), 0xEF4135u);
    Picture uk = flagPicture(FlagPicture::UnitedKingdom);
    EXPECT_EQ(uk.at(12, 7), 0xC8102Eu) << "red cross in the middle";
}

TEST(Pictures, BadgePicturesAreRoundOnLime) {
    for (auto f : {FlagPicture::EnglishBadges, FlagPicture::FrenchBadges}) {
        Picture p = flagPicture(f);
        ASSERT_EQ(p.width, 30);
        ASSERT_EQ(p.height, 24);
        int opaque = 0;
        for (auto px : p.pixels) opaque += px != kPictureTransparent;
        EXPECT_GT(opaque, 30 * 24 / 2) << "badges cover most of the picture";
        EXPECT_LT(opaque, 30 * 24) << "the background stays transparent";
        EXPECT_EQ(p.at(0, 0), kPictureTransparent);
        EXPECT_EQ(p.at(29, 23), kPictureTransparent);
    }
    Picture fr = flagPicture(FlagPicture::FrenchBadges);
    // Four badges: each quarter has an opaque centre.
    for (auto [x, y] : {std::pair{7, 6}, {22, 6}, {7, 18}, {22, 18}}) EXPECT_NE(fr.at(x, y), kPictureTransparent);
}

TEST(Pictures, ButtonPicturesDrawOnlyTheirShape) {
    for (auto b : {ButtonPicture::Yes, ButtonPicture::No, ButtonPicture::Close, ButtonPicture::Help}) {
        Picture p = buttonPicture(b);
        ASSERT_EQ(p.width, 16);
        int opaque = 0;
        for (auto px : p.pixels) opaque += px != kPictureTransparent;
        EXPECT_GT(opaque, 10);
        EXPECT_LT(opaque, 256);
    }
}

TEST(Pictures, DrawingKeepsTheBackgroundUnderLimePixels) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 40, -30, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bmp = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, bmp);
    auto* px = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < 40 * 30; ++i) px[i] = 0x123456;
    Picture p = flagPicture(FlagPicture::EnglishBadges);
    drawPicture(dc, 5, 3, p);
    ::GdiFlush();
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 30; ++x) {
            std::uint32_t want = p.at(x, y) == kPictureTransparent ? 0x123456u : p.at(x, y);
            ASSERT_EQ(px[(y + 3) * 40 + x + 5], want) << x << "," << y;
        }
    EXPECT_EQ(px[0], 0x123456u);
    ::SelectObject(dc, old);
    ::DeleteObject(bmp);
    ::DeleteDC(dc);
}
