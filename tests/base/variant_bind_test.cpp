// Moving values between variants and plain memory: exact widths, strings, blobs, interfaces.
#include <gtest/gtest.h>

#include "base/alloc.h"
#include "tests/base/variant_test_util.h"

namespace {

const unsigned char kSentinel = 0xCC;

TEST(VariantBind, PlainValuesMoveWithTheirExactWidths) {
  struct Row {
    unsigned short type;
    size_t bytes;
  };
  const Row rows[] = {{QVT_BOOL, 4},   {QVT_UI1, 1},   {QVT_UI2, 2},     {QVT_ULONG, 4}, {QVT_INT, 4},
                      {QVT_UINT, 4},   {QVT_LONG, 4},  {QVT_DOUBLE, 8},  {QVT_FLOAT, 4}, {QVT_SIZE, 8},
                      {QVT_RSIZE, 16}, {QVT_POINT, 8}, {QVT_RPOINT, 16}, {QVT_RECT, 16}, {QVT_RRECT, 32}};
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    unsigned char memory[40];
    for (size_t i = 0; i < sizeof memory; ++i) memory[i] = static_cast<unsigned char>(i + 1);
    CQVVariant v("replaced");
    ASSERT_TRUE(v.BindFromValue(rows[row].type, memory)) << "row " << row;
    EXPECT_EQ(rows[row].type, v.vt) << "row " << row;
    const unsigned char* value = reinterpret_cast<const unsigned char*>(&v.boolVal);
    for (size_t i = 0; i < 32; ++i)
      EXPECT_EQ(i < rows[row].bytes ? i + 1 : 0, value[i]) << "row " << row << " byte " << i;

    unsigned char out[40];
    memset(out, kSentinel, sizeof out);
    ASSERT_TRUE(v.BindToValue(rows[row].type, out)) << "row " << row;
    for (size_t i = 0; i < sizeof out; ++i)
      EXPECT_EQ(i < rows[row].bytes ? i + 1 : kSentinel, out[i]) << "row " << row << " byte " << i;
  }
}

TEST(VariantBind, TypesThatCannotBeBound) {
  unsigned char memory[40] = {};
  CQVVariant v(5);
  const unsigned short types[] = {QVT_EMPTY, 19, QVT_UNKNOWN_NOREF, 65535};
  for (size_t row = 0; row < sizeof types / sizeof types[0]; ++row) {
    EXPECT_FALSE(QVVariantBindToValue(types[row], memory, &v)) << "row " << row;
    CQVVariant target("text");
    EXPECT_FALSE(QVVariantBindFromValue(types[row], memory, &target)) << "row " << row;
    EXPECT_EQ(QVT_EMPTY, target.vt) << "row " << row << ": cleared first";
  }
  EXPECT_FALSE(QVVariantBindToValue(QVT_INT, nullptr, &v));
  EXPECT_FALSE(QVVariantBindFromValue(QVT_INT, nullptr, &v));
  EXPECT_FALSE(QVVariantBindToValue(QVT_INT, memory, nullptr));
  EXPECT_FALSE(QVVariantBindFromValue(QVT_INT, memory, nullptr));
}

TEST(VariantBind, StringsAreCopiedBothWays) {
  char text[] = "from memory";
  CQVVariant v;
  ASSERT_TRUE(v.BindFromValue(QVT_STRING, text));
  text[0] = 'X';
  EXPECT_STREQ("from memory", v.pszVal);

  char* slot = QVStrDup("old value");
  ASSERT_TRUE(v.BindToValue(QVT_STRING, &slot));  // frees the old string
  EXPECT_STREQ("from memory", slot);
  EXPECT_NE(v.pszVal, slot);
  char* empty = nullptr;
  ASSERT_TRUE(v.BindToValue(QVT_STRING, &empty));
  EXPECT_STREQ("from memory", empty);
  QVFreeBlock(empty);

  CQVVariant number(42);
  EXPECT_FALSE(number.BindToValue(QVT_STRING, &slot)) << "an int is no string to copy";
  EXPECT_STREQ("from memory", slot);
  QVFreeBlock(slot);
}

TEST(VariantBind, BlobDataIsTakenOverAndHandedOutAsIs) {
  auto* data = static_cast<unsigned char*>(QVAllocBlock(4, nullptr));
  memcpy(data, "\1\2\3\4", 4);
  tagQVBLOB blob = {4, data};
  {
    CQVVariant v;
    ASSERT_TRUE(v.BindFromValue(QVT_BLOB, &blob));
    EXPECT_EQ(data, v.blobVal.pBlobData) << "the variant owns the data now";
    tagQVBLOB out = {0, nullptr};
    ASSERT_TRUE(v.BindToValue(QVT_BLOB, &out));
    EXPECT_EQ(4u, out.cbSize);
    EXPECT_EQ(data, out.pBlobData);
  }  // the variant frees the data
}

TEST(VariantBind, InterfacesCarryOneReference) {
  CountedObject* a = new CountedObject;
  CountedObject* b = new CountedObject;
  IQVUnknown* source = a;
  CQVVariant v;
  ASSERT_TRUE(v.BindFromValue(QVT_UNKNOWN, &source));
  EXPECT_EQ(2, a->Count());

  IQVUnknown* slot = b;
  b->AddRef();  // the slot's own reference, released by BindToValue
  ASSERT_TRUE(v.BindToValue(QVT_UNKNOWN, &slot));
  EXPECT_EQ(static_cast<IQVUnknown*>(a), slot);
  EXPECT_EQ(3, a->Count());
  EXPECT_EQ(1, b->Count());
  ASSERT_TRUE(v.BindToValue(QVT_UNKNOWN, &slot)) << "the same interface again";
  EXPECT_EQ(3, a->Count());
  slot->Release();
  v.Clear();
  EXPECT_EQ(1, a->Count());

  IQVUnknown* none = nullptr;
  ASSERT_TRUE(v.BindFromValue(QVT_UNKNOWN, &none));
  EXPECT_EQ(nullptr, v.punkVal);
  CQVVariant number(7);
  slot = nullptr;
  EXPECT_FALSE(number.BindToValue(QVT_UNKNOWN, &slot)) << "an int is no interface";
  a->Release();
  b->Release();
}

}  // namespace
