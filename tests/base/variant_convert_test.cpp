// QVVariantChangeType: which conversions succeed, and the value of each.
#include <gtest/gtest.h>

#include <string>

#include "base/unknown_impl.h"
#include "base/variant.h"

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
  IQVUnknown* object = new CQVUnknownImpl<IQVUnknown>;
  {
    unsigned char bytes[3] = {1, 2, 3};
    // A sample of each source type, at the index of its type code.
    const CQVVariant samples[] = {CQVVariant(),
                                  CQVVariant(1, QVT_BOOL),
                                  CQVVariant(static_cast<unsigned char>(200)),
                                  CQVVariant(static_cast<unsigned short>(60000)),
                                  CQVVariant(4000000000ul),
                                  CQVVariant(-5),
                                  CQVVariant(4000000000u),
                                  CQVVariant(-70000l),
                                  CQVVariant(2.75),
                                  CQVVariant(1.5f),
                                  CQVVariant("12abc"),
                                  CQVVariant(tagSIZE{3, 4}),
                                  CQVVariant(tagRSIZE{1.5, -2.5}),
                                  CQVVariant(tagPOINT{5, 6}),
                                  CQVVariant(tagRPOINT{-0.5, 7.49}),
                                  CQVVariant(tagRECT{1, 2, 3, 4}),
                                  CQVVariant(tagRRECT{0.5, -0.5, 9.4, 9.6}),
                                  CQVVariant(tagQVBLOB{3, bytes}),
                                  CQVVariant(static_cast<IQVUnknown*>(object))};
    for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
      for (unsigned short source = 0; source <= QVT_LAST; ++source) {
        const BOOL expected = rows[row].accepts[source] == '1';
        CQVVariant dst("previous");
        EXPECT_EQ(expected, QVVariantChangeType(&dst, &samples[source], rows[row].target))
            << "row " << row << " target " << rows[row].target << " source " << source;
        EXPECT_EQ(expected ? rows[row].target : static_cast<unsigned short>(QVT_EMPTY), dst.vt)
            << "row " << row << " source " << source;

        // In place: a failure leaves the value as it was.
        CQVVariant inPlace(samples[source]);
        EXPECT_EQ(expected, QVVariantChangeType(&inPlace, &inPlace, rows[row].target))
            << "row " << row << " source " << source << " in place";
        EXPECT_TRUE(expected || inPlace == samples[source]) << "row " << row << " source " << source;
      }
    }
  }
  object->AddRef();
  EXPECT_EQ(1, object->Release()) << "every reference taken was given back";
  object->Release();
}

// The converted value as the conversion to text shows it, "fail" when refused.
std::string Converted(const CQVVariant& src, unsigned short type) {
  CQVVariant dst, text;
  if (!QVVariantChangeType(&dst, &src, type)) return "fail";
  if (dst.vt != type) return "wrong type";
  if (!QVVariantChangeType(&text, &dst, QVT_STRING)) return "no text";
  return text.pszVal ? text.pszVal : "<null>";
}

// What each target refuses is the matrix's; these are the values, and the texts that do not parse.
TEST(VariantConvert, ScalarResults) {
  const struct {
    CQVVariant src;
    unsigned short type;
    const char* expected;
  } rows[] = {
      {CQVVariant("12abc"), QVT_INT, "12"},
      {CQVVariant("abc"), QVT_INT, "fail"},
      {CQVVariant(static_cast<const char*>(nullptr)), QVT_INT, "fail"},
      {CQVVariant("-1"), QVT_UINT, "4294967295"},
      {CQVVariant(-5), QVT_UI1, "251"},
      {CQVVariant(-70000l), QVT_UI2, "61072"},
      {CQVVariant(4000000000u), QVT_INT, "-294967296"},
      {CQVVariant(-2.75), QVT_LONG, "-2"},
      {CQVVariant(1.5f), QVT_UINT, "1"},
      {CQVVariant(1e10), QVT_INT, "2147483647"},  // kept within the type
      {CQVVariant(), QVT_INT, "0"},
      {CQVVariant(0.0), QVT_BOOL, "No"},
      {CQVVariant(0.1), QVT_BOOL, "Yes"},
      {CQVVariant("3.5"), QVT_DOUBLE, "3.5"},
      {CQVVariant("1e3"), QVT_FLOAT, "1000"},
      {CQVVariant("x"), QVT_DOUBLE, "fail"},
      {CQVVariant(4000000000ul), QVT_DOUBLE, "4e+009"},
      {CQVVariant(-1.5), QVT_UINT, "0"},
      {CQVVariant(), QVT_STRING, ""},
      {CQVVariant(1e10), QVT_STRING, "1e+010"},  // the C runtime's three-digit exponent
      {CQVVariant(0.1f), QVT_STRING, "0.1"},
      {CQVVariant("copy"), QVT_STRING, "copy"},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row)
    EXPECT_EQ(rows[row].expected, Converted(rows[row].src, rows[row].type)) << "row " << row;
}

// Sizes and points share one conversion, as do their double variants.
TEST(VariantConvert, RecordResults) {
  const struct {
    CQVVariant src;
    unsigned short type;
    CQVVariant expected;
  } rows[] = {
      {CQVVariant(tagRRECT{0.5, -0.5, 9.4, 9.6}), QVT_RECT, CQVVariant(tagRECT{1, 0, 10, 11})},
      {CQVVariant(tagRECT{1, 0, 10, 11}), QVT_RRECT, CQVVariant(tagRRECT{1, 0, 9, 10})},
      {CQVVariant(tagRSIZE{1.5, -2.5}), QVT_SIZE, CQVVariant(tagSIZE{2, -2})},
      {CQVVariant(tagRPOINT{-2.6, 0.49}), QVT_POINT, CQVVariant(tagPOINT{-3, 0})},
      {CQVVariant(tagRSIZE{-0.5, 0.5}), QVT_SIZE, CQVVariant(tagSIZE{0, 1})},
      {CQVVariant(tagRSIZE{1e12, -1e12}), QVT_SIZE, CQVVariant(tagSIZE{2147483647, -2147483647 - 1})},
      {CQVVariant(tagPOINT{7, 8}), QVT_RPOINT, CQVVariant(tagRPOINT{7, 8})},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    CQVVariant dst;
    ASSERT_TRUE(QVVariantChangeType(&dst, &rows[row].src, rows[row].type)) << "row " << row;
    EXPECT_TRUE(dst == rows[row].expected) << "row " << row;
  }
}

}  // namespace
