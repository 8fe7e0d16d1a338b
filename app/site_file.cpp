#include "app/site_file.h"

#include <windows.h>

#include "base/exceptions.h"
#include "base/handles.h"
#include "fio/url.h"
#include "fio/xfile.h"
#include "param/param_ref.h"
#include "param/profile_file.h"

namespace {

bool HasScheme(const std::string& name, const char* scheme) {
  return ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str(), static_cast<int>(strlen(scheme)), scheme,
                          -1) == CSTR_EQUAL;
}

// The profile functions read only files: the text goes to a temporary file of its own,
// which is removed again when this goes.
class TemporaryCopy {
 public:
  explicit TemporaryCopy(const std::string& text) {
    char folder[MAX_PATH] = "", name[MAX_PATH] = "";
    if (!::GetTempPathA(MAX_PATH, folder) || !::GetTempFileNameA(folder, "TWS", 0, name)) return;
    name_ = name;
    fw::FileHandle file(::CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
      name_.clear();
  }
  ~TemporaryCopy() {
    if (!name_.empty()) ::DeleteFileA(name_.c_str());
  }
  TemporaryCopy(const TemporaryCopy&) = delete;
  TemporaryCopy& operator=(const TemporaryCopy&) = delete;
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
};

// The names of a zero-delimited list.
std::vector<std::string> Names(const char* list) {
  std::vector<std::string> names;
  for (const char* name = list; *name; name += strlen(name) + 1) names.push_back(name);
  return names;
}

bool ReadThroughFileLayer(const std::string& name, std::string& bytes) {
  QVRef<IXFile> file(Fio_Open(name.c_str(), 0));
  const long length = file->GetLength();
  bytes.assign(static_cast<size_t>(length), '\0');
  long done = 0;
  while (done < length) {
    const int got = file->Read(&bytes[done], static_cast<int>(length - done));
    if (got <= 0) return false;
    done += got;
  }
  return true;
}

}  // namespace

bool ReadWholeFile(const std::string& name, std::string& bytes) {
  bytes.clear();
  std::string local = name;
  try {
    // The file layer's URL files speak FTP; web servers are reached through the cache.
    if (Fio_PathIsURL(name.c_str()) && (HasScheme(name, "http://") || HasScheme(name, "https://"))) {
      const char* cached = Fio_DownloadToCacheFile(name.c_str());
      if (!cached) return false;
      local = cached;
    }
    // An empty file cannot be mapped: it is empty text.
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (!Fio_PathIsURL(local.c_str()) && ::GetFileAttributesExA(local.c_str(), GetFileExInfoStandard, &attributes) &&
        !(attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && attributes.nFileSizeLow == 0 &&
        attributes.nFileSizeHigh == 0)
      return true;
    return ReadThroughFileLayer(local, bytes);
  } catch (const CXException&) {
    bytes.clear();
    return false;
  }
}

std::vector<IniSection> ParseIniText(const std::string& text) {
  std::vector<IniSection> sections;
  TemporaryCopy copy(text);
  if (copy.Name().empty()) return sections;
  CProfileFile file(copy.Name().c_str());
  CProfileList sectionNames;
  file.ReadSectionNames(sectionNames);
  for (const std::string& sectionName : Names(sectionNames.Text())) {
    IniSection section;
    section.Name = sectionName;
    CProfileList keyNames;
    file.ReadKeyNames(sectionName.c_str(), keyNames);
    for (const std::string& keyName : Names(keyNames.Text())) {
      CXString value;
      file.ReadKey(sectionName.c_str(), keyName.c_str(), value);
      section.Keys.push_back(IniKey{keyName, static_cast<const char*>(value)});
    }
    sections.push_back(section);
  }
  return sections;
}

std::string ResolveBeside(const std::string& siteFile, const std::string& name) {
  const bool absolute = Fio_PathIsURL(name.c_str()) || (name.size() > 1 && name[1] == ':') ||
                        (!name.empty() && (name[0] == '\\' || name[0] == '/'));
  if (absolute || name.empty()) return name;
  const size_t end = siteFile.find_last_of(Fio_PathIsURL(siteFile.c_str()) ? "/" : "\\/");
  return end == std::string::npos ? name : siteFile.substr(0, end + 1) + name;
}
