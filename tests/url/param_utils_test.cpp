// Parameter utilities: copy, one-sided comparison, the text form and its round trip, the
// dump sent to the debugger output.
#include "param/param_utils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/exceptions.h"
#include "param/param_ref.h"

#ifndef DBG_PRINTEXCEPTION_C
#define DBG_PRINTEXCEPTION_C 0x40010006L
#endif

namespace {

QVRef<IParam> NewStore() { return QVRef<IParam>(new_MemParam()); }

void Set(IParam* p, const char* path, const CQVVariant& value) { p->SetValue(path, &value); }

CQVVariant Get(IParam* p, const char* path) {
  CQVVariant value;
  EXPECT_TRUE(p->GetValue(path, &value)) << path;
  return value;
}

std::string Text(IParam* p) {
  CXString text = "not written";
  EXPECT_TRUE(Param_Param2String(p, text));
  return static_cast<const char*>(text);
}

TEST(ParamCmp, IsOneSided) {
  QVRef<IParam> a = NewStore(), b = NewStore();
  Set(a.Get(), "x", CQVVariant(5));
  Set(a.Get(), "c\\v", CQVVariant("hi"));
  Set(b.Get(), "x", CQVVariant(5));
  Set(b.Get(), "c\\v", CQVVariant("hi"));
  Set(b.Get(), "c\\more", CQVVariant(1));
  Set(b.Get(), "extra", CQVVariant(2));
  Set(b.Get(), "d\\w", CQVVariant(3));
  EXPECT_TRUE(Param_Cmp(a.Get(), b.Get())) << "b holds all of a plus more";
  EXPECT_FALSE(Param_Cmp(b.Get(), a.Get()));
  EXPECT_TRUE(Param_Cmp(a.Get(), a.Get()));
  EXPECT_FALSE(Param_Cmp(a.Get(), nullptr));
  EXPECT_FALSE(Param_Cmp(nullptr, a.Get()));
  EXPECT_FALSE(Param_Cmp(nullptr, nullptr));
}

TEST(ParamCmp, DifferencesThatCount) {
  struct Row {
    const char* path;
    CQVVariant mine;
    CQVVariant theirs;
    bool equal;
  };
  const Row rows[] = {
      {"s", CQVVariant("Text"), CQVVariant("text"), false},  // strings keep their case
      {"s", CQVVariant("same"), CQVVariant("same"), true},
      {"i", CQVVariant(5), CQVVariant(6), false},
      {"deep\\er\\k", CQVVariant(1.5), CQVVariant(1.5), true},
      {"deep\\er\\k", CQVVariant(1.5), CQVVariant(2.5), false},
  };
  int row = 0;
  for (const Row& r : rows) {
    ++row;
    QVRef<IParam> a = NewStore(), b = NewStore();
    Set(a.Get(), r.path, r.mine);
    Set(b.Get(), r.path, r.theirs);
    EXPECT_EQ(r.equal, Param_Cmp(a.Get(), b.Get()) != FALSE) << "row " << row;
  }
  // A value or a child that b lacks.
  QVRef<IParam> a = NewStore(), b = NewStore();
  Set(a.Get(), "k", CQVVariant(1));
  EXPECT_FALSE(Param_Cmp(a.Get(), b.Get()));
  QVRef<IParam> c = NewStore();
  c->CreateChild("only")->Release();
  EXPECT_FALSE(Param_Cmp(c.Get(), b.Get())) << "a child missing in b";
  EXPECT_TRUE(Param_Cmp(b.Get(), c.Get()));
}

TEST(ParamCopyTo, ReplacesSameNamesAndKeepsTheRest) {
  QVRef<IParam> src = NewStore(), dst = NewStore();
  Set(src.Get(), "x", CQVVariant(2));
  Set(src.Get(), "a\\v", CQVVariant("new"));
  Set(src.Get(), "a\\b\\deep", CQVVariant(3.25));
  Set(dst.Get(), "keep", CQVVariant(9));
  Set(dst.Get(), "X", CQVVariant(1));
  Set(dst.Get(), "a\\old", CQVVariant("old"));
  Set(dst.Get(), "a\\V", CQVVariant("replaced"));

  Param_CopyTo(src.Get(), dst.Get());
  EXPECT_EQ(2, static_cast<int>(Get(dst.Get(), "x")));
  EXPECT_EQ(9, static_cast<int>(Get(dst.Get(), "keep")));
  EXPECT_STREQ("old", static_cast<char*>(Get(dst.Get(), "a\\old")));
  EXPECT_STREQ("new", static_cast<char*>(Get(dst.Get(), "a\\v")));
  EXPECT_EQ(3.25, static_cast<double>(Get(dst.Get(), "a\\b\\deep")));
  EXPECT_TRUE(Param_Cmp(src.Get(), dst.Get()));
  EXPECT_FALSE(Param_Cmp(dst.Get(), src.Get()));
  // Replaced values keep their first spelling and place.
  EXPECT_EQ("[\\]|keep=i9|X=i2|[\\a]|old=sold|V=snew|[\\a\\b]|deep=R3.25|", Text(dst.Get()));
}

TEST(ParamCopyTo, IntoAPartOfItsOwnSource) {
  QVRef<IParam> root = NewStore();
  Set(root.Get(), "x", CQVVariant(1));
  Set(root.Get(), "a\\v", CQVVariant(2));
  QVRef<IParam> backup(root->CreateChild("backup"));
  Param_CopyTo(root.Get(), backup.Get());
  EXPECT_EQ("[\\]|x=i1|[\\a]|v=i2|[\\backup]|x=i1|[\\backup\\a]|v=i2|[\\backup\\backup]|", Text(root.Get()));
  Param_CopyTo(root.Get(), root.Get());
  EXPECT_EQ("[\\]|x=i1|[\\a]|v=i2|[\\backup]|x=i1|[\\backup\\a]|v=i2|[\\backup\\backup]|", Text(root.Get()));
}

TEST(ParamText, ExactForm) {
  QVRef<IParam> store = NewStore();
  Set(store.Get(), "x", CQVVariant(5));
  Set(store.Get(), "a\\v", CQVVariant("hi"));
  EXPECT_EQ("[\\]|x=i5|[\\a]|v=shi|", Text(store.Get()));
  EXPECT_EQ("[\\]|", Text(NewStore().Get()));

  CXString untouched = "as it was";
  EXPECT_FALSE(Param_Param2String(nullptr, untouched));
  EXPECT_STREQ("as it was", untouched);
  CXString text = "[\\]|x=i1|";
  EXPECT_FALSE(Param_String2Param(text, nullptr));
}

TEST(ParamText, RoundTripOfATextLongerThanALine) {
  // Far more than the reader's 8192-byte line: every entry must still come back whole.
  QVRef<IParam> original = NewStore();
  char path[64];
  for (int i = 0; i < 400; ++i) {
    sprintf(path, "section%d\\value%d", i % 7, i);
    Set(original.Get(), path, CQVVariant(CXString("some text for entry number ") + path));
  }
  CXString text;
  ASSERT_TRUE(Param_Param2String(original.Get(), text));
  ASSERT_GT(text.GetSize(), 20000);
  QVRef<IParam> back = NewStore();
  ASSERT_TRUE(Param_String2Param(text, back.Get()));
  EXPECT_TRUE(Param_Cmp(original.Get(), back.Get()));
  EXPECT_TRUE(Param_Cmp(back.Get(), original.Get()));
}

TEST(ParamText, MalformedTextReadsWhatItCan) {
  struct Row {
    std::string text;
    const char* stored;  // the store afterwards, in the text form
  };
  std::string binary;
  for (int c = 1; c < 256; ++c) binary += static_cast<char>(c);
  const Row rows[] = {
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
  int row = 0;
  for (const Row& r : rows) {
    ++row;
    QVRef<IParam> store = NewStore();
    CXString text = r.text.c_str();
    EXPECT_TRUE(Param_String2Param(text, store.Get())) << "row " << row;
    if (r.stored) {
      EXPECT_EQ(r.stored, Text(store.Get())) << "row " << row;
    }
  }
}

TEST(ParamText, IncludeOfAMissingFileThrows) {
  QVRef<IParam> store = NewStore();
  CXString text = "[\\]|x=i1|#include c:\\no\\such\\folder\\x.ini|y=i2";
  EXPECT_THROW(Param_String2Param(text, store.Get()), CXFileException);
  EXPECT_EQ(1, static_cast<int>(Get(store.Get(), "x"))) << "what was read before stays";
}

// Collects what the process sends to the debugger output while it lives.
class DebugOutput {
 public:
  DebugOutput() : handler_(AddVectoredExceptionHandler(1, &DebugOutput::OnException)) { lines_ = &captured_; }
  ~DebugOutput() {
    RemoveVectoredExceptionHandler(handler_);
    lines_ = nullptr;
  }
  const std::vector<std::string>& Lines() const { return captured_; }

 private:
  // OutputDebugString raises this exception for a debugger; it is taken here instead.
  static LONG CALLBACK OnException(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    if (record->ExceptionCode != static_cast<DWORD>(DBG_PRINTEXCEPTION_C) || !lines_ ||
        record->NumberParameters < 2)
      return EXCEPTION_CONTINUE_SEARCH;
    const size_t length = record->ExceptionInformation[0];
    lines_->push_back(std::string(reinterpret_cast<const char*>(record->ExceptionInformation[1]),
                                  length > 0 ? length - 1 : 0));
    return EXCEPTION_CONTINUE_EXECUTION;
  }

  static std::vector<std::string>* lines_;
  std::vector<std::string> captured_;
  PVOID handler_;
};
std::vector<std::string>* DebugOutput::lines_ = nullptr;

}  // namespace
