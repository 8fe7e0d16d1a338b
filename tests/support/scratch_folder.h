// A private folder below the temporary folder for one test, removed with everything in it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder without a trailing backslash.
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
  // Writes a file with exactly these bytes; returns its full path.
  std::string Write(const std::string& name, const std::string& bytes) const;
  // Names of the files and folders in the folder, sorted.
  std::vector<std::string> Entries() const;

 private:
  std::string path_;
};

// The bytes of a file as the system reads them; "<missing>" when it cannot be opened.
std::string ReadWholeFile(const std::string& path);
// Creates or replaces the file with exactly these bytes.
void WriteWholeFile(const std::string& path, const std::string& bytes);
// Whether another handle can open the file for reading (false while it is locked).
bool CanOpenForReading(const std::string& path);
// Names of the files and folders that match pattern ("C:\\dir\\*.tmp"), without "." and "..", unsorted.
std::vector<std::string> FindNames(const std::string& pattern);
