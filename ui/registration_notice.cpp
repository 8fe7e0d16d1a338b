#include "ui/registration_notice.h"

#include <vector>

#include "framework/language.h"
#include "resources/resource.h"

namespace {

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : separator) + part;
  return text;
}

}  // namespace

std::string RegistrationLibraryNotice(const RegistrationLibrary& library, RegistrationLibrary::Use use) {
  const std::vector<std::string> missing = library.MissingEntries(use);
  if (missing.empty()) return std::string();
  if (!library.IsLoaded())
    return FormatLangString(IDS_REGDLL_NOT_FOUND, Joined(library.SearchedPaths(), "\r\n").c_str());
  return FormatLangString(IDS_REGDLL_NO_ENTRY, library.LoadedPath().c_str(), Joined(missing, ", ").c_str());
}
