#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "output/BmpFile.h"
#include "output/ManualPath.h"
#include "output/OutputGeometry.h"

namespace purimo {
namespace {

std::uint32_t Read32(const std::string& bytes, size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    return v;
}

std::uint32_t Read16(const std::string& bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8);
}

BmpImage Blank(int width, int height, int bits) {
    BmpImage image{width, height, bits, {}, {}};
    if (bits <= 8)
        image.palette.assign(size_t{1} << bits, 0);
    image.pixels.assign(static_cast<size_t>(BmpRowBytes(width, bits) * static_cast<std::uint64_t>(height)), '\0');
    return image;
}

TEST(BmpFileTest, FullWindowAt32BitsHasThePixelsAt54AndTheExactLength) {
    BmpImage image = Blank(1002, 585, 32);
    std::string header = BmpHeaderBytes(image);
    ASSERT_EQ(header.size(), 54u);
    EXPECT_EQ(header.substr(0, 2), "BM");
    EXPECT_EQ(Read32(header, 2), 2344734u);
    EXPECT_EQ(Read32(header, 6), 0u); // both reserved words
    EXPECT_EQ(Read32(header, 10), 54u);
    EXPECT_EQ(Read32(header, 14), 40u);
    EXPECT_EQ(Read32(header, 18), 1002u);
    EXPECT_EQ(Read32(header, 22), 585u); // positive: bottom-up
    EXPECT_EQ(Read16(header, 26), 1u);
    EXPECT_EQ(Read16(header, 28), 32u);
    EXPECT_EQ(Read32(header, 30), 0u);
    EXPECT_EQ(Read32(header, 34), 4u * 1002u * 585u);
    for (size_t at = 38; at < 54; at += 4)
        EXPECT_EQ(Read32(header, at), 0u) << at;
    EXPECT_EQ(BmpFileBytes(image).size(), 2344734u);
}

TEST(BmpFileTest, SmallImageIsWrittenByteForByteWithPaddedRowsInOrder) {
    // 3 x 2 at 24 bits: 9 bytes of pixels per row, padded to 12.
    BmpImage image{3, 2, 24, {}, {}};
    image.pixels = std::string("bottom-row\0\0top-row--\0\0", 24);
    std::string expected("BM\x4e\0\0\0\0\0\0\0\x36\0\0\0"
                         "\x28\0\0\0\x03\0\0\0\x02\0\0\0\x01\0\x18\0\0\0\0\0\x18\0\0\0"
                         "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0",
                         54);
    expected += image.pixels;
    EXPECT_EQ(BmpFileBytes(image), expected);
}

TEST(BmpFileTest, RowsArePaddedToFourBytesAtEveryDepth) {
    EXPECT_EQ(BmpRowBytes(912, 32), 3648u);
    EXPECT_EQ(BmpRowBytes(1, 24), 4u);
    EXPECT_EQ(BmpRowBytes(5, 24), 16u);
    EXPECT_EQ(BmpRowBytes(3, 16), 8u);
    EXPECT_EQ(BmpRowBytes(5, 8), 8u);
    EXPECT_EQ(BmpRowBytes(9, 4), 8u);
    EXPECT_EQ(BmpRowBytes(33, 1), 8u);
    EXPECT_EQ(BmpRowBytes(0, 32), 0u);
    EXPECT_EQ(BmpRowBytes(10, 12), 0u);
}

TEST(BmpFileTest, ColorTableComesOnlyAtEightBitsOrFewer) {
    BmpImage mono = Blank(8, 1, 1);
    mono.palette = {0x000000, 0xFFFFFF};
    std::string header = BmpHeaderBytes(mono);
    ASSERT_EQ(header.size(), 62u);
    EXPECT_EQ(Read32(header, 10), 62u);
    EXPECT_EQ(Read32(header, 46), 0u); // a full table is given as 0 colors used
    EXPECT_EQ(Read32(header, 54), 0u);
    EXPECT_EQ(Read32(header, 58), 0xFFFFFFu);

    BmpImage partial = Blank(4, 4, 8);
    partial.palette.assign(16, 0x112233);
    header = BmpHeaderBytes(partial);
    EXPECT_EQ(Read32(header, 10), 54u + 64u);
    EXPECT_EQ(Read32(header, 46), 16u);
    EXPECT_EQ(Read32(header, 2), 54u + 64u + 16u);

    BmpImage truecolor = Blank(2, 2, 32);
    truecolor.palette = {0};
    EXPECT_THROW(BmpHeaderBytes(truecolor), std::invalid_argument);
    BmpImage noTable = Blank(2, 2, 8);
    noTable.palette.clear();
    EXPECT_THROW(BmpHeaderBytes(noTable), std::invalid_argument);
}

TEST(BmpFileTest, ImagesThatNoBmpCanHoldAreRefused) {
    EXPECT_THROW(BmpHeaderBytes(BmpImage{0, 5, 32, {}, {}}), std::invalid_argument);
    EXPECT_THROW(BmpHeaderBytes(BmpImage{5, 0, 32, {}, {}}), std::invalid_argument);
    EXPECT_THROW(BmpHeaderBytes(BmpImage{5, -5, 32, {}, {}}), std::invalid_argument);
    BmpImage short_ = Blank(3, 3, 32);
    short_.pixels.pop_back();
    EXPECT_THROW(BmpHeaderBytes(short_), std::invalid_argument);
    // 4 GiB of pixels do not fit the header's 32-bit sizes.
    EXPECT_THROW(BmpHeaderBytes(BmpImage{32768, 32768, 32, {}, {}}), std::invalid_argument);
}

TEST(PageFitTest, WindowFillsThePageWidthOfUsualPapersInBothOrientations) {
    EXPECT_EQ(FitToPage(1002, 585, 2479, 3508), (Size{2479, 1447})); // A4 portrait, 300 dpi
    EXPECT_EQ(FitToPage(1002, 585, 3508, 2479), (Size{3508, 2048})); // A4 landscape
    EXPECT_EQ(FitToPage(912, 585, 2479, 3508), (Size{2479, 1590}));  // a 28-day month
    // Exactly the image's proportions: width first.
    EXPECT_EQ(FitToPage(1002, 585, 2004, 1170), (Size{2004, 1170}));
}

TEST(PageFitTest, PageWiderInProportionIsFilledInHeight) {
    EXPECT_EQ(FitToPage(1002, 585, 4000, 1000), (Size{1713, 1000}));
}

TEST(PageFitTest, ProductsAreTakenInSixtyFourBitsAndRounded) {
    // 40000 * 100000 overflows 32 bits.
    EXPECT_EQ(FitToPage(40000, 30000, 200000, 100000), (Size{133333, 100000}));
    EXPECT_EQ(FitToPage(30000, 40000, 100000, 200000), (Size{100000, 133333}));
    EXPECT_EQ(MulDivRounded(1, 1, 2), 1);
    EXPECT_EQ(MulDivRounded(5, 1, 3), 2);
    EXPECT_EQ(MulDivRounded(4, 1, 3), 1);
    EXPECT_EQ(MulDivRounded(-3, 1, 2), -2);
    EXPECT_EQ(MulDivRounded(2147483647, 2147483647, 2147483647), 2147483647);
    EXPECT_EQ(FitToPage(0, 585, 2479, 3508), (Size{0, 0}));
    EXPECT_EQ(FitToPage(1002, 585, 0, 0), (Size{0, 0}));
}

TEST(ManualPathTest, FolderLosesItsTrailingSeparatorExceptAtADrivesRoot) {
    EXPECT_EQ(FolderOfPath("C:\\Program Files\\Purimo\\PurimoManage.exe"), "C:\\Program Files\\Purimo");
    EXPECT_EQ(FolderOfPath("C:\\PurimoManage.exe"), "C:\\");
    EXPECT_EQ(FolderOfPath("C:PurimoManage.exe"), "C:");
    EXPECT_EQ(FolderOfPath("\\PurimoManage.exe"), "\\");
    EXPECT_EQ(FolderOfPath("\\\\server\\share\\PurimoManage.exe"), "\\\\server\\share");
    EXPECT_EQ(FolderOfPath("C:\\tools\\\\PurimoManage.exe"), "C:\\tools\\\\");
    EXPECT_EQ(FolderOfPath("PurimoManage.exe"), "");
    EXPECT_EQ(FolderOfPath(""), "");
    EXPECT_EQ(ManualPathFor("C:\\PurimoManage.exe"), "C:\\\\操作手順書.pdf");
    EXPECT_EQ(ManualPathFor("D:\\プリモ\\PurimoManage.exe"), "D:\\プリモ\\操作手順書.pdf");
}

TEST(ManualPathTest, SecondByteOfADoubleByteCharacterIsNoSeparator) {
    // 表 is 95 5C and ソ is 83 5C in code page 932.
    ASSERT_EQ(std::string("表"), "\x95\x5c");
    ASSERT_EQ(std::string("ソ"), "\x83\x5c");
    EXPECT_EQ(FolderOfPath("C:\\体温表\\PurimoManage.exe"), "C:\\体温表");
    EXPECT_EQ(FolderOfPath("C:\\ソ\\PurimoManage.exe"), "C:\\ソ");
    EXPECT_EQ(ManualPathFor("C:\\体温表\\PurimoManage.exe"), "C:\\体温表\\操作手順書.pdf");
    // A name that ends in 表 has no separator of its own after the folder's.
    EXPECT_EQ(FolderOfPath("C:\\一覧表"), "C:\\");
    EXPECT_EQ(FolderOfPath("一覧表"), "");
    // The program itself works on UTF-16 paths, in which the rule is the same.
    EXPECT_EQ(FolderOfPath(std::wstring(L"C:\\体温表\\PurimoManage.exe")), L"C:\\体温表");
    EXPECT_EQ(ManualPathFor(std::wstring(L"C:\\PurimoManage.exe")), L"C:\\\\操作手順書.pdf");
    // A lead byte cut off at the end stands alone.
    EXPECT_EQ(FolderOfPath(std::string("C:\\a\\\x95", 6)), "C:\\a");
}

} // namespace
} // namespace purimo
