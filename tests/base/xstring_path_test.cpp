// CXString path operations.
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

}  // namespace
