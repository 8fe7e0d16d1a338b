// CXString path operations and ReducePathString on drive and UNC paths.
#include <gtest/gtest.h>
#include <string.h>

#include "tests/base/xstring_test_util.h"

namespace {

const char* kUntouched = "<untouched>";

TEST(XStringPath, PartsOfPaths) {
  struct Row {
    const char* path;
    int pathBytes;
    const char* dir;  // what GetFilePath writes, kUntouched when nothing
    const char* name;
    const char* nameWithExt;
    const char* ext;  // null when there is no extension
  };
  const Row rows[] = {
      {"C:\\dir\\name.ext", 6, "C:\\dir", "name", "name.ext", "ext"},
      {"C:\\file.txt", 2, "C:", "file", "file.txt", "txt"},
      {"C:file.txt", 2, "C:", "file", "file.txt", "txt"},
      {"bare", 0, kUntouched, "bare", "bare", nullptr},
      {"bare.tar.gz", 0, kUntouched, "bare.tar", "bare.tar.gz", "gz"},
      {"a.b\\c", 3, "a.b", "c", "c", nullptr},
      {"dir/sub/f.x", 7, "dir/sub", "f", "f.x", "x"},
      {"dir\\", 3, "dir", "", "", nullptr},
      {"name.", 0, kUntouched, "name", "name.", ""},
      {"\\\\srv\\share\\f", 11, "\\\\srv\\share", "f", "f", nullptr},
      {"", 0, kUntouched, "", "", nullptr},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    const Row& r = rows[row];
    const CXString s(r.path);
    char out[64];
    strcpy(out, kUntouched);
    EXPECT_EQ(r.pathBytes, s.GetFilePath(out)) << "row " << row;
    EXPECT_STREQ(r.dir, out) << "row " << row;
    EXPECT_EQ(r.pathBytes, s.GetFilePath(nullptr)) << "row " << row;
    EXPECT_EQ(r.dir == kUntouched ? std::string() : std::string(r.dir), Str(s.FilePath())) << "row " << row;

    strcpy(out, kUntouched);
    EXPECT_EQ(static_cast<int>(strlen(r.name)), s.GetFileName(out)) << "row " << row;
    EXPECT_STREQ(r.name, out) << "row " << row;
    EXPECT_EQ(static_cast<int>(strlen(r.name)), s.GetFileName(nullptr)) << "row " << row;
    EXPECT_STREQ(r.nameWithExt, s.GetFileName()) << "row " << row;
    EXPECT_EQ(r.nameWithExt, Str(s.FileName())) << "row " << row;

    strcpy(out, kUntouched);
    const int extBytes = r.ext ? static_cast<int>(strlen(r.ext)) : 0;
    EXPECT_EQ(extBytes, s.GetFileExt(out)) << "row " << row;
    EXPECT_STREQ(r.ext ? r.ext : "", out) << "row " << row;
    EXPECT_EQ(extBytes, s.GetFileExt(nullptr)) << "row " << row;
    if (r.ext)
      EXPECT_STREQ(r.ext, s.GetFileExt()) << "row " << row;
    else
      EXPECT_EQ(nullptr, s.GetFileExt()) << "row " << row;
    EXPECT_EQ(r.ext ? r.ext : "", Str(s.FileExt())) << "row " << row;
  }
}

TEST(XStringPath, ChangeExtensionAndDelimiters) {
  struct Row {
    const char* path;
    const char* ext;
    const char* changed;
  };
  const Row rows[] = {
      {"a", "txt", "a.txt"},           {"a", ".txt", "a.txt"},
      {"a.doc", "txt", "a.txt"},       {"a.doc", ".txt", "a.txt"},
      {"d.x\\a", "txt", "d.x\\a.txt"}, {"a.b.c", "z", "a.b.z"},
      {"a.", "txt", "a.txt"},          {"a.doc", "", "a."},
      {"a.doc", nullptr, "a."},        {"", "txt", ".txt"},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    CXString s(rows[row].path);
    EXPECT_EQ(rows[row].changed, Str(s.ChangeFileExt(rows[row].ext))) << "row " << row;
  }

  const char* dirs[][2] = {{"C:\\dir", "C:\\dir\\"}, {"C:\\dir\\", "C:\\dir\\"}, {"x/", "x/"}, {"", "\\"}};
  for (size_t row = 0; row < 4; ++row) {
    CXString s(dirs[row][0]);
    EXPECT_EQ(dirs[row][1], Str(s.AddDirDelim())) << "row " << row;
  }
  const char* dots[][2] = {{"name", "name."}, {"name.", "name."}, {"", "."}};
  for (size_t row = 0; row < 3; ++row) {
    CXString s(dots[row][0]);
    EXPECT_EQ(dots[row][1], Str(s.AddFileExtDelim())) << "row " << row;
  }
}

TEST(XStringReducePath, DriveAndUncPaths) {
  struct Row {
    const char* path;
    int maxLen;
    int result;
    const char* reduced;
  };
  const Row rows[] = {
      {"C:\\dir1\\dir2\\dir3\\file.txt", 20, 1, "C:\\dir1\\...\\file.txt"},
      {"C:\\dir1\\dir2\\dir3\\file.txt", 26, 1, "C:\\dir1\\dir2\\dir3\\file.txt"},  // fits already
      {"C:\\dir1\\dir2\\dir3\\file.txt", 25, 1, "C:\\dir1\\...\\dir3\\file.txt"},
      {"C:\\dir1\\dir2\\dir3\\file.txt", 3, 1, "C:\\dir1\\...\\file.txt"},  // raised to 4 + tail + 5
      {"C:\\dir\\file.txt", 5, 1, "C:\\...\\file.txt"},
      {"C:\\file.txt", 3, 1, "C:\\file.txt"},  // no directory to drop
      {"\\\\server\\share\\d1\\d2\\d3\\file.txt", 10, 1, "\\\\server\\share\\...\\file.txt"},
      {"\\\\server\\share\\d1\\d2\\d3\\file.txt", 30, 1, "\\\\server\\share\\...\\d3\\file.txt"},
      {"\\\\server", 3, 0, "\\\\server"},  // no backslash after the server
      {"relative\\dir\\file.txt", 5, 0, "relative\\dir\\file.txt"},
      {"C:dir\\dir\\file.txt", 5, 0, "C:dir\\dir\\file.txt"},
      {"", 0, 1, ""},
  };
  for (size_t row = 0; row < sizeof rows / sizeof rows[0]; ++row) {
    CXString s(rows[row].path);
    EXPECT_EQ(rows[row].result, s.ReducePathString(rows[row].maxLen)) << "row " << row;
    EXPECT_EQ(rows[row].reduced, Str(s)) << "row " << row;
  }
}

}  // namespace
