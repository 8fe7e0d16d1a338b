// Checks shared by the file-layer tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/exceptions.h"
#include "fio/xfile.h"

// The operation expected of a plain CXException, which is not a file exception.
constexpr int kPlainError = -1;

// The call must throw with this code and operation, and with this file name when one is given.
#define EXPECT_FILE_ERROR(call, code, operation, ...)                        \
  do {                                                                       \
    try {                                                                    \
      call;                                                                  \
      ADD_FAILURE() << #call " threw nothing, expected code " << (code);     \
    } catch (const CXFileException& e) {                                     \
      EXPECT_EQ(code, e.GetCode()) << #call;                                 \
      EXPECT_EQ(operation, e.GetOperation()) << #call;                       \
      const std::string expectedName[] = {"", __VA_ARGS__};                  \
      for (const std::string& name : expectedName)                           \
        if (!name.empty()) {                                                 \
          EXPECT_STREQ(name.c_str(), e.GetFileName()) << #call;              \
        }                                                                    \
    } catch (const CXException& e) {                                         \
      EXPECT_EQ(code, e.GetCode()) << #call;                                 \
      EXPECT_EQ(operation, kPlainError) << #call " threw a plain exception"; \
    }                                                                        \
  } while (0)

// Holds one reference of a file and releases it at scope end.
struct FileReleaser {
  template <class I>
  void operator()(I* file) const {
    file->Release();
  }
};
template <class I>
using FileRef = std::unique_ptr<I, FileReleaser>;
