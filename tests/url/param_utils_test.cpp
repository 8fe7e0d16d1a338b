// Parameter utilities: copy, one-sided comparison, the text form and its round trip.
#include "param/param_utils.h"

#include <gtest/gtest.h>

#include <string>

#include "base/exceptions.h"
#include "param/param_ref.h"

namespace {

QVRef<IParam> NewStore() { return QVRef<IParam>(new_MemParam()); }

void Set(IParam* p, const char* path, const CQVVariant& value) { p->SetValue(path, &value); }

std::string Text(IParam* p) {
  CXString text = "not written";
  EXPECT_TRUE(Param_Param2String(p, text));
  return static_cast<const char*>(text);
}

QVRef<IParam> FromText(const std::string& text) {
  QVRef<IParam> store = NewStore();
  CXString source = text.c_str();
  EXPECT_TRUE(Param_String2Param(source, store.Get())) << text.substr(0, 60);
  return store;
}

TEST(ParamCmp, IsOneSidedAndRefusesNullStores) {
  struct Row {
    const char *mine, *theirs;  // in the text form
    bool equal;
  };
  const Row rows[] = {
      {"[\\]|x=i5|[\\c]|v=shi|", "[\\]|x=i5|extra=i2|[\\c]|v=shi|more=i1|[\\d]|w=i3|", true},
      {"[\\]|x=i5|extra=i2|[\\c]|v=shi|more=i1|", "[\\]|x=i5|[\\c]|v=shi|", false},
      {"[\\]|s=sText|", "[\\]|s=stext|", false},  // strings keep their case
      {"[\\]|i=i5|", "[\\]|i=i6|", false},
      {"[\\deep\\er]|k=R1.5|", "[\\deep\\er]|k=R1.5|", true},
      {"[\\deep\\er]|k=R1.5|", "[\\deep\\er]|k=R2.5|", false},
      {"[\\]|k=i1|", "[\\]|", false},
      {"[\\only]|", "[\\]|", false},  // a child missing in theirs
      {"[\\]|", "[\\only]|", true},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    EXPECT_EQ(rows[i].equal, Param_Cmp(FromText(rows[i].mine).Get(), FromText(rows[i].theirs).Get()) != FALSE)
        << "row " << i;
  QVRef<IParam> a = FromText(rows[0].mine);
  EXPECT_TRUE(Param_Cmp(a.Get(), a.Get()));
  EXPECT_FALSE(Param_Cmp(a.Get(), nullptr));
  EXPECT_FALSE(Param_Cmp(nullptr, a.Get()));
  EXPECT_FALSE(Param_Cmp(nullptr, nullptr));
  // The text form of a null store is refused as well, and the text left as it was.
  CXString untouched = "[\\]|x=i1|";
  EXPECT_FALSE(Param_Param2String(nullptr, untouched));
  EXPECT_STREQ("[\\]|x=i1|", untouched);
  EXPECT_FALSE(Param_String2Param(untouched, nullptr));
}

TEST(ParamCopyTo, ReplacesSameNamesAndKeepsTheRest) {
  QVRef<IParam> src = FromText("[\\]|x=i2|[\\a]|v=snew|[\\a\\b]|deep=R3.25|");
  QVRef<IParam> dst = FromText("[\\]|keep=i9|X=i1|[\\a]|old=sold|V=sreplaced|");
  Param_CopyTo(src.Get(), dst.Get());
  // Replaced values keep their first spelling and place.
  EXPECT_EQ("[\\]|keep=i9|X=i2|[\\a]|old=sold|V=snew|[\\a\\b]|deep=R3.25|", Text(dst.Get()));

  // Into a part of its own source, and onto itself.
  QVRef<IParam> root = FromText("[\\]|x=i1|[\\a]|v=i2|");
  Param_CopyTo(root.Get(), QVRef<IParam>(root->CreateChild("backup")).Get());
  const char kCopied[] = "[\\]|x=i1|[\\a]|v=i2|[\\backup]|x=i1|[\\backup\\a]|v=i2|[\\backup\\backup]|";
  EXPECT_EQ(kCopied, Text(root.Get()));
  Param_CopyTo(root.Get(), root.Get());
  EXPECT_EQ(kCopied, Text(root.Get()));
}

TEST(ParamText, RoundTripOfATextLongerThanALine) {
  // Far more than the reader's 8192-byte line: every entry must still come back whole.
  QVRef<IParam> original = NewStore();
  char path[64];
  for (int i = 0; i < 400; ++i) {
    sprintf(path, "section%d\\value%d", i % 7, i);
    Set(original.Get(), path, CQVVariant(CXString("some text for entry number ") + path));
  }
  const std::string text = Text(original.Get());
  ASSERT_GT(text.size(), 20000u);
  QVRef<IParam> back = FromText(text);
  EXPECT_TRUE(Param_Cmp(original.Get(), back.Get()));
  EXPECT_TRUE(Param_Cmp(back.Get(), original.Get()));
}

TEST(ParamText, MalformedTextReadsWhatItCan) {
  std::string binary;
  for (int c = 1; c < 256; ++c) binary += static_cast<char>(c);
  const std::pair<std::string, const char*> rows[] = {
      // the text, and the store afterwards in the text form (null: anything but a crash)
      {"", "[\\]|"},
      {"|||", "[\\]|"},
      {"x=i1", "[\\]|"},  // before any section
      {"[\\]|x=i1;comment|y=i2", "[\\]|x=i1|"},
      {";[\\]|x=i1", "[\\]|"},
      {"[\\]|k=w70000|h=i0x1F|bad=q1|n=i|f=fmaybe", "[\\]|h=i31|"},
      {"[\\a|v=i1", "[\\]|[\\a]|v=i1|"},
      {"[\\]\r\nx=i1\r\n[\\b]\ny=s two words ", "[\\]|x=i1|[\\b]|y=s two words|"},
      {"[\\]|#include nothing-here.ini|x=i3", "[\\]|x=i3|"},
      {"[\\]|" + binary, nullptr},
      {"[\\]|" + std::string(20000, 'z'), nullptr},
      {"[\\]|v=s" + std::string(9000, 'y'), nullptr},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    QVRef<IParam> store = FromText(rows[i].first);
    if (rows[i].second) EXPECT_EQ(rows[i].second, Text(store.Get())) << "row " << i;
  }
}

TEST(ParamText, IncludeOfAMissingFileThrows) {
  QVRef<IParam> store = NewStore();
  CXString text = "[\\]|x=i1|#include c:\\no\\such\\folder\\x.ini|y=i2";
  EXPECT_THROW(Param_String2Param(text, store.Get()), CXFileException);
  EXPECT_EQ("[\\]|x=i1|", Text(store.Get())) << "what was read before stays";
}

}  // namespace
