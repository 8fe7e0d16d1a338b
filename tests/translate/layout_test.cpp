// Translated dialog layouts: loading them into the dictionary.
#include <gtest/gtest.h>

#include "base/variant.h"
#include "param/param.h"
#include "param/param_ref.h"
#include "translate/dlg_layout.h"
#include "translate/wld.h"

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

TEST(DialogLayouts, WithAndWithoutNumberSignAddressTheSameDialog) {
  QVRef<IParam> root(new_MemParam());
  SetValue(root.Get(), "a.dll\\Dialogs\\#101\\Dialog Size", CQVVariant(SIZE{5, 6}));
  SetValue(root.Get(), "A.DLL\\Dialogs\\101\\Dialog Size", CQVVariant(SIZE{7, 8}));
  CWld dictionary;
  LoadLayoutsFromParam(dictionary, root.Get());
  const QVDlgPos* layout = dictionary.GetLayout("a.dll#1#101");
  ASSERT_NE(nullptr, layout);
  EXPECT_EQ(7, layout->m_cx) << "the later node replaces the earlier one";
  EXPECT_EQ(8, layout->m_cy);
}

}  // namespace
