// Icon 128, bitmaps 134 and 135 and cursor 1056: their stored form and what the system
// makes of them.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <set>

#include "base/handles.h"
#include "resources/resource.h"
#include "tests/resources/own_resources.h"

namespace restest {
namespace {

WORD WordAt(const uint8_t* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
DWORD DwordAt(const uint8_t* p) { return WordAt(p) | (static_cast<DWORD>(WordAt(p + 2)) << 16); }

BITMAPINFOHEADER HeaderOf(const ResourceBytes& bytes) {
  BITMAPINFOHEADER header = {};
  if (bytes.size >= sizeof(header)) std::memcpy(&header, bytes.data, sizeof(header));
  return header;
}

DWORD RowBytes(LONG width, WORD bits) { return ((width * bits + 31) / 32) * 4; }

// Width and height of a bitmap handle; 0x0 when the handle is not a bitmap.
SIZE BitmapSize(HGDIOBJ bitmap) {
  BITMAP info = {};
  if (!bitmap || !GetObjectA(bitmap, sizeof(info), &info)) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

TEST(ProgramIcon, HoldsSmallAndLargeImagesTheSystemCanLoad) {
  auto group = FindOwnResource(RT_GROUP_ICON, IDI_PROGRAM, kEnglish);
  ASSERT_TRUE(group.has_value());
  ASSERT_GE(group->size, 6u);
  ASSERT_EQ(WordAt(group->data + 2), 1) << "icon group type";
  WORD count = WordAt(group->data + 4);
  ASSERT_EQ(group->size, 6u + 14u * count);
  std::set<int> sizes;
  for (WORD i = 0; i < count; ++i) {
    const uint8_t* entry = group->data + 6 + 14 * i;
    int width = entry[0] ? entry[0] : 256;
    sizes.insert(width);
    auto image = FindOwnResource(RT_ICON, WordAt(entry + 12), kEnglish);
    ASSERT_TRUE(image.has_value()) << "entry " << i;
    EXPECT_EQ(image->size, DwordAt(entry + 8)) << "entry " << i;
  }
  EXPECT_TRUE(sizes.count(16) && sizes.count(32)) << "the small and the big window icon";
  for (int size : {16, 32}) {
    HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, size, size,
                             LR_SHARED);
    ASSERT_NE(icon, nullptr) << "size " << size;
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon), &info)) << "size " << size;
    fw::GdiObject color(info.hbmColor), mask(info.hbmMask);
    EXPECT_TRUE(info.fIcon) << "size " << size;
    EXPECT_EQ(BitmapSize(color.get()).cx, size);
    EXPECT_EQ(BitmapSize(color.get()).cy, size);
  }
}

TEST(AboutPictures, TrueColourAndPaletteVersionsOfOnePicture) {
  auto true_colour = FindOwnResource(RT_BITMAP, IDB_ABOUT_PICTURE, kEnglish);
  auto palette = FindOwnResource(RT_BITMAP, IDB_ABOUT_PICTURE_256, kEnglish);
  ASSERT_TRUE(true_colour.has_value() && palette.has_value());
  BITMAPINFOHEADER rgb = HeaderOf(*true_colour), indexed = HeaderOf(*palette);

  EXPECT_EQ(rgb.biSize, sizeof(BITMAPINFOHEADER));
  EXPECT_EQ(rgb.biBitCount, 24);
  EXPECT_EQ(rgb.biCompression, DWORD(BI_RGB));
  ASSERT_GT(rgb.biWidth, 0);
  ASSERT_NE(rgb.biHeight, 0);
  EXPECT_EQ(true_colour->size, rgb.biSize + RowBytes(rgb.biWidth, 24) * std::abs(rgb.biHeight));

  EXPECT_EQ(indexed.biSize, sizeof(BITMAPINFOHEADER));
  EXPECT_EQ(indexed.biBitCount, 8);
  EXPECT_EQ(indexed.biCompression, DWORD(BI_RGB));
  EXPECT_EQ(indexed.biWidth, rgb.biWidth) << "both fill the same frame";
  EXPECT_EQ(indexed.biHeight, rgb.biHeight) << "both fill the same frame";
  DWORD colours = indexed.biClrUsed ? indexed.biClrUsed : 256;
  ASSERT_LE(colours, 256u);
  DWORD pixels_at = indexed.biSize + 4 * colours;
  DWORD row = RowBytes(indexed.biWidth, 8);
  ASSERT_EQ(palette->size, pixels_at + row * std::abs(indexed.biHeight));

  // The palette is real (more than one colour) and every pixel names one of its entries.
  std::set<DWORD> distinct;
  for (DWORD i = 0; i < colours; ++i) distinct.insert(DwordAt(palette->data + indexed.biSize + 4 * i));
  EXPECT_GT(distinct.size(), 16u);
  for (LONG y = 0; y < std::abs(indexed.biHeight); ++y) {
    for (LONG x = 0; x < indexed.biWidth; ++x) {
      ASSERT_LT(palette->data[pixels_at + y * row + x], colours) << "pixel " << x << "," << y;
    }
  }

  for (WORD id : {IDB_ABOUT_PICTURE, IDB_ABOUT_PICTURE_256}) {
    fw::GdiObject bitmap(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
    ASSERT_TRUE(bitmap) << "bitmap " << id;
    EXPECT_EQ(BitmapSize(bitmap.get()).cx, rgb.biWidth) << "bitmap " << id;
  }
}

TEST(HandCursor, PointsWithAnOpaqueFingertip) {
  auto group = FindOwnResource(RT_GROUP_CURSOR, IDC_HAND_LINK, kEnglish);
  ASSERT_TRUE(group.has_value());
  ASSERT_EQ(group->size, 6u + 14u) << "one image";
  ASSERT_EQ(WordAt(group->data + 2), 2) << "cursor group type";
  auto image = FindOwnResource(RT_CURSOR, WordAt(group->data + 6 + 12), kEnglish);
  ASSERT_TRUE(image.has_value());
  // A cursor image is its hot spot, then a DIB holding the XOR mask and the AND mask.
  ASSERT_GE(image->size, 4u + sizeof(BITMAPINFOHEADER) + 8u);
  WORD hot_x = WordAt(image->data), hot_y = WordAt(image->data + 2);
  BITMAPINFOHEADER header;
  std::memcpy(&header, image->data + 4, sizeof(header));
  ASSERT_EQ(header.biBitCount, 1);
  LONG width = header.biWidth, height = header.biHeight / 2;
  ASSERT_TRUE(hot_x < width && hot_y < height);
  DWORD row = RowBytes(width, 1);
  DWORD and_mask_at = 4 + header.biSize + 2 * 4 + row * height;
  ASSERT_EQ(image->size, and_mask_at + row * height);
  const uint8_t* and_row = image->data + and_mask_at + (height - 1 - hot_y) * row;  // rows run bottom-up
  EXPECT_EQ(and_row[hot_x / 8] & (0x80 >> (hot_x % 8)), 0) << "the hot spot is on the hand, not beside it";

  HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_LINK));
  ASSERT_NE(cursor, nullptr);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(cursor, &info));
  fw::GdiObject color(info.hbmColor), mask(info.hbmMask);
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, hot_x);
  EXPECT_EQ(info.yHotspot, hot_y);
}

}  // namespace
}  // namespace restest
