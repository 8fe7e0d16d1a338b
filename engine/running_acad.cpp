#include "engine/running_acad.h"

#include <psapi.h>

#include "base/handles.h"
#include "engine/same_name.h"

namespace {

// Full, and long where the file exists, so that 8.3 names and ".." parts match too.
std::string CanonicalPath(const std::string& path) {
  char full[MAX_PATH] = "";
  const DWORD fullLength = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  if (fullLength == 0 || fullLength >= MAX_PATH) return path;
  char longer[MAX_PATH] = "";
  const DWORD longLength = ::GetLongPathNameA(full, longer, MAX_PATH);
  return longLength > 0 && longLength < MAX_PATH ? longer : full;
}

std::vector<DWORD> ProcessIds() {
  std::vector<DWORD> ids(1024);
  for (;;) {
    DWORD bytes = 0;
    if (!::EnumProcesses(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &bytes)) return {};
    // A full buffer may have cut the list short.
    if (bytes < ids.size() * sizeof(DWORD)) {
      ids.resize(bytes / sizeof(DWORD));
      return ids;
    }
    ids.resize(ids.size() * 2);
  }
}

}  // namespace

StringList RunningImagePaths() {
  StringList images;
  for (DWORD id : ProcessIds()) {
    fw::Handle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    if (!process) continue;
    char image[MAX_PATH] = "";
    DWORD length = MAX_PATH;
    if (::QueryFullProcessImageNameA(process.get(), 0, image, &length) && length > 0)
      images.push_back(std::string(image, length));
  }
  return images;
}

bool SameExecutablePath(const std::string& a, const std::string& b) {
  return SameNameIgnoringCase(CanonicalPath(a), CanonicalPath(b));
}

bool IsAcadRunning(const PMAcad& product, const StringList& images) {
  const std::string executable = CanonicalPath(product.ExePath);
  for (const std::string& image : images)
    if (SameNameIgnoringCase(CanonicalPath(image), executable)) return true;
  return false;
}
