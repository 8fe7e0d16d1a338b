// Keys that a whole-program test seeds in the prefix's registry and removes afterwards.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

class RegistrySeed {
 public:
  RegistrySeed() = default;
  ~RegistrySeed();  // deletes every owned tree
  RegistrySeed(const RegistrySeed&) = delete;
  RegistrySeed& operator=(const RegistrySeed&) = delete;

  // Removes root\path (with everything below it) now and again at the end.
  void Own(HKEY root, const std::string& path, REGSAM view = 0);

  void SetString(HKEY root, const std::string& path, const char* name, const std::string& value, REGSAM view = 0);
  void SetDword(HKEY root, const std::string& path, const char* name, DWORD value, REGSAM view = 0);
  void CreateKey(HKEY root, const std::string& path, REGSAM view = 0);

 private:
  struct Owned {
    HKEY root;
    std::string path;
    REGSAM view;
  };
  std::vector<Owned> owned_;
};

// Reading back: "" / false when missing.
bool KeyExists(HKEY root, const std::string& path, REGSAM view = 0);
bool ReadString(HKEY root, const std::string& path, const char* name, std::string* value, REGSAM view = 0);
bool ReadDword(HKEY root, const std::string& path, const char* name, DWORD* value, REGSAM view = 0);
// Names of the subkeys of root\path in enumeration order.
std::vector<std::string> SubkeyNames(HKEY root, const std::string& path, REGSAM view = 0);
// Every value of root\path as (name, text) pairs, strings as they are, DWORDs in decimal.
std::vector<std::pair<std::string, std::string>> Values(HKEY root, const std::string& path, REGSAM view = 0);

// A name that no other test run uses.
std::string UniqueName(const char* head);
