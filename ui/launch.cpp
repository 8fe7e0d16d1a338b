#include "ui/launch.h"

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>
#include <string.h>

#include <algorithm>

#include "framework/cmdline.h"

namespace {

const int kFolderAttempts = 10;
const size_t kFileDropBytes = 281;  // room for a path of MAX_PATH bytes

// The first linked application (State 0) of profile for which pick gives a non-empty text.
template <typename Pick>
std::string FirstLinkedText(const PMAcad& product, const PMAcadProfile& profile, Pick pick) {
  for (const PMAcadAppLink& link : profile.Links) {
    const PMApplication* application = product.ApplicationOf(link);
    if (application && link.State == LinkLinked && !pick(*application).empty()) return pick(*application);
  }
  return std::string();
}

// Releases a COM interface pointer when it goes.
template <typename T>
struct ComPtr {
  T* p = nullptr;
  ~ComPtr() {
    if (p) p->Release();
  }
};

}  // namespace

std::string ProfileTemplate(const PMAcad& product, const PMAcadProfile& profile) {
  return FirstLinkedText(product, profile, [](const PMApplication& a) -> const std::string& { return a.Template; });
}

std::string RunArguments(const PMAcad& product, const PMAcadProfile& profile) {
  std::string arguments = "-r -a " + fw::QuoteArgument(AcadIdFromKey(product.Key)) + " -p " +
                          fw::QuoteArgument(profile.Name);
  std::string templateFile = ProfileTemplate(product, profile);
  if (!templateFile.empty()) arguments += " -AcCL -t " + fw::QuoteArgument(templateFile);
  return arguments;
}

std::string RunCommandLine(const std::string& programPath, const PMAcad& product, const PMAcadProfile& profile) {
  return "\"" + programPath + "\" " + RunArguments(product, profile);
}

bool StartDetached(const std::string& commandLine) {
  std::string line = commandLine;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process = {};
  if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                        &process))
    return false;
  fw::Handle processHandle(process.hProcess);
  fw::Handle thread(process.hThread);
  ::ResumeThread(thread.get());
  return true;
}

std::string ShortcutFileName(const PMAcad& product, const PMAcadProfile& profile) {
  std::string name;
  for (char c : profile.Name)
    if (!strchr("<>\\/:?*", c) || c == '\0') name += c;
  return product.ProductName + " in " + name + ".lnk";
}

std::string MakePrivateFolder(const std::string& base) {
  std::string folder = base;
  for (int attempt = 0; attempt < kFolderAttempts; ++attempt) {
    if (::CreateDirectoryA(folder.c_str(), nullptr)) return folder;
    folder += static_cast<char>('0' + attempt);
  }
  return std::string();
}

fw::GlobalMemory MakeFileDropData(const std::string& path) {
  const size_t size = std::max(kFileDropBytes, sizeof(DROPFILES) + path.size() + 2);
  fw::GlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, size));
  if (!memory) return memory;
  auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory.get()));
  if (!drop) return fw::GlobalMemory();
  drop->pFiles = sizeof(DROPFILES);
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(), path.size());
  ::GlobalUnlock(memory.get());
  return memory;
}

ProfileShortcut::ProfileShortcut(const std::string& programPath, const PMAcad& product,
                                 const PMAcadProfile& profile) {
  char temp[MAX_PATH] = "";
  if (!::GetTempPathA(MAX_PATH, temp)) return;
  folder_ = MakePrivateFolder(std::string(temp) + "_APM");
  if (folder_.empty()) return;

  std::string icon = FirstLinkedText(product, profile,
                                     [](const PMApplication& a) -> const std::string& { return a.ShortcutIconName; });
  if (icon.empty()) icon = product.ExePath;
  const std::string description = "Starts " + product.ProductName + " in the profile " + profile.Name;
  const std::string file = folder_ + "\\" + ShortcutFileName(product, profile);

  ComPtr<IShellLinkA> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link.p))))
    return;
  link.p->SetPath(programPath.c_str());
  link.p->SetArguments(RunArguments(product, profile).c_str());
  link.p->SetDescription(description.c_str());
  link.p->SetIconLocation(icon.c_str(), 0);
  ComPtr<IPersistFile> persist;
  if (FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist.p)))) return;
  std::wstring wide(::MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, nullptr, 0), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
  if (SUCCEEDED(persist.p->Save(wide.c_str(), TRUE))) path_ = file;
}

ProfileShortcut::~ProfileShortcut() {
  if (!path_.empty()) ::DeleteFileA(path_.c_str());
  if (!folder_.empty()) ::RemoveDirectoryA(folder_.c_str());
}
