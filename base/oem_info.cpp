#include "base/oem_info.h"

#include <string.h>

#include "base/alloc.h"
#include "base/oem_info_impl.h"
#include "base/unknown_impl.h"
#include "base/xstring.h"

namespace {

const UINT kProductNameId = 10005;  // the program's name in its string table
const int kPathSize = 260;
const char kProductVersionKey[] = "\\StringFileInfo\\040904E4\\ProductVersion";

// The texts behind GetOemText1..3. A link block holds the target, a vertical bar and the text to
// show; the bar becomes the target's terminating zero on first use, and the second zero at the end
// ends the shown text.
const char kNotice[] = "All rights reserved.";
char g_supportLink[] = "https://tarnwick.brevent.example/support/|Tarnwick support\0";
char g_webSiteLink[] = "https://tarnwick.brevent.example/|tarnwick.brevent.example\0";

const char* CutAtBar(char* block) {
  if (char* bar = strchr(block, '|')) *bar = '\0';
  return block;
}

HMODULE LibraryModule() {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCSTR>(&LibraryModule), &module))
    return GetModuleHandleA(nullptr);
  return module;
}

char* LoadFromOwnStringTable(UINT id, char* buffer, int size) {
  return LoadStringA(LibraryModule(), id, buffer, size) > 0 ? buffer : nullptr;
}

// The module's file; "" when its name does not fit.
const char* LibraryFilePath() {
  static char path[kPathSize] = "";
  if (!path[0]) {
    DWORD n = GetModuleFileNameA(LibraryModule(), path, kPathSize);
    if (n == 0 || n >= kPathSize) path[0] = '\0';
  }
  return path;
}

// The whole version resource of a file, in a block of the library's heaps.
class VersionData {
 public:
  explicit VersionData(const char* path) {
    DWORD ignored = 0;
    DWORD size = path && *path ? GetFileVersionInfoSizeA(path, &ignored) : 0;
    if (!size) return;
    try {
      data_ = QVAllocBlock(size, nullptr);
    } catch (...) {
      return;  // missing version information is never an error
    }
    if (!GetFileVersionInfoA(path, 0, size, data_)) {
      QVFreeBlock(data_);
      data_ = nullptr;
    }
  }
  ~VersionData() { QVFreeBlock(data_); }
  VersionData(const VersionData&) = delete;
  VersionData& operator=(const VersionData&) = delete;

  // The value under key and its length as the resource states it; false when it is not there.
  bool Query(const char* key, void** value, UINT* length) const {
    return data_ && VerQueryValueA(data_, key, value, length) && *value;
  }

 private:
  void* data_ = nullptr;
};

class CIOemInfo : public CQVUnknownImpl<IOemInfo> {
 public:
  // The one instance is static: the count never ends its life.
  long Release() override { return m_refCount > 1 ? --m_refCount : m_refCount; }

  const char* GetProductName() override {
    if (m_name.IsEmpty()) {
      char buffer[1024];
      if (m_loader(kProductNameId, buffer, sizeof buffer)) m_name = buffer;
    }
    return m_name;
  }
  void Reserved1() override {}
  void Reserved2() override {}
  void Reserved3() override {}
  DWORD GetProductVersion() override { return ReadProductVersion(LibraryFilePath()); }
  const char* GetOemText1() override { return kNotice; }
  const char* GetOemField1() override { return ""; }
  const char* GetOemField2() override { return ""; }
  const char* GetOemField3() override { return ""; }
  const char* GetOemField4() override { return ""; }
  const char* GetProductVersionString() override {
    static char version[kPathSize];
    ReadProductVersionString(LibraryFilePath(), version, sizeof version);
    return version;
  }
  long GetOemValue(long, long, long, long) override { return 0; }
  const char* GetOemText2() override { return CutAtBar(g_supportLink); }
  const char* GetOemText3() override { return CutAtBar(g_webSiteLink); }

  void SetLoader(OemStringLoader loader) {
    m_loader = loader ? loader : &LoadFromOwnStringTable;
    m_name.Empty();
  }

 private:
  OemStringLoader m_loader = &LoadFromOwnStringTable;
  CXString m_name;
};

CIOemInfo g_oemInfo;

}  // namespace

void SetOemStringLoader(OemStringLoader loader) { g_oemInfo.SetLoader(loader); }

DWORD ReadProductVersion(const char* path) {
  VersionData data(path);
  void* value = nullptr;
  UINT length = 0;
  if (!data.Query("\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO)) return 0;
  const VS_FIXEDFILEINFO* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  if (fixed->dwSignature != VS_FFI_SIGNATURE) return 0;
  return MAKELONG(HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS));
}

void ReadProductVersionString(const char* path, char* buffer, int size) {
  if (!buffer || size <= 0) return;
  buffer[0] = '\0';
  VersionData data(path);
  void* value = nullptr;
  UINT length = 0;
  if (!data.Query(kProductVersionKey, &value, &length)) return;
  // The stated length bounds the copy as much as the buffer does: the text need not end in a zero.
  const char* text = static_cast<const char*>(value);
  int n = 0;
  while (n < size - 1 && static_cast<UINT>(n) < length && text[n]) {
    const int step = IsDBCSLeadByte(static_cast<BYTE>(text[n])) ? 2 : 1;
    if (n + step > size - 1 || static_cast<UINT>(n + step) > length || (step == 2 && !text[n + 1])) break;
    for (int i = 0; i < step; ++i, ++n) buffer[n] = text[n];
  }
  buffer[n] = '\0';
}

extern "C" {

IOemInfo* new_IOemInfo() {
  g_oemInfo.AddRef();
  return &g_oemInfo;
}

IHelpService* Get_IHelpService() { return nullptr; }

}  // extern "C"
