// Without TW_ACAD_KEY a stand-in finds its product below HKLM by its own folder and executable
// name, and records into acadstub.log beside itself. The products are real keys in the test
// prefix's HKLM (a child process does not see a predefined-key override), under release names
// unique to this process, removed afterwards; the suite runs serially.
#include <gtest/gtest.h>

#include "tests/tools/standin_harness.h"

using standin::Sz;

namespace {

const char kAutoCad[] = "Software\\Autodesk\\AutoCAD";
const char kAutoCadLt[] = "Software\\Autodesk\\AutoCAD LT";

struct Registration {
  const char* base;
  const char* release;  // gets the process id appended
  const char* product;
  REGSAM view;
  const char* valueName;   // "Location" or "AcadLocation"
  const char* folderKind;  // "self", "self\\" (trailing backslash) or "other"
};

class StandInDiscoveryTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const char* base : {kAutoCad, kAutoCadLt}) {
      for (const char* release : {"R89.", "R90."}) {
        std::string path = std::string(base) + "\\" + release + Pid();
        standin::DeleteTree(HKEY_LOCAL_MACHINE, path, 0);
        standin::DeleteTree(HKEY_LOCAL_MACHINE, path, KEY_WOW64_64KEY);
        standin::DeleteTree(HKEY_CURRENT_USER, path);
      }
    }
    // Leave no empty product tree behind for other suites to discover.
    for (REGSAM view : {REGSAM(0), REGSAM(KEY_WOW64_64KEY)}) {
      RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kAutoCad, view, 0);
      RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kAutoCadLt, view, 0);
      RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "Software\\Autodesk", view, 0);
    }
  }

  static std::string Pid() { return std::to_string(GetCurrentProcessId()); }
  static std::string KeyOf(const Registration& r) {
    return std::string(r.base) + "\\" + r.release + Pid() + "\\" + r.product;
  }
};

TEST_F(StandInDiscoveryTest, FindsItsOwnProductInEitherViewAndRecordsBesideItself) {
  struct Row {
    const char* exe;
    std::vector<Registration> registrations;
    int expected;  // index of the registration found, -1 for none
  };
  const Row rows[] = {
      {"acad.exe", {{kAutoCad, "R90.", "ACAD-9001:409", 0, "Location", "self"}}, 0},
      {"acadlt.exe", {{kAutoCadLt, "R90.", "ACADLT-9002:409", KEY_WOW64_64KEY, "Location", "self"}}, 0},
      {"aclt.exe", {{kAutoCadLt, "R90.", "ACLT-9003:409", 0, "AcadLocation", "self\\"}}, 0},
      // Right folder but another product's executable, or the right name in another folder.
      {"acad.exe",
       {{kAutoCad, "R89.", "ACADLT-9004:409", 0, "Location", "self"},
        {kAutoCad, "R89.", "ACAD-9005:409", 0, "Location", "other"},
        {kAutoCad, "R90.", "ACAD-9006:409", KEY_WOW64_64KEY, "AcadLocation", "self"}},
       2},
      // The 32-bit view is searched first.
      {"acad.exe",
       {{kAutoCad, "R90.", "ACAD-9007:409", KEY_WOW64_64KEY, "Location", "self"},
        {kAutoCad, "R90.", "ACAD-9008:409", 0, "Location", "self"}},
       1},
      {"acadlt.exe", {{kAutoCadLt, "R90.", "ACADLT-9009:409", 0, "Location", "other"}}, -1},
  };
  for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
    const Row& row = rows[i];
    TearDown();
    standin::ScratchFolder self("tw-tools-self" + std::to_string(i));
    standin::ScratchFolder other("tw-tools-other" + std::to_string(i));
    const std::string exe = self.path() + row.exe;
    ASSERT_TRUE(CopyFileA((standin::BinFolder() + row.exe).c_str(), exe.c_str(), FALSE)) << "row " << i;
    for (const Registration& r : row.registrations) {
      std::string folder = std::string(r.folderKind) == "other" ? other.path() : self.path();
      if (std::string(r.folderKind) != "self\\") folder.pop_back();
      ASSERT_TRUE(standin::WriteValue(HKEY_LOCAL_MACHINE, KeyOf(r), r.valueName, Sz(folder), r.view))
          << "row " << i;
      ASSERT_TRUE(standin::WriteValue(HKEY_CURRENT_USER, KeyOf(r) + "\\Profiles", "", Sz(r.product)));
    }
    DWORD exitCode = 0xDEAD;
    ASSERT_TRUE(standin::RunToEnd(exe, " /nologo", {}, exitCode)) << "row " << i;
    std::vector<std::string> lines = standin::ReadRecord(self.path() + "acadstub.log");
    const Registration* found = row.expected < 0 ? nullptr : &row.registrations[row.expected];
    std::vector<std::string> expected = {"commandline=\"" + exe + "\" /nologo",
                                         "key=" + (found ? KeyOf(*found) : std::string()),
                                         found ? std::string("profile=") + found->product : "profile",
                                         "Tarnwikc",
                                         "RunPM",
                                         "PipeName",
                                         "exit=0"};
    EXPECT_EQ(expected, lines) << "row " << i << ":\n" << standin::Joined(lines);
    DeleteFileA(exe.c_str());
  }
}

}  // namespace
