// Parameter store benchmark: a 5 MB INI file of 1000 sections x 100 typed values read with
// Param_IniFile2Param into a memory store, against the same data read through the system's
// profile-string functions, one call per value. Prints figures and the ratio; asserts nothing.
#include <stdio.h>
#include <windows.h>

#include <string>

#include "param/ini.h"
#include "param/ini_value.h"
#include "param/param_ref.h"
#include "bench/stopwatch.h"

namespace {

const int kSections = 1000;
const int kValuesPerSection = 100;

// The typed value text of one entry; the types take turns.
std::string ValueText(int section, int index) {
  char text[128];
  switch (index % 6) {
    case 0:
      snprintf(text, sizeof text, "i%d", section * 1000 + index);
      break;
    case 1:
      snprintf(text, sizeof text, "R%d.%06d", section * 1000 + index, index * 3701);
      break;
    case 2:
      snprintf(text, sizeof text, "sThe quick brown fox %d jumps over the lazy dog %d times", section, index);
      break;
    case 3:
      snprintf(text, sizeof text, "t%d,%d,%d,%d", index, section, index + 640, section + 480);
      break;
    case 4:
      snprintf(text, sizeof text, "Z%d.5,%d.25", index, section);
      break;
    default:
      snprintf(text, sizeof text, "W%u", 4000000000u - section * 100u - index);
      break;
  }
  return text;
}

std::string SectionName(int section) { return "\\layouts\\dialog" + std::to_string(section); }
std::string ValueName(int index) { return "dialog_control_setting_number_" + std::to_string(index); }

std::string MakeIniText() {
  std::string text;
  text.reserve(6 << 20);
  text += "\r\n[\\]\r\n\r\n[\\layouts]\r\n";
  for (int section = 0; section < kSections; ++section) {
    text += "\r\n[" + SectionName(section) + "]\r\n";
    for (int index = 0; index < kValuesPerSection; ++index)
      text += ValueName(index) + "=" + ValueText(section, index) + "\r\n";
  }
  return text;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  FILE* file = fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return fclose(file) == 0 && ok;
}

// Counts the values of a store, so both routes can be seen to read everything.
int CountValues(IParam* node) {
  int count = 0;
  if (CTEnum<const char*>* values = node->EnumValues()) {
    const char* name;
    while (values->Next(1, &name, nullptr)) ++count;
    values->Release();
  }
  if (CTEnum<const char*>* children = node->EnumChildren()) {
    const char* name;
    while (children->Next(1, &name, nullptr)) {
      QVRef<IParam> child(node->GetChild(name, FALSE));
      if (child) count += CountValues(child.Get());
    }
    children->Release();
  }
  return count;
}

// The library's reader.
double ReadWithParamReader(const std::string& path, int& values) {
  Stopwatch watch;
  QVRef<IParam> root(new_MemParam());
  Param_IniFile2Param(path.c_str(), root.Get());
  const double seconds = watch.Seconds();
  values = CountValues(root.Get());
  return seconds;
}

// The system's profile functions: the section names, the keys of each section, then one
// call per value, decoded into a memory store the same way.
double ReadWithProfileFunctions(const std::string& path, int& values) {
  Stopwatch watch;
  QVRef<IParam> root(new_MemParam());
  std::string sections(1 << 20, '\0');
  GetPrivateProfileSectionNamesA(&sections[0], static_cast<DWORD>(sections.size()), path.c_str());
  std::string keys(64000, '\0');
  char text[1024];
  for (const char* section = sections.c_str(); *section; section += strlen(section) + 1) {
    GetPrivateProfileStringA(section, nullptr, "", &keys[0], static_cast<DWORD>(keys.size()), path.c_str());
    QVRef<IParam> node(section[1] ? root->GetChild(section + 1, TRUE) : (root->AddRef(), root.Get()));
    for (const char* key = keys.c_str(); *key; key += strlen(key) + 1) {
      GetPrivateProfileStringA(section, key, "", text, sizeof text, path.c_str());
      CQVVariant value;
      if (IniParseValue(text, &value)) node->SetValue(key, &value);
    }
  }
  const double seconds = watch.Seconds();
  values = CountValues(root.Get());
  return seconds;
}

}  // namespace

int main() {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path =
      std::string(folder) + "bench_param_" + std::to_string(GetCurrentProcessId()) + ".ini";
  const std::string text = MakeIniText();
  if (!WriteFileBytes(path, text)) {
    printf("cannot write %s\n", path.c_str());
    return 1;
  }
  printf("INI file: %d sections x %d values, %.2f MB\n", kSections, kValuesPerSection,
         text.size() / (1024.0 * 1024.0));

  int readerValues = 0, profileValues = 0;
  double reader = 1e9;
  for (int run = 0; run < 3; ++run) {
    const double seconds = ReadWithParamReader(path, readerValues);
    if (seconds < reader) reader = seconds;
  }
  const double profile = ReadWithProfileFunctions(path, profileValues);
  DeleteFileA(path.c_str());

  printf("Param_IniFile2Param (best of 3):           %8.3f s  (%d values)\n", reader, readerValues);
  printf("GetPrivateProfileString per value:         %8.3f s  (%d values)\n", profile, profileValues);
  printf("ratio profile functions / INI reader:      %8.1f x  (goal: at least 10 x)\n", profile / reader);
  return 0;
}
