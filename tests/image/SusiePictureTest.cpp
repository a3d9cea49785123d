// The plug-in calls of the image viewer: what a missing plug-in or entry
// point gives, and that a failed call's handles are never touched.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "archive/SusieApi.h"
#include "viewers/image/ImageDecode.h"
#include "viewers/image/SusiePicture.h"

using namespace quib;
using namespace quibtest;

namespace {

std::wstring FakesDir() { return UnixToWin(QUIB_IMAGE_FAKES_DIR); }

TEST(SusiePicture, MissingPluginOrEntryIsNoSuccess) {
    TempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir / L"p.ppm", "P6 1 1 255\n\x01\x02\x03"));
    SusieDib dib;
    // Once 0 ("success") with an empty bitmap; now a failure.
    EXPECT_EQ(FileGetPicture(dir / L"none.spi", dir / L"p.ppm", dib), -1);
    EXPECT_EQ(FileIsSupportedPicture(dir / L"none.spi", dir / L"p.ppm"), 0);
    EXPECT_EQ(FileIsSupportedPicture(dir / L"none.spi", dir / L"missing.ppm"), kSusieFileMissing);
    // The archive fake has IsSupported but no GetPicture.
    EXPECT_EQ(FileGetPicture(FakesDir() + L"\\quib_fake_susie.dll", dir / L"p.ppm", dib), -1);
    EXPECT_TRUE(dib.info.empty());
}

TEST(SusiePicture, FailedCallsHandlesAreLeftAlone) {
    TempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir / L"p.ppm", "P6 1 1 255\n\x01\x02\x03"));
    SusieDib dib;
    EXPECT_EQ(FileGetPicture(FakesDir() + L"\\quib_fake_picture.spi", dir / L"p.ppm", dib), 3);
    EXPECT_TRUE(dib.info.empty());
    EXPECT_TRUE(dib.bits.empty());
}

TEST(SusiePicture, APluginThatFaultsIsAFailureAndTheNextCallWorks) {
    TempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir / L"p.ppm", "P6 1 1 255\n\x01\x02\x03"));
    SusieDib dib;
    EXPECT_EQ(FileGetPicture(FakesDir() + L"\\quib_fake_picture_faults.spi", dir / L"p.ppm", dib), kSusieCallFaulted);
    EXPECT_TRUE(dib.info.empty());
    EXPECT_TRUE(dib.bits.empty());
    EXPECT_EQ(FileGetPicture(BinDir() + L"\\quibppm.spi", dir / L"p.ppm", dib), 0);
    EXPECT_FALSE(dib.bits.empty());
}

TEST(SusiePicture, StandInPluginDecodesColourAndGrey) {
    TempDir dir;
    const std::wstring spi = BinDir() + L"\\quibppm.spi";
    // 2 x 1 colour: red, blue; 3 x 2 grey with maxval 2.
    ASSERT_TRUE(WriteFileBytes(dir / L"c.ppm", std::string("P6\n2 1\n255\n\xFF\x00\x00\x00\x00\xFF", 17)));
    ASSERT_TRUE(WriteFileBytes(dir / L"g.pgm", std::string("P5 3 2 2\n\x00\x01\x02\x02\x01\x00", 15)));
    EXPECT_NE(FileIsSupportedPicture(spi, dir / L"c.ppm"), 0);
    SusieDib dib;
    ASSERT_EQ(FileGetPicture(spi, dir / L"c.ppm", dib), 0);
    DecodedImage img;
    ASSERT_EQ(DecodeDib(dib.info.data(), dib.info.size(), dib.bits.data(), dib.bits.size(), img), DecodeStatus::Ok);
    ASSERT_EQ(img.width, 2);
    ASSERT_EQ(img.height, 1);
    EXPECT_EQ(img.pixels, (std::vector<std::uint8_t>{0, 0, 255, 255, 255, 0, 0, 255}));
    ASSERT_EQ(FileGetPicture(spi, dir / L"g.pgm", dib), 0);
    ASSERT_EQ(DecodeDib(dib.info.data(), dib.info.size(), dib.bits.data(), dib.bits.size(), img), DecodeStatus::Ok);
    ASSERT_EQ(img.height, 2);
    EXPECT_EQ(img.pixels[0], 0);        // top-left black
    EXPECT_EQ(img.pixels[4], 127);      // 1 of 2
    EXPECT_EQ(img.pixels[8], 255);
    EXPECT_EQ(img.pixels[12], 255);     // second row starts white
    // Pixel data shorter than the header says: refused by the plug-in.
    ASSERT_TRUE(WriteFileBytes(dir / L"short.ppm", "P6 4 4 255\nabc"));
    EXPECT_EQ(FileGetPicture(spi, dir / L"short.ppm", dib), 3);
}

// A plug-in's blocks are read only as far as their sizes and the header agree.
TEST(SusiePicture, DibBlocksAreChecked) {
    BITMAPINFOHEADER h{sizeof h, 4, 4, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint8_t> bits(4 * 12);
    DecodedImage img;
    EXPECT_EQ(DecodeDib(&h, sizeof h, bits.data(), bits.size(), img), DecodeStatus::Ok);
    EXPECT_EQ(DecodeDib(&h, sizeof h, bits.data(), bits.size() - 1, img), DecodeStatus::Failed);
    EXPECT_EQ(DecodeDib(&h, sizeof h - 1, bits.data(), bits.size(), img), DecodeStatus::Failed);
    h.biBitCount = 8;  // a colour table the block does not hold
    EXPECT_EQ(DecodeDib(&h, sizeof h, bits.data(), bits.size(), img), DecodeStatus::Failed);
    h.biBitCount = 24, h.biWidth = -4;
    EXPECT_EQ(DecodeDib(&h, sizeof h, bits.data(), bits.size(), img), DecodeStatus::Failed);
    h.biWidth = 200000, h.biHeight = 200000;
    EXPECT_EQ(DecodeDib(&h, sizeof h, bits.data(), bits.size(), img), DecodeStatus::TooLarge);
    EXPECT_EQ(DecodeDib(nullptr, 0, bits.data(), bits.size(), img), DecodeStatus::Failed);
}

TEST(SusiePicture, BitmapSizeLimit) {
    EXPECT_TRUE(BitmapSizeAllowed(6000, 4000));
    EXPECT_FALSE(BitmapSizeAllowed(0, 10));
    EXPECT_EQ(BitmapSizeAllowed(20480, 20480), sizeof(void*) == 8);
    EXPECT_FALSE(BitmapSizeAllowed(100000, 100000));
}

}  // namespace
