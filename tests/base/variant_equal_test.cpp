// CQVVariant::operator== for every type, and QVBlob equality.
#include <gtest/gtest.h>

#include "tests/base/variant_test_util.h"

namespace {

// A record of type vt whose whole value field is filled with fill, then given low bits.
tagQVVARIANT Raw(unsigned short vt, unsigned fill, unsigned low) {
  tagQVVARIANT v;
  memset(&v, 0, sizeof v);
  v.vt = vt;
  v.uintVal = fill;
  if (vt == QVT_UI1)
    v.bVal = static_cast<unsigned char>(low);
  else if (vt == QVT_UI2)
    v.uiVal = static_cast<unsigned short>(low);
  return v;
}

TEST(VariantEqual, EveryTypeByItsRule) {
  unsigned char abc[] = {'a', 'b', 'c'};
  unsigned char abd[] = {'a', 'b', 'd'};
  CountedObject* one = new CountedObject;
  CountedObject* two = new CountedObject;
  struct Row {
    CQVVariant a, b;
    BOOL equal;
  };
  const Row rows[] = {
      {CQVVariant(), CQVVariant(), TRUE},
      {CQVVariant(5), CQVVariant(5l), FALSE},  // int against long: different types
      {CQVVariant(5), CQVVariant(5), TRUE},
      {CQVVariant(5), CQVVariant(6), FALSE},
      {CQVVariant(1, QVT_BOOL), CQVVariant(9, QVT_BOOL), TRUE},
      {CQVVariant(Raw(QVT_UI1, 0x12345600, 0x41)), CQVVariant(Raw(QVT_UI1, 0, 0x41)), TRUE},  // 8 bits only
      {CQVVariant(Raw(QVT_UI1, 0, 0x41)), CQVVariant(Raw(QVT_UI1, 0, 0x42)), FALSE},
      {CQVVariant(Raw(QVT_UI2, 0x12340000, 0x4142)), CQVVariant(Raw(QVT_UI2, 0, 0x4142)),
       TRUE},  // 16 bits only
      {CQVVariant(4000000000ul), CQVVariant(4000000000ul), TRUE},
      {CQVVariant(4000000000u), CQVVariant(4000000001u), FALSE},
      {CQVVariant(-7l), CQVVariant(-7l), TRUE},
      {CQVVariant(0.1 + 0.2), CQVVariant(0.3), FALSE},  // exactly equal only
      {CQVVariant(0.5), CQVVariant(0.5), TRUE},
      {CQVVariant(0.25f), CQVVariant(0.25f), TRUE},
      {CQVVariant(0.25f), CQVVariant(0.2500001f), FALSE},
      {CQVVariant("abc"), CQVVariant("abc"), TRUE},
      {CQVVariant("abc"), CQVVariant("ABC"), FALSE},
      {CQVVariant("abc"), CQVVariant("abcd"), FALSE},
      {CQVVariant(""), CQVVariant(static_cast<const char*>(nullptr)), TRUE},
      {CQVVariant(tagSIZE{1, 2}), CQVVariant(tagSIZE{1, 2}), TRUE},
      {CQVVariant(tagSIZE{1, 2}), CQVVariant(tagSIZE{1, 3}), FALSE},
      {CQVVariant(tagPOINT{4, 2}), CQVVariant(tagPOINT{5, 2}), FALSE},
      {CQVVariant(tagRSIZE{1.0, 2.0}), CQVVariant(tagRSIZE{1.0009, 1.9991}), TRUE},
      {CQVVariant(tagRSIZE{1.0, 2.0}), CQVVariant(tagRSIZE{1.0011, 2.0}), FALSE},
      {CQVVariant(tagRPOINT{-3.0, 0.0}), CQVVariant(tagRPOINT{-3.0005, 0.0005}), TRUE},
      {CQVVariant(tagRPOINT{-3.0, 0.0}), CQVVariant(tagRPOINT{-3.0, 0.002}), FALSE},
      {CQVVariant(tagRECT{0, 0, 2, 2}), CQVVariant(tagRECT{0, 0, 2, 2}), TRUE},
      {CQVVariant(tagRECT{0, 0, 2, 2}), CQVVariant(tagRECT{0, 0, 2, 3}), FALSE},
      {CQVVariant(tagRECT{5, 5, 5, 9}), CQVVariant(tagRECT{0, 3, 0, 1}), TRUE},  // both empty
      {CQVVariant(tagRECT{5, 5, 5, 9}), CQVVariant(tagRECT{0, 0, 1, 1}), FALSE},
      {CQVVariant(tagRRECT{0, 0, 1, 1}), CQVVariant(tagRRECT{0.0005, 0, 1, 1.0005}), TRUE},
      {CQVVariant(tagRRECT{0, 0, 1, 1}), CQVVariant(tagRRECT{0.01, 0, 1, 1}), FALSE},
      {CQVVariant(tagRRECT{2, 2, 1, 5}), CQVVariant(tagRRECT{0, 9, 4, 9}), TRUE},  // both empty
      {CQVVariant(tagQVBLOB{3, abc}), CQVVariant(tagQVBLOB{3, abc}), TRUE},
      {CQVVariant(tagQVBLOB{3, abc}), CQVVariant(tagQVBLOB{3, abd}), FALSE},
      {CQVVariant(tagQVBLOB{3, abc}), CQVVariant(tagQVBLOB{2, abc}), FALSE},
      {CQVVariant(tagQVBLOB{0, nullptr}), CQVVariant(tagQVBLOB{0, abc}), TRUE},
      {CQVVariant(static_cast<IQVUnknown*>(one)), CQVVariant(static_cast<IQVUnknown*>(one)), TRUE},
      {CQVVariant(static_cast<IQVUnknown*>(one)), CQVVariant(static_cast<IQVUnknown*>(two)), FALSE},
      {CQVVariant(Raw(QVT_UNKNOWN_NOREF, 5, 0)), CQVVariant(Raw(QVT_UNKNOWN_NOREF, 5, 0)),
       FALSE},  // above 18
      {CQVVariant(Raw(19, 0, 0)), CQVVariant(Raw(19, 0, 0)), FALSE},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    EXPECT_EQ(rows[row].equal, rows[row].a == rows[row].b) << "row " << row;
    EXPECT_EQ(rows[row].equal, rows[row].b == &rows[row].a) << "row " << row << " by pointer";
    EXPECT_TRUE(rows[row].a == rows[row].a) << "row " << row << ": the same record";
  }
  EXPECT_FALSE(rows[0].a == static_cast<const tagQVVARIANT*>(nullptr));
  one->Release();
  two->Release();
}

TEST(BlobEqual, SizesAndBytes) {
  QVBlob a(4), b(4), c(5), empty;
  EXPECT_TRUE(a == b);
  EXPECT_TRUE(a == &b);
  EXPECT_FALSE(a == c);
  a.pBlobData[3] = 1;
  EXPECT_FALSE(a == b);
  EXPECT_FALSE(a == static_cast<const tagQVBLOB*>(nullptr));
  EXPECT_TRUE(empty == QVBlob());
  const tagQVBLOB missing{4, nullptr};
  EXPECT_FALSE(b == missing) << "data against no data";
}

}  // namespace
