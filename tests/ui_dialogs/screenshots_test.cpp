// Pictures of the main dialog and the profile dialogs in English and Russian, for a person to
// look at: <build>/screenshots/*.bmp. Each must hold a real picture of the window's size.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/handles.h"
#include "framework/language.h"
#include "resources/resource.h"
#include "tests/framework/testkit/message_box_script.h"
#include "tests/framework/testkit/modal_runner.h"
#include "tests/ui_dialogs/dialog_driver.h"
#include "tests/ui_dialogs/dialog_fixture.h"
#include "ui/main_dialog.h"

namespace {

std::string ScreenshotFolder() {
  std::string program = fw::ModuleFilePath(nullptr);
  std::string folder = program.substr(0, program.find_last_of('\\') + 1) + "..\\screenshots\\";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

// A device context of the screen, given back when it goes.
class ScreenDc {
 public:
  ScreenDc() : dc_(::GetDC(nullptr)) {}
  ~ScreenDc() { ::ReleaseDC(nullptr, dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc_(::CreateCompatibleDC(like)) {}
  ~MemoryDc() { ::DeleteDC(dc_); }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

struct Picture {
  int width = 0;
  int height = 0;
  size_t colours = 0;  // distinct pixel values
  bool written = false;
};

// Copies the window as the screen shows it into a 24-bit bottom-up .bmp file.
Picture SaveWindow(HWND window, const std::string& path) {
  Picture picture;
  ::RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT rect = {};
  ::GetWindowRect(window, &rect);
  picture.width = rect.right - rect.left;
  picture.height = rect.bottom - rect.top;
  const int stride = (picture.width * 3 + 3) & ~3;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = picture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  ScreenDc screen;
  MemoryDc memory(screen.get());
  void* bits = nullptr;
  fw::GdiObject bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return picture;
  HGDIOBJ previous = ::SelectObject(memory.get(), bitmap.get());
  ::BitBlt(memory.get(), 0, 0, picture.width, picture.height, screen.get(), rect.left, rect.top, SRCCOPY);
  ::GdiFlush();
  ::SelectObject(memory.get(), previous);

  const unsigned char* pixels = static_cast<const unsigned char*>(bits);
  std::set<unsigned> colours;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      const unsigned char* p = pixels + y * stride + x * 3;
      colours.insert(p[0] | p[1] << 8 | p[2] << 16);
    }
  picture.colours = colours.size();

  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + stride * picture.height;
  fw::FileHandle out(
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  picture.written = out && ::WriteFile(out.get(), &file, sizeof file, &written, nullptr) &&
                    ::WriteFile(out.get(), &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
                    ::WriteFile(out.get(), bits, stride * picture.height, &written, nullptr);
  return picture;
}

void ExpectPicture(const Picture& picture, const std::string& name) {
  EXPECT_TRUE(picture.written) << name;
  EXPECT_GT(picture.width, 100) << name;
  EXPECT_GT(picture.height, 100) << name;
  // A failed copy is one flat colour; a dialog has text, frames and a selection.
  EXPECT_GT(picture.colours, 3u) << name;
}

class ScreenshotTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    SeedWorld();
  }
  void TearDown() override {
    SetUiLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    DialogTest::TearDown();
  }

  // The main dialog with Work chosen and one application selected, then its two profile dialogs.
  void Photograph(const std::string& suffix) {
    const std::string folder = ScreenshotFolder();
    CPManDlg dialog;
    std::vector<std::pair<std::string, Picture>> pictures;
    fwtest::RunModal(dialog, {[&](HWND hwnd) {
                                drive::Select(hwnd, IDC_PROFILES, 2);
                                drive::Select(hwnd, IDC_APPLICATIONS, 1);
                                drive::Check(hwnd, 1, false);
                                const std::string name = "main_dialog_" + suffix + ".bmp";
                                pictures.emplace_back(name, SaveWindow(hwnd, folder + name));
                                fwtest::Click(hwnd, IDC_ADD_PROFILE);
                              },
                              [&](HWND) {
                                HWND add = fwtest::TopDialog();
                                drive::Type(add, IDC_PROFILE_NAME, "Laptop");
                                // The caret after the text, where typing leaves it.
                                SendDlgItemMessageA(add, IDC_PROFILE_NAME, EM_SETSEL, 6, 6);
                                const std::string name = "add_profile_" + suffix + ".bmp";
                                pictures.emplace_back(name, SaveWindow(add, folder + name));
                                fwtest::Click(add, IDCANCEL);
                              },
                              [&](HWND hwnd) { fwtest::Click(hwnd, IDC_RENAME_PROFILE); },
                              [&](HWND) {
                                HWND rename = fwtest::TopDialog();
                                const std::string name = "change_profile_" + suffix + ".bmp";
                                pictures.emplace_back(name, SaveWindow(rename, folder + name));
                                fwtest::Click(rename, IDCANCEL);
                              },
                              [&](HWND hwnd) { fwtest::Click(hwnd, IDCANCEL); }});
    ASSERT_EQ(3u, pictures.size());
    for (const auto& picture : pictures) ExpectPicture(picture.second, picture.first);
  }

  fwtest::MessageBoxScript boxes_;
};

TEST_F(ScreenshotTest, English) {
  SetUiLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  Photograph("en");
}

TEST_F(ScreenshotTest, Russian) {
  SetUiLanguage(MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT));
  // Texts of the string table pass through the ANSI code page; only 1251 shows them in Cyrillic.
  std::printf("ANSI code page %u\n", ::GetACP());
  Photograph("ru");
}

}  // namespace
