// The exported set-up and translation functions on the process-wide dictionary.
#include "translate/supp.h"

#include <gtest/gtest.h>

#include <string>

#include "base/handles.h"
#include "tests/support/scratch_folder.h"
#include "translate_fixture.h"

namespace {

class SuppTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureGlobalDictionary(); }
};

TEST_F(SuppTest, AddWldAddsToTheLoadedDictionary) {
  ScratchFolder folder;
  EXPECT_EQ(
      1, Supp_AddWld(folder.Write("more.wld", "\"Added text\"\n\"Neu\"\n\"Hello\"\n\"Servus\"\n").c_str()));
  EXPECT_STREQ("Neu", Supp_Translate("Added text"));
  EXPECT_STREQ("Hallo", Supp_Translate("Hello")) << "the first translation stays";
}

TEST_F(SuppTest, TranslateMenuKeepsGrayedAndChecked) {
  fw::Menu menu(::CreateMenu());
  HMENU popup = ::CreatePopupMenu();
  ::AppendMenuA(popup, MF_STRING | MF_CHECKED, 201, "&Open");
  ::AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(popup, MF_STRING | MF_GRAYED, 202, "E&xit");
  ::AppendMenuA(popup, MF_STRING, 203, "Unknown");
  ::AppendMenuA(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&File");
  EXPECT_EQ(1, Supp_Translate(menu.get()));
  EXPECT_EQ("&Datei", MenuText(menu.get(), 0));
  EXPECT_EQ(popup, ::GetSubMenu(menu.get(), 0));
  EXPECT_EQ("&Oeffnen", MenuText(popup, 0));
  EXPECT_TRUE(::GetMenuState(popup, 0, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_TRUE(::GetMenuState(popup, 1, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ("&Beenden", MenuText(popup, 2));  // without context
  EXPECT_TRUE(::GetMenuState(popup, 2, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_EQ(202u, ::GetMenuItemID(popup, 2));
  EXPECT_EQ("Unknown", MenuText(popup, 3));
}

TEST_F(SuppTest, TranslateWindowCaptionStaticsButtonsAndFonts) {
  HWND frame = ::CreateWindowExA(0, "STATIC", "Greeting", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                 ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, frame);
  auto child = [&](const char* className, const char* text) {
    return ::CreateWindowExA(0, className, text, WS_CHILD, 0, 0, 50, 20, frame, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
  };
  HWND label = child("Static", "Hello");
  HWND button = child("BUTTON", "Close");
  HWND edit = child("Edit", "Close");
  EXPECT_EQ(1, Supp_Translate(frame));
  EXPECT_EQ("Gruss", WindowText(frame));
  EXPECT_EQ("Hallo", WindowText(label));
  EXPECT_EQ("Schliessen", WindowText(button));
  EXPECT_EQ("Close", WindowText(edit));
  for (HWND window : {label, button, edit})
    EXPECT_EQ(reinterpret_cast<LRESULT>(Supp_GetFont()), ::SendMessageA(window, WM_GETFONT, 0, 0));
  ::DestroyWindow(frame);
}

}  // namespace
