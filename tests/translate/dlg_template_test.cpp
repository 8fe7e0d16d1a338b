// Translated copies of dialog templates: exact bytes of plain and extended templates.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "tests/support/dialog_template.h"
#include "tests/support/scratch_folder.h"
#include "translate/dlg_layout.h"
#include "translate/dlg_walk.h"
#include "translate/wld.h"

namespace {

const char kDictionary[] =
    "\"Greeting\"\n\"Gruss\"\n"
    "\"Hello\"\n\"Hallo\"\n"
    "\"Close\"\n\"Schliessen\"\n"
    "\"dlg.dll#1#300Close\"\n\"Zu (Kontext)\"\n"
    "\"MS Shell Dlg\"\n\"Tahoma\"\n";

// Every kind of item once, with the titles of a static and a button given.
std::vector<TemplateItem> MixedItems(const wchar_t* staticTitle, const wchar_t* buttonTitle) {
  return {
      {0x0082, L"", staticTitle, 0, {}},   {0x0081, L"", L"Close", 0, {}},   // an edit: never translated
      {0x0080, L"", buttonTitle, 0, {}},   {0, L"Button", L"Close", 0, {}},  // a named class keeps its title
      {0x0082, L"", L"", 128, {}},                                           // an ordinal title
      {0x0080, L"", L"Hel", 0, {1, 2, 3}},  // creation data after an odd length: the next item is padded
      {0x0082, L"", L"", 0, {}},            // an empty title stays one zero character
      {0x0082, L"", L"\u0148ello", 0, {}},  // U+0148 has the low byte of 'H': not "Hello"
  };
}

class TemplateWalkTest : public ::testing::Test {
 protected:
  void SetUp() override { dictionary_.Init(folder_.Write("dlg.wld", kDictionary).c_str()); }

  // The walk's copy as bytes; empty when the source stays as it is.
  std::vector<BYTE> Walk(const std::vector<BYTE>& source, size_t limit = 0, const QVDlgPos* layout = nullptr,
                         const char* context = nullptr) {
    DialogWalk walk;
    walk.source = source.data();
    walk.limit = limit;
    walk.context = context;
    walk.layout = layout;
    int size = -1;
    void* copy = WalkDialogTemplate(dictionary_, walk, &size);
    if (!copy) {
      EXPECT_EQ(0, size);
      return {};
    }
    std::vector<BYTE> bytes(static_cast<BYTE*>(copy), static_cast<BYTE*>(copy) + size);
    free(copy);
    return bytes;
  }

  ScratchFolder folder_;
  CWld dictionary_;
};

// Both forms, with the dictionary's font, a layout that moves edges and a context that comes
// first in lookups.
TEST_F(TemplateWalkTest, ExactBytesOfBothForms) {
  QVDlgPos layout;
  layout.m_cx = 20;
  layout.m_cy = 3;
  layout.m_items.SetAt(1, CIRect{0, 0, 10, 0});   // 10 wider in place
  layout.m_items.SetAt(2, CIRect{-2, -3, 4, 5});  // every edge on its own
  layout.m_items.SetAt(5, CIRect{10, 0, 10, 0});  // moved 10 to the right, same width
  for (bool extended : {false, true}) {
    DialogSpec source;
    source.extended = extended;
    source.style |= DS_SETFONT;
    source.hasFont = true;
    source.font = {10, 700, 1, 204, L"Courier New"};
    source.caption = L"Greeting";
    source.items = MixedItems(L"Hello", L"Close");
    DialogSpec expected = source;
    expected.caption = L"Gruss";
    expected.cx += 20;
    expected.cy += 3;
    expected.items = MixedItems(L"Hallo", L"Zu (Kontext)");
    expected.items[1].cx = 20;
    expected.items[2] = {0x0080, L"", L"Zu (Kontext)", 0, {}, -2, -3, 16, 18};
    expected.items[5].x = 10;
    // The dictionary's default font: its size, normal weight, not italic, its character set and
    // its face passed through the dictionary.
    expected.font = {8, 400, 0, static_cast<BYTE>(dictionary_.GetFontScript()), L"Tahoma"};
    const std::vector<BYTE> copy = Walk(BuildTemplate(source), 0, &layout, "dlg.dll#1#300");
    EXPECT_EQ(BuildTemplate(expected), copy) << (extended ? "extended" : "plain") << ", got\n"
                                             << HexDump(copy);
  }
}

TEST_F(TemplateWalkTest, MalformedTemplatesWithAKnownSizeStayAsTheyAre) {
  DialogSpec source;
  source.caption = L"Greeting";
  source.items = MixedItems(L"Hello", L"Close");
  std::vector<BYTE> bytes = BuildTemplate(source);
  EXPECT_FALSE(Walk(bytes, bytes.size()).empty()) << "the whole template within its size";

  std::vector<BYTE> tooManyItems = bytes;
  tooManyItems[8] = 200;  // item count far beyond the data
  EXPECT_TRUE(Walk(tooManyItems, tooManyItems.size()).empty());

  for (size_t size = 1; size < bytes.size(); ++size)
    EXPECT_TRUE(Walk(bytes, size).empty()) << "limit " << size;
}

}  // namespace
