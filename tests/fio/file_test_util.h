// Checks shared by the file-layer tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "base/exceptions.h"
#include "fio/xfile.h"

// The call must throw CXFileException with this code and operation (name checked when given).
#define EXPECT_FILE_ERROR(call, code, operation, ...)                                                    \
  do {                                                                                                   \
    try {                                                                                                \
      call;                                                                                              \
      ADD_FAILURE() << #call " threw nothing, expected code " << (code);                                 \
    } catch (const CXFileException& e) {                                                                 \
      EXPECT_EQ(code, e.GetCode()) << #call;                                                             \
      EXPECT_EQ(operation, e.GetOperation()) << #call;                                                   \
      const std::string expectedName[] = {__VA_ARGS__};                                                  \
      for (const std::string& name : expectedName) EXPECT_STREQ(name.c_str(), e.GetFileName()) << #call; \
    }                                                                                                    \
  } while (0)

// The call must throw a plain CXException (not a file exception) with this code.
#define EXPECT_PLAIN_ERROR(call, code)                                        \
  do {                                                                        \
    try {                                                                     \
      call;                                                                   \
      ADD_FAILURE() << #call " threw nothing, expected code " << (code);      \
    } catch (const CXFileException& e) {                                      \
      ADD_FAILURE() << #call " threw a file exception, code " << e.GetCode(); \
    } catch (const CXException& e) {                                          \
      EXPECT_EQ(code, e.GetCode()) << #call;                                  \
    }                                                                         \
  } while (0)

// Holds one reference of a file and releases it at scope end.
template <class I>
class FileRef {
 public:
  explicit FileRef(I* file) : file_(file) {}
  ~FileRef() {
    if (file_) file_->Release();
  }
  FileRef(const FileRef&) = delete;
  FileRef& operator=(const FileRef&) = delete;
  I* operator->() const { return file_; }
  I* get() const { return file_; }
  // Releases now; the close may throw.
  void Close() {
    I* file = file_;
    file_ = nullptr;
    if (file) file->Release();
  }

 private:
  I* file_;
};
