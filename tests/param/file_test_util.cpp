#include "tests/param/file_test_util.h"

#include <stdio.h>

#include <vector>

#include "param/param_ref.h"
#include "tests/param/param_test_util.h"

namespace {

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string full = path + "\\" + name;
      SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(full);
      else
        DeleteFileA(full.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

void AppendNode(IParam* node, const std::string& path, std::string& out) {
  out += "[" + path + "]";
  for (const std::string& name : ValueNames(node)) out += " " + name + "=" + ValueAt(node, name.c_str());
  out += "\n";
  for (const std::string& name : ChildNames(node)) {
    QVRef<IParam> child(node->GetChild(name.c_str(), FALSE));
    if (child) AppendNode(child.Get(), path == "\\" ? path + name : path + "\\" + name, out);
  }
}

}  // namespace

ScratchFolder::ScratchFolder(const char* suite) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  m_path = std::string(temp) + "tw-param-" + suite + "-" + std::to_string(GetCurrentProcessId());
  RemoveTree(m_path);
  CreateDirectoryA(m_path.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { RemoveTree(m_path); }

std::string ScratchFolder::Listing() const {
  std::string names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((m_path + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names += (names.empty() ? "" : " ") + name;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  FILE* file = fopen(path.c_str(), "wb");
  if (!file) return;
  fwrite(bytes.data(), 1, bytes.size(), file);
  fclose(file);
}

std::string ReadBytes(const std::string& path) {
  FILE* file = fopen(path.c_str(), "rb");
  if (!file) return "<missing>";
  std::string bytes;
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  fclose(file);
  return bytes;
}

std::string MemFileName(const std::string& text) {
  return "fmem::" + std::to_string(reinterpret_cast<unsigned long>(text.data())) + "," +
         std::to_string(text.size());
}

std::string TreeText(IParam* root) {
  std::string out;
  AppendNode(root, "\\", out);
  return out;
}

std::string ProfileString(const std::string& file, const char* section, const char* key) {
  char buffer[4096];
  GetPrivateProfileStringA(section, key, "<absent>", buffer, sizeof buffer, file.c_str());
  return buffer;
}
