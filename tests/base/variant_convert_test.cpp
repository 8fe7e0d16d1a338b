// QVVariantChangeType: which conversions succeed, and the value of each.
#include <gtest/gtest.h>

#include <string>

#include "base/xstring.h"
#include "tests/base/variant_test_util.h"

namespace {

TEST(VariantConvert, WhichSourcesEachTargetAccepts) {
  // One character per source type 0 to 18: 1 = the conversion succeeds.
  struct Row {
    unsigned short target;
    const char* accepts;
  };
  const Row rows[] = {
      {QVT_EMPTY, "1111111111111111111"},   {QVT_BOOL, "1111111111000000000"},
      {QVT_UI1, "1111111100000000000"},     {QVT_UI2, "1111111100000000000"},
      {QVT_ULONG, "1111111100100000000"},   {QVT_INT, "1111111111100000000"},
      {QVT_UINT, "1111111111100000000"},    {QVT_LONG, "1111111111100000000"},
      {QVT_DOUBLE, "1111111111100000000"},  {QVT_FLOAT, "1111111111100000000"},
      {QVT_STRING, "1111111111100000000"},  {QVT_SIZE, "0000000000011000000"},
      {QVT_RSIZE, "0000000000011000000"},   {QVT_POINT, "0000000000000110000"},
      {QVT_RPOINT, "0000000000000110000"},  {QVT_RECT, "0000000000000001100"},
      {QVT_RRECT, "0000000000000001100"},   {QVT_BLOB, "0000000000000000010"},
      {QVT_UNKNOWN, "0000000000000000001"}, {QVT_UNKNOWN_NOREF, "0000000000000000001"},
      {19, "0000000000000000000"},          {20000, "0000000000000000000"},
  };
  CountedObject* object = new CountedObject;
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    for (unsigned short source = 0; source <= QVT_LAST; ++source) {
      CQVVariant src, dst("previous");
      MakeSample(source, src, object);
      const BOOL expected = rows[row].accepts[source] == '1';
      EXPECT_EQ(expected, QVVariantChangeType(&dst, &src, rows[row].target))
          << "row " << row << " target " << rows[row].target << " source " << source;
      EXPECT_EQ(expected ? rows[row].target : static_cast<unsigned short>(QVT_EMPTY), dst.vt)
          << "row " << row << " source " << source;

      // In place: a failure leaves the value as it was.
      CQVVariant inPlace;
      MakeSample(source, inPlace, object);
      const CQVVariant before(inPlace);
      EXPECT_EQ(expected, QVVariantChangeType(&inPlace, &inPlace, rows[row].target))
          << "row " << row << " source " << source << " in place";
      if (!expected) {
        EXPECT_TRUE(inPlace == before) << "row " << row << " source " << source;
      }
    }
  }
  EXPECT_EQ(1, object->Count()) << "every reference taken was given back";
  object->Release();
}

// Converts a sample to type and reads the result with read.
template <class T>
T Converted(const CQVVariant& src, unsigned short type, BOOL* ok, T (*read)(const tagQVVARIANT&)) {
  CQVVariant dst;
  *ok = QVVariantChangeType(&dst, &src, type);
  return read(dst);
}

long long AsSigned(const tagQVVARIANT& v) {
  switch (v.vt) {
    case QVT_BOOL:
      return v.boolVal;
    case QVT_UI1:
      return v.bVal;
    case QVT_UI2:
      return v.uiVal;
    case QVT_ULONG:
      return v.ulVal;
    case QVT_INT:
      return v.intVal;
    case QVT_UINT:
      return v.uintVal;
    case QVT_LONG:
      return v.lVal;
    default:
      return -999999;
  }
}

TEST(VariantConvert, IntegerResults) {
  struct Row {
    CQVVariant src;
    unsigned short type;
    BOOL ok;
    long long value;
  };
  const Row rows[] = {
      {CQVVariant("12abc"), QVT_INT, TRUE, 12},
      {CQVVariant("abc"), QVT_INT, FALSE, 0},
      {CQVVariant(""), QVT_INT, FALSE, 0},
      {CQVVariant(static_cast<const char*>(nullptr)), QVT_INT, FALSE, 0},
      {CQVVariant(" -7"), QVT_LONG, TRUE, -7},
      {CQVVariant("4294967295"), QVT_ULONG, TRUE, 4294967295ll},
      {CQVVariant("-1"), QVT_UINT, TRUE, 4294967295ll},
      {CQVVariant("x1"), QVT_ULONG, FALSE, 0},
      {CQVVariant(-5), QVT_UI1, TRUE, 251},
      {CQVVariant(-5), QVT_UI2, TRUE, 65531},
      {CQVVariant(-70000l), QVT_UI2, TRUE, 61072},
      {CQVVariant(-5), QVT_ULONG, TRUE, 4294967291ll},
      {CQVVariant(4000000000u), QVT_INT, TRUE, -294967296},
      {CQVVariant(4000000000ul), QVT_UINT, TRUE, 4000000000ll},
      {CQVVariant(2.75), QVT_INT, TRUE, 2},
      {CQVVariant(-2.75), QVT_LONG, TRUE, -2},
      {CQVVariant(1.5f), QVT_UINT, TRUE, 1},
      {CQVVariant(1e10), QVT_INT, TRUE, 2147483647},  // kept within the type
      {CQVVariant(-1.5), QVT_UINT, TRUE, 0},
      {CQVVariant(), QVT_INT, TRUE, 0},
      {CQVVariant(), QVT_UI1, TRUE, 0},
      {CQVVariant(1, QVT_BOOL), QVT_UI2, TRUE, 1},
      {CQVVariant(2.5), QVT_UI1, FALSE, 0},
      {CQVVariant("5"), QVT_UI2, FALSE, 0},
      {CQVVariant(0.0), QVT_BOOL, TRUE, 0},
      {CQVVariant(0.1), QVT_BOOL, TRUE, 1},
      {CQVVariant(0.0f), QVT_BOOL, TRUE, 0},
      {CQVVariant(static_cast<unsigned char>(2)), QVT_BOOL, TRUE, 1},
      {CQVVariant(), QVT_BOOL, TRUE, 0},
      {CQVVariant("Yes"), QVT_BOOL, FALSE, 0},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    BOOL ok;
    const long long value = Converted(rows[row].src, rows[row].type, &ok, AsSigned);
    EXPECT_EQ(rows[row].ok, ok) << "row " << row;
    if (rows[row].ok) {
      EXPECT_EQ(rows[row].value, value) << "row " << row;
    }
  }
}

double AsDouble(const tagQVVARIANT& v) { return v.vt == QVT_FLOAT ? v.fltVal : v.dblVal; }

TEST(VariantConvert, FloatingResults) {
  struct Row {
    CQVVariant src;
    unsigned short type;
    BOOL ok;
    double value;
  };
  const Row rows[] = {
      {CQVVariant("3.5"), QVT_DOUBLE, TRUE, 3.5},
      {CQVVariant("1e3"), QVT_FLOAT, TRUE, 1000},
      {CQVVariant("x"), QVT_DOUBLE, FALSE, 0},
      {CQVVariant(4000000000ul), QVT_DOUBLE, TRUE, 4e9},
      {CQVVariant(4000000000u), QVT_DOUBLE, TRUE, 4e9},
      {CQVVariant(-5), QVT_DOUBLE, TRUE, -5},
      {CQVVariant(-70000l), QVT_FLOAT, TRUE, -70000},
      {CQVVariant(1.5f), QVT_DOUBLE, TRUE, 1.5},
      {CQVVariant(2.25), QVT_FLOAT, TRUE, 2.25},
      {CQVVariant(1, QVT_BOOL), QVT_DOUBLE, TRUE, 1},
      {CQVVariant(), QVT_DOUBLE, TRUE, 0},
      {CQVVariant(tagSIZE{1, 2}), QVT_DOUBLE, FALSE, 0},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    BOOL ok;
    const double value = Converted(rows[row].src, rows[row].type, &ok, AsDouble);
    EXPECT_EQ(rows[row].ok, ok) << "row " << row;
    if (rows[row].ok) {
      EXPECT_DOUBLE_EQ(rows[row].value, value) << "row " << row;
    }
  }
}

std::string AsString(const tagQVVARIANT& v) { return v.vt == QVT_STRING && v.pszVal ? v.pszVal : "<none>"; }

TEST(VariantConvert, StringResults) {
  struct Row {
    CQVVariant src;
    BOOL ok;
    const char* text;
  };
  const Row rows[] = {
      {CQVVariant(), TRUE, ""},
      {CQVVariant(1, QVT_BOOL), TRUE, "Yes"},
      {CQVVariant(0, QVT_BOOL), TRUE, "No"},
      {CQVVariant(static_cast<unsigned char>(200)), TRUE, "200"},
      {CQVVariant(static_cast<unsigned short>(60000)), TRUE, "60000"},
      {CQVVariant(4000000000ul), TRUE, "4000000000"},
      {CQVVariant(-5), TRUE, "-5"},
      {CQVVariant(4000000000u), TRUE, "4000000000"},
      {CQVVariant(-70000l), TRUE, "-70000"},
      {CQVVariant(2.75), TRUE, "2.75"},
      {CQVVariant(1e10), TRUE, "1e+010"},  // the C runtime's three-digit exponent
      {CQVVariant(0.1f), TRUE, "0.1"},
      {CQVVariant("copy"), TRUE, "copy"},
      {CQVVariant(tagPOINT{1, 2}), FALSE, "<none>"},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    BOOL ok;
    const std::string text = Converted(rows[row].src, QVT_STRING, &ok, AsString);
    EXPECT_EQ(rows[row].ok, ok) << "row " << row;
    EXPECT_EQ(rows[row].text, text) << "row " << row;
  }
  CQVVariant src("own"), dst;
  ASSERT_TRUE(QVVariantChangeType(&dst, &src, QVT_STRING));
  EXPECT_NE(src.pszVal, dst.pszVal) << "a copy of its own";
}

TEST(VariantConvert, RecordResults) {
  CQVVariant dst;
  const CQVVariant rrect(tagRRECT{0.5, -0.5, 9.4, 9.6});
  ASSERT_TRUE(QVVariantChangeType(&dst, &rrect, QVT_RECT));
  EXPECT_EQ(1, dst.rcVal.left);
  EXPECT_EQ(0, dst.rcVal.top);
  EXPECT_EQ(10, dst.rcVal.right);
  EXPECT_EQ(11, dst.rcVal.bottom);
  CQVVariant back;
  ASSERT_TRUE(QVVariantChangeType(&back, &dst, QVT_RRECT));
  EXPECT_EQ(1.0, back.rrcVal.left);
  EXPECT_EQ(0.0, back.rrcVal.top);
  EXPECT_EQ(9.0, back.rrcVal.right);
  EXPECT_EQ(10.0, back.rrcVal.bottom);

  struct Row {
    tagRSIZE from;
    tagSIZE to;
  };
  const Row rows[] = {{{1.5, -2.5}, {2, -2}},
                      {{-2.6, 0.49}, {-3, 0}},
                      {{-0.5, 0.5}, {0, 1}},
                      {{1e12, -1e12}, {2147483647, -2147483647 - 1}}};
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    const CQVVariant size(rows[row].from);
    ASSERT_TRUE(QVVariantChangeType(&dst, &size, QVT_SIZE)) << "row " << row;
    EXPECT_EQ(rows[row].to.cx, dst.sizeVal.cx) << "row " << row;
    EXPECT_EQ(rows[row].to.cy, dst.sizeVal.cy) << "row " << row;
    const CQVVariant point(tagRPOINT{rows[row].from.cx, rows[row].from.cy});
    ASSERT_TRUE(QVVariantChangeType(&dst, &point, QVT_POINT)) << "row " << row;
    EXPECT_EQ(rows[row].to.cx, dst.ptVal.x) << "row " << row;
    EXPECT_EQ(rows[row].to.cy, dst.ptVal.y) << "row " << row;
  }
  const CQVVariant size(tagSIZE{3, -4});
  ASSERT_TRUE(QVVariantChangeType(&dst, &size, QVT_RSIZE));
  EXPECT_EQ(3.0, dst.rsizeVal.cx);
  EXPECT_EQ(-4.0, dst.rsizeVal.cy);
  const CQVVariant point(tagPOINT{7, 8});
  ASSERT_TRUE(QVVariantChangeType(&dst, &point, QVT_RPOINT));
  EXPECT_EQ(7.0, dst.rptVal.x);
  EXPECT_EQ(8.0, dst.rptVal.y);
}

TEST(VariantConvert, ChangeTypeInPlace) {
  CQVVariant v("12");
  EXPECT_TRUE(v.ChangeType(QVT_INT));
  EXPECT_EQ(QVT_INT, v.vt);
  EXPECT_EQ(12, v.intVal);
  v.lVal = 99;
  EXPECT_TRUE(v.ChangeType(QVT_INT, nullptr)) << "already that type";
  EXPECT_EQ(99, v.intVal);
  CQVVariant text("abc");
  EXPECT_FALSE(text.ChangeType(QVT_INT));
  EXPECT_EQ(QVT_STRING, text.vt);
  EXPECT_STREQ("abc", text.pszVal);
  CQVVariant other(3.5);
  EXPECT_TRUE(text.ChangeType(QVT_STRING, &other));
  EXPECT_STREQ("3.5", text.pszVal);
  EXPECT_FALSE(QVVariantChangeType(nullptr, &other, QVT_INT));
  EXPECT_FALSE(QVVariantChangeType(&text, nullptr, QVT_INT));
}

}  // namespace
