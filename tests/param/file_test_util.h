// Scratch folders and files for the INI tests, and a text form of a parameter tree.
#pragma once

#include <windows.h>

#include <string>

#include "param/param.h"

// A folder of its own under the temporary folder, removed with everything in it.
class ScratchFolder {
 public:
  explicit ScratchFolder(const char* suite);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Path() const { return m_path; }
  // path + "\" + name
  std::string operator/(const std::string& name) const { return m_path + "\\" + name; }
  // Names of the files left in the folder (a check for stray temporary files).
  std::string Listing() const;

 private:
  std::string m_path;
};

void WriteBytes(const std::string& path, const std::string& bytes);
// The file's bytes, or "<missing>".
std::string ReadBytes(const std::string& path);

// The "fmem::" name of a block of memory that holds text.
std::string MemFileName(const std::string& text);

// Every node of a tree, depth first: "[path]" and then " name=value" per value.
std::string TreeText(IParam* root);

// GetPrivateProfileStringA of one key, or "<absent>".
std::string ProfileString(const std::string& file, const char* section, const char* key);
