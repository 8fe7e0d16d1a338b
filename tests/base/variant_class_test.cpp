// CQVVariant construction, assignment, ownership, Attach and Detach; QVBlob ownership.
#include <gtest/gtest.h>

#include "base/xstring.h"
#include "tests/base/variant_test_util.h"

namespace {

TEST(VariantConstruct, TypeCodesOfEveryConstructor) {
  unsigned char bytes[] = {1, 2};
  struct Row {
    CQVVariant v;
    unsigned short vt;
  };
  const Row rows[] = {
      {CQVVariant(), QVT_EMPTY},
      {CQVVariant(static_cast<unsigned char>(1)), QVT_UI1},
      {CQVVariant(static_cast<unsigned short>(1)), QVT_UI2},
      {CQVVariant(1ul), QVT_ULONG},
      {CQVVariant(1), QVT_INT},
      {CQVVariant(1u), QVT_UINT},
      {CQVVariant(1l), QVT_LONG},
      {CQVVariant(7, QVT_BOOL), QVT_BOOL},
      {CQVVariant(7u, QVT_LONG), QVT_UINT},  // only the BOOL code changes the type
      {CQVVariant(1.0), QVT_DOUBLE},
      {CQVVariant(1.0f), QVT_FLOAT},
      {CQVVariant("s"), QVT_STRING},
      {CQVVariant(CXString("s")), QVT_STRING},
      {CQVVariant(tagSIZE{1, 1}), QVT_SIZE},
      {CQVVariant(tagRSIZE{1, 1}), QVT_RSIZE},
      {CQVVariant(tagPOINT{1, 1}), QVT_POINT},
      {CQVVariant(tagRPOINT{1, 1}), QVT_RPOINT},
      {CQVVariant(tagRECT{1, 1, 1, 1}), QVT_RECT},
      {CQVVariant(tagRRECT{1, 1, 1, 1}), QVT_RRECT},
      {CQVVariant(tagQVBLOB{2, bytes}), QVT_BLOB},
      {CQVVariant(static_cast<IQVUnknown*>(nullptr)), QVT_UNKNOWN},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(rows[row].vt, rows[row].v.vt) << "row " << row;

  const unsigned char values[] = {0, 1, 255};
  for (size_t row = 0; row < 3; ++row) {
    const CQVVariant b(values[row], QVT_BOOL), i(static_cast<int>(values[row]) - 1, QVT_BOOL);
    EXPECT_EQ(values[row] != 0, b.boolVal) << "row " << row;
    EXPECT_EQ(values[row] != 1, i.boolVal) << "row " << row;
  }
}

TEST(VariantConstruct, OwnedValuesAreCopies) {
  char text[] = "text";
  CQVVariant s(text);
  text[0] = 'X';
  EXPECT_STREQ("text", s.pszVal);
  const CQVVariant nullString(static_cast<const char*>(nullptr));
  EXPECT_EQ(QVT_STRING, nullString.vt);
  EXPECT_EQ(nullptr, nullString.pszVal);
  const CQVVariant fromEmptyCx{CXString()};
  EXPECT_STREQ("", fromEmptyCx.pszVal);

  unsigned char bytes[] = {1, 2, 3};
  const CQVVariant blob(tagQVBLOB{3, bytes});
  EXPECT_NE(bytes, blob.blobVal.pBlobData);
  const CQVVariant noData(tagQVBLOB{5, nullptr});
  EXPECT_EQ(5u, noData.blobVal.cbSize);
  EXPECT_EQ(nullptr, noData.blobVal.pBlobData);

  CQVVariant copy(s);
  EXPECT_NE(s.pszVal, copy.pszVal);
  EXPECT_STREQ("text", copy.pszVal);
  const tagQVVARIANT& record = s;
  CQVVariant fromRecord(&record), fromNull(static_cast<const tagQVVARIANT*>(nullptr));
  EXPECT_STREQ("text", fromRecord.pszVal);
  EXPECT_EQ(QVT_EMPTY, fromNull.vt);
}

TEST(VariantAssign, BoolStaysBoolAndOtherTypesReplace) {
  CQVVariant v(0, QVT_BOOL);
  v = 7;
  EXPECT_EQ(QVT_BOOL, v.vt);
  EXPECT_EQ(1, v.boolVal);
  v = 0l;
  EXPECT_EQ(0, v.boolVal);
  v = static_cast<unsigned short>(3);
  v = 9u;
  v = 4ul;
  EXPECT_EQ(QVT_BOOL, v.vt);
  EXPECT_EQ(1, v.boolVal);
  v = static_cast<unsigned char>(5);
  EXPECT_EQ(QVT_UI1, v.vt) << "unsigned char always makes type 2";
  EXPECT_EQ(5, v.bVal);

  CQVVariant s("a string");
  s = 12;
  EXPECT_EQ(QVT_INT, s.vt);
  EXPECT_EQ(12, s.intVal);
  s = 2.5;
  EXPECT_EQ(QVT_DOUBLE, s.vt);
  s = 1.5f;
  EXPECT_EQ(QVT_FLOAT, s.vt);
  s = tagRECT{1, 2, 3, 4};
  EXPECT_EQ(QVT_RECT, s.vt);
  EXPECT_EQ(4, s.rcVal.bottom);
  s = "back to text";
  s = static_cast<const char*>(s.pszVal) + 8;  // text from the variant's own string
  EXPECT_STREQ("text", s.pszVal);
  s = CXString("cx");
  EXPECT_STREQ("cx", s.pszVal);

  unsigned char bytes[] = {4, 5};
  s = tagQVBLOB{2, bytes};
  EXPECT_EQ(QVT_BLOB, s.vt);
  s = s.blobVal;  // its own data
  EXPECT_EQ(0, memcmp(bytes, s.blobVal.pBlobData, 2));

  CountedObject* object = new CountedObject;
  s = static_cast<IQVUnknown*>(object);
  EXPECT_EQ(2, object->Count());
  s = static_cast<IQVUnknown*>(object);
  EXPECT_EQ(2, object->Count());
  CQVVariant other(s);
  EXPECT_EQ(3, object->Count());
  other = s;
  EXPECT_EQ(3, object->Count());
  other = CQVVariant(1);
  s.Clear();
  EXPECT_EQ(1, object->Count());
  object->Release();
}

TEST(VariantAssign, ConversionOperatorsReadTheFieldAsItStands) {
  const CQVVariant v(0x01020304);
  EXPECT_EQ(0x04, static_cast<unsigned char>(v));
  EXPECT_EQ(0x0304, static_cast<unsigned short>(v));
  EXPECT_EQ(0x01020304, static_cast<long>(v));
  EXPECT_EQ(0x01020304u, static_cast<unsigned long>(v));
  const CQVVariant d(2.5);
  EXPECT_EQ(2.5, static_cast<double>(d));
  const CQVVariant s("abc");
  EXPECT_EQ(s.pszVal, static_cast<char*>(s));
  const tagRECT r = CQVVariant(tagRECT{1, 2, 3, 4});
  EXPECT_EQ(3, r.right);
}

TEST(VariantAttach, TakeOverAndHandOut) {
  tagQVVARIANT record;
  QVVariantInit(&record);
  CQVVariant source("moved");
  record = source.Detach();
  EXPECT_EQ(QVT_EMPTY, source.vt);
  EXPECT_EQ(QVT_STRING, record.vt);

  CQVVariant target(3);
  target.Attach(record);
  EXPECT_EQ(QVT_EMPTY, record.vt);
  EXPECT_STREQ("moved", target.pszVal);
  target.Attach(target);
  EXPECT_STREQ("moved", target.pszVal);

  QVVariantCopy(&record, &target);
  EXPECT_NE(record.pszVal, target.pszVal);
  QVVariantCopy(&record, &record);
  EXPECT_STREQ("moved", record.pszVal);
  QVVariantClear(&record);
  EXPECT_EQ(QVT_EMPTY, record.vt);
  EXPECT_EQ(nullptr, record.pszVal);
}

TEST(Blob, OwnsZeroFilledOrCopiedData) {
  QVBlob sized(6);
  EXPECT_EQ(6u, sized.cbSize);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(0, sized.pBlobData[i]) << i;
  sized.pBlobData[0] = 9;
  QVBlob copy(sized);
  EXPECT_NE(sized.pBlobData, copy.pBlobData);
  EXPECT_TRUE(copy == sized);
  QVBlob fromPointer(static_cast<const tagQVBLOB*>(&sized));
  EXPECT_TRUE(fromPointer == sized);
  QVBlob fromNull(static_cast<const tagQVBLOB*>(nullptr));
  EXPECT_EQ(0u, fromNull.cbSize);

  QVBlob assigned;
  assigned = &sized;
  EXPECT_TRUE(assigned == sized);
  assigned = assigned;
  EXPECT_TRUE(assigned == sized);
  assigned = copy;
  EXPECT_TRUE(assigned == copy);
  assigned = static_cast<const tagQVBLOB*>(nullptr);
  EXPECT_EQ(0u, assigned.cbSize);
  EXPECT_EQ(nullptr, assigned.pBlobData);
  copy.Clear();
  EXPECT_EQ(0u, copy.cbSize);
  EXPECT_EQ(nullptr, copy.pBlobData);
  QVBlob zero(0ul);
  EXPECT_EQ(nullptr, zero.pBlobData);
}

}  // namespace
