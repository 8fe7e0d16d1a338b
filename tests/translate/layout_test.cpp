// Translated dialog layouts: read from the layout file beside the dictionary.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/scratch_folder.h"
#include "translate/dlg_layout.h"
#include "translate/wld.h"

namespace {

TEST(DialogLayouts, ReadFromTheLayoutFileBesideTheDictionary) {
  ScratchFolder folder;
  folder.Write(
      "fr.dlg",
      "[\\Tarnwick.exe\\Dialogs\\101]\r\nDialog Size=z20,4\r\n3=t10,1,12,2\r\nnote=snot a rectangle\r\n"
      "[\\Tarnwick.exe\\Dialogs\\#131]\r\n0=t0,0,10,0\r\n"
      "[\\Tarnwick.exe\\Dialogs\\132]\r\n"              // no values: passed over
      "[\\other.dll\\Settings\\5]\r\n0=t1,1,1,1\r\n");  // not below "Dialogs"
  CWld dictionary;
  dictionary.Init(folder.Write("fr.wld", "\"Open\"\n\"Ouvrir\"\n").c_str());
  const QVDlgPos* main = dictionary.GetLayout("TARNWICK.EXE#1#101");  // keys ignore letter case
  ASSERT_NE(nullptr, main);
  const CIRect* item = main->m_items.Find(3);
  ASSERT_NE(nullptr, item);
  EXPECT_EQ((std::vector<long>{20, 4, 1, 10, 1, 12, 2}),
            (std::vector<long>{main->m_cx, main->m_cy, static_cast<long>(main->m_items.GetCount()),
                               item->left, item->top, item->right, item->bottom}));
  EXPECT_NE(nullptr, dictionary.GetLayout("Tarnwick.exe#1#131")) << "a dialog named with \"#\"";
  EXPECT_EQ(nullptr, dictionary.GetLayout("Tarnwick.exe#1#132"));
  EXPECT_EQ(nullptr, dictionary.GetLayout("other.dll#1#5"));
  // Add reads a further layout file; a layout for the same dialog replaces the earlier one.
  folder.Write("more.dlg", "[\\Tarnwick.exe\\Dialogs\\101]\r\nDialog Size=z30,4\r\n");
  dictionary.Add(folder.Write("more.wld", "").c_str());
  EXPECT_EQ(30, dictionary.GetLayout("Tarnwick.exe#1#101")->m_cx);
  EXPECT_STREQ("Ouvrir", dictionary.Translate("Open", 1));
}

TEST(DialogLayouts, MalformedLayoutFilesAreIgnored) {
  std::string junk;
  for (int i = 0; i < 3000; ++i) junk += static_cast<char>((i * 131 + 7) % 256);
  const struct {
    std::string text;
    bool layout;  // a layout for a.dll dialog 5 with item 1 remains
  } files[] = {
      {"", false},
      {junk, false},
      {"[\\a.dll\\Dialogs\\5]\r\n1=tx,y\r\nDialog Size=z1\r\n", false},  // nothing reads: no values
      {"[\\a.dll\\Dialogs\\5]\r\n1=t1,2,3,4\r\n#include \"nosuch.dlg\"\r\n", false},  // a missing include
      {"[\\a.dll\\Dialogs\\5]\r\n1=t1,2,3,4\r\n[\\", true},                           // cut in a header
  };
  ScratchFolder folder;
  for (size_t row = 0; row < sizeof files / sizeof files[0]; ++row) {
    folder.Write("bad.dlg", files[row].text);
    CWld dictionary;
    EXPECT_EQ(1, dictionary.Init(folder.Write("bad.wld", "\"Open\"\n\"Auf\"\n").c_str())) << "row " << row;
    EXPECT_STREQ("Auf", dictionary.Translate("Open", 1)) << "row " << row;
    const QVDlgPos* layout = dictionary.GetLayout("a.dll#1#5");
    EXPECT_EQ(files[row].layout, layout && layout->m_items.Find(1)) << "row " << row;
  }
}

}  // namespace
