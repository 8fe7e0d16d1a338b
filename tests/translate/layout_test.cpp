// Translated dialog layouts: loading them into the dictionary.
#include <gtest/gtest.h>

#include "tests/support/scratch_folder.h"
#include "base/variant.h"
#include "hook_target.h"
#include "param/param.h"
#include "param/param_ref.h"
#include "translate/dlg_layout.h"
#include "translate/wld.h"
#include "translate_fixture.h"

namespace {

void SetValue(IParam* root, const char* path, const CQVVariant& value) { root->SetValue(path, &value); }

TEST(DialogLayouts, ModuleDialogsAndItemsFromAParameterTree) {
  QVRef<IParam> root(new_MemParam());
  SetValue(root.Get(), "Tarnwick.exe\\Dialogs\\101\\Dialog Size", CQVVariant(SIZE{20, 0}));
  SetValue(root.Get(), "Tarnwick.exe\\Dialogs\\101\\3", CQVVariant(RECT{10, 0, 10, 0}));
  SetValue(root.Get(), "Tarnwick.exe\\Dialogs\\101\\note", CQVVariant("not a rectangle"));
  SetValue(root.Get(), "Tarnwick.exe\\Dialogs\\#131\\0", CQVVariant(RECT{0, 0, 10, 0}));
  root->GetChild("Tarnwick.exe\\Dialogs\\132", TRUE)->Release();                    // no values: passed over
  SetValue(root.Get(), "other.dll\\Settings\\5\\0", CQVVariant(RECT{1, 1, 1, 1}));  // no "Dialogs"
  CWld dictionary;
  LoadLayoutsFromParam(dictionary, root.Get());

  const QVDlgPos* main = dictionary.GetLayout("Tarnwick.exe#1#101");
  ASSERT_NE(nullptr, main);
  EXPECT_EQ(20, main->m_cx);
  EXPECT_EQ(0, main->m_cy);
  EXPECT_EQ(1, main->m_items.GetCount());
  const CIRect* item = main->m_items.Find(3);
  ASSERT_NE(nullptr, item);
  EXPECT_EQ(10, item->left);
  EXPECT_EQ(10, item->right);

  const QVDlgPos* add = dictionary.GetLayout("TARNWICK.EXE#1#131");  // keys ignore letter case
  ASSERT_NE(nullptr, add);
  EXPECT_EQ(0, add->m_cx);
  ASSERT_NE(nullptr, add->m_items.Find(0));
  EXPECT_EQ(10, add->m_items.Find(0)->right);
  EXPECT_EQ(nullptr, dictionary.GetLayout("Tarnwick.exe#1#132"));
  EXPECT_EQ(nullptr, dictionary.GetLayout("other.dll#1#5"));
}

TEST(DialogLayouts, ReadFromTheLayoutFileBesideTheDictionary) {
  ScratchFolder folder;
  folder.Write("fr.dlg",
               "[\\Tarnwick.exe\\Dialogs\\101]\r\nDialog Size=z20,0\r\n3=t10,0,10,0\r\n"
               "[\\Tarnwick.exe\\Dialogs\\#131]\r\n0=t0,0,10,0\r\n");
  CWld dictionary;
  dictionary.Init(folder.Write("fr.wld", "\"Open\"\n\"Ouvrir\"\n").c_str());
  const QVDlgPos* main = dictionary.GetLayout("tarnwick.exe#1#101");
  ASSERT_NE(nullptr, main);
  EXPECT_EQ(20, main->m_cx);
  ASSERT_NE(nullptr, main->m_items.Find(3));
  EXPECT_EQ(10, main->m_items.Find(3)->left);
  EXPECT_NE(nullptr, dictionary.GetLayout("Tarnwick.exe#1#131"));
  // Add reads a further layout file; a layout for the same dialog replaces the earlier one.
  folder.Write("more.dlg", "[\\Tarnwick.exe\\Dialogs\\101]\r\nDialog Size=z30,4\r\n");
  dictionary.Add(folder.Write("more.wld", "").c_str());
  EXPECT_EQ(30, dictionary.GetLayout("Tarnwick.exe#1#101")->m_cx);
  EXPECT_STREQ("Ouvrir", dictionary.Translate("Open", 1));
}

TEST(DialogLayouts, MalformedLayoutFilesAreIgnored) {
  ScratchFolder folder;
  std::string junk;
  for (int i = 0; i < 3000; ++i) junk += static_cast<char>((i * 131 + 7) % 256);
  struct BadFile {
    const char* text;
    bool layout;  // a layout for a.dll dialog 5 remains
  };
  const BadFile files[] = {
      {"", false},
      {"[\\a.dll\\Dialogs\\5]\r\n3=tx,y\r\nDialog Size=z1\r\n", false},  // nothing reads: no values
      {"[\\a.dll\\Dialogs\\5]\r\n3=t1,2,3,4\r\n#include \"nosuch.dlg\"\r\n", false},  // a missing include
      {"[\\a.dll\\Dialogs\\5]\r\n1=t1,2,3,4\r\n[\\", true},                           // cut in a header
  };
  for (size_t row = 0; row < sizeof files / sizeof files[0]; ++row) {
    folder.Write("bad.dlg", files[row].text);
    CWld dictionary;
    EXPECT_EQ(1, dictionary.Init(folder.Write("bad.wld", "\"Open\"\n\"Auf\"\n").c_str())) << "row " << row;
    EXPECT_STREQ("Auf", dictionary.Translate("Open", 1)) << "row " << row;
    const QVDlgPos* layout = dictionary.GetLayout("a.dll#1#5");
    EXPECT_EQ(files[row].layout, layout != nullptr) << "row " << row;
    if (layout) {
      EXPECT_EQ(0, layout->m_cx) << "row " << row;
      EXPECT_NE(nullptr, layout->m_items.Find(1)) << "row " << row;
    }
  }
  folder.Write("junk.dlg", junk);
  CWld dictionary;
  dictionary.Init(folder.Write("junk.wld", "").c_str());
  EXPECT_FALSE(dictionary.HasEntries());
}

// A dialog resource of a hooked module with a layout in the global dictionary.
RECT ChildRectInDialogUnits(HWND dialog, int id) {
  RECT child;
  ::GetWindowRect(::GetDlgItem(dialog, id), &child);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&child), 2);
  return child;
}

RECT DialogUnits(HWND dialog, RECT units) {
  ::MapDialogRect(dialog, &units);
  return units;
}

INT_PTR CALLBACK Modeless(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

TEST(DialogLayouts, AppliedWhenAHookedModuleCreatesTheDialog) {
  EnsureTargetHooked();
  HWND dialog = Target_CreateDialogParamA(Target_Module(), TARGET_DIALOG_LAYOUT, nullptr, Modeless);
  ASSERT_NE(nullptr, dialog);
  RECT client;
  ::GetClientRect(dialog, &client);
  EXPECT_EQ(DialogUnits(dialog, {0, 0, 180, 60}).right, client.right) << "20 units wider";
  const RECT label = ChildRectInDialogUnits(dialog, TARGET_LABEL);
  const RECT wantedLabel = DialogUnits(dialog, {7, 7, 77, 15});  // 10 units wider in place
  EXPECT_EQ(wantedLabel.left, label.left);
  EXPECT_EQ(wantedLabel.right, label.right);
  const RECT button = ChildRectInDialogUnits(dialog, IDOK);
  const RECT wantedButton = DialogUnits(dialog, {110, 40, 160, 54});  // moved 10 units, same width
  EXPECT_EQ(wantedButton.left, button.left);
  EXPECT_EQ(wantedButton.right, button.right);
  EXPECT_EQ("Gruss", WindowText(dialog));
  EXPECT_EQ("Schliessen", WindowText(::GetDlgItem(dialog, IDOK)));
  ::DestroyWindow(dialog);
}

}  // namespace
